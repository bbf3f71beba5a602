// A system control whose messages pass through a member function of ours first.
#pragma once

#include <windows.h>

#include "ui/window.h"

namespace ui {

// The control's own window procedure stays behind ours, set with SetWindowLongPtrW, and the
// object is found through a window property: user32 alone, so that the common-controls
// library (comctl32's SetWindowSubclass) is neither imported nor started before WinMain,
// which under Wine sets up theming and every common class on every start. Being set
// through the W function, it also makes a window of an ANSI class a Unicode one.
class SubclassedControl : public Control {
public:
    SubclassedControl() = default;
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

protected:
    ~SubclassedControl();
    // Puts OnControlMessage in front of the control made by Control::Create; false when the
    // window keeps its own procedure alone.
    bool Subclass();
    // Every message of the control; an exception is reported and the message answered 0.
    virtual LRESULT OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return CallControl(message, wParam, lParam);
    }
    // The control's own handling of a message.
    LRESULT CallControl(UINT message, WPARAM wParam, LPARAM lParam) const {
        return CallWindowProcW(controlProc_, hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Release();
    WNDPROC controlProc_ = nullptr;
};

}  // namespace ui
