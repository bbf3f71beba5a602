// Identifiers shared by the note window's code: controls, menu commands, messages, names.
#pragma once

#include <windows.h>

namespace notes {

// Control identifiers of the note window's children.
enum ControlId : int {
    IDC_IMAGE1 = 1001,
    IDC_REMEMO,
    IDC_PANEL1,
    IDC_PANEL2,
    IDC_PANEL3,
    IDC_SPDBTNDRAG,
    IDC_SPDBTNFORMCLOSE,
    IDC_SPDBTNFORMHIDE,
    IDC_SPDBTNFORMTOP,
    IDC_SPDBTNFORMTOPHIDE,
    IDC_SPDBTNSITE,
    IDC_PNLALPHA,
    IDC_LABEL1,
    IDC_TRACKBAR1,
    IDC_PANEL4,
    IDC_PNLBGCOLOR,
    IDC_LABEL2,
    IDC_COLORBOX1,
};

// Menu commands, in menu order.
enum Cmd : UINT {
    CmdUndo = 100,
    CmdCut,
    CmdCopy,
    CmdPaste,
    CmdDelete,
    CmdFont,
    CmdAlpha,
    CmdBgColor,
    CmdAbout,
    CmdHelp,
    CmdVisit,
    CmdAutoRun,
    CmdMin,
    CmdExit,
    CmdTrayResize = 200,
    CmdTrayExit,
};

// Posted by a second launch to the running instance. Every copy of the program, also an
// older one, posts and answers this number (0x2658, in the private WM_USER range), so a
// launch of one copy brings up another that is already running: it must never change.
constexpr UINT WM_ACTIVATEINSTANCE = 9816;
// The notification-area icon's callback message.
constexpr UINT WM_TRAYICON = WM_USER + 1;
// A step of the start-up sequence posted to come after the note's first paint; wParam is
// the step (TfrmMain::StartStep).
constexpr UINT WM_STARTSTEP = WM_USER + 2;

// The note window's class name, searched for by a second launch and shown as the tray
// tip: a 64-byte field, NUL-padded.
inline constexpr char kNoteWindowClassText[] = "Velnor桌面便签";
struct ClassNameField {
    char bytes[64];
};
constexpr ClassNameField MakeClassNameField() {
    ClassNameField field = {};
    for (unsigned i = 0; i < sizeof kNoteWindowClassText; ++i)
        field.bytes[i] = kNoteWindowClassText[i];
    return field;
}
inline constexpr ClassNameField NoteWindowClassName = MakeClassNameField();

}  // namespace notes
