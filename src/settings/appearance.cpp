#include "settings/appearance.h"

#include "core/color_list.h"
#include "core/opacity.h"
#include "core/settings_keys.h"
#include "ui/color.h"
#include "ui/ini_file.h"

namespace notes {

void Appearance::SetEditorColor(core::TColor color) {
    editorColor_ = color;
    c_.editor.SetBackground(ui::ColorToRGB(color));
}

void Appearance::ApplyColor(core::TColor color) {
    SetEditorColor(color);
    for (ui::Panel* strip : c_.strips) strip->SetColor(color);
}

void Appearance::SliderChanged() {
    c_.window.SetOpacity(core::OpacityOf(c_.slider.Position()));
    ui::TIniFile ini(ui::SettingsFilePath());
    ini.WriteNumber(core::kAlphaKey, c_.slider.Position());
    ini.CommitFile();
}

void Appearance::ColorChosen() {
    // No entry chosen is no colour: nothing to apply or store.
    if (!c_.chooser.HasSelection()) return;
    const core::TColor color = c_.chooser.Selected();
    SetEditorColor(color);
    {
        ui::TIniFile ini(ui::SettingsFilePath());
        ini.WriteText(core::kColorWrittenKey, core::WidenAscii(core::ColorToText(color)));
        ini.CommitFile();
    }
    for (ui::Panel* strip : c_.strips) strip->SetColor(color);
}

void Appearance::ShowAlphaPanel() const {
    c_.alphaPanel.SetVisible(true);
}

void Appearance::ShowColorPanel() {
    if (!c_.chooser.Populated()) c_.chooser.Populate(core::ChooserColors());
    c_.colorPanel.SetVisible(true);
    c_.chooser.SetSelected(editorColor_);
}

void Appearance::ClosePanels() const {
    HWND focus = GetFocus();
    const bool focusInPanel =
        focus && (IsChild(c_.alphaPanel.hwnd(), focus) || IsChild(c_.colorPanel.hwnd(), focus));
    c_.alphaPanel.SetVisible(false);
    c_.colorPanel.SetVisible(false);
    if (focusInPanel) SetFocus(c_.editor.hwnd());
}

}  // namespace notes
