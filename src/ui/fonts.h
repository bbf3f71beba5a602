// Fonts at the screen's density: how dense the screen is, fonts made from a few fields, the
// extent of a text in a font, the scale of a layout drawn with the window font, and face
// names read from the system's fixed-size fields.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/geometry.h"
#include "ui/handles.h"

namespace ui {

// The screen's pixels per logical inch, vertically.
int ScreenDpi();

struct FontLook {
    const char* face = "MS Sans Serif";  // GBK: a Chinese name reaches the system whole
    int height = -11;                    // pixels; negative: the characters' height
    bool bold = false;
    bool italic = false;
    BYTE charset = DEFAULT_CHARSET;
};
Font MakeFont(const FontLook& look);

// The window font the layouts are drawn with at 96 dpi: 8-point "MS Sans Serif", grown or
// shrunk to the screen's density.
FontLook WindowFontAt(int dpi);
// The factor by which a layout drawn at 96 dpi with 13-pixel text grows or shrinks, from
// the height that `windowFont` (the window font at the screen's density) really gives.
core::Scale LayoutScaleOf(HFONT windowFont);

SIZE TextExtent(HFONT font, std::wstring_view text);

// The face name in a LOGFONT's or CHARFORMAT's field, which holds no NUL when it is full.
std::wstring FaceName(const wchar_t (&field)[LF_FACESIZE]);

}  // namespace ui
