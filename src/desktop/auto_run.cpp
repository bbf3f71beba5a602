#include "desktop/auto_run.h"

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
        ini.WriteFlag("FORM", "AutoRun", enabled);
        ini.CommitFile();
    }
    SetAutoRun(WidenSystemText(ui::Application::Current().Title()),
               WidenSystemText(ui::ExecutablePath()), enabled, core::RunOccasion::kClick);
}

std::wstring WidenSystemText(const std::string& text) {
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace notes
