// The font dialog's font, which survives from one use of the dialog to the next, and the
// system font dialog run over it.
#pragma once

#include <windows.h>

#include <string>

#include "core/color.h"
#include "ui/handles.h"

namespace ui {

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

// What the user picked in the dialog's drop-down lists (not what they merely show).
struct DialogPicks {
    bool script = false;
    bool color = false;
};

struct DialogFont {
    std::wstring name = L"MS Sans Serif";
    int height = -11;  // pixels; negative: character height
    FontStyle style;
    core::TColor color = core::clWindowText;  // clWindowText is the automatic colour
    BYTE charset = DEFAULT_CHARSET;
    int pixelsPerInch = 96;  // the screen's LOGPIXELSY when the font was made

    int Size() const;  // points
    void SetSize(int points);

    // The font as the dialog is opened with it.
    LOGFONTW ToLogFont() const;
    // Takes the dialog's result: face, height and style always; the character set only
    // when the user picked a script or another face (so that a script the dialog merely
    // defaulted to does not replace ours); the colour only when the user picked one (so
    // that the automatic colour stays automatic).
    void Accept(const LOGFONTW& chosen, COLORREF chosenColor, const DialogPicks& picks);
};

class FontDialog {
public:
    DialogFont font;
    // Shows the system font dialog owned by `owner`, placed on the monitor of the
    // program's active window (of `fallback` when none is active), with the program's
    // other windows disabled. On OK the font takes the user's choice and the result is
    // true; Cancel, a failure of the dialog, or a dialog that cannot be shown at all leave
    // the font as it was.
    bool Execute(HWND owner, HWND fallback);

private:
    // comdlg32 brings the print spooler with it, whose start costs a fifth of a second
    // under Wine: it is loaded at the first font dialog, not at the program's start.
    Library commonDialogs_;
};

}  // namespace ui
