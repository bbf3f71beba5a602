// The top bar's buttons and the window commands of the editor menu: stay on top, hide,
// close after a confirmation, the maker's web site, About.
#include <windows.h>

#include <shellapi.h>

#include "about/frm_about.h"
#include "about/maker.h"
#include "ui/application.h"
#include "window/frm_main.h"

// The band is not stored: which "T" shows is the only record of it. The window's own
// geometry goes along, so it neither moves nor changes size.
void TfrmMain::spdBtnFormTopClick() {
    SetWindowPos(Handle(), HWND_NOTOPMOST, Left(), Top(), Width(), Height(), SWP_SHOWWINDOW);
    spdBtnFormTop.SetVisible(false);
    spdBtnFormTopHide.SetVisible(true);
}

void TfrmMain::spdBtnFormTopHideClick() {
    SetWindowPos(Handle(), HWND_TOPMOST, Left(), Top(), Width(), Height(), SWP_SHOWWINDOW);
    spdBtnFormTop.SetVisible(true);
    spdBtnFormTopHide.SetVisible(false);
}

// Hidden, never minimised: the program has no taskbar button, the icon brings it back.
void TfrmMain::spdBtnFormHideClick() {
    Hide();
}

void TfrmMain::spdBtnFormHideMouseDown(const ui::MouseArgs& e) {
    REMemoMouseDown(e);
}

void TfrmMain::spdBtnFormCloseClick() {
    Close();
}

void TfrmMain::spdBtnFormCloseMouseDown(const ui::MouseArgs& e) {
    REMemoMouseDown(e);
}

void TfrmMain::NminClick() {
    Hide();
}

void TfrmMain::NexitClick() {
    Close();
}

void TfrmMain::NvisitClick() {
    // What opens the address is the shell's business; if nothing can, nothing is said.
    ShellExecuteA(Handle(), "open", notes::kMakerSiteAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

void TfrmMain::NaboutClick() {
    // The result is not needed: the dialog only informs.
    if (frmAbout) frmAbout->ShowModal();
}

// Every way of closing passes here, and so does the system's question at log-off.
bool TfrmMain::FormCloseQuery() {
    return ui::Application::Current().ShowMessage("确定要退出吗?", "提示",
                                                  MB_YESNO | MB_ICONQUESTION) == IDYES;
}
