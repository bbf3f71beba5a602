// Popup menus of the program under test. Wine cannot read a menu from another process, so
// the items are read inside the program by menu_probe.dll (see probe_client.h); choosing
// and closing use the same input a user gives.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/wait.h"

namespace drv {

struct MenuItem {
    UINT id = 0;
    std::string text;  // GBK, as shown ("&" included)
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    bool hasSubmenu = false;
    RECT rect = {};  // screen coordinates
};

struct Menu {
    HWND hwnd = nullptr;          // the "#32768" window that shows it
    RECT rect = {};               // that window, in screen coordinates
    std::vector<MenuItem> items;  // every shown entry, separators included

    // Texts of the items that are not separators, in order.
    std::vector<std::string> Texts() const;
    int SeparatorCount() const;
    // Index into `items` of the item with that text, or -1.
    int IndexOf(std::string_view text) const;
    const MenuItem* Find(std::string_view text) const;
};

// The visible popup-menu window of a process, or null.
HWND PopupMenuWindow(DWORD pid);
std::optional<Menu> ReadPopupMenu(HWND menuWindow);
// The popup menu, read, once its thread is in the menu's own loop (Settle): before that a
// click on an item can be lost, and the native driver is quick enough to get there first.
Waited<Menu> WaitForPopupMenu(DWORD pid, Ms timeout = kWaitTimeout);

// A real click in the middle of the item. False when there is no such item.
bool ChooseMenuItem(const Menu& menu, int index);
bool ChooseMenuItem(const Menu& menu, std::string_view text);
// The keyboard way: Down to the item (the menu skips separators), then Enter, posted to
// the menu window so that it works whichever window has the focus.
bool ChooseMenuItemByKeys(const Menu& menu, int index);
// Escape, posted to the menu window; WaitForGone(menu.hwnd) tells when it has closed.
void CloseMenu(const Menu& menu);

}  // namespace drv
