// Addresses in the note shown as links and opened with the shell on a left click.
#include "window/frm_main.h"

// Link detection comes with its own step; until then the editor shows plain text.
void TfrmMain::EnableLinkDetection(ui::RichEdit&) {}
void TfrmMain::OnLinkNotification(const NMHDR&) {}
