#include <gtest/gtest.h>

#include "core/edit_items.h"
#include "core/opacity.h"

namespace {

TEST(EditItemsFor, FollowTheSelectionTheClipboardAndUndo) {
    const struct {
        long start, end;
        bool clipboardText, canUndo;
        core::EditItems items;
    } cases[] = {
        {0, 0, false, false, {.undo = false}},
        {3, 3, true, true, {.undo = true, .paste = true}},
        {3, 4, false, false, {.undo = false, .cut = true, .copy = true, .del = true}},
        {10,
         2000,
         true,
         false,
         {.undo = false, .cut = true, .copy = true, .paste = true, .del = true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::EditItemsFor(c.start, c.end, c.clipboardText, c.canUndo), c.items)
            << c.start << ".." << c.end;
    }
}

// A stored position outside the range is brought into it by the slider, which
// SettingsAlpha.* holds with the real program.
TEST(Opacity, EachSliderPositionIsWorthFive) {
    const struct {
        int position, opacity;
    } cases[] = {{51, 255}, {50, 250}, {30, 150}, {12, 60}, {11, 55}};
    for (const auto& c : cases) EXPECT_EQ(core::OpacityOf(c.position), c.opacity) << c.position;
}

}  // namespace
