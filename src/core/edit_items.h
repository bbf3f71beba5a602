// Which commands of the editor's menu can act, from what the editor and the clipboard hold.
#pragma once

namespace core {

struct EditItems {
    bool undo = true;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool del = false;
    friend bool operator==(const EditItems&, const EditItems&) = default;
};

// Cut, Copy and Delete need at least one selected character; Paste needs text on the
// clipboard; Undo, something the editor can undo.
EditItems EditItemsFor(long selectionStart, long selectionEnd, bool clipboardHasText, bool canUndo);

}  // namespace core
