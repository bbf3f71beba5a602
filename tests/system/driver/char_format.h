// The character format of a rich-edit control of another process, read as any program
// could: the control is given a selection and asked with EM_GETCHARFORMAT, the record
// living in memory allocated inside the program for the moment of the question.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <optional>

namespace drv {

// Selects characters `from` up to `to` (EM_SETSEL; -1 for the end) and reads the format of
// that selection: the attributes of its first character, and in dwMask those that are the
// same over the whole selection. Nothing when the program could not be asked.
std::optional<CHARFORMATA> SelectionFormat(HWND editor, int from, int to);

}  // namespace drv
