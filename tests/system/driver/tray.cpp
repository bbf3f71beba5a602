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

Waited<Menu> OpenTrayMenu(DWORD pid, HWND icon) {
    // Wine's stand-in for the notification area is an ordinary window that takes the
    // foreground on a press, at times after the program has opened its menu, which then
    // closes at once; a user presses again. The real shell's does not take it.
    constexpr int kAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        MoveTo(Center(icon));
        ButtonDown(MouseButton::Right);
        Waited<Menu> menu = WaitForPopupMenu(pid, attempt < kAttempts ? Ms(2000) : kWaitTimeout);
        ButtonUp(MouseButton::Right);
        if (menu) {
            // The pointer rests in the menu, so the shell's tip over the icon, which lies
            // over the items and takes clicks meant for them, goes.
            MoveTo(Center(menu->rect));
            const bool open =
                WaitUntil([] { return TrayTips().empty(); }, kWaitTimeout, "no tray tip") &&
                StaysTrue([&] { return PopupMenuWindow(pid) == menu->hwnd; }, Ms(300),
                          "the menu open");
            if (open || attempt == kAttempts) return menu;
        } else if (attempt == kAttempts) {
            return menu;
        }
        if (HWND left = PopupMenuWindow(pid)) {
            PostMessageA(left, WM_KEYDOWN, VK_ESCAPE, 0);
            WaitUntil([&] { return !PopupMenuWindow(pid); }, kWaitTimeout, "no menu");
        }
        Pause(Ms(GetDoubleClickTime() + 100));  // a second press, not a double click
    }
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
