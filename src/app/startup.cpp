// The note window's creation event (the start-up sequence), the activation asked for by a
// second launch, and the end of the program.
#include "ui/application.h"
#include "ui/error.h"
#include "ui/paths.h"
#include "window/frm_main.h"
#include "window/ids.h"

TfrmMain::TfrmMain() {
    frmMain = this;
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

void TfrmMain::FormCreate() {
    AddTrayIcon();  // asks for the handle: from here on a second launch finds the window
    // WS_EX_TOOLWINDOW alone, replacing the old style: no taskbar button for the program.
    SetWindowLongA(ui::Application::Current().Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    InitWindow();
    NoteLoaded = false;
    LoadNote();
    NoteLoaded = true;
    SetAutoRun(ui::Application::Current().Title(), ui::ExecutablePath(),
               editMenu.Checked(notes::CmdAutoRun));
}

void TfrmMain::WMActivateInstance() {
    ui::Application& app = ui::Application::Current();
    if (!app.IsIconic()) {
        // A note hidden to the notification area stays hidden; an open About window or
        // message box is what comes forward.
        app.BringToFront();
        return;
    }
    app.Restore();
    if (windowState_ == WindowState::Minimized && !Visible()) {
        SetWindowState(WindowState::Normal);
        Show();
    }
    if (Visible() && IsWindowEnabled(hwnd_)) RestoreFocus();
}

void TfrmMain::Close() {
    if (!FormCloseQuery()) return;
    FormClose();
    // The note window is the main window: closing it ends the program.
    ui::Application::Current().Terminate();
}

void TfrmMain::FormClose() {
    RemoveTrayIcon();
}
