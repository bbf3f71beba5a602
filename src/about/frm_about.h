// TfrmAbout, the About window: its object made at start, its native window at the first
// showing; shown modally from the menu.
#pragma once

#include <windows.h>

#include <vector>

#include "core/geometry.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace notes {

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
    std::vector<ui::Child> Layout();
    void FormCreate();
    void SizeToText();
    void btnCloseClick();
    void OnCommand(UINT id, UINT code, HWND control);

    // Components, in the order in which they are laid out.
    ui::Label Label4;         // the program's name, in bold
    ui::Label Label1;         // "版本号："
    ui::ValueField Edit1;     // the version
    ui::Label Label2;         // "开发者："
    ui::ValueField Edit2;     // the maker
    ui::Label Label3;         // "QQ："
    ui::ValueField Edit5;     // the contact numbers
    ui::Label Label5;         // "QQ讨论群："
    ui::ValueField Edit6;     // the group number
    ui::Label Label6;         // "网站支持："
    ui::ValueField Edit7;     // the web-site address
    ui::ValueField Edit3;     // the rights notice
    ui::PushButton btnClose;  // "关闭"
    std::vector<ui::Child> children_;

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

}  // namespace notes
