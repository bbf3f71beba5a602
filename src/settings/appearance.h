// Transparency and background colour of the note: the two panels that offer them, applied
// at once and stored at once.
#pragma once

#include <array>

#include "core/color.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"
#include "ui/rich_edit.h"

namespace notes {

// The controls that show and change the note's looks.
struct AppearanceControls {
    ui::Form& window;
    ui::RichEdit& editor;
    std::array<ui::Panel*, 4> strips;  // the border strips and the top bar, in the note's colour
    ui::Panel& alphaPanel;
    ui::TrackBar& slider;
    ui::Panel& colorPanel;
    ui::ColorBox& chooser;
};

class Appearance {
public:
    explicit Appearance(const AppearanceControls& controls) : c_(controls) {}

    // The note's colour, on the editor and on the strips.
    void ApplyColor(core::TColor color);
    // A change of the slider: the window takes its opacity, and the position is stored.
    void SliderChanged();
    // A colour the user chose: the editor takes it, it is stored, then the strips take it
    // (a refused write leaves only the editor in the new colour).
    void ColorChosen();
    void ShowAlphaPanel() const;
    // The chooser lists its colours when first shown, with the note's colour selected; it
    // reports no change for that, so opening the panel writes nothing.
    void ShowColorPanel();
    // Both panels go; a control hidden with them gives the keyboard back to the editor.
    void ClosePanels() const;

private:
    void SetEditorColor(core::TColor color);

    AppearanceControls c_;
    core::TColor editorColor_ = core::clYellow;
};

}  // namespace notes
