#include "ui/rich_edit.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/error.h"

namespace ui {
namespace {
constexpr UINT_PTR kSubclassId = 1;
}

RichEdit::~RichEdit() {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &RichEdit::SubclassProc, kSubclassId);
}

void RichEdit::Create(HWND parent, int id, const core::Rect& bounds, DWORD style) {
    library_.reset(LoadLibraryA("RICHED32.DLL"));
    if (!library_) ThrowLastError("LoadLibraryA(RICHED32.DLL)");
    Control::Create({"RICHEDIT", "", style, 0, bounds, parent, id});
    SetWindowSubclass(hwnd_, &RichEdit::SubclassProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

LRESULT RichEdit::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK RichEdit::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<RichEdit*>(refData);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &RichEdit::SubclassProc, kSubclassId);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    if (!self->hook_) return DefSubclassProc(hwnd, message, wParam, lParam);
    try {
        return self->hook_(message, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
        return 0;
    }
}

DWORD RichEdit::StreamIn(UINT format, EDITSTREAMCALLBACK callback, DWORD_PTR cookie) const {
    EDITSTREAM stream = {cookie, 0, callback};
    Send(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError;
}

DWORD RichEdit::StreamOut(UINT format, EDITSTREAMCALLBACK callback, DWORD_PTR cookie) const {
    EDITSTREAM stream = {cookie, 0, callback};
    Send(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError;
}

CHARRANGE RichEdit::Selection() const {
    CHARRANGE range = {0, 0};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void RichEdit::SetSelection(CHARRANGE range) const {
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::string RichEdit::SelectedText() const {
    const CHARRANGE range = Selection();
    const LONG length = range.cpMax - range.cpMin;
    if (length <= 0) return {};
    // A character may take two bytes in GBK; the control reports what it wrote.
    std::vector<char> buffer(static_cast<std::size_t>(length) * 2 + 1);
    const LRESULT got = Send(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

}  // namespace ui
