// The controls of our own classes (panels, small buttons) and thin wrappers of system
// controls (labels, pictures), made from a row of a layout table.
#pragma once

#include <windows.h>

#include <string>

#include "core/color.h"
#include "ui/component.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace ui {

// A plain rectangle filled with its colour, optionally with a raised bevel. A left press
// captures the pointer until the release. Notifications of its children go to its parent,
// so the form handles them wherever the child sits.
class Panel : public Window, public Component {
public:
    Panel() = default;

    void Create(HWND parent, const LayoutRow& row) override;
    HWND hwnd() const override { return hwnd_; }
    core::TColor Color() const { return color_; }
    void SetColor(core::TColor color);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    core::TColor color_ = 0;
    bool raised_ = false;
    Brush brush_;
};

// A small button drawn by us: flat (framed only under the pointer or when pressed) or not,
// optionally sticky in a group. It never takes the focus. Click fires after a left press
// and release inside it, after the mouse-up event.
class SpeedButton : public Window, public Component {
public:
    SpeedButton() = default;

    void Create(HWND parent, const LayoutRow& row) override;
    HWND hwnd() const override { return hwnd_; }
    bool Down() const { return down_; }
    void SetDown(bool down);

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
class Label : public Control, public Component {
public:
    void Create(HWND parent, const LayoutRow& row) override;
    HWND hwnd() const override { return hwnd_; }
};

// A picture: an icon that sizes itself to its image.
class Image : public Control, public Component {
public:
    void Create(HWND parent, const LayoutRow& row) override;
    HWND hwnd() const override { return hwnd_; }
};

// A single-line text that can be selected and copied but not changed.
class ValueField : public Control, public Component {
public:
    void Create(HWND parent, const LayoutRow& row) override;
    HWND hwnd() const override { return hwnd_; }
};

// A push button that takes the keyboard focus; raises onClick when pressed.
class PushButton : public Control, public Component {
public:
    void Create(HWND parent, const LayoutRow& row) override;
    HWND hwnd() const override { return hwnd_; }
    LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace ui
