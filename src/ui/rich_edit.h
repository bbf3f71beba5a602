// The Rich Edit 1.0 control ("RICHEDIT" from RICHED32.DLL) and the messages we use on it.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>

#include "core/note_extent.h"
#include "ui/component.h"
#include "ui/handles.h"
#include "ui/subclass.h"

namespace ui {

// Characters typed in any script arrive whole, whatever the system's code page, and the text
// is given whole to whoever asks for it (WM_GETTEXT of the Unicode window). Enter starts
// a new line; Tab is not taken, it moves the focus as in a dialog. A press of a
// mouse button is raised after the control has placed the caret or extended the selection,
// so its handler sees the selection as the user made it. Raises onChange for every change
// of the text, onContextMenu for the menu key and right clicks, onNotify for links.
class RichEdit : public SubclassedControl, public Component {
public:
    RichEdit() = default;

    // Loads riched32.dll from the system folder (kept for the control's life) and makes the
    // control: change notifications on, the control's default limit of 64K characters, no word
    // wrap, the row's colour as its background and its font as the default text font, in the
    // system's character set.
    void Create(HWND parent, const LayoutRow& row) override;
    HWND hwnd() const override { return hwnd_; }
    LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;

    // EM_STREAMIN / EM_STREAMOUT of the whole content; returns the stream's dwError.
    DWORD StreamIn(UINT format, EDITSTREAMCALLBACK callback, DWORD_PTR cookie) const;
    DWORD StreamOut(UINT format, EDITSTREAMCALLBACK callback, DWORD_PTR cookie) const;

    CHARRANGE Selection() const;
    void SetSelection(CHARRANGE range) const;
    // UTF-16.
    std::wstring SelectedText() const;
    bool CanUndo() const { return Send(EM_CANUNDO) != 0; }
    void SetBackground(COLORREF rgb) const { Send(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(rgb)); }

    // Where a context menu opens, in screen coordinates: at the pointer, or, asked from the
    // keyboard (-1, -1), at the caret, kept inside the control.
    POINT ContextMenuPoint(LPARAM screenPosition) const;

    // A change of the client area lays the whole text out again (a scroll bar that comes or
    // goes is one), so the bars a content of `extent` is expected to need are put up before
    // it is streamed in; afterwards FitScrollBars takes down those it did not need.
    void PrepareScrollBarsFor(const core::NoteExtent& extent) const;
    void FitScrollBars() const;

private:
    LRESULT OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnTypedCharacter(WPARAM unit, LPARAM lParam);
    LRESULT TextInto(std::size_t capacity, LPARAM buffer);
    LRESULT TextLength();
    void SetDefaultFormat(HFONT font) const;
    Library library_;
    HFONT font_ = nullptr;
    bool takesCodePoints_ = false;   // the control reads WM_UNICHAR
    wchar_t highSurrogate_ = L'\0';  // the first half of a character typed in two
};

}  // namespace ui
