// TfrmAbout, the About window: its object made with the note window, its native window at
// the first showing; shown modally from the menu.
#pragma once

#include <windows.h>

#include <vector>

#include "core/geometry.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/handles.h"

namespace notes {

class TfrmAbout final : public ui::Form {
public:
    // The native window, with its texts, is made when the window is first shown (ShowModal):
    // most starts never show it, and a start should not pay for it.
    TfrmAbout() = default;
    ~TfrmAbout() override;

protected:
    void CreateHandle() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(UINT id) override;
    HWND DefaultFocus() const override { return btnClose.hwnd(); }

private:
    std::vector<ui::Child> Layout();
    void FormCreate();
    void SizeToText();
    void btnCloseClick();

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

    core::Scale scale_;
    ui::Font font_;
    ui::Font titleFont_;
    ui::Icon smallIcon_;  // the caption's
};

}  // namespace notes
