// Identifiers of the About window: its class name and its controls.
#pragma once

namespace notes {

inline constexpr char kAboutWindowClassName[] = "VelnorNotesAbout";

// Control identifiers of the About window's children, in the order they are laid out.
enum AboutControlId : int {
    IDC_ABOUT_LABEL4 = 2001,
    IDC_ABOUT_LABEL1,
    IDC_ABOUT_EDIT1,
    IDC_ABOUT_LABEL2,
    IDC_ABOUT_EDIT2,
    IDC_ABOUT_LABEL3,
    IDC_ABOUT_EDIT5,
    IDC_ABOUT_LABEL5,
    IDC_ABOUT_EDIT6,
    IDC_ABOUT_LABEL6,
    IDC_ABOUT_EDIT7,
    IDC_ABOUT_EDIT3,
    IDC_ABOUT_BTNCLOSE,
};

}  // namespace notes
