#include "ui/menu.h"

#include "ui/error.h"
#include "ui/text.h"

namespace ui {

void PopupMenu::Create(std::span<const MenuItemDesc> items) {
    menu_.reset(CreatePopupMenu());
    if (!menu_) ThrowLastError("CreatePopupMenu");
    items_.clear();
    for (const MenuItemDesc& desc : items) {
        items_.push_back(
            {desc.id, FromGbk(desc.caption), desc.enabled, desc.visible, false, desc.autoCheck});
        const Item& item = items_.back();
        if (!item.visible) continue;
        if (item.id == 0) {
            AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu_.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), item.id,
                        item.caption.c_str());
        }
    }
}

const PopupMenu::Item* PopupMenu::Find(UINT id) const {
    for (const Item& item : items_) {
        if (item.id == id && id != 0) return &item;
    }
    return nullptr;
}

PopupMenu::Item* PopupMenu::Find(UINT id) {
    return const_cast<Item*>(static_cast<const PopupMenu*>(this)->Find(id));
}

void PopupMenu::Update(const Item& item) {
    if (!item.visible) return;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.dwTypeData = const_cast<wchar_t*>(item.caption.c_str());
    info.fState = (item.enabled ? MFS_ENABLED : MFS_GRAYED) | (item.checked ? MFS_CHECKED : 0);
    SetMenuItemInfoW(menu_.get(), item.id, FALSE, &info);
}

void PopupMenu::SetCaption(UINT id, std::string_view caption) {
    if (Item* item = Find(id)) {
        item->caption = FromGbk(caption);
        Update(*item);
    }
}

void PopupMenu::SetEnabled(UINT id, bool enabled) {
    if (Item* item = Find(id)) {
        item->enabled = enabled;
        Update(*item);
    }
}

bool PopupMenu::Enabled(UINT id) const {
    const Item* item = Find(id);
    return item && item->enabled;
}

void PopupMenu::SetChecked(UINT id, bool checked) {
    if (Item* item = Find(id)) {
        item->checked = checked;
        Update(*item);
    }
}

bool PopupMenu::Checked(UINT id) const {
    const Item* item = Find(id);
    return item && item->checked;
}

bool PopupMenu::AutoCheck(UINT id) const {
    const Item* item = Find(id);
    return item && item->autoCheck;
}

void PopupMenu::Popup(HWND owner, int x, int y) const {
    TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, owner,
                   nullptr);
}

}  // namespace ui
