// Start at log-on: the per-machine Run value kept in line with the menu item.
#include "window/frm_main.h"

// The registry value and the menu item come with the start-at-log-on step.
void TfrmMain::NautoRunClick() {}
void TfrmMain::SetAutoRun(const std::string&, const std::string&, bool) {}
