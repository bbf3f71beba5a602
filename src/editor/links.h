// Addresses in the note shown as links and opened with the shell on a left press.
#pragma once

#include <windows.h>

#include "ui/rich_edit.h"

namespace notes {

// Asks the editor to show addresses as links and to report presses on them, keeping every
// notification asked for already (the note is saved on its change notifications).
void EnableLinkDetection(ui::RichEdit& editor);

// A link notification of the editor: a left press opens the link's address with the shell,
// owned by `owner`. Anything that goes wrong is dropped silently, as the shell's own failure
// to open an address would be.
void OpenLink(const ui::RichEdit& editor, const NMHDR& header, HWND owner);

}  // namespace notes
