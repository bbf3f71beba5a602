#include "ui/error.h"

#include <algorithm>
#include <exception>

#include "core/text.h"
#include "ui/application.h"

namespace ui {

std::string SystemErrorText(DWORD code) {
    char buffer[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, sizeof buffer, nullptr);
    return core::TrimSystemText(std::string_view(buffer, length));
}

void ThrowLastError(const char* call) {
    const DWORD code = GetLastError();
    throw AppError(std::string(call) + ": " + SystemErrorText(code));
}

namespace {

// Until the error box takes wide texts: an error made from one of the program's narrow
// texts holds its bytes one per character, which go back as they were; a text with a
// character beyond a byte was made wide and is given in the code page the box reads.
std::string ShownText(const std::wstring& text) {
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x100; })) {
        return std::string(text.begin(), text.end());
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(length, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

void Show(const std::string& message) {
    if (Application* app = Application::TryCurrent()) {
        app->ShowException(message);
    } else {
        // Before the application window exists, or after it is gone.
        MessageBoxA(nullptr, core::WithFullStop(message).c_str(), nullptr, MB_OK | MB_ICONERROR);
    }
}
}  // namespace

void ReportCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const AppError& e) {
            Show(ShownText(e.Text()));
        } catch (const std::exception& e) {
            Show(e.what());
        } catch (...) {
            Show("Unknown error");
        }
    } catch (...) {
        // Showing the error failed (out of memory, no window station): nothing left to do.
    }
}

}  // namespace ui
