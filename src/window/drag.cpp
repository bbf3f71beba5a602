// Moving the note by its strips and top bar, resizing it from the grip. The window system's
// own moving and sizing is not used: the window has no frame or caption to offer them.
//
// One drag state serves all five controls: a press on any of them starts it, a release on
// any of them ends it, and while it lasts a move over any of them acts on the window. The
// button is not examined anywhere; the controls capture the pointer for a left press only.
#include "core/geometry.h"
#include "settings/ini_file.h"
#include "window/frm_main.h"

void TfrmMain::StartDrag(const ui::MouseArgs& e) {
    DragStartX = e.x;
    DragStartY = e.y;
    Dragging = true;
}

void TfrmMain::EndDrag() {
    DragStartX = 0;
    DragStartY = 0;
    Dragging = false;
}

// The control moves with the window, so after each move the pressed point of the control is
// under the pointer again and the window follows it. Two moves, one for each coordinate.
void TfrmMain::MoveWithPointer(const ui::MouseArgs& e) {
    if (!Dragging) return;
    SetLeft(Left() + e.x - DragStartX);
    SetTop(Top() + e.y - DragStartY);
}

void TfrmMain::Panel1MouseDown(const ui::MouseArgs& e) {
    StartDrag(e);
    REMemoMouseDown(e);
}

void TfrmMain::Panel2MouseDown(const ui::MouseArgs& e) {
    StartDrag(e);
    REMemoMouseDown(e);
}

void TfrmMain::Panel3MouseDown(const ui::MouseArgs& e) {
    StartDrag(e);
    REMemoMouseDown(e);
}

void TfrmMain::Panel4MouseDown(const ui::MouseArgs& e) {
    StartDrag(e);
    REMemoMouseDown(e);
}

void TfrmMain::spdBtnDragMouseDown(const ui::MouseArgs& e) {
    StartDrag(e);
    REMemoMouseDown(e);
}

void TfrmMain::Panel1MouseMove(const ui::MouseArgs& e) {
    MoveWithPointer(e);
}

void TfrmMain::Panel2MouseMove(const ui::MouseArgs& e) {
    MoveWithPointer(e);
}

void TfrmMain::Panel3MouseMove(const ui::MouseArgs& e) {
    MoveWithPointer(e);
}

void TfrmMain::Panel4MouseMove(const ui::MouseArgs& e) {
    MoveWithPointer(e);
}

void TfrmMain::spdBtnDragMouseMove(const ui::MouseArgs& e) {
    if (Dragging) {
        // The top-left corner follows the pointer and the bottom-right corner stays, so what
        // the corner moves by comes off the size; the size stops at the smallest that still
        // shows the grip and the buttons. Each assignment reads the geometry as the one
        // before left it.
        const core::Size minimum = MinimumSize();
        const int dx = core::LimitShrink(Width(), e.x - DragStartX, minimum.width);
        const int dy = core::LimitShrink(Height(), e.y - DragStartY, minimum.height);
        SetLeft(Left() + dx);
        SetTop(Top() + dy);
        SetWidth(Width() - dx);
        SetHeight(Height() - dy);
    }
    // Also with no drag under way: passing over the grip stores where the note stands.
    SaveGeometry();
}

// The strips leave the new position unsaved; the next save by the top bar or the grip
// writes it.
void TfrmMain::Panel1MouseUp(const ui::MouseArgs&) {
    EndDrag();
}

void TfrmMain::Panel2MouseUp(const ui::MouseArgs&) {
    EndDrag();
}

void TfrmMain::Panel3MouseUp(const ui::MouseArgs&) {
    EndDrag();
    SaveGeometry();
}

void TfrmMain::Panel4MouseUp(const ui::MouseArgs&) {
    EndDrag();
}

void TfrmMain::spdBtnDragMouseUp(const ui::MouseArgs&) {
    EndDrag();
    SaveGeometry();
}

// The grip is a sticky button alone in its group: it is always drawn pressed.
void TfrmMain::spdBtnDragClick() {
    spdBtnDrag.SetDown(true);
}

// The window's geometry as it stands, which may differ from what was asked of it.
void TfrmMain::SaveGeometry() {
    notes::TIniFile ini(notes::SettingsFilePath());
    ini.WriteNumber("FORM", "Left", Left());
    ini.WriteNumber("FORM", "Top", Top());
    ini.WriteNumber("FORM", "Width", Width());
    ini.WriteNumber("FORM", "Height", Height());
    ini.CommitFile();
}
