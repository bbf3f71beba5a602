// The Rich Edit 1.0 control ("RICHEDIT" from RICHED32.DLL) and the messages we use on it.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <functional>
#include <string>

#include "ui/handles.h"
#include "ui/window.h"

namespace ui {

class RichEdit : public Control {
public:
    RichEdit() = default;
    RichEdit(const RichEdit&) = delete;
    RichEdit& operator=(const RichEdit&) = delete;
    ~RichEdit();

    // Loads RICHED32.DLL (kept for the control's life) and creates the control.
    void Create(HWND parent, int id, const core::Rect& bounds, DWORD style);

    // Every message of the control passes through `hook` first; it calls CallDefault for
    // the control's own handling.
    using Hook = std::function<LRESULT(UINT, WPARAM, LPARAM)>;
    void SetHook(Hook hook) { hook_ = std::move(hook); }
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const;

    // EM_STREAMIN / EM_STREAMOUT of the whole content; returns the stream's dwError.
    DWORD StreamIn(UINT format, EDITSTREAMCALLBACK callback, DWORD_PTR cookie) const;
    DWORD StreamOut(UINT format, EDITSTREAMCALLBACK callback, DWORD_PTR cookie) const;

    CHARRANGE Selection() const;
    void SetSelection(CHARRANGE range) const;
    std::string SelectedText() const;

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    Library library_;
    Hook hook_;
};

}  // namespace ui
