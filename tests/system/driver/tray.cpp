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
