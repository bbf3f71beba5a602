// The editor's own messages, its context menu and the edit commands.
#include <windows.h>

#include <windowsx.h>

#include "window/frm_main.h"
#include "window/ids.h"

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
        // Tab moves the focus as in a dialog; Enter still starts a new line.
        LRESULT code = REMemo.CallDefault(message, wParam, lParam);
        code &= ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
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
    if (screenPosition == -1) {
        // From the keyboard: at the caret, kept inside the editor.
        const CHARRANGE selection = REMemo.Selection();
        const LRESULT pos = REMemo.Send(EM_POSFROMCHAR, static_cast<WPARAM>(selection.cpMin));
        at = {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
        RECT client;
        GetClientRect(REMemo.hwnd(), &client);
        if (!PtInRect(&client, at)) at = {client.left, client.top};
        ClientToScreen(REMemo.hwnd(), &at);
    }
    editMenu.Popup(hwnd_, at.x, at.y);
}

// The enabled states and the edit commands come with the edit-menu step.
void TfrmMain::REMemoMouseDown(const ui::MouseArgs&) {}
void TfrmMain::NundoClick() {}
void TfrmMain::NcutClick() {}
void TfrmMain::NcopyClick() {}
void TfrmMain::NpasteClick() {}
void TfrmMain::NdeleteClick() {}
void TfrmMain::NfontClick() {}
