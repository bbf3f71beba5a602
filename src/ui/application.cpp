#include "ui/application.h"

#include <algorithm>
#include <type_traits>

#include "core/text.h"
#include "ui/error.h"
#include "ui/owner_proc.h"

namespace ui {
namespace {

constexpr char kApplicationClass[] = "VelnorNotesApplication";
constexpr DWORD kApplicationStyle =
    WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;  // 0x84CA0000

// The one application object of the process: the default error handler and the message box
// service are reached from code that holds no reference to it.
Application* g_current = nullptr;

std::string DeriveTitle() {
    char path[256] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    OemToCharA(path, path);
    std::string title = core::TitleStem(path);
    // Lower everything after the first character; the system knows the code page's cases.
    CharLowerA(title.data() + core::SecondCharOffset(title));
    return title;
}

// The window is 0 x 0: a restore animation would only draw a rectangle flying out of
// nowhere. The setting is changed for this one call and not saved.
void ShowWithoutAnimation(HWND hwnd, int command) {
    ANIMATIONINFO animation = {};
    animation.cbSize = sizeof animation;
    const int was = SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0)
                        ? animation.iMinAnimate
                        : 0;
    if (was != 0) {
        animation.iMinAnimate = 0;
        SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, 0);
    }
    ShowWindow(hwnd, command);
    if (was != 0) {
        animation.iMinAnimate = was;
        SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, 0);
    }
}

POINT ScreenCentre() {
    return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
}

template <class F>
BOOL CALLBACK ThreadWindowThunk(HWND hwnd, LPARAM context) {
    (*reinterpret_cast<F*>(context))(hwnd);
    return TRUE;
}

template <class F>
void ForEachThreadWindow(F&& f) {
    EnumThreadWindows(GetCurrentThreadId(), &ThreadWindowThunk<std::remove_reference_t<F>>,
                      reinterpret_cast<LPARAM>(&f));
}

}  // namespace

Application::Application(HINSTANCE instance) : instance_(instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Application::Proc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kApplicationClass;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ThrowLastError("RegisterClassExA");
    }
    const std::string title = DeriveTitle();
    const POINT centre = ScreenCentre();
    hwnd_ = CreateWindowExA(0, kApplicationClass, title.c_str(), kApplicationStyle, centre.x,
                            centre.y, 0, 0, nullptr, nullptr, instance_, this);
    if (!hwnd_) ThrowLastError("CreateWindowExA");
    g_current = this;  // only once made: a failed start reports without it
}

Application::~Application() {
    if (hwnd_) DestroyWindow(hwnd_);
    g_current = nullptr;
}

Application& Application::Current() {
    return *g_current;
}

Application* Application::TryCurrent() {
    return g_current;
}

std::string Application::Title() const {
    char buffer[256] = {};
    const int length = GetWindowTextA(hwnd_, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

void Application::AddDialogWindow(HWND hwnd) {
    dialogWindows_.push_back(hwnd);
}

int Application::ShowMessage(const std::string& text, const std::string& caption, UINT style) {
    TaskModalScope scope(*this, nullptr);
    NormalizeTopMosts();

    // A box appears on the monitor of its owner; bring the owner to the user's monitor.
    RECT ownerRect = {};
    GetWindowRect(hwnd_, &ownerRect);
    bool moved = false;
    if (HWND active = GetActiveWindow()) {
        HMONITOR target = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
        if (target != MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST)) {
            MONITORINFO mi = {};
            mi.cbSize = sizeof mi;
            if (GetMonitorInfoA(target, &mi)) {
                SetWindowPos(hwnd_, nullptr, (mi.rcMonitor.left + mi.rcMonitor.right) / 2,
                             (mi.rcMonitor.top + mi.rcMonitor.bottom) / 2, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                moved = true;
            }
        }
    }
    const int result = ::MessageBoxA(hwnd_, text.c_str(), caption.c_str(), style);
    if (moved) {
        SetWindowPos(hwnd_, nullptr, ownerRect.left, ownerRect.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RestoreTopMosts();
    return result;
}

void Application::ShowException(const std::string& message) {
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ShowMessage(core::WithFullStop(message), Title(), MB_OK | MB_ICONERROR);
}

void Application::BringToFront() {
    HWND last = GetLastActivePopup(hwnd_);
    if (last && last != hwnd_ && IsWindowVisible(last) && IsWindowEnabled(last)) {
        SetForegroundWindow(last);
    }
}

void Application::Minimize() {
    ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
}

void Application::Restore() {
    SetActiveWindow(hwnd_);
    if (mainWindow_ && IsWindowEnabled(mainWindow_)) {
        DefWindowProcA(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else {
        ShowWithoutAnimation(hwnd_, SW_RESTORE);
    }
    const POINT centre = ScreenCentre();
    SetWindowPos(hwnd_, nullptr, centre.x, centre.y, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Application::IsDialogMessageFor(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (std::find(dialogWindows_.begin(), dialogWindows_.end(), root) == dialogWindows_.end()) {
        return false;
    }
    return IsDialogMessageA(root, &msg) != FALSE;
}

bool Application::HandleMessage() {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (got == -1) return false;
    if (!IsDialogMessageFor(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

void Application::Run() {
    for (;;) {
        try {
            if (!HandleMessage()) return;
        } catch (...) {
            ReportCurrentException();
        }
    }
}

std::vector<HWND> Application::DisableTaskWindows(HWND except) {
    std::vector<HWND> disabled;
    ForEachThreadWindow([&](HWND hwnd) {
        if (hwnd != except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            disabled.push_back(hwnd);
        }
    });
    for (HWND hwnd : disabled) EnableWindow(hwnd, FALSE);
    return disabled;
}

void Application::EnableTaskWindows(const std::vector<HWND>& windows) {
    for (HWND hwnd : windows) {
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
}

void Application::NormalizeTopMosts() {
    if (topMostLevel_++ > 0) return;
    topMostList_.clear();
    ForEachThreadWindow([&](HWND hwnd) {
        if (hwnd != hwnd_ && (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
            topMostList_.push_back(hwnd);
        }
    });
    for (HWND hwnd : topMostList_) {
        SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Application::RestoreTopMosts() {
    if (topMostLevel_ == 0 || --topMostLevel_ > 0) return;
    for (auto it = topMostList_.rbegin(); it != topMostList_.rend(); ++it) {
        if (IsWindow(*it)) {
            SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    topMostList_.clear();
}

Application::TaskModalScope::TaskModalScope(Application& app, HWND except)
    : active_(GetActiveWindow()), focus_(GetFocus()), disabled_(app.DisableTaskWindows(except)) {}

Application::TaskModalScope::~TaskModalScope() {
    EnableTaskWindows(disabled_);
    // Only to windows still shown: one hidden meanwhile must not take the keyboard unseen.
    if (active_ && IsWindowVisible(active_)) SetActiveWindow(active_);
    if (focus_ && IsWindowVisible(focus_)) SetFocus(focus_);
}

LRESULT CALLBACK Application::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchToOwner(hwnd, message, wParam, lParam, &Application::OnMessage,
                           &Application::hwnd_, AfterError::ReturnZero);
}

LRESULT Application::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // Closing the application (its system menu while minimised) closes the main window,
        // which asks for confirmation.
        if (mainWindow_) PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace ui
