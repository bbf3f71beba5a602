#include "ui/paths.h"

#include <windows.h>

#include <vector>

#include "core/text.h"

namespace ui {

std::wstring ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size() || buffer.size() >= 32768)
            return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring ProgramDirectory() {
    return core::DirectoryOf(ExecutablePath());
}

}  // namespace ui
