// The buttons that keep to the top bar's right edge, as laid out at 96 dpi in a window 311
// pixels wide: whatever the width, each keeps its distance from the right edge. The hidden
// "T" shares the visible one's place, so that it appears there when the two swap.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "driver/driver.h"
#include "window/ids.h"

namespace top_bar {

struct RightEdgeButton {
    int id;
    const char* name;
    int laidOutLeft;  // where the layout puts it, which gives its scaled width
    int keptLeft;     // the left edge whose distance from the right edge it keeps
};

inline constexpr RightEdgeButton kRightEdgeButtons[] = {
    {notes::IDC_SPDBTNSITE, "e", 255, 255},
    {notes::IDC_SPDBTNFORMTOP, "T", 272, 272},
    {notes::IDC_SPDBTNFORMTOPHIDE, "hidden T", 260, 272},
    {notes::IDC_SPDBTNFORMHIDE, "-", 283, 283},
    {notes::IDC_SPDBTNFORMCLOSE, "X", 294, 294},
};

// Checks every one of them, shown or not, in a note window whose client area is `width`
// wide; `scale` maps a 96-dpi layout value to the screen's.
inline void ExpectAtTheRightEdge(
    HWND window, int width, const std::function<int(int)>& scale = [](int v) { return v; }) {
    for (const RightEdgeButton& b : kRightEdgeButtons) {
        const RECT r = drv::ChildRect(drv::ChildById(window, b.id), window);
        EXPECT_EQ(r.left, width - (scale(311) - scale(b.keptLeft)))
            << "\"" << b.name << "\" at width " << width;
        EXPECT_EQ(r.top, scale(3)) << b.name;
        EXPECT_EQ(r.right - r.left, scale(b.laidOutLeft + 10) - scale(b.laidOutLeft)) << b.name;
    }
}

}  // namespace top_bar
