// TfrmAbout, the About window: its object made at start, its native window at the first
// showing; shown modally from the menu.
#pragma once

#include <windows.h>

#include "core/geometry.h"
#include "ui/controls.h"
#include "ui/handles.h"
#include "ui/window.h"

class TfrmAbout final : public ui::Window {
public:
    // Allocates the window object. The native window, with its texts, is made when the window
    // is first shown: most starts never show it, and a start should not pay for it.
    TfrmAbout();
    ~TfrmAbout() override;

    // Shows the window and returns when it closes, the program's other windows disabled
    // meanwhile. The result is 2 (cancel), also when the program ends while it is up.
    int ShowModal();
    // Ends a modal showing (or hides the window).
    void Close();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateNativeWindow();
    void CreateComponents();
    void FormCreate();
    void SizeToText();
    void btnCloseClick();
    void OnCommand(UINT id, UINT code, HWND control);

    // Components, in the order in which they are laid out.
    ui::Label Label4;
    ui::Label Label1;
    ui::Control Edit1;
    ui::Label Label2;
    ui::Control Edit2;
    ui::Label Label3;
    ui::Control Edit5;
    ui::Label Label5;
    ui::Control Edit6;
    ui::Label Label6;
    ui::Control Edit7;
    ui::Control Edit3;
    ui::Control btnClose;

    core::Scale scale_;
    ui::Font font_;
    ui::Font titleFont_;
    bool placed_ = false;  // centred once; later showings keep where it was closed
    bool modal_ = false;
    int modalResult_ = 0;
    HWND lastFocus_ = nullptr;
};

// The About window, set as soon as its object is allocated.
extern TfrmAbout* frmAbout;
