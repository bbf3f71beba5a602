#include "settings/load_settings.h"

#include <vector>

#include "core/color.h"
#include "core/number.h"
#include "core/opacity.h"
#include "core/placement.h"
#include "core/settings_keys.h"
#include "ui/ini_file.h"

namespace notes {
namespace {

std::optional<int> ReadOptional(const ui::TIniFile& ini, const core::SettingsKey& key) {
    return core::ParseInteger(core::NarrowToAscii(ini.ReadText(key, L"")));
}

core::Rect PrimaryWorkArea() {
    RECT r = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& w = info.rcWork;
        reinterpret_cast<std::vector<core::Rect>*>(data)->push_back(
            {w.left, w.top, w.right - w.left, w.bottom - w.top});
    }
    return TRUE;
}

std::vector<core::Rect> WorkAreas() {
    std::vector<core::Rect> areas;
    EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace

void StartSettings::Load(core::WindowGeometry& window, core::Size laidOut, core::Size minimum) {
    const ui::TIniFile ini(ui::SettingsFilePath());
    const core::Rect workArea = PrimaryWorkArea();
    const core::StoredGeometry stored = {
        ReadOptional(ini, core::kLeftKey), ReadOptional(ini, core::kTopKey),
        ReadOptional(ini, core::kWidthKey), ReadOptional(ini, core::kHeightKey)};
    window.SetBounds(core::StoredPlacement(stored, workArea, laidOut, minimum));
    // Where no screen shows the note as the window system took it, it goes back to the
    // default corner; a note even partly visible stays where it was put.
    const core::Rect placed = window.Bounds();
    if (!core::Reachable(placed, WorkAreas())) {
        const core::Point corner = core::DefaultCorner(workArea, {placed.width, placed.height});
        window.SetBounds({corner.x, corner.y, placed.width, placed.height});
    }

    menu_.SetChecked(autoRunItem_, ini.ReadFlag(core::kAutoRunKey, false));
    // The slider keeps the position in its range; a position that moves it is written back.
    slider_.SetPosition(ini.ReadNumber(core::kAlphaKey, core::kAlphaDefault));
    appearance_.ApplyColor(core::TextToColor(ini.ReadText(core::kColorReadKey, L"clYellow")));
}

void SaveGeometry(const core::Rect& bounds) {
    ui::TIniFile ini(ui::SettingsFilePath());
    ini.WriteNumber(core::kLeftKey, bounds.left);
    ini.WriteNumber(core::kTopKey, bounds.top);
    ini.WriteNumber(core::kWidthKey, bounds.width);
    ini.WriteNumber(core::kHeightKey, bounds.height);
    ini.CommitFile();
}

}  // namespace notes
