#include "core/edit_items.h"

namespace core {

EditItems EditItemsFor(long selectionStart, long selectionEnd, bool clipboardHasText,
                       bool canUndo) {
    const bool selected = selectionEnd - selectionStart >= 1;
    return {.undo = canUndo,
            .cut = selected,
            .copy = selected,
            .paste = clipboardHasText,
            .del = selected};
}

}  // namespace core
