#include "core/placement.h"

#include <algorithm>

namespace core {

Point DefaultCorner(const Rect& workArea, Size size) {
    return {workArea.width - size.width, workArea.height - size.height};
}

Rect StoredPlacement(const StoredGeometry& stored, const Rect& workArea, Size laidOut,
                     Size minimum) {
    const Point corner = DefaultCorner(workArea, laidOut);
    return {stored.left.value_or(corner.x), stored.top.value_or(corner.y),
            std::max(stored.width.value_or(laidOut.width), minimum.width),
            std::max(stored.height.value_or(laidOut.height), minimum.height)};
}

bool Reachable(const Rect& bounds, std::span<const Rect> workAreas) {
    return std::any_of(workAreas.begin(), workAreas.end(),
                       [&](const Rect& area) { return Intersects(bounds, area); });
}

}  // namespace core
