// A top-level window of the program made from a layout table, as a form: its geometry, its
// showing and hiding with their events, modal showing, the window state it was started in,
// the keyboard focus it gives back when it is activated again, its close protocol, its
// opacity, and the notifications of its controls handed back to them.
#pragma once

#include <windows.h>

#include <vector>

#include "core/color.h"
#include "core/drag.h"
#include "core/geometry.h"
#include "ui/component.h"
#include "ui/window.h"

namespace ui {

// A control of a form with the layout row it is made from and the handlers of its events.
struct Child {
    Component* component = nullptr;
    LayoutRow row = {};
    ComponentEvents events = {};
};

class Form : public Window, public core::WindowGeometry {
public:
    // The native window, made on first use.
    HWND Handle();

    // Geometry in screen pixels; each assignment moves or sizes the window at once.
    core::Rect Bounds() const override { return WindowRef::Bounds(); }
    void SetBounds(const core::Rect& bounds) override { WindowRef::SetBounds(bounds); }

    enum class WindowState { Normal, Minimized, Maximized };
    // Only a change shows: setting the state a window already has does not activate it.
    void SetWindowState(WindowState state);
    // Shows the form as the process was started: maximised, minimised (the application is
    // then minimised and the form stays hidden until it is restored) or normal. A form shown
    // is painted at once, before the messages the start left in the queue.
    void ShowOnStart(int showCommand);
    // Shows or hides the form and raises OnShow or OnHide when that changes anything.
    void Show();
    void Hide();
    // Shows the form and returns when it closes, the program's other windows disabled
    // meanwhile; the keyboard starts at DefaultFocus(). The result is IDCANCEL, also when the
    // program ends while the form is up. A form already shown so only comes to the front.
    // A failure to make the native window leaves none behind: the next showing starts again.
    int ShowModal();
    // Asks OnCloseQuery; if granted, runs OnClose, then ends a modal showing, or ends the
    // program when this is its main window, or else hides the form.
    void Close();
    // What a second launch asks for: a minimised application is restored (with this form,
    // if it was started minimised), otherwise the application's last active window comes
    // forward. A hidden form stays hidden.
    void ActivateApplication();
    // The keyboard goes to the control that had it last, or to DefaultFocus(). A hidden form
    // keeps it on its own window, where keys do nothing.
    void RestoreFocus();

    // 255 is opaque. A form made layered, or given an opacity, stays layered for its whole
    // life.
    void SetOpacity(BYTE opacity);

protected:
    Form() = default;

    // Makes the native window (with CreateForm); Handle() calls it the first time.
    virtual void CreateHandle() = 0;
    void CreateForm(const WindowParams& params);
    // Makes the controls in table order, later ones above earlier ones, each on the control
    // its row names; bounds are scaled by `scale`. `layoutWidth` is the form's client width
    // in the layout, which right-anchored controls keep their distance from. Rows marked
    // `later` wait, with the controls on them, for CreateLater.
    void CreateChildren(std::vector<Child> children, const core::Scale& scale, int layoutWidth);
    // Makes the control `id` left for later, and those on it, where the table puts them (in
    // the stacking of the form's controls too); false when it was made already.
    bool CreateLater(int id);
    Component* ChildById(int id) const;
    // Lays out the controls aligned to an edge or to the rest of the client area.
    void AlignChildren();
    // Keeps the right-anchored controls at their distance from the right edge.
    void KeepAnchors();
    void SetAlign(int id, core::Align align);

    virtual void OnShow() {}
    virtual void OnHide() {}
    virtual void OnResize() {}
    virtual bool OnCloseQuery() { return true; }
    virtual void OnClose() {}
    // A command that no control sent: a menu item's, or IDOK and IDCANCEL of the dialog keys.
    virtual void OnCommand(UINT) {}
    virtual HWND DefaultFocus() const { return nullptr; }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    core::TColor color_ = core::clBtnFace;  // what shows where no control covers the form

private:
    Component* ChildByHwnd(HWND hwnd) const;

    std::vector<Child> children_;
    core::Scale scale_;
    int layoutWidth_ = 0;
    HWND lastFocus_ = nullptr;
    WindowState windowState_ = WindowState::Normal;
    BYTE opacity_ = 255;
    bool modal_ = false;
    int modalResult_ = 0;
};

}  // namespace ui
