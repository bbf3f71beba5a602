#include "core/drag.h"

namespace core {
namespace {

// One assignment of the geometry, which takes effect before the next one reads it.
void Assign(WindowGeometry& window, int Rect::*field, int value) {
    Rect b = window.Bounds();
    b.*field = value;
    window.SetBounds(b);
}

}  // namespace

void Drag::Press(int x, int y) {
    startX_ = x;
    startY_ = y;
    dragging_ = true;
}

void Drag::Release() {
    startX_ = 0;
    startY_ = 0;
    dragging_ = false;
}

void Drag::Move(WindowGeometry& window, int x, int y) const {
    if (!dragging_) return;
    Assign(window, &Rect::left, window.Bounds().left + x - startX_);
    Assign(window, &Rect::top, window.Bounds().top + y - startY_);
}

void Drag::Resize(WindowGeometry& window, int x, int y, Size minimum) const {
    if (!dragging_) return;
    const Rect start = window.Bounds();
    const int dx = LimitShrink(start.width, x - startX_, minimum.width);
    const int dy = LimitShrink(start.height, y - startY_, minimum.height);
    Assign(window, &Rect::left, window.Bounds().left + dx);
    Assign(window, &Rect::top, window.Bounds().top + dy);
    Assign(window, &Rect::width, window.Bounds().width - dx);
    Assign(window, &Rect::height, window.Bounds().height - dy);
}

}  // namespace core
