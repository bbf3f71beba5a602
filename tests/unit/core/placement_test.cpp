#include "core/placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr core::Size kLaidOut = {311, 303};
constexpr core::Size kMinimum = {72, 20};

struct PlacementCase {
    const char* name;
    core::Rect workArea;
    core::StoredGeometry stored;
    core::Rect placed;
};

class StoredPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(StoredPlacement, FillsTheDefaultsAndRaisesASizeBelowTheMinimum) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(core::StoredPlacement(c.stored, c.workArea, kLaidOut, kMinimum), c.placed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredPlacement,
    ::testing::Values(
        PlacementCase{"NothingStored", {0, 0, 1280, 770}, {}, {969, 467, 311, 303}},
        // The corner is taken from the area's size, not from its edges.
        PlacementCase{"TaskBarAtTheTop", {0, 30, 1280, 770}, {}, {969, 467, 311, 303}},
        PlacementCase{"Everything", {0, 0, 1280, 770}, {100, 200, 400, 300}, {100, 200, 400, 300}},
        // The corner comes from the laid-out size, so a larger note reaches past the area.
        PlacementCase{"SizeOnly", {0, 0, 1280, 770}, {{}, {}, 500, 400}, {969, 467, 500, 400}},
        PlacementCase{"PositionOnly", {0, 0, 1280, 770}, {-50, 10, {}, {}}, {-50, 10, 311, 303}},
        PlacementCase{"NoSize", {0, 0, 1280, 770}, {5, 5, 0, 0}, {5, 5, 72, 20}},
        PlacementCase{"NegativeSize", {0, 0, 1280, 770}, {5, 5, -300, -1}, {5, 5, 72, 20}},
        PlacementCase{"JustTheSmallestSize", {0, 0, 1280, 770}, {5, 5, 72, 20}, {5, 5, 72, 20}}),
    [](const ::testing::TestParamInfo<PlacementCase>& param) {
        return std::string(param.param.name);
    });

TEST(DefaultCorner, IsTheAreasSizeLessTheNotes) {
    EXPECT_EQ(core::DefaultCorner({0, 0, 1280, 770}, {311, 303}), (core::Point{969, 467}));
    EXPECT_EQ(core::DefaultCorner({-1280, 0, 1280, 1024}, {500, 400}), (core::Point{780, 624}));
}

TEST(Reachable, NeedsOnePixelOnSomeWorkArea) {
    const std::vector<core::Rect> areas = {{0, 0, 1280, 770}, {1280, 0, 1024, 738}};
    const struct {
        core::Rect bounds;
        bool reachable;
    } cases[] = {
        {{969, 467, 311, 303}, true},
        {{-310, -302, 311, 303}, true},  // one pixel at the top left
        {{-311, 0, 311, 303}, false},    // just left
        {{2303, 737, 10, 10}, true},     // one pixel of the second monitor
        {{2304, 0, 10, 10}, false},      // beyond it
        {{0, 770, 311, 303}, false},     // below the first, beside the second's bottom
        {{1280, 738, 311, 303}, false},
        {{100000, 100000, 311, 303}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::Reachable(c.bounds, areas), c.reachable)
            << c.bounds.left << "," << c.bounds.top << " " << c.bounds.width << "x"
            << c.bounds.height;
    }
    EXPECT_FALSE(core::Reachable({0, 0, 10, 10}, {})) << "no screen at all";
}

}  // namespace
