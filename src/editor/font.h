// The Font command: the system font dialog over the selection's colour, style, size and
// face name, applied to the whole selection on OK.
#pragma once

#include <windows.h>

#include "ui/font_dialog.h"
#include "ui/rich_edit.h"

namespace notes {

class FontCommand {
public:
    FontCommand(ui::RichEdit& editor, ui::FontDialog& dialog) : editor_(editor), dialog_(dialog) {}

    // Shows the dialog owned by `owner` (placed over `fallback` when no window of the program
    // is active). True when selected text took a new format, which is a change of the note to
    // be saved; at the caret a format only sets what is typed next.
    bool Run(HWND owner, HWND fallback);

private:
    ui::RichEdit& editor_;
    ui::FontDialog& dialog_;
};

}  // namespace notes
