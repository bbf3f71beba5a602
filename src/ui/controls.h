// The controls of our own classes (panels, small buttons) and thin wrappers of system
// controls (labels, images) used by the note window and the About window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/color.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace ui {

enum class MouseButton { Left, Right, Middle };

// A mouse event as the handlers see it: position relative to the control that received it
// (negative or beyond its size while the pointer is captured), buttons and keys held.
struct MouseArgs {
    MouseButton button = MouseButton::Left;
    WPARAM keys = 0;  // MK_ flags
    bool doubleClick = false;
    int x = 0;
    int y = 0;
};
using MouseHandler = std::function<void(const MouseArgs&)>;

// Translates a button or move message; false for other messages.
bool CrackMouseMessage(UINT message, WPARAM wParam, LPARAM lParam, MouseArgs& args);
enum class MouseAction { None, Down, Move, Up };
MouseAction MouseActionOf(UINT message);

// A plain rectangle filled with its colour, optionally with a raised bevel. A left press
// captures the pointer until the release. Notifications of its children go to its parent,
// so the form handles them wherever the child sits.
class Panel : public Window {
public:
    enum class Bevel { None, Raised };
    Panel() = default;

    void Create(HWND parent, int id, const core::Rect& bounds, Bevel bevel, core::TColor color,
                bool visible = true);
    core::TColor Color() const { return color_; }
    void SetColor(core::TColor color);

    MouseHandler onMouseDown;
    MouseHandler onMouseMove;
    MouseHandler onMouseUp;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    core::TColor color_ = 0;
    Bevel bevel_ = Bevel::None;
    Brush brush_;
};

// A small button drawn by us: flat (framed only under the pointer or when pressed) or not,
// optionally sticky in a group. It never takes the focus. Click fires after a left press
// and release inside it, after the mouse-up event.
class SpeedButton : public Window {
public:
    struct Options {
        const char* caption = "";
        bool flat = true;
        int groupIndex = 0;
        bool down = false;
        HCURSOR cursor = nullptr;  // null: the arrow
        HFONT font = nullptr;
        bool visible = true;
    };
    SpeedButton() = default;

    void Create(HWND parent, int id, const core::Rect& bounds, const Options& options);
    bool Down() const { return down_; }
    void SetDown(bool down);

    std::function<void()> onClick;
    MouseHandler onMouseDown;
    MouseHandler onMouseMove;
    MouseHandler onMouseUp;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void SetHot(bool hot);
    bool flat_ = true;
    int groupIndex_ = 0;
    bool down_ = false;
    bool pressed_ = false;  // left button held after a press inside
    bool pointerInside_ = false;
    bool hot_ = false;
    HCURSOR cursor_ = nullptr;
    HFONT font_ = nullptr;
};

// A static text in its parent's colour.
class Label : public Control {
public:
    void Create(HWND parent, int id, const core::Rect& bounds, HFONT font);
};

}  // namespace ui
