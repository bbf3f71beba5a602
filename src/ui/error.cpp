#include "ui/error.h"

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
            Show(e.Text());
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
