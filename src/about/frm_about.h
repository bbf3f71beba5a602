// TfrmAbout, the About window: created hidden at start, shown modally from the menu.
#pragma once

#include "ui/window.h"

class TfrmAbout final : public ui::Window {
public:
    TfrmAbout();
    ~TfrmAbout() override;
};

// The About window, set as soon as its object is allocated.
extern TfrmAbout* frmAbout;
