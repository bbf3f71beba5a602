#include "driver/tray.h"

#include <shellapi.h>

#include "driver/window_query.h"

namespace drv {
namespace {

BOOL CALLBACK CollectTrays(HWND hwnd, LPARAM context) {
    if (ClassName(hwnd) == "__winex11_standalone_tray") {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TrayIcons() {
    std::vector<HWND> trays;
    EnumWindows(&CollectTrays, reinterpret_cast<LPARAM>(&trays));
    std::vector<HWND> icons;
    for (HWND tray : trays) {
        if (!IsVisible(tray)) continue;
        for (HWND child : Children(tray)) {
            if (ClassName(child) == "__winex11_tray_icon" && IsVisible(child)) {
                icons.push_back(child);
            }
        }
    }
    return icons;
}

Waited<HWND> WaitForTrayIcon(Ms timeout) {
    return WaitFor<HWND>(
        []() -> std::optional<HWND> {
            const std::vector<HWND> icons = TrayIcons();
            if (icons.size() != 1) return std::nullopt;
            return icons.front();
        },
        timeout, "exactly one icon in the notification area");
}

::testing::AssertionResult WaitForNoTrayIcon(Ms timeout) {
    return WaitUntil([] { return TrayIcons().empty(); }, timeout,
                     "no icon in the notification area");
}

std::vector<HWND> TrayTips() {
    std::vector<HWND> trays;
    EnumWindows(&CollectTrays, reinterpret_cast<LPARAM>(&trays));
    std::vector<HWND> tips;
    for (HWND tray : trays) {
        for (HWND tip : FindTopLevels(ProcessOf(tray), "tooltips_class32")) {
            if (IsVisible(tip)) tips.push_back(tip);
        }
    }
    return tips;
}

namespace {

bool NoTrayTip() {
    return TrayTips().empty();
}

constexpr char kNoTip[] = "no tray tip";

// Rests the pointer at `spot` until the shell shows no tip.
bool RestAwayFromTips(POINT spot) {
    MoveTo(spot);
    return WaitUntil(&NoTrayTip, kWaitTimeout, kNoTip);
}

Waited<Menu> NoMenu(std::string what, Ms waited = kWaitTimeout) {
    return Waited<Menu>(std::nullopt, std::move(what), waited);
}

}  // namespace

Waited<Menu> OpenTrayMenu(DWORD pid, HWND icon) {
    if (!RestAwayFromTips(QuietSpot(pid))) return NoMenu(kNoTip);
    // Wine's stand-in for the notification area is an ordinary window that takes the focus
    // of the X display on a press; the news of that reaches Wine after the program has
    // opened its menu, and cancels it. The real shell's taskbar is already active by the
    // time one of its icons is pressed; so is this one here, so the press moves no focus.
    const HWND tray = GetAncestor(icon, GA_ROOT);
    SetForegroundWindow(tray);
    const auto trayActive = [tray] { return GetForegroundWindow() == tray; };
    if (!WaitUntil(trayActive, kWaitTimeout, "the tray active") ||
        !StaysTrue(trayActive, Ms(300), "the tray active")) {
        return NoMenu("the tray active");
    }
    // The press follows the move at once, before the shell's tip is due.
    MoveTo(Center(icon));
    ButtonDown(MouseButton::Right);
    const Waited<HWND> shown = WaitFor<HWND>(
        [pid]() -> std::optional<HWND> {
            if (HWND hwnd = PopupMenuWindow(pid)) return hwnd;
            return std::nullopt;
        },
        kWaitTimeout, "a popup menu of process " + std::to_string(pid) + " before the release");
    ButtonUp(MouseButton::Right);
    if (!shown) return NoMenu(shown.What());
    // Off the icon, so that no tip comes up over the menu; the release chose nothing.
    MoveTo(Center(WindowRect(*shown)));
    if (!WaitUntil(&NoTrayTip, kWaitTimeout, kNoTip)) return NoMenu(kNoTip);
    return WaitForPopupMenu(pid);
}

POINT QuietSpot(DWORD pid) {
    RECT screen = {};
    GetWindowRect(GetDesktopWindow(), &screen);
    const int w = Width(screen), h = Height(screen);
    // Away from the tray at the top left; the first spot with no window of the program
    // or of the shell under it and room below and to the right for a menu.
    const POINT candidates[] = {{w * 3 / 4, h / 2},
                                {w / 2, h * 2 / 3},
                                {w / 4, h * 2 / 3},
                                {w * 3 / 4, h / 5},
                                {w / 2, h / 5}};
    const DWORD shell = [] {
        const std::vector<HWND> icons = TrayIcons();
        return icons.empty() ? DWORD{0} : ProcessOf(icons.front());
    }();
    for (const POINT at : candidates) {
        const DWORD under = ProcessOf(WindowFromPoint(at));
        if (under != pid && (shell == 0 || under != shell)) return at;
    }
    return candidates[0];
}

Waited<Menu> OpenTrayMenuAway(DWORD pid, HWND owner, UINT callbackMessage, UINT id) {
    const POINT spot = QuietSpot(pid);
    if (!RestAwayFromTips(spot)) return NoMenu(kNoTip);
    if (!PostMessageA(owner, callbackMessage, id, WM_RBUTTONDOWN)) {
        return NoMenu("the icon's message posted", Ms(0));
    }
    return WaitForPopupMenu(pid);
}

bool ForgetTrayIcon(HWND owner, UINT id) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

void SendTaskbarCreated(HWND hwnd) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_NORMAL, 5000,
                        &result);
}

}  // namespace drv
