#include "core/geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    const struct {
        int number, numerator, denominator, result;
    } cases[] = {
        {10, 3, 2, 15},         {5, 1, 2, 3},
        {-5, 1, 2, -3},         {5, -1, 2, -3},
        {5, 1, -2, -3},         {-5, -1, -2, -3},
        {7, 1, 3, 2},           {8, 1, 3, 3},
        {-14, 72, 96, -11},     {0, 5, 7, 0},
        {1, 1, 0, -1},           // division by zero
        {0x7FFFFFFF, 2, 1, -1},  // overflow
        {0x40000000, 4, 2, -1}, {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::MulDiv(c.number, c.numerator, c.denominator), c.result)
            << c.number << " * " << c.numerator << " / " << c.denominator;
    }
}

TEST(FontSizes, PointsAndHeightsAtCommonDensities) {
    const struct {
        int dpi, points, height;
    } toHeight[] = {
        {96, 8, -11},  {96, 10, -13},  {96, 11, -15}, {120, 10, -17},
        {120, 8, -13}, {144, 10, -20}, {144, 9, -18},
    };
    for (const auto& c : toHeight) {
        EXPECT_EQ(core::PointsToHeight(c.points, c.dpi), c.height) << c.points << "pt @" << c.dpi;
    }
    const struct {
        int dpi, height, points;
    } toPoints[] = {
        {96, -14, 11},  // 10.5 rounds away from zero
        {96, -11, 8},   {96, -13, 10},  {120, -17, 10}, {120, -15, 9},
        {144, -21, 11}, {144, -20, 10}, {96, 14, -11},
    };
    for (const auto& c : toPoints) {
        EXPECT_EQ(core::HeightToPoints(c.height, c.dpi), c.points) << c.height << "px @" << c.dpi;
    }
}

// Every size the font dialog lists comes back unchanged from its height, at any density.
TEST(FontSizes, TheDialogsSizesSurviveTheRoundTrip) {
    for (const int dpi : {96, 120, 144}) {
        for (const int points :
             {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}) {
            EXPECT_EQ(core::HeightToPoints(core::PointsToHeight(points, dpi), dpi), points)
                << points << "pt @" << dpi;
        }
    }
}

TEST(LayoutScale, OnlyATextHeightOtherThan13Scales) {
    EXPECT_TRUE(core::LayoutScale(13).IsIdentity());
    EXPECT_TRUE(core::LayoutScale(0).IsIdentity());
    const core::Scale s = core::LayoutScale(16);
    EXPECT_EQ(s.Apply(13), 16);
    EXPECT_EQ(s.Apply(311), 383);
    // Edges are scaled, so two controls that touch keep touching.
    const core::Rect a = s.Apply(core::Rect{0, 0, 3, 17});
    const core::Rect b = s.Apply(core::Rect{3, 17, 305, 283});
    EXPECT_EQ(a.Right(), b.left);
    EXPECT_EQ(a.Bottom(), b.top);
}

// Worked out by hand for a 16-pixel text (16/13): each edge is scaled and rounded, and the
// size is what lies between the scaled edges, which is not always the scaled size.
TEST(LayoutScale, ScalesTheEdgesOfRectanglesAnywhere) {
    const core::Scale s = core::LayoutScale(16);
    const struct {
        core::Rect laidOut;
        core::Rect scaled;
    } cases[] = {
        {{6, 0, 6, 0}, {7, 0, 8, 0}},             // 7.38..14.77: 7..15, though 6 alone is 7.38
        {{0, 6, 0, 6}, {0, 7, 0, 8}},             // the same vertically
        {{32, 97, 265, 28}, {39, 119, 327, 35}},  // 39.38 .. 365.54, 119.38 .. 153.85
        {{255, 3, 10, 10}, {314, 4, 12, 12}},     // 313.85 .. 326.15, 3.69 .. 16
        {{-6, -6, 6, 6}, {-7, -7, 7, 7}},         // -7.38 .. 0
    };
    for (const auto& c : cases) {
        const core::Rect r = s.Apply(c.laidOut);
        EXPECT_EQ(r, c.scaled) << c.laidOut.left << "," << c.laidOut.top << " " << c.laidOut.width
                               << "x" << c.laidOut.height << " gave " << r.left << "," << r.top
                               << " " << r.width << "x" << r.height;
    }
}

TEST(AlignChildren, LaysOutTheNoteWindow) {
    const core::AlignedChild children[] = {
        {core::Align::Top, {0, 0, 311, 17}},    {core::Align::Bottom, {0, 300, 311, 3}},
        {core::Align::Left, {0, 17, 3, 283}},   {core::Align::Right, {308, 17, 3, 283}},
        {core::Align::Client, {0, 33, 97, 96}}, {core::Align::None, {32, 97, 265, 28}},
    };
    const auto at = [&](int w, int h) { return core::AlignChildren(w, h, children); };
    const auto laidOut = at(311, 303);
    EXPECT_EQ(laidOut[0], (core::Rect{0, 0, 311, 17}));
    EXPECT_EQ(laidOut[1], (core::Rect{0, 300, 311, 3}));
    EXPECT_EQ(laidOut[2], (core::Rect{0, 17, 3, 283}));
    EXPECT_EQ(laidOut[3], (core::Rect{308, 17, 3, 283}));
    EXPECT_EQ(laidOut[4], (core::Rect{3, 17, 305, 283}));
    EXPECT_EQ(laidOut[5], (core::Rect{32, 97, 265, 28}));  // floating panels keep their place
    const auto small = at(200, 100);
    EXPECT_EQ(small[3], (core::Rect{197, 17, 3, 80}));
    EXPECT_EQ(small[4], (core::Rect{3, 17, 194, 80}));
    EXPECT_EQ(small[5], (core::Rect{32, 97, 265, 28}));
}

TEST(CentreThirdDown, TruncatesTowardZero) {
    EXPECT_EQ(core::CentreThirdDown({0, 0, 1280, 800}, 400, 301), (core::Point{440, 166}));
    EXPECT_EQ(core::CentreThirdDown({-1280, 0, 1280, 1024}, 401, 400), (core::Point{-841, 208}));
    // A dialog larger than the monitor: negative free space truncates toward zero too.
    EXPECT_EQ(core::CentreThirdDown({0, 0, 100, 100}, 103, 104), (core::Point{-1, -1}));
}

TEST(Intersects, TouchingEdgesDoNotIntersect) {
    const core::Rect screen{0, 0, 1280, 800};
    EXPECT_TRUE(core::Intersects(screen, {1279, 799, 10, 10}));
    EXPECT_FALSE(core::Intersects(screen, {1280, 0, 10, 10}));
    EXPECT_FALSE(core::Intersects(screen, {-10, -10, 10, 10}));
    EXPECT_FALSE(core::Intersects(screen, {5, 5, 0, 0}));  // an empty rectangle
    EXPECT_FALSE(core::Intersects(screen, {5, 5, -10, 20}));
}

TEST(Intersects, EdgesBeyondTheIntegerRange) {
    const core::Rect screen{0, 0, 1280, 800};
    constexpr int kMax = 2147483647;
    constexpr int kMin = -2147483647 - 1;
    EXPECT_FALSE(core::Intersects(screen, {kMax, kMax, 260, 120}));
    EXPECT_FALSE(core::Intersects({kMax, 0, 260, 120}, screen));
    EXPECT_FALSE(core::Intersects(screen, {kMin, kMin, 260, 120}));
    EXPECT_FALSE(core::Intersects(screen, {kMin, kMin, kMax, kMax}));  // ends at -1
    EXPECT_TRUE(core::Intersects(screen, {-5, -5, kMax, kMax}));
    EXPECT_TRUE(core::Intersects({1279, 0, kMax, kMax}, screen));
}

TEST(LimitShrink, KeepsTheSizeAtTheMinimum) {
    const struct {
        int size, delta, minimum, result;
    } cases[] = {
        {311, 10, 72, 10},    // shrinks as asked
        {311, -30, 72, -30},  // grows as asked
        {311, 239, 72, 239},  // down to the minimum exactly
        {311, 240, 72, 239},  // one beyond it
        {311, 5000, 72, 239},
        {72, 1, 72, 0},                                     // at the minimum already: no further
        {72, -1, 72, -1},                                   // but it may grow
        {0, 0, 72, -72},                                    // below it: back up to it
        {-50, 10, 20, -70},                                 // a negative size too
        {2147483647, -2147483647 - 1, 0, -2147483647 - 1},  // growth beyond the range
        {-2147483647 - 1, 2147483647, 2147483647, -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::LimitShrink(c.size, c.delta, c.minimum), c.result)
            << c.size << " - " << c.delta << " >= " << c.minimum;
    }
}

}  // namespace
