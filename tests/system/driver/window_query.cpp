#include "driver/window_query.h"

#include <algorithm>
#include <type_traits>

#include "driver/probe_client.h"
#include "driver/wide.h"

namespace drv {
namespace {

// A named CALLBACK function rather than a lambda: WNDENUMPROC is stdcall on 32-bit Windows.
template <class F>
BOOL CALLBACK EachTopLevelThunk(HWND hwnd, LPARAM context) {
    (*reinterpret_cast<F*>(context))(hwnd);
    return TRUE;
}

template <class F>
void EachTopLevel(F&& f) {
    EnumWindows(&EachTopLevelThunk<std::remove_reference_t<F>>, reinterpret_cast<LPARAM>(&f));
}

}  // namespace

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

std::vector<HWND> TopLevelWindows(DWORD pid) {
    std::vector<HWND> windows;
    EachTopLevel([&](HWND hwnd) {
        if (ProcessOf(hwnd) == pid) windows.push_back(hwnd);
    });
    return windows;
}

std::vector<HWND> FindTopLevels(DWORD pid, std::string_view className) {
    std::vector<HWND> windows = TopLevelWindows(pid);
    std::erase_if(windows, [&](HWND hwnd) { return ClassName(hwnd) != className; });
    return windows;
}

HWND FindTopLevel(DWORD pid, std::string_view className) {
    const std::vector<HWND> windows = FindTopLevels(pid, className);
    return windows.empty() ? nullptr : windows.front();
}

Waited<HWND> WaitForShownTopLevel(DWORD pid, std::string_view className, Ms timeout) {
    Waited<HWND> shown = WaitFor<HWND>(
        [&]() -> std::optional<HWND> {
            for (HWND hwnd : FindTopLevels(pid, className)) {
                if (IsVisible(hwnd)) return hwnd;
            }
            return std::nullopt;
        },
        timeout, "a shown window of the class " + std::string(className));
    if (!shown) return shown;
    const ::testing::AssertionResult settled = Settle(*shown, timeout);
    if (settled) return shown;
    return Waited<HWND>(std::nullopt,
                        "the program to finish showing it: " + std::string(settled.message()),
                        timeout);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND ChildById(HWND root, int id) {
    for (HWND child : Children(root)) {
        if (GetDlgCtrlID(child) == id) return child;
        if (HWND found = ChildById(child, id)) return found;
    }
    return nullptr;
}

std::string ClassName(HWND hwnd) {
    char buffer[256] = {};
    const int length = GetClassNameA(hwnd, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

std::string WindowText(HWND hwnd) {
    // Large enough for an error box that quotes a whole settings value (2047 characters).
    std::wstring buffer(8192, L'\0');
    const int length = GetWindowTextW(hwnd, buffer.data(), static_cast<int>(buffer.size()));
    buffer.resize(static_cast<std::size_t>(std::max(length, 0)));
    return ToGbk(buffer);
}

std::string ControlText(HWND hwnd) {
    // Not WM_GETTEXTLENGTH: asked across processes, Wine 8 answers 0 for a control that
    // holds Chinese text. Grow the buffer until the text fits instead.
    for (std::size_t size = 4096; size <= (std::size_t{1} << 27); size *= 4) {
        std::wstring text(size, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text.data()),
                                 SMTO_NORMAL, 5000, &copied)) {
            return {};
        }
        if (copied + 1 < size) {
            text.resize(copied);
            return ToGbk(text);
        }
    }
    return {};
}

RECT WindowRect(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT ClientRect(HWND hwnd) {
    RECT rect = {};
    GetClientRect(hwnd, &rect);
    return rect;
}

RECT ChildRect(HWND child, HWND relativeTo) {
    RECT rect = WindowRect(child);
    MapWindowPoints(HWND_DESKTOP, relativeTo, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT ClientToScreen(HWND hwnd, POINT client) {
    ::ClientToScreen(hwnd, &client);
    return client;
}

POINT Center(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT Center(HWND hwnd) {
    return Center(WindowRect(hwnd));
}

bool IsVisible(HWND hwnd) {
    return IsWindowVisible(hwnd) != FALSE;
}

bool IsEnabled(HWND hwnd) {
    return IsWindowEnabled(hwnd) != FALSE;
}

bool IsMinimized(HWND hwnd) {
    return IsIconic(hwnd) != FALSE;
}

bool IsMaximized(HWND hwnd) {
    return IsZoomed(hwnd) != FALSE;
}

LONG Style(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE);
}

LONG ExStyle(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_EXSTYLE);
}

bool IsTopmost(HWND hwnd) {
    return (ExStyle(hwnd) & WS_EX_TOPMOST) != 0;
}

HWND Owner(HWND hwnd) {
    return GetWindow(hwnd, GW_OWNER);
}

std::optional<BYTE> Opacity(HWND hwnd) {
    if (!(ExStyle(hwnd) & WS_EX_LAYERED)) return std::nullopt;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags) || !(flags & LWA_ALPHA)) {
        return std::nullopt;
    }
    return alpha;
}

namespace {
GUITHREADINFO ThreadInfo(HWND hwnd) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info)) return {};
    return info;
}
}  // namespace

HWND FocusOf(HWND hwnd) {
    return ThreadInfo(hwnd).hwndFocus;
}

HWND ActiveOf(HWND hwnd) {
    return ThreadInfo(hwnd).hwndActive;
}

std::ostream& operator<<(std::ostream& out, CursorShape shape) {
    constexpr const char* kNames[] = {"None", "Arrow", "SizeAll", "IBeam", "Other", "Unknown"};
    return out << kNames[static_cast<int>(shape)];
}

CursorShape CursorShown(HWND hwnd) {
    const auto answer = AskProbe(hwnd, probe::kIdentifyCursor);
    if (!answer || !answer->ok) return CursorShape::Unknown;
    switch (answer->cursor) {
    case probe::kNoCursor: return CursorShape::None;
    case probe::kArrow: return CursorShape::Arrow;
    case probe::kSizeAll: return CursorShape::SizeAll;
    case probe::kIBeam: return CursorShape::IBeam;
    default: return CursorShape::Other;
    }
}

LRESULT SendTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Ms timeout) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL,
                        static_cast<UINT>(timeout.count()), &result);
    return static_cast<LRESULT>(result);
}

std::string SystemText(DWORD code) {
    wchar_t buffer[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, 512, nullptr);
    std::wstring text(buffer, length);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
    return ToGbk(text);
}

}  // namespace drv
