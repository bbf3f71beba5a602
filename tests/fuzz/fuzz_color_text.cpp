// TextToColor and ColorToText on arbitrary input: no crash, and whatever ColorToText writes
// TextToColor reads back to the same colour.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "core/color.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const core::TColor color = core::TextToColor(text);
        if (core::TextToColor(core::ColorToText(color)) != color) std::abort();
    } catch (const core::EConvertError& e) {
        // The message quotes the whole text, every byte as the character it stands for.
        if (e.Text().find(core::WidenAscii(text)) == std::wstring::npos) std::abort();
    }
    if (size >= 4) {
        int32_t raw;
        std::memcpy(&raw, data, sizeof raw);
        if (core::TextToColor(core::ColorToText(raw)) != raw) std::abort();
    }
    return 0;
}
