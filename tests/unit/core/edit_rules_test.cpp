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

TEST(Opacity, TheSliderHoldsElevenToFiftyOneWorthFiveEach) {
    const struct {
        int stored, position, opacity;
    } cases[] = {
        {51, 51, 255}, {30, 30, 150}, {11, 11, 55},          {60, 51, 255},
        {5, 11, 55},   {-7, 11, 55},  {2147483647, 51, 255},
    };
    for (const auto& c : cases) {
        const int position = core::AlphaPosition(c.stored);
        EXPECT_EQ(position, c.position) << c.stored;
        EXPECT_EQ(core::OpacityOf(position), c.opacity) << c.stored;
    }
}

}  // namespace
