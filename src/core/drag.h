// Moving the note by its strips and top bar, resizing it from the grip in its top-left
// corner. The window system's own moving and sizing is not used: the note has no frame or
// caption to offer them.
//
// One drag state serves every control that moves the note: a press on any of them starts
// it, a release on any of them ends it, and while it lasts a move over any of them acts on
// the window. The mouse button is not looked at; the controls capture the pointer for a left
// press only.
#pragma once

#include "core/geometry.h"

namespace core {

// The window a drag acts on. Each assignment takes effect before the next one reads the
// geometry, and the window may not take exactly what it is given.
class WindowGeometry {
public:
    virtual ~WindowGeometry() = default;
    virtual Rect Bounds() const = 0;
    virtual void SetBounds(const Rect& bounds) = 0;
};

class Drag {
public:
    // A press at (x, y) of the pressed control; a press during a drag starts it afresh.
    void Press(int x, int y);
    void Release();
    bool Dragging() const { return dragging_; }

    // A move over a strip or the top bar: the control moves with the window, so after the
    // move the pressed point is under the pointer again and the window follows it. Two moves,
    // one for each coordinate.
    void Move(WindowGeometry& window, int x, int y) const;
    // A move over the grip: the top-left corner follows the pointer while the bottom-right
    // one stays, so what the corner moves by comes off the size, which stops at `minimum`.
    void Resize(WindowGeometry& window, int x, int y, Size minimum) const;

private:
    // Whether a press started a drag that no release has ended, and where the press was in
    // the pressed control.
    bool dragging_ = false;
    int startX_ = 0;
    int startY_ = 0;
};

}  // namespace core
