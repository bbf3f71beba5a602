// The settings file read once at start-up and applied: the note's place and size, the check
// mark of "开机启动", the transparency slider and the note's colour; and the window's
// geometry written back when it has been moved.
#pragma once

#include <windows.h>

#include "core/drag.h"
#include "core/geometry.h"
#include "settings/appearance.h"
#include "ui/list_controls.h"
#include "ui/menu.h"

namespace notes {

class StartSettings {
public:
    StartSettings(ui::PopupMenu& menu, UINT autoRunItem, ui::TrackBar& slider,
                  Appearance& appearance)
        : menu_(menu), autoRunItem_(autoRunItem), slider_(slider), appearance_(appearance) {}

    // Places and sizes `window` (laid out at `laidOut`, never smaller than `minimum`), sets
    // the check mark, moves the slider (which writes "Alpha" back if that moves it) and
    // colours the note, in this order. An unreadable colour throws, after everything else
    // has been applied.
    void Load(core::WindowGeometry& window, core::Size laidOut, core::Size minimum);

private:
    ui::PopupMenu& menu_;
    UINT autoRunItem_;
    ui::TrackBar& slider_;
    Appearance& appearance_;
};

// Writes the window's geometry as it stands, which may differ from what was asked of it.
void SaveGeometry(const core::Rect& bounds);

}  // namespace notes
