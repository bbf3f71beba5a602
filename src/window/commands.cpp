// The top bar's buttons and the window commands of the editor menu.
#include "about/frm_about.h"
#include "window/frm_main.h"

// The window commands (stay on top, hide, close with confirmation, web site) come with
// their own step; until then only closing works, without a confirmation.
void TfrmMain::spdBtnFormTopClick() {}
void TfrmMain::spdBtnFormTopHideClick() {}
void TfrmMain::spdBtnFormHideClick() {}
void TfrmMain::spdBtnFormHideMouseDown(const ui::MouseArgs& e) {
    REMemoMouseDown(e);
}
void TfrmMain::spdBtnFormCloseClick() {
    Close();
}
void TfrmMain::spdBtnFormCloseMouseDown(const ui::MouseArgs& e) {
    REMemoMouseDown(e);
}
void TfrmMain::NminClick() {}
void TfrmMain::NexitClick() {
    Close();
}
void TfrmMain::NvisitClick() {}
void TfrmMain::NaboutClick() {
    // The result is not needed: the dialog only informs.
    if (frmAbout) frmAbout->ShowModal();
}
bool TfrmMain::FormCloseQuery() {
    return true;
}
