// The clipboard, as the edit menu asks about it.
#pragma once

#include <windows.h>

namespace ui {

// Whether the clipboard holds text (CF_TEXT) that is not empty. The clipboard is opened
// with `owner` for the moment of the question; throws AppError "Cannot open clipboard"
// when another program holds it open.
bool ClipboardHasText(HWND owner);

}  // namespace ui
