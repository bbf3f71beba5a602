// Addresses in the note shown as links and opened with the shell on a left click.
#include <windows.h>

#include <richedit.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "ui/record_layouts.h"
#include "window/frm_main.h"

void TfrmMain::EnableLinkDetection(ui::RichEdit& editor) {
    // Keep every notification already asked for: the autosave lives on ENM_CHANGE.
    const auto mask = static_cast<LPARAM>(editor.Send(EM_GETEVENTMASK));
    editor.Send(EM_SETEVENTMASK, 0, mask | ENM_LINK);
    editor.Send(EM_AUTOURLDETECT, TRUE);
}

void TfrmMain::OnLinkNotification(const NMHDR& header) {
    // Copied first: the record belongs to the editor, which may reuse it while we work.
    ENLINK link;
    std::memcpy(&link, &header, sizeof link);
    // Only a press opens: the second press of a double click arrives as WM_LBUTTONDBLCLK,
    // so a double click opens the link once.
    if (link.msg != WM_LBUTTONDOWN) return;
    try {
        // The link is selected only to read it: the press goes on to place the caret, and
        // an editor that reports the link after placing it must find the caret unmoved.
        const CHARRANGE placed = REMemo.Selection();
        REMemo.SetSelection(link.chrg);
        const std::string address = REMemo.SelectedText();
        REMemo.SetSelection(placed);
        // An empty name would make the shell open the current directory instead.
        if (address.empty()) return;
        // What opens the address is the shell's business; its failure is not ours to report.
        ShellExecuteA(hwnd_, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } catch (...) {
        // A link that cannot be read or opened leaves the note as it was, without a message.
    }
}
