#include "ui/paths.h"

#include <windows.h>

#include <vector>

#include "core/text.h"

namespace ui {

std::string ExecutablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size() || buffer.size() >= 32768)
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramDirectory() {
    return core::DirectoryOf(ExecutablePath());
}

}  // namespace ui
