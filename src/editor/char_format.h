// The four attributes of the selection that the Font command reads and writes, each as
// its own ANSI CHARFORMAT record: colour, style, size and face name.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>
#include <string_view>

#include "core/color.h"
#include "ui/font_dialog.h"

namespace notes {

// The longest face name a CHARFORMATA holds, without its terminating NUL.
inline constexpr std::size_t kMaxFaceLength = LF_FACESIZE - 1;

// What a read of the selection reports, from the attributes of its first character.
core::TColor ColorOf(const CHARFORMATA& format);  // clWindowText for the automatic colour
ui::FontStyle StyleOf(const CHARFORMATA& format);
int PointsOf(const CHARFORMATA& format);  // whole points, truncated
std::string FaceOf(const CHARFORMATA& format);

// Records that each set one attribute and leave every other field zero.
CHARFORMATA ColorFormat(core::TColor color);
CHARFORMATA StyleFormat(const ui::FontStyle& style);
CHARFORMATA SizeFormat(int points);
CHARFORMATA FaceFormat(std::string_view face);

}  // namespace notes
