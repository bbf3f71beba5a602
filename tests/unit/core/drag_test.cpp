#include "core/drag.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A window that records every assignment and, like a real one, may refuse a size: it keeps
// width and height at `floor` or above.
class FakeWindow final : public core::WindowGeometry {
public:
    explicit FakeWindow(core::Rect bounds, int floor = 0) : bounds_(bounds), floor_(floor) {}
    core::Rect Bounds() const override { return bounds_; }
    void SetBounds(const core::Rect& b) override {
        bounds_ = {b.left, b.top, std::max(b.width, floor_), std::max(b.height, floor_)};
        steps.push_back(bounds_);
    }
    std::vector<core::Rect> steps;

private:
    core::Rect bounds_;
    int floor_;
};

constexpr core::Rect kStart = {900, 500, 311, 303};
constexpr core::Size kMinimum = {72, 20};

TEST(Drag, MovesOnlyWhileDraggingOneCoordinateAtATime) {
    core::Drag drag;
    FakeWindow window(kStart);
    drag.Move(window, 50, 60);
    EXPECT_TRUE(window.steps.empty()) << "no press, no move";

    drag.Press(10, 5);
    EXPECT_TRUE(drag.Dragging());
    drag.Move(window, 13, 1);
    EXPECT_EQ(window.steps, (std::vector<core::Rect>{{903, 500, 311, 303}, {903, 496, 311, 303}}));

    drag.Release();
    EXPECT_FALSE(drag.Dragging());
    drag.Move(window, 100, 100);
    EXPECT_EQ(window.Bounds(), (core::Rect{903, 496, 311, 303}));
}

// The start point belongs to the window, not to a control: a second press replaces it, and a
// release clears it, so a later press counts from its own point.
TEST(Drag, APressDuringADragStartsItAfresh) {
    core::Drag drag;
    FakeWindow window(kStart);
    drag.Press(10, 5);
    drag.Press(0, 0);
    drag.Move(window, 1, 2);
    EXPECT_EQ(window.Bounds(), (core::Rect{901, 502, 311, 303}));
}

struct ResizeCase {
    const char* name;
    int x, y;   // the pointer, on the grip pressed at (3, 3)
    int floor;  // what the window system allows
    core::Rect end;
};

class DragResize : public ::testing::TestWithParam<ResizeCase> {};

// The top-left corner follows the pointer and the bottom-right one stays, down to the
// smallest size; left, top, width and height are assigned in this order, each read after
// the one before took effect.
TEST_P(DragResize, MovesTheTopLeftCornerAndKeepsTheBottomRight) {
    const ResizeCase& c = GetParam();
    core::Drag drag;
    FakeWindow window(kStart, c.floor);
    drag.Press(3, 3);
    drag.Resize(window, c.x, c.y, kMinimum);
    EXPECT_EQ(window.Bounds(), c.end);
    ASSERT_EQ(window.steps.size(), 4u);
    const core::Rect& end = c.end;
    EXPECT_EQ(window.steps[0], (core::Rect{end.left, kStart.top, kStart.width, kStart.height}));
    EXPECT_EQ(window.steps[1], (core::Rect{end.left, end.top, kStart.width, kStart.height}));
    EXPECT_EQ(window.steps[2].width, end.width);
    EXPECT_EQ(window.steps[2].height, kStart.height);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, DragResize,
    ::testing::Values(ResizeCase{"TenRightFiveDown", 13, 8, 0, {910, 505, 301, 298}},
                      ResizeCase{"GrowsUpAndLeft", -27, -17, 0, {870, 480, 341, 323}},
                      ResizeCase{"StopsAtTheSmallestSize", 503, 503, 0, {1139, 783, 72, 20}},
                      ResizeCase{"NoMove", 3, 3, 0, kStart},
                      // A window that will not be made so small keeps its own floor: the
                      // corner moved, the size did not follow all the way.
                      ResizeCase{"TheSystemsFloor", 303, 303, 100, {1139, 783, 100, 100}}),
    [](const ::testing::TestParamInfo<ResizeCase>& param) {
        return std::string(param.param.name);
    });

TEST(Drag, TheGripResizesNothingWithoutAPress) {
    core::Drag drag;
    FakeWindow window(kStart);
    drag.Resize(window, 50, 50, kMinimum);
    EXPECT_TRUE(window.steps.empty());
}

}  // namespace
