// The font dialog's font, which survives from one use of the dialog to the next, and the
// system font dialog run over it.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

struct DialogFont {
    std::string name = "MS Sans Serif";
    int height = -11;  // pixels; negative: character height
    FontStyle style;
    COLORREF color = 0;  // RGB; the automatic colour is the window-text colour
    BYTE charset = DEFAULT_CHARSET;
    int pixelsPerInch = 96;  // the screen's LOGPIXELSY when the font was made

    int Size() const;  // points
    void SetSize(int points);
};

class FontDialog {
public:
    DialogFont font;
    // Shows the dialog owned by `owner`; on OK the font takes the user's choice.
    // False on Cancel or when the dialog fails.
    bool Execute(HWND owner);
};

}  // namespace ui
