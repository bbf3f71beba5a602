// The note window's creation event (the start-up sequence), its message dispatch, and its
// event handlers, each of which hands the event to the unit that does the work.
#include "window/frm_main.h"

#include <shellapi.h>

#include <iterator>

#include "about/maker.h"
#include "desktop/auto_run.h"
#include "editor/links.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/paths.h"
#include "ui/text.h"

#include "resource.h"

namespace notes {

TfrmMain::TfrmMain() {
    // At the system's small-icon size, which is what it draws in the notification area.
    trayPicture_ = ui::Application::Current().LoadSmallIcon(IDI_TRAY);
    MakeFonts();
    try {
        FormCreate();
    } catch (...) {
        // The sequence ends at the failing step; the window still comes up.
        ui::ReportCurrentException();
    }
    Handle();
    ui::Application::Current().SetMainWindow(hwnd_);
}

TfrmMain::~TfrmMain() {
    // Children die with the window, before the member objects that wrap them.
    Destroy();
}

// The start-up sequence. A step that fails ends it there, and what the later steps would
// have done is missing for this run; NoteLoaded stays false unless the note was read. The
// icon and the Run values are posted: the note is painted first (an error box of the start
// runs them in its own loop).
void TfrmMain::FormCreate() {
    Handle();  // from here on a second launch finds the window
    PostStartStep(StartStep::kTrayIcon);
    // WS_EX_TOOLWINDOW alone, replacing the old style: no taskbar button for the program.
    SetWindowLongW(ui::Application::Current().Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    InitWindow();
    LoadNote();
    NoteLoaded = true;
    PostStartStep(StartStep::kAutoRun);
}

void TfrmMain::PostStartStep(StartStep step) {
    PostMessageW(hwnd_, WM_STARTSTEP, static_cast<WPARAM>(step), 0);
}

void TfrmMain::WMStartStep(WPARAM step) {
    switch (static_cast<StartStep>(step)) {
    case StartStep::kTrayIcon:
        CreateLater(IDC_IMAGE1);
        AddTrayIcon();
        break;
    case StartStep::kAutoRun:
        SetAutoRun(ui::Application::Current().Title(), ui::ExecutablePath(),
                   editMenu.Checked(CmdAutoRun));
        break;
    }
}

void TfrmMain::WMActivateInstance() {
    ActivateApplication();
}

// Every way of closing passes here, and so does the system's question at log-off.
bool TfrmMain::FormCloseQuery() {
    return ConfirmExit();
}

void TfrmMain::FormClose() {
    RemoveTrayIcon();
}

void TfrmMain::FormShow() {
    trayIcon_.NoteShown(true);
}

void TfrmMain::FormHide() {
    trayIcon_.NoteShown(false);
}

LRESULT TfrmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATEINSTANCE) {
        WMActivateInstance();
        return 0;
    }
    if (message == WM_TRAYICON) {
        WMTrayIcon(lParam);
        return 0;
    }
    if (message == WM_STARTSTEP) {
        WMStartStep(wParam);
        return 0;
    }
    if (trayIcon_.IsTaskbarCreated(message)) {
        trayIcon_.OnTaskbarCreated();
        return 0;
    }
    return Form::OnMessage(message, wParam, lParam);
}

void TfrmMain::OnCommand(UINT id) {
    static constexpr struct {
        UINT id;
        void (TfrmMain::*handler)();
    } kHandlers[] = {
        {CmdUndo, &TfrmMain::NundoClick},         {CmdCut, &TfrmMain::NcutClick},
        {CmdCopy, &TfrmMain::NcopyClick},         {CmdPaste, &TfrmMain::NpasteClick},
        {CmdDelete, &TfrmMain::NdeleteClick},     {CmdFont, &TfrmMain::NfontClick},
        {CmdAlpha, &TfrmMain::NalphaClick},       {CmdBgColor, &TfrmMain::NbgColorClick},
        {CmdAbout, &TfrmMain::NaboutClick},       {CmdVisit, &TfrmMain::NvisitClick},
        {CmdAutoRun, &TfrmMain::NautoRunClick},   {CmdMin, &TfrmMain::NminClick},
        {CmdExit, &TfrmMain::NexitClick},         {CmdTrayResize, &TfrmMain::NTrayResizeClick},
        {CmdTrayExit, &TfrmMain::NTrayExitClick},
    };
    // An item that checks itself has flipped its mark when its handler runs.
    if (editMenu.AutoCheck(id)) editMenu.SetChecked(id, !editMenu.Checked(id));
    for (const auto& h : kHandlers) {
        if (h.id == id) (this->*h.handler)();
    }
}

// ---- Moving and resizing ------------------------------------------------------------------

// The mouse handlers of the border strips, the top bar and the grip: a press on any of them
// starts a drag (and is a press on the note, see REMemoMouseDown), a move moves the note, a
// release ends the drag. The border strips leave the new position unsaved; the next save by
// the top bar or the grip writes it.
ui::ComponentEvents TfrmMain::DragEvents(bool savesOnRelease) {
    return {.onMouseDown =
                [this](const ui::MouseArgs& e) {
                    drag_.Press(e.x, e.y);
                    REMemoMouseDown(e);
                },
            .onMouseMove = [this](const ui::MouseArgs& e) { drag_.Move(*this, e.x, e.y); },
            .onMouseUp =
                [this, savesOnRelease](const ui::MouseArgs&) {
                    drag_.Release();
                    if (savesOnRelease) SaveGeometry();
                }};
}

// Also with no drag under way: passing over the grip stores where the note stands.
void TfrmMain::spdBtnDragMouseMove(const ui::MouseArgs& e) {
    drag_.Resize(*this, e.x, e.y, MinimumSize());
    SaveGeometry();
}

// The grip is a sticky button alone in its group: it is always drawn pressed.
void TfrmMain::spdBtnDragClick() {
    spdBtnDrag.SetDown(true);
}

void TfrmMain::SaveGeometry() {
    notes::SaveGeometry(Bounds());
}

// ---- Window commands ----------------------------------------------------------------------

void TfrmMain::spdBtnFormTopClick() {
    stayOnTop_.Leave();
}
void TfrmMain::spdBtnFormTopHideClick() {
    stayOnTop_.Enter();
}
// Hidden, never minimised: the program has no taskbar button, the icon brings it back.
void TfrmMain::spdBtnFormHideClick() {
    Hide();
}
void TfrmMain::spdBtnFormCloseClick() {
    Close();
}
void TfrmMain::NminClick() {
    Hide();
}
void TfrmMain::NexitClick() {
    Close();
}
// What opens the address is the shell's business; if nothing can, nothing is said.
void TfrmMain::NvisitClick() {
    ShellExecuteW(Handle(), L"open", ui::FromGbk(kMakerSiteAddress).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}
// The result is not needed: the window only informs.
void TfrmMain::NaboutClick() {
    frmAbout.ShowModal();
}

// ---- The note file ------------------------------------------------------------------------

void TfrmMain::LoadNote() {
    noteFile_.Load(ui::ProgramDirectory());
}

void TfrmMain::REMemoChange() {
    if (NoteLoaded) noteFile_.Save(ui::ProgramDirectory());
}

// ---- The edit menu and character formatting -----------------------------------------------

// Runs on every press of a mouse button on the note: the editor, the strips, the top bar, the
// grip and every top-bar button but "e". The panels close, and the edit items are up to date
// when a right click opens the menu.
void TfrmMain::REMemoMouseDown(const ui::MouseArgs&) {
    appearance_.ClosePanels();
    editCommands_.RefreshItems(ui::Application::Current().Handle());
}
void TfrmMain::REMemoContextMenu(LPARAM screenPosition) {
    editCommands_.ShowMenu(hwnd_, screenPosition);
}
void TfrmMain::NundoClick() {
    editCommands_.Undo();
}
void TfrmMain::NcutClick() {
    editCommands_.Cut();
}
void TfrmMain::NcopyClick() {
    editCommands_.Copy();
}
void TfrmMain::NpasteClick() {
    editCommands_.Paste();
}
void TfrmMain::NdeleteClick() {
    editCommands_.Delete();
}
void TfrmMain::NfontClick() {
    if (fontCommand_.Run(ui::Application::Current().Handle(), hwnd_)) REMemoChange();
}

// ---- Links --------------------------------------------------------------------------------

void TfrmMain::EnableLinkDetection(ui::RichEdit& editor) {
    notes::EnableLinkDetection(editor);
}
void TfrmMain::REMemoLink(const NMHDR& header) {
    OpenLink(REMemo, header, hwnd_);
}

// ---- Settings and appearance --------------------------------------------------------------

void TfrmMain::LoadSettings() {
    settings_.Load(*this, LaidOutSize(), MinimumSize());
}
void TfrmMain::TrackBar1Change() {
    appearance_.SliderChanged();
}
void TfrmMain::ColorBox1Change() {
    appearance_.ColorChosen();
}
void TfrmMain::NalphaClick() {
    CreatePanel(IDC_PNLALPHA);
    appearance_.ShowAlphaPanel();
}
void TfrmMain::NbgColorClick() {
    CreatePanel(IDC_PNLBGCOLOR);
    appearance_.ShowColorPanel();
}

// ---- The notification-area icon and start at log-on ---------------------------------------

void TfrmMain::AddTrayIcon() {
    trayIcon_.Add(trayPicture_.get(), NoteWindowClassName.bytes);
}
void TfrmMain::RemoveTrayIcon() {
    trayIcon_.Remove();
}
void TfrmMain::WMTrayIcon(LPARAM mouseMessage) {
    trayIcon_.OnCallback(mouseMessage);
}
void TfrmMain::NTrayResizeClick() {
    trayIcon_.ShowOrHideNote();
}
void TfrmMain::NTrayExitClick() {
    Close();
}
void TfrmMain::NautoRunClick() {
    AutoRunClicked(editMenu.Checked(CmdAutoRun));
}
void TfrmMain::SetAutoRun(const std::wstring& name, const std::wstring& path, bool enabled) {
    notes::SetAutoRun(name, path, enabled, core::RunOccasion::kStart);
}

}  // namespace notes
