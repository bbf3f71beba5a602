// The two floating panels called up from outside as their edit-menu items call them up: the
// program makes a panel only then, so a panel shown with ShowWindow would not be there yet.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "driver/driver.h"
#include "window/ids.h"

namespace panels {

// Posts the menu commands of `ids` (IDC_PNLALPHA, IDC_PNLBGCOLOR) to the note window and
// waits until each of those panels is shown.
inline ::testing::AssertionResult CallUp(HWND window,
                                         std::initializer_list<int> ids = {notes::IDC_PNLALPHA,
                                                                           notes::IDC_PNLBGCOLOR}) {
    for (const int id : ids) {
        const UINT command = id == notes::IDC_PNLALPHA ? notes::CmdAlpha : notes::CmdBgColor;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
    return drv::WaitUntil(
        [&] {
            return std::all_of(ids.begin(), ids.end(),
                               [&](int id) { return drv::IsVisible(drv::ChildById(window, id)); });
        },
        drv::kWaitTimeout, "the panels shown");
}

}  // namespace panels
