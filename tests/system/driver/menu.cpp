#include "driver/menu.h"

#include "driver/input.h"
#include "driver/probe_client.h"
#include "driver/window_query.h"

namespace drv {
namespace {

void PostKey(HWND hwnd, WORD vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1 | scan);
    PostMessageA(hwnd, WM_KEYUP, vk, 1 | scan | (1LL << 30) | (1LL << 31));
}

}  // namespace

std::vector<std::string> Menu::Texts() const {
    std::vector<std::string> texts;
    for (const MenuItem& item : items) {
        if (!item.separator) texts.push_back(item.text);
    }
    return texts;
}

int Menu::SeparatorCount() const {
    int count = 0;
    for (const MenuItem& item : items) count += item.separator ? 1 : 0;
    return count;
}

int Menu::IndexOf(std::string_view text) const {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].separator && items[i].text == text) return static_cast<int>(i);
    }
    return -1;
}

const MenuItem* Menu::Find(std::string_view text) const {
    const int index = IndexOf(text);
    return index < 0 ? nullptr : &items[static_cast<std::size_t>(index)];
}

HWND PopupMenuWindow(DWORD pid) {
    for (HWND hwnd : FindTopLevels(pid, "#32768")) {
        if (IsVisible(hwnd)) return hwnd;
    }
    return nullptr;
}

std::optional<Menu> ReadPopupMenu(HWND menuWindow) {
    const auto answer = AskProbe(menuWindow, probe::kReadMenu);
    if (!answer) return std::nullopt;
    Menu menu;
    menu.hwnd = menuWindow;
    menu.rect = WindowRect(menuWindow);
    for (int i = 0; i < answer->itemCount; ++i) {
        const probe::ItemRecord& record = answer->items[i];
        MenuItem item;
        item.id = record.id;
        item.separator = (record.type & MFT_SEPARATOR) != 0;
        if (!item.separator) item.text = record.text;
        item.enabled = (record.state & (MFS_GRAYED | MFS_DISABLED)) == 0;
        item.checked = (record.state & MFS_CHECKED) != 0;
        item.hasSubmenu = record.hasSubmenu != FALSE;
        item.rect = record.rect;
        menu.items.push_back(item);
    }
    return menu;
}

Waited<Menu> WaitForPopupMenu(DWORD pid, Ms timeout) {
    Waited<Menu> menu = WaitFor<Menu>(
        [pid]() -> std::optional<Menu> {
            HWND hwnd = PopupMenuWindow(pid);
            return hwnd ? ReadPopupMenu(hwnd) : std::nullopt;
        },
        timeout, "a popup menu of process " + std::to_string(pid));
    if (!menu) return menu;
    const ::testing::AssertionResult settled = Settle(menu->hwnd, timeout);
    if (settled) return menu;
    return Waited<Menu>(std::nullopt, "the menu's loop: " + std::string(settled.message()),
                        timeout);
}

bool ChooseMenuItem(const Menu& menu, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= menu.items.size()) return false;
    Click(Center(menu.items[static_cast<std::size_t>(index)].rect));
    return true;
}

bool ChooseMenuItem(const Menu& menu, std::string_view text) {
    return ChooseMenuItem(menu, menu.IndexOf(text));
}

bool ChooseMenuItemByKeys(const Menu& menu, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= menu.items.size()) return false;
    if (menu.items[static_cast<std::size_t>(index)].separator) return false;
    for (int i = 0; i <= index; ++i) {
        if (!menu.items[static_cast<std::size_t>(i)].separator) PostKey(menu.hwnd, VK_DOWN);
    }
    PostKey(menu.hwnd, VK_RETURN);
    return true;
}

void CloseMenu(const Menu& menu) {
    PostKey(menu.hwnd, VK_ESCAPE);
}

}  // namespace drv
