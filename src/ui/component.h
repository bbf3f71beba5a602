// What every child control of a form has in common: it is made from one row of its form's
// layout table, and its events go to the handlers that row names.
#pragma once

#include <windows.h>

#include <functional>

#include "core/color.h"
#include "core/geometry.h"

namespace ui {

enum class MouseButton { Left, Right, Middle };

// A mouse event as the handlers see it: the button, and the position relative to the
// control that received it (negative or beyond its size while the pointer is captured).
struct MouseArgs {
    MouseButton button = MouseButton::Left;
    int x = 0;
    int y = 0;
};
using MouseHandler = std::function<void(const MouseArgs&)>;

// Translates a button or move message; false for other messages.
bool CrackMouseMessage(UINT message, LPARAM lParam, MouseArgs& args);
enum class MouseAction { None, Down, Move, Up };
MouseAction MouseActionOf(UINT message);

// One row of a layout table. Bounds and sizes are those of the layout, at 96 dpi; the form
// scales them. Each kind of control reads the columns it has a use for.
struct LayoutRow {
    int id = 0;
    int parent = 0;  // the id of the control it lies on; 0 for the form itself
    core::Rect bounds = {};
    core::Align align = core::Align::None;
    // When not 0: a left edge of the layout whose distance from the form's right edge the
    // control keeps whatever the form's width (for a control that stands in for another,
    // the other's left edge).
    int rightAnchor = 0;
    DWORD style = 0;       // window styles beyond those of its kind
    HFONT font = nullptr;  // null: its kind's default
    const char* caption = "";
    bool visible = true;
    // Made when first asked for (Form::CreateLater), with the controls that lie on it, rather
    // than with the form: for what the form's first showing does not show.
    bool later = false;
    // Panels.
    core::TColor color = 0;
    bool raised = false;
    // Small buttons.
    bool flat = true;
    int groupIndex = 0;  // sticky in a group once pressed, when not 0
    bool down = false;
    HCURSOR cursor = nullptr;
    // Sliders.
    int min = 0;
    int max = 10;
    int position = 0;
    int lineSize = 1;
    int pageSize = 2;
    // Lists of colours.
    int itemHeight = 16;
    int dropDownCount = 8;
    // Pictures.
    HICON icon = nullptr;
};

// The events a control can raise; each kind raises those it has.
struct ComponentEvents {
    MouseHandler onMouseDown = {};
    MouseHandler onMouseMove = {};
    MouseHandler onMouseUp = {};
    std::function<void()> onClick = {};               // a left press and release inside it
    std::function<void()> onChange = {};              // its value or text changed
    std::function<void(LPARAM)> onContextMenu = {};   // the screen point, or -1,-1 from keys
    std::function<void(const NMHDR&)> onNotify = {};  // other notifications it sends its parent
};

class Component {
public:
    virtual ~Component() = default;
    // `row` as scaled for the screen; `parent` is the window it lies on.
    virtual void Create(HWND parent, const LayoutRow& row) = 0;
    // With the form, also for a control made later: what the control is asked for before
    // its window exists.
    virtual void Prepare(const LayoutRow&) {}
    // The control's window: each kind answers with its own window's handle.
    virtual HWND hwnd() const = 0;
    // A notification the control sent its parent (WM_COMMAND, WM_NOTIFY, WM_HSCROLL,
    // WM_DRAWITEM, WM_MEASUREITEM), handed back to the control by the form.
    virtual LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam);

    ComponentEvents events;
};

}  // namespace ui
