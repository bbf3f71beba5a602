#include "core/drag.h"

namespace core {
namespace {

void SetLeft(WindowGeometry& window, int left) {
    Rect b = window.Bounds();
    b.left = left;
    window.SetBounds(b);
}

void SetTop(WindowGeometry& window, int top) {
    Rect b = window.Bounds();
    b.top = top;
    window.SetBounds(b);
}

void SetWidth(WindowGeometry& window, int width) {
    Rect b = window.Bounds();
    b.width = width;
    window.SetBounds(b);
}

void SetHeight(WindowGeometry& window, int height) {
    Rect b = window.Bounds();
    b.height = height;
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
    SetLeft(window, window.Bounds().left + x - startX_);
    SetTop(window, window.Bounds().top + y - startY_);
}

void Drag::Resize(WindowGeometry& window, int x, int y, Size minimum) const {
    if (!dragging_) return;
    const Rect start = window.Bounds();
    const int dx = LimitShrink(start.width, x - startX_, minimum.width);
    const int dy = LimitShrink(start.height, y - startY_, minimum.height);
    SetLeft(window, window.Bounds().left + dx);
    SetTop(window, window.Bounds().top + dy);
    SetWidth(window, window.Bounds().width - dx);
    SetHeight(window, window.Bounds().height - dy);
}

}  // namespace core
