// Reading the settings file once at start-up and applying it to the window.
#include <algorithm>

#include "core/color.h"
#include "core/geometry.h"
#include "settings/ini_file.h"
#include "window/frm_main.h"
#include "window/ids.h"

namespace {

struct WorkAreaSearch {
    core::Rect bounds;
    bool found = false;
};

BOOL CALLBACK FindWorkAreaHit(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& search = *reinterpret_cast<WorkAreaSearch*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& w = info.rcWork;
    search.found =
        core::Intersects(search.bounds, {w.left, w.top, w.right - w.left, w.bottom - w.top});
    return search.found ? FALSE : TRUE;  // FALSE stops the enumeration
}

// Whether any pixel of `bounds` lies on the work area of some monitor.
bool OnSomeWorkArea(const core::Rect& bounds) {
    WorkAreaSearch search{bounds};
    EnumDisplayMonitors(nullptr, nullptr, &FindWorkAreaHit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

void TfrmMain::LoadSettings() {
    notes::TIniFile ini(notes::SettingsFilePath());

    // Sizes, not edges: with the task bar at the bottom or right the note's bottom-right
    // corner lands on the work area's.
    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    SetTop((workArea.bottom - workArea.top) - Height());
    SetLeft((workArea.right - workArea.left) - Width());

    SetTop(ini.ReadNumber("FORM", "Top", Top()));
    SetLeft(ini.ReadNumber("FORM", "Left", Left()));
    // No smaller than the grip can make it: a note stored smaller could not be resized (or
    // even closed) any more.
    const core::Size minimum = MinimumSize();
    SetWidth(std::max(ini.ReadNumber("FORM", "Width", Width()), minimum.width));
    SetHeight(std::max(ini.ReadNumber("FORM", "Height", Height()), minimum.height));

    // A note stored where no screen shows it (a monitor since removed, a hand-edited file)
    // could never be reached to drag it back: it comes back to the default corner. One that
    // is even partly visible stays where it was put.
    if (!OnSomeWorkArea(Bounds())) {
        SetTop((workArea.bottom - workArea.top) - Height());
        SetLeft((workArea.right - workArea.left) - Width());
    }

    editMenu.SetChecked(notes::CmdAutoRun, ini.ReadFlag("FORM", "AutoRun", false));
    TrackBar1.SetPosition(ini.ReadNumber("FORM", "Alpha", 51));

    const std::string color = ini.ReadText("MEMO", "COLOR", "clYellow");
    SetMemoColor(core::TextToColor(color));
    Panel1.SetColor(core::TextToColor(color));
    Panel2.SetColor(core::TextToColor(color));
    Panel3.SetColor(core::TextToColor(color));
    Panel4.SetColor(core::TextToColor(color));
}
