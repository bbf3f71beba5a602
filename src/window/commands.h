// The window commands of the top bar and the editor's menu that are more than one call:
// staying on top, and the confirmation every way of closing passes through.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace notes {

// Whether the note stays above other windows: two "T" buttons in one place, the pressed one
// shown while it does, the plain one while it does not. Not stored: every start begins on
// top, and which "T" shows is the only record of the state.
class StayOnTop {
public:
    StayOnTop(ui::Form& window, ui::SpeedButton& onTop, ui::SpeedButton& notOnTop)
        : window_(window), onTop_(onTop), notOnTop_(notOnTop) {}

    // The window goes to the top of the normal band or of the topmost band with its own
    // geometry, so it neither moves nor changes size, and is shown.
    void Leave();
    void Enter();

private:
    ui::Form& window_;
    ui::SpeedButton& onTop_;
    ui::SpeedButton& notOnTop_;
};

// Asks the user whether to end the program; true for Yes.
bool ConfirmExit();

}  // namespace notes
