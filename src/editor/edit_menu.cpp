#include "editor/edit_menu.h"

#include "core/edit_items.h"
#include "ui/clipboard.h"

namespace notes {

void EditCommands::RefreshItems(HWND clipboardOwner) {
    const CHARRANGE selection = editor_.Selection();
    const auto apply = [&](const core::EditItems& items) {
        menu_.SetEnabled(items_.copy, items.copy);
        menu_.SetEnabled(items_.cut, items.cut);
        menu_.SetEnabled(items_.del, items.del);
        menu_.SetEnabled(items_.paste, items.paste);
        menu_.SetEnabled(items_.undo, items.undo);
    };
    // The selection's items first, the others as they were: the clipboard question below
    // may fail.
    apply(core::EditItemsFor(selection.cpMin, selection.cpMax, menu_.Enabled(items_.paste),
                             menu_.Enabled(items_.undo)));
    const bool text = ui::ClipboardHasText(clipboardOwner);
    apply(core::EditItemsFor(selection.cpMin, selection.cpMax, text, editor_.CanUndo()));
}

void EditCommands::ShowMenu(HWND owner, LPARAM screenPosition) const {
    const POINT at = editor_.ContextMenuPoint(screenPosition);
    menu_.Popup(owner, at.x, at.y);
}

}  // namespace notes
