// A popup menu built from a table. Items that are not visible keep their caption and state
// but are left out of the native menu.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/handles.h"

namespace ui {

struct MenuItemDesc {
    UINT id = 0;               // 0 for a separator
    const char* caption = "";  // GBK
    bool enabled = true;
    bool visible = true;
    bool autoCheck = false;  // the check mark flips on every click, before its handler
};

class PopupMenu {
public:
    void Create(std::span<const MenuItemDesc> items);
    HMENU handle() const { return menu_.get(); }

    bool Has(UINT id) const { return Find(id) != nullptr; }
    // The caption is GBK.
    void SetCaption(UINT id, std::string_view caption);
    void SetEnabled(UINT id, bool enabled);
    bool Enabled(UINT id) const;
    void SetChecked(UINT id, bool checked);
    bool Checked(UINT id) const;
    bool AutoCheck(UINT id) const;

    // Opens at a screen position; the chosen item arrives as WM_COMMAND at `owner`.
    void Popup(HWND owner, int x, int y) const;

private:
    struct Item {
        UINT id;
        std::wstring caption;
        bool enabled;
        bool visible;
        bool checked;
        bool autoCheck;
    };
    const Item* Find(UINT id) const;
    Item* Find(UINT id);
    void Update(const Item& item);

    Menu menu_;
    std::vector<Item> items_;
};

}  // namespace ui
