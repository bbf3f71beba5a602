#include "ui/subclass.h"

#include "ui/error.h"

namespace ui {
namespace {

constexpr wchar_t kOwnerProperty[] = L"VelnorNotes.Control";

}  // namespace

SubclassedControl::~SubclassedControl() {
    if (hwnd_ && IsWindow(hwnd_)) Release();
}

bool SubclassedControl::Subclass() {
    if (!SetPropW(hwnd_, kOwnerProperty, this)) return false;
    controlProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedControl::Proc)));
    return controlProc_ != nullptr;
}

// The control gets its own procedure back; messages still on their way reach it directly.
void SubclassedControl::Release() {
    if (!controlProc_) return;
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc_));
    RemovePropW(hwnd_, kOwnerProperty);
}

LRESULT CALLBACK SubclassedControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<SubclassedControl*>(GetPropW(hwnd, kOwnerProperty));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const WNDPROC control = self->controlProc_;
        self->Release();
        self->controlProc_ = nullptr;
        return CallWindowProcW(control, hwnd, message, wParam, lParam);
    }
    try {
        return self->OnControlMessage(message, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
        return 0;
    }
}

}  // namespace ui
