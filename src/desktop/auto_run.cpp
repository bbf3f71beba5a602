#include "desktop/auto_run.h"

#include "core/settings_keys.h"
#include "desktop/run_value.h"
#include "ui/application.h"
#include "ui/ini_file.h"
#include "ui/paths.h"

namespace notes {

void SetAutoRun(const std::wstring& name, const std::wstring& path, bool enabled,
                core::RunOccasion occasion) {
    SystemRunRegistry registry;
    core::ApplyRunOption(registry, name, RunCommandFor(path), enabled, occasion);
}

void AutoRunClicked(bool enabled) {
    {
        ui::TIniFile ini(ui::SettingsFilePath());
        ini.WriteFlag(core::kAutoRunKey, enabled);
        ini.CommitFile();
    }
    SetAutoRun(ui::Application::Current().Title(), ui::ExecutablePath(), enabled,
               core::RunOccasion::kClick);
}

}  // namespace notes
