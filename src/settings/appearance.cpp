// Transparency and background colour of the note.
#include <string>

#include "core/color_list.h"
#include "settings/ini_file.h"
#include "ui/color.h"
#include "window/frm_main.h"

namespace {
using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
}

void TfrmMain::SetMemoColor(core::TColor color) {
    memoColor_ = color;
    REMemo.Send(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ui::ColorToRGB(color)));
}

void TfrmMain::SetAlphaBlendValue(int value) {
    value &= 0xFF;
    if (value == alphaBlendValue_) return;
    alphaBlendValue_ = value;
    ApplyAlphaBlend();
}

void TfrmMain::ApplyAlphaBlend() {
    // Looked up at run time: where the system lacks it, the note simply stays opaque.
    const auto setAttributes =
        reinterpret_cast<SetLayeredWindowAttributesFn>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("User32.dll"), "SetLayeredWindowAttributes")));
    if (!setAttributes || !hwnd_) return;
    const LONG exStyle = GetWindowLongA(hwnd_, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongA(hwnd_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setAttributes(hwnd_, 0, static_cast<BYTE>(alphaBlendValue_), LWA_ALPHA);
}

void TfrmMain::TrackBar1Change() {
    // The layered style is on from the start; only the level changes.
    SetAlphaBlendValue(TrackBar1.Position() * 5);
    notes::TIniFile ini(notes::SettingsFilePath());
    ini.WriteText("FORM", "Alpha", std::to_string(TrackBar1.Position()));
    ini.CommitFile();
}

// Runs on the user's changes of the chooser only. The editor takes the colour before the
// file is written, the strips after: when the write fails, only the editor shows it.
void TfrmMain::ColorBox1Change() {
    // No entry chosen is no colour: nothing to apply or store.
    if (!ColorBox1.HasSelection()) return;
    const core::TColor color = ColorBox1.Selected();
    SetMemoColor(color);
    {
        notes::TIniFile ini(notes::SettingsFilePath());
        ini.WriteText("MEMO", "Color", core::ColorToText(color));
        ini.CommitFile();
    }
    Panel1.SetColor(color);
    Panel2.SetColor(color);
    Panel3.SetColor(color);
    Panel4.SetColor(color);
}

void TfrmMain::NalphaClick() {
    pnlAlpha.SetVisible(true);
}

void TfrmMain::NbgColorClick() {
    // The list is built when it is first needed, and its entry for the editor's colour
    // chosen without reporting a change: nothing is written by opening the panel.
    if (!ColorBox1.Populated()) ColorBox1.Populate(core::ChooserColors());
    pnlBgColor.SetVisible(true);
    ColorBox1.SetSelected(memoColor_);
}
