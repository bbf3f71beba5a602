#include "ui/application.h"

#include <algorithm>
#include <type_traits>

#include "core/text.h"
#include "ui/error.h"
#include "ui/owner_proc.h"
#include "ui/paths.h"
#include "ui/text.h"

namespace ui {
namespace {

constexpr wchar_t kApplicationClass[] = L"VelnorNotesApplication";
constexpr DWORD kApplicationStyle =
    WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;

// The one application object of the process: the default error handler and the message box
// service are reached from code that holds no reference to it.
Application* g_current = nullptr;

// A title as the window keeps it: at most 255 characters.
constexpr std::size_t kTitleLength = 255;

}  // namespace

std::wstring TitleFor(std::wstring_view path) {
    // Where the system's code page can spell the path, the title is made from it in that
    // code page, as it always was (the OEM conversion and the code page's case rules
    // included), so that it names the same Run value as before.
    if (const std::optional<std::string> ansi = ToAnsi(path); ansi && ansi->size() < 256) {
        std::string bytes = *ansi;
        OemToCharA(bytes.data(), bytes.data());
        // Double-byte characters as the system's code page has them: on a Western system
        // every byte is a character, and a backslash after "°" is still one.
        const core::LeadBytePredicate isLead = [](unsigned char b) {
            return IsDBCSLeadByte(b) != FALSE;
        };
        std::string title = core::TitleStem(bytes, isLead);
        // Lower everything after the first character; the system knows the code page's cases.
        CharLowerA(title.data() + core::SecondCharOffset(title, isLead));
        return FromAnsi(title).substr(0, kTitleLength);
    }
    // Any other name is taken as the system holds it, lowered by the system's rules for
    // every script, its first character (both halves of a surrogate pair) left alone.
    std::wstring title = core::TitleStem(path).substr(0, kTitleLength);
    if (!title.empty()) {
        const std::size_t second = IS_HIGH_SURROGATE(title[0]) && title.size() > 1 ? 2 : 1;
        CharLowerBuffW(title.data() + second, static_cast<DWORD>(title.size() - second));
    }
    return title;
}

namespace {

// The window is 0 x 0: a restore animation would only draw a rectangle flying out of
// nowhere. The setting is changed for this one call and not saved.
void ShowWithoutAnimation(HWND hwnd, int command) {
    ANIMATIONINFO animation = {};
    animation.cbSize = sizeof animation;
    const int was = SystemParametersInfoW(SPI_GETANIMATION, sizeof animation, &animation, 0)
                        ? animation.iMinAnimate
                        : 0;
    if (was != 0) {
        animation.iMinAnimate = 0;
        SystemParametersInfoW(SPI_SETANIMATION, sizeof animation, &animation, 0);
    }
    ShowWindow(hwnd, command);
    if (was != 0) {
        animation.iMinAnimate = was;
        SystemParametersInfoW(SPI_SETANIMATION, sizeof animation, &animation, 0);
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
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Application::Proc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kApplicationClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ThrowLastError("RegisterClassExW");
    }
    const std::wstring title = TitleFor(ExecutablePath());
    const POINT centre = ScreenCentre();
    hwnd_ = CreateWindowExW(0, kApplicationClass, title.c_str(), kApplicationStyle, centre.x,
                            centre.y, 0, 0, nullptr, nullptr, instance_, this);
    if (!hwnd_) ThrowLastError("CreateWindowExW");
    g_current = this;  // only once made: a failed start reports without it
}

Application::~Application() {
    if (hwnd_) DestroyWindow(hwnd_);
    g_current = nullptr;
}

Icon Application::LoadSmallIcon(int id) const {
    return Icon(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0)));
}

Application& Application::Current() {
    return *g_current;
}

Application* Application::TryCurrent() {
    return g_current;
}

std::wstring Application::Title() const {
    wchar_t buffer[kTitleLength + 1] = {};
    const int length = GetWindowTextW(hwnd_, buffer, kTitleLength + 1);
    return std::wstring(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

void Application::AddDialogWindow(HWND hwnd) {
    dialogWindows_.push_back(hwnd);
}

int Application::ShowMessage(const std::wstring& text, const std::wstring& caption, UINT style) {
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
            if (GetMonitorInfoW(target, &mi)) {
                SetWindowPos(hwnd_, nullptr, (mi.rcMonitor.left + mi.rcMonitor.right) / 2,
                             (mi.rcMonitor.top + mi.rcMonitor.bottom) / 2, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                moved = true;
            }
        }
    }
    const int result = ::MessageBoxW(hwnd_, text.c_str(), caption.c_str(), style);
    if (moved) {
        SetWindowPos(hwnd_, nullptr, ownerRect.left, ownerRect.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RestoreTopMosts();
    return result;
}

void Application::ShowException(const std::wstring& message) {
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
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
        DefWindowProcW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
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
    return IsDialogMessageW(root, &msg) != FALSE;
}

bool Application::HandleMessage() {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (got == -1) return false;
    if (!IsDialogMessageFor(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
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
        if (hwnd != hwnd_ && (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
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
        if (mainWindow_) PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace ui
