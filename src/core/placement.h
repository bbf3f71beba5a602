// Where the note stands when it starts: the stored geometry where there is one, the work
// area's corner where there is not, never smaller than its controls need, never where no
// screen shows it.
#pragma once

#include <optional>
#include <span>

#include "core/geometry.h"

namespace core {

// What the settings file holds of the geometry; a value that is absent or no number is not
// there.
struct StoredGeometry {
    std::optional<int> left;
    std::optional<int> top;
    std::optional<int> width;
    std::optional<int> height;
};

// The corner a note of `size` takes on a work area: the area's width and height less the
// note's, taken as a position. These are sizes, not edges: with the task bar at the bottom or
// right the note's bottom-right corner lies on the work area's; with it at the top or left the
// note stands short of that corner by the bar's thickness.
Point DefaultCorner(const Rect& workArea, Size size);

// The stored geometry with the defaults filled in: position from the corner for the laid-out
// size, size as laid out. A size below `minimum` is raised to it: smaller, the grip and the
// buttons would be gone, and the note could neither be resized nor closed.
Rect StoredPlacement(const StoredGeometry& stored, const Rect& workArea, Size laidOut,
                     Size minimum);

// Whether any pixel of `bounds` lies on one of the work areas. A note stored where none does
// (a monitor since removed, a hand-edited file) could never be reached to drag it back.
bool Reachable(const Rect& bounds, std::span<const Rect> workAreas);

}  // namespace core
