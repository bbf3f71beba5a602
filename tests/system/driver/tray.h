// The notification area as the user sees it. Without a tray host on the X display, Wine
// shows each icon as a "__winex11_tray_icon" child of a "__winex11_standalone_tray"
// window of the shell's process; a real click on one reaches its program as the icon's
// callback message. Only the program under test adds icons in the test prefix, so the
// icons shown are its own.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "driver/input.h"
#include "driver/menu.h"
#include "driver/wait.h"

namespace drv {

// The icons now shown, left to right.
std::vector<HWND> TrayIcons();
// Until exactly one icon is shown; that icon.
Waited<HWND> WaitForTrayIcon(Ms timeout = kWaitTimeout);
// Until no icon is shown.
::testing::AssertionResult WaitForNoTrayIcon(Ms timeout = kWaitTimeout);

// The tips the shell shows over its icons, now visible.
std::vector<HWND> TrayTips();

// A right press on `icon` and the menu that process `pid` opens before the release, with
// the pointer then resting in the menu. One press: a program that lets it pass fails.
// The tray is made active first, as a taskbar being clicked is, and the pointer waits away
// from it until no tip is up, since the shell's tip, shown at the pointer, would lie over
// the menu.
Waited<Menu> OpenTrayMenu(DWORD pid, HWND icon);

// A point of the screen away from the tray, its tips and the windows of process `pid`,
// where a menu opened at the pointer has room and nothing else shows a tip.
POINT QuietSpot(DWORD pid);
// The menu of `owner`'s icon, opened at QuietSpot: the pointer rests there, and the shell's
// message for a right press on the icon (`callbackMessage`, `id`, WM_RBUTTONDOWN) is
// posted to `owner` as the shell posts it. For tests that choose items of the menu: the
// real press, whose tip can cover the items, is shown by OpenTrayMenu.
Waited<Menu> OpenTrayMenuAway(DWORD pid, HWND owner, UINT callbackMessage, UINT id = 1);

// Deletes the icon that `owner` added with `id` as the shell forgets it when it restarts.
bool ForgetTrayIcon(HWND owner, UINT id = 1);
// The shell's announcement that it has (re)started, sent to one window as the broadcast
// would reach it.
void SendTaskbarCreated(HWND hwnd);

}  // namespace drv
