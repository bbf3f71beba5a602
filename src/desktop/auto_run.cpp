// Start at log-on: the per-machine Run value kept in line with the menu item.
#include "desktop/run_value.h"
#include "settings/ini_file.h"
#include "ui/application.h"
#include "ui/paths.h"
#include "window/frm_main.h"
#include "window/ids.h"

void TfrmMain::NautoRunClick() {
    // The menu has already flipped the check mark; a failed write leaves the registry alone.
    const bool enabled = editMenu.Checked(notes::CmdAutoRun);
    {
        notes::TIniFile ini(notes::SettingsFilePath());
        ini.WriteFlag("FORM", "AutoRun", enabled);
        ini.CommitFile();
    }
    SetAutoRun(ui::Application::Current().Title(), ui::ExecutablePath(), enabled);
}

void TfrmMain::SetAutoRun(const std::string& name, const std::string& path, bool enabled) {
    notes::ApplyRunValue(HKEY_LOCAL_MACHINE, notes::kRunKeyPath, name, notes::RunCommandFor(path),
                         enabled);
}
