#include "editor/links.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "ui/record_layouts.h"

namespace notes {

void EnableLinkDetection(ui::RichEdit& editor) {
    const auto mask = static_cast<LPARAM>(editor.Send(EM_GETEVENTMASK));
    editor.Send(EM_SETEVENTMASK, 0, mask | ENM_LINK);
    editor.Send(EM_AUTOURLDETECT, TRUE);
}

void OpenLink(const ui::RichEdit& editor, const NMHDR& header, HWND owner) {
    if (header.code != EN_LINK) return;
    // Copied first: the record belongs to the editor, which may reuse it while we work.
    ENLINK link;
    std::memcpy(&link, &header, sizeof link);
    // Only a press opens: the second press of a double click arrives as WM_LBUTTONDBLCLK,
    // so a double click opens the link once.
    if (link.msg != WM_LBUTTONDOWN) return;
    try {
        // The link is selected only to read it: the press goes on to place the caret, and
        // an editor that reports the link after placing it must find the caret unmoved.
        const CHARRANGE placed = editor.Selection();
        editor.SetSelection(link.chrg);
        const std::wstring address = editor.SelectedText();
        editor.SetSelection(placed);
        // An empty name would make the shell open the current directory instead.
        if (address.empty()) return;
        ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } catch (...) {
        // A link that cannot be read or opened leaves the note as it was, without a message.
    }
}

}  // namespace notes
