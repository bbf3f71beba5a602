// Moving the note by its strips and top bar, resizing it from the grip.
#include "window/frm_main.h"

// Moving and resizing arrive with their own step; until then the strips and the grip only
// receive the events.
void TfrmMain::Panel1MouseDown(const ui::MouseArgs&) {}
void TfrmMain::Panel2MouseDown(const ui::MouseArgs&) {}
void TfrmMain::Panel3MouseDown(const ui::MouseArgs&) {}
void TfrmMain::Panel4MouseDown(const ui::MouseArgs&) {}
void TfrmMain::spdBtnDragMouseDown(const ui::MouseArgs&) {}
void TfrmMain::Panel1MouseMove(const ui::MouseArgs&) {}
void TfrmMain::Panel2MouseMove(const ui::MouseArgs&) {}
void TfrmMain::Panel3MouseMove(const ui::MouseArgs&) {}
void TfrmMain::Panel4MouseMove(const ui::MouseArgs&) {}
void TfrmMain::spdBtnDragMouseMove(const ui::MouseArgs&) {}
void TfrmMain::Panel1MouseUp(const ui::MouseArgs&) {}
void TfrmMain::Panel2MouseUp(const ui::MouseArgs&) {}
void TfrmMain::Panel3MouseUp(const ui::MouseArgs&) {}
void TfrmMain::Panel4MouseUp(const ui::MouseArgs&) {}
void TfrmMain::spdBtnDragMouseUp(const ui::MouseArgs&) {}
void TfrmMain::spdBtnDragClick() {
    spdBtnDrag.SetDown(true);
}
void TfrmMain::SaveGeometry() {}
