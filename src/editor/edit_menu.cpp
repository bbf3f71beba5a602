// The editor's own messages, its context menu and the edit commands.
#include <windows.h>

#include <windowsx.h>

#include "ui/application.h"
#include "ui/clipboard.h"
#include "window/frm_main.h"
#include "window/ids.h"

using namespace notes;

LRESULT TfrmMain::REMemoMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ui::MouseArgs args;
    if (ui::MouseActionOf(message) == ui::MouseAction::Down &&
        ui::CrackMouseMessage(message, wParam, lParam, args)) {
        // The editor places the caret or extends the selection first; the press handler
        // then sees the selection as the user made it.
        const LRESULT result = REMemo.CallDefault(message, wParam, lParam);
        REMemoMouseDown(args);
        return result;
    }
    switch (message) {
    case WM_CONTEXTMENU: ShowEditMenu(lParam); return 0;
    case WM_GETDLGCODE: {
        // Tab moves the focus as in a dialog; Enter still starts a new line. Tabbing into the
        // editor must not select the whole note, which the next key would then replace.
        LRESULT code = REMemo.CallDefault(message, wParam, lParam);
        code &= ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_HASSETSEL);
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
            msg->wParam == VK_RETURN) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    }
    return REMemo.CallDefault(message, wParam, lParam);
}

void TfrmMain::ShowEditMenu(LPARAM screenPosition) {
    POINT at = {GET_X_LPARAM(screenPosition), GET_Y_LPARAM(screenPosition)};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: at the caret, kept inside the editor. The Rich Edit 1.0 form:
        // the point comes back through wParam, the index goes in lParam.
        const CHARRANGE selection = REMemo.Selection();
        POINTL caret = {};
        REMemo.Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), selection.cpMin);
        at = {caret.x, caret.y};
        RECT client;
        GetClientRect(REMemo.hwnd(), &client);
        if (!PtInRect(&client, at)) at = {client.left, client.top};
        ClientToScreen(REMemo.hwnd(), &at);
    }
    editMenu.Popup(hwnd_, at.x, at.y);
}

// Runs on every press of a mouse button on the editor and on the window's chrome, so that
// the edit items are up to date when a right click opens the menu.
void TfrmMain::REMemoMouseDown(const ui::MouseArgs&) {
    // A hidden control keeps no keyboard focus worth having: hand it to the editor.
    HWND focus = GetFocus();
    const bool focusInPanel =
        focus && (IsChild(pnlAlpha.hwnd(), focus) || IsChild(pnlBgColor.hwnd(), focus));
    pnlAlpha.SetVisible(false);
    pnlBgColor.SetVisible(false);
    if (focusInPanel) SetFocus(REMemo.hwnd());

    const CHARRANGE selection = REMemo.Selection();
    const bool selected = selection.cpMax - selection.cpMin >= 1;
    editMenu.SetEnabled(CmdCopy, selected);
    editMenu.SetEnabled(CmdCut, selected);
    editMenu.SetEnabled(CmdDelete, selected);

    // Throws when another program holds the clipboard; the steps above stay done.
    editMenu.SetEnabled(CmdPaste, ui::ClipboardHasText(ui::Application::Current().Handle()));
    editMenu.SetEnabled(CmdUndo, REMemo.Send(EM_CANUNDO) != 0);
}

// Each command is one standard message to the editor, whatever the item's state shows; a
// change of text reaches the note file through the editor's change notification.
void TfrmMain::NundoClick() {
    REMemo.Send(WM_UNDO);
}
void TfrmMain::NcutClick() {
    REMemo.Send(WM_CUT);
}
void TfrmMain::NcopyClick() {
    REMemo.Send(WM_COPY);
}
void TfrmMain::NpasteClick() {
    REMemo.Send(WM_PASTE);
}
void TfrmMain::NdeleteClick() {
    REMemo.Send(WM_CLEAR);
}
