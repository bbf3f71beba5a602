// The window procedure shared by the classes whose objects own a window of their own.
#pragma once

#include <windows.h>

#include "ui/error.h"

namespace ui {

enum class AfterError { ReturnZero, DefaultProcessing };

// The object's pointer comes with WM_NCCREATE (CreateWindowExW's last argument) and stays in
// GWLP_USERDATA until WM_NCDESTROY, when the object lets go of the handle. An exception a handler
// lets out is reported here, never unwound through the system's code, and the message then gets
// the answer `after` names.
template <class Owner>
LRESULT DispatchToOwner(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT (Owner::*handler)(UINT, WPARAM, LPARAM), HWND Owner::*handle,
                        AfterError after) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->*handle = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = (self->*handler)(message, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
        if (after == AfterError::DefaultProcessing)
            result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->*handle = nullptr;
    }
    return result;
}

}  // namespace ui
