// The four attributes of the selection that the Font command reads and writes, each as
// its own CHARFORMAT record: colour, style, size and face name. The records are the wide
// ones, so that a face name in any script reaches the editor whole.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>
#include <string_view>

#include "core/color.h"
#include "ui/font_dialog.h"

namespace notes {

// The longest face name a CHARFORMATW holds, without its terminating NUL.
inline constexpr std::size_t kMaxFaceLength = LF_FACESIZE - 1;

// What a read of the selection reports, from the attributes of its first character.
core::TColor ColorOf(const CHARFORMATW& format);  // clWindowText for the automatic colour
ui::FontStyle StyleOf(const CHARFORMATW& format);
int PointsOf(const CHARFORMATW& format);  // whole points, truncated
std::wstring FaceOf(const CHARFORMATW& format);

// Records that each set one attribute and leave every other field zero.
CHARFORMATW ColorFormat(core::TColor color);
CHARFORMATW StyleFormat(const ui::FontStyle& style);
CHARFORMATW SizeFormat(int points);
CHARFORMATW FaceFormat(std::wstring_view face);

}  // namespace notes
