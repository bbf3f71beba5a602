#include "core/geometry.h"

#include <limits>

namespace core {

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
    if (denominator == 0) return -1;
    const int64_t product = static_cast<int64_t>(number) * numerator;
    int64_t magnitude = product < 0 ? -product : product;
    const int64_t divisor = denominator < 0 ? -static_cast<int64_t>(denominator) : denominator;
    magnitude = (magnitude + divisor / 2) / divisor;
    const bool negative = (product < 0) != (denominator < 0);
    const int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int32_t>::max() ||
        result < std::numeric_limits<int32_t>::min()) {
        return -1;
    }
    return static_cast<int32_t>(result);
}

int32_t PointsToHeight(int32_t points, int32_t dpi) {
    return -MulDiv(points, dpi, 72);
}

int32_t HeightToPoints(int32_t height, int32_t dpi) {
    return -MulDiv(height, 72, dpi);
}

Rect Scale::Apply(const Rect& r) const {
    const int left = Apply(r.left);
    const int top = Apply(r.top);
    return {left, top, Apply(r.left + r.width) - left, Apply(r.top + r.height) - top};
}

Scale LayoutScale(int textHeight) {
    constexpr int kLayoutTextHeight = 13;
    if (textHeight <= 0 || textHeight == kLayoutTextHeight) return {};
    return {textHeight, kLayoutTextHeight};
}

std::vector<Rect> AlignChildren(int clientWidth, int clientHeight,
                                std::span<const AlignedChild> children) {
    std::vector<Rect> result;
    result.reserve(children.size());
    for (const AlignedChild& c : children) result.push_back(c.bounds);

    Rect free{0, 0, clientWidth, clientHeight};
    const Align order[] = {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client};
    for (const Align pass : order) {
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (children[i].align != pass) continue;
            Rect& r = result[i];
            switch (pass) {
            case Align::Top:
                r = {free.left, free.top, free.width, r.height};
                free.top += r.height;
                free.height -= r.height;
                break;
            case Align::Bottom:
                r = {free.left, free.Bottom() - r.height, free.width, r.height};
                free.height -= r.height;
                break;
            case Align::Left:
                r = {free.left, free.top, r.width, free.height};
                free.left += r.width;
                free.width -= r.width;
                break;
            case Align::Right:
                r = {free.Right() - r.width, free.top, r.width, free.height};
                free.width -= r.width;
                break;
            case Align::Client: r = free; break;
            case Align::None: break;
            }
        }
    }
    return result;
}

Point CentreThirdDown(const Rect& monitor, int width, int height) {
    return {monitor.left + (monitor.width - width) / 2,
            monitor.top + (monitor.height - height) / 3};
}

bool Intersects(const Rect& a, const Rect& b) {
    if (a.width <= 0 || a.height <= 0 || b.width <= 0 || b.height <= 0) return false;
    // In 64 bits: a position read from a settings file may lie near the ends of the range,
    // where its right or bottom edge no longer fits in 32 bits.
    const auto end = [](int start, int length) { return int64_t{start} + length; };
    return a.left < end(b.left, b.width) && b.left < end(a.left, a.width) &&
           a.top < end(b.top, b.height) && b.top < end(a.top, a.height);
}

int LimitShrink(int size, int delta, int minimum) {
    const int64_t wanted = int64_t{size} - delta;
    const int64_t limited = wanted < minimum ? minimum : wanted;
    const int64_t result = int64_t{size} - limited;
    if (result > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (result < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int>(result);
}

}  // namespace core
