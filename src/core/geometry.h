// Pixel arithmetic of the note's layout, kept free of Win32 types so it is tested natively.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace core {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Rounds to the nearest integer, halves away from zero, as Windows' MulDiv does; -1 when
// the divisor is 0 or the result does not fit in 32 bits.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);

// Font sizes: a height in pixels (negative: character height) and points at `dpi`.
int32_t PointsToHeight(int32_t points, int32_t dpi);
int32_t HeightToPoints(int32_t height, int32_t dpi);

// The factor by which a layout drawn at 96 dpi with a 13-pixel text height is scaled.
struct Scale {
    int numerator = 1;
    int denominator = 1;
    int Apply(int value) const { return MulDiv(value, numerator, denominator); }
    // Scales edges rather than sizes, so controls that touch keep touching.
    Rect Apply(const Rect& r) const;
    bool IsIdentity() const { return numerator == denominator; }
};
// From the text height of the window font once it has been scaled to the screen's density.
Scale LayoutScale(int textHeight);

// Delphi-style alignment: children aligned to an edge take the full free length of that
// edge in creation order (top, bottom, left, right), and a filling child takes the rest.
enum class Align { None, Top, Bottom, Left, Right, Client };
struct AlignedChild {
    Align align = Align::None;
    Rect bounds;  // as laid out; aligned children keep their thickness from it
};
std::vector<Rect> AlignChildren(int clientWidth, int clientHeight,
                                std::span<const AlignedChild> children);

// Where a window of the given size stands on a monitor: centred across, a third down.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};
Point CentreThirdDown(const Rect& monitor, int width, int height);

// Whether two rectangles share at least one pixel; an empty rectangle shares none.
bool Intersects(const Rect& a, const Rect& b);

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Resizing from the top-left corner while the bottom-right one stays: the pointer asks to
// move that edge by `delta`, which takes `delta` from the size. Gives the move that keeps
// the size at `minimum` or above (negative, a growth, when `size` is already below it).
int LimitShrink(int size, int delta, int minimum);

}  // namespace core
