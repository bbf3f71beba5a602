// ParseInteger on arbitrary bytes: no crash or undefined behaviour, and every accepted text
// means the value that its decimal and hexadecimal spellings give back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/number.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = core::ParseInteger(text);
    if (!value) return 0;
    if (core::ParseInteger(std::to_string(*value)) != value) std::abort();
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%X", static_cast<unsigned>(static_cast<uint32_t>(*value)));
    if (core::ParseInteger(hex) != value) std::abort();
    // Blanks in front never change a value; a blank behind always fails.
    if (core::ParseInteger(" " + std::string(text)) != value) std::abort();
    if (core::ParseInteger(std::string(text) + " ")) std::abort();
    return 0;
}
