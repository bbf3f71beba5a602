#include "ui/error.h"

#include <exception>

#include "core/text.h"
#include "ui/application.h"

namespace ui {

std::wstring SystemErrorText(DWORD code) {
    wchar_t buffer[256] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       buffer, sizeof buffer / sizeof buffer[0], nullptr);
    return core::TrimSystemText(std::wstring_view(buffer, length));
}

void ThrowLastError(const char* call) {
    const DWORD code = GetLastError();
    throw AppError(core::WidenAscii(call) + L": " + SystemErrorText(code));
}

namespace {
void Show(const std::wstring& message) {
    if (Application* app = Application::TryCurrent()) {
        app->ShowException(message);
    } else {
        // Before the application window exists, or after it is gone.
        MessageBoxW(nullptr, core::WithFullStop(message).c_str(), nullptr, MB_OK | MB_ICONERROR);
    }
}
}  // namespace

void ReportCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const AppError& e) {
            Show(e.Text());
        } catch (const std::exception& e) {
            Show(core::WidenAscii(e.what()));
        } catch (...) {
            Show(L"Unknown error");
        }
    } catch (...) {
        // Showing the error failed (out of memory, no window station): nothing left to do.
    }
}

}  // namespace ui
