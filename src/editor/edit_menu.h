// The edit commands of the editor's menu: their enabled states, kept up to date at every
// press of a mouse button, the menu itself, and the five commands, each one standard message
// to the editor.
#pragma once

#include <windows.h>

#include "ui/menu.h"
#include "ui/rich_edit.h"

namespace notes {

// The menu items the commands are.
struct EditItemIds {
    UINT undo;
    UINT cut;
    UINT copy;
    UINT paste;
    UINT del;
};

class EditCommands {
public:
    EditCommands(ui::RichEdit& editor, ui::PopupMenu& menu, EditItemIds items)
        : editor_(editor), menu_(menu), items_(items) {}

    // Brings the items' enabled states in line with the selection, the clipboard (opened
    // with `clipboardOwner` for the moment of the question) and what the editor can undo.
    // Throws when another program holds the clipboard; the selection's items are right by
    // then.
    void RefreshItems(HWND clipboardOwner);
    // Opens the menu at the pointer, or at the caret when asked from the keyboard; the chosen
    // item arrives as a command at `owner`.
    void ShowMenu(HWND owner, LPARAM screenPosition) const;

    // Each whatever the item's state shows; a change of the text reaches the note file
    // through the editor's change notification.
    void Undo() const { editor_.Send(WM_UNDO); }
    void Cut() const { editor_.Send(WM_CUT); }
    void Copy() const { editor_.Send(WM_COPY); }
    void Paste() const { editor_.Send(WM_PASTE); }
    void Delete() const { editor_.Send(WM_CLEAR); }

private:
    ui::RichEdit& editor_;
    ui::PopupMenu& menu_;
    EditItemIds items_;
};

}  // namespace notes
