// Reading the settings file once at start-up and applying it to the window.
#include "core/color.h"
#include "settings/ini_file.h"
#include "window/frm_main.h"
#include "window/ids.h"

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
    SetWidth(ini.ReadNumber("FORM", "Width", Width()));
    SetHeight(ini.ReadNumber("FORM", "Height", Height()));

    editMenu.SetChecked(notes::CmdAutoRun, ini.ReadFlag("FORM", "AutoRun", false));
    TrackBar1.SetPosition(ini.ReadNumber("FORM", "Alpha", 51));

    const std::string color = ini.ReadText("MEMO", "COLOR", "clYellow");
    SetMemoColor(core::TextToColor(color));
    Panel1.SetColor(core::TextToColor(color));
    Panel2.SetColor(core::TextToColor(color));
    Panel3.SetColor(core::TextToColor(color));
    Panel4.SetColor(core::TextToColor(color));
}
