#include "ui/list_controls.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "core/errors.h"
#include "ui/color.h"
#include "ui/error.h"
#include "ui/handles.h"
#include "ui/libraries.h"

namespace ui {

void TrackBar::Prepare(const LayoutRow& row) {
    min_ = row.min;
    max_ = row.max;
    position_ = std::clamp(row.position, min_, max_);
}

void TrackBar::Create(HWND parent, const LayoutRow& row) {
    // Looked up, not imported: an imported library is loaded and started before the program's
    // first line, at every start, and most starts never show the slider. The trackbar class
    // is registered on request; without it the window cannot be made where the common
    // controls do not register every class when they load.
    library_ = LoadSystemLibrary(L"comctl32.dll");
    if (!library_) ThrowLastError("LoadLibraryExW(comctl32.dll)");
    using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<InitControls>(
        reinterpret_cast<void*>(GetProcAddress(library_.get(), "InitCommonControlsEx")));
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    if (init) init(&classes);
    DWORD style = WS_CHILD | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS | row.style;
    if (row.visible) style |= WS_VISIBLE;
    Control::Create({TRACKBAR_CLASSW, L"", style, 0, row.bounds, parent, row.id});
    Send(TBM_SETRANGEMIN, FALSE, min_);
    Send(TBM_SETRANGEMAX, FALSE, max_);
    Send(TBM_SETLINESIZE, 0, row.lineSize);
    Send(TBM_SETPAGESIZE, 0, row.pageSize);
    Send(TBM_SETPOS, TRUE, position_);
    Subclass();
}

void TrackBar::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    if (hwnd_) Send(TBM_SETPOS, TRUE, position_);
    if (events.onChange) events.onChange();
}

LRESULT TrackBar::Reflect(UINT message, WPARAM, LPARAM) {
    if (message == WM_HSCROLL) {
        position_ = static_cast<int>(Send(TBM_GETPOS));
        if (events.onChange) events.onChange();
    }
    return 0;
}

// A drag of the thumb ends when the pointer capture is taken away (as the default error
// handler does before its box, with WM_CANCELMODE). Wine's trackbar keeps dragging until
// it sees the release, which then goes elsewhere: the thumb would follow the pointer
// with no button held. The release it missed is given to it here.
LRESULT TrackBar::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN: {
        const LRESULT result = CallControl(message, wParam, lParam);
        tracking_ = GetCapture() == hwnd_;
        return result;
    }
    case WM_LBUTTONUP: tracking_ = false; break;
    case WM_CAPTURECHANGED:
        if (tracking_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
            tracking_ = false;
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(hwnd_, &at);
            return CallControl(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        }
        break;
    }
    return CallControl(message, wParam, lParam);
}

void ColorBox::Create(HWND parent, const LayoutRow& row) {
    itemHeight_ = row.itemHeight;
    // A drop-down list's window height includes its list: room for `dropDownCount` entries.
    core::Rect withList = row.bounds;
    withList.height = row.bounds.height + row.dropDownCount * itemHeight_ + 2;
    DWORD style = WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                  CBS_HASSTRINGS | row.style;
    if (row.visible) style |= WS_VISIBLE;
    Control::Create({L"COMBOBOX", L"", style, 0, withList, parent, row.id});
    Send(CB_SETMINVISIBLE, static_cast<WPARAM>(row.dropDownCount));
    Subclass();
    if (row.font) SetFont(row.font);
    KeepItemHeight();
}

LRESULT ColorBox::Reflect(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SELCHANGE && events.onChange) events.onChange();
        return 0;
    case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    // Comes while the list is being made, before it has a handle to be known by.
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(itemHeight_);
        return TRUE;
    }
    return 0;
}

void ColorBox::SetFont(HFONT font) const {
    Control::SetFont(font);
    // A new font makes some combo boxes measure their field by the text again (Wine's
    // does), which would leave the field at the font's height instead of an entry's.
    KeepItemHeight();
}

void ColorBox::KeepItemHeight() const {
    Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
    Send(CB_SETITEMHEIGHT, 0, itemHeight_);
}

void ColorBox::Populate(std::vector<core::TIdentMapEntry> entries) {
    if (Populated()) return;
    entries_ = std::move(entries);
    for (const core::TIdentMapEntry& entry : entries_) {
        const std::wstring name = core::WidenAscii(entry.name);
        Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

bool ColorBox::HasSelection() const {
    return Send(CB_GETCURSEL) != CB_ERR;
}

core::TColor ColorBox::Selected() const {
    const LRESULT index = Send(CB_GETCURSEL);
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return 0;
    return entries_[static_cast<std::size_t>(index)].value;
}

void ColorBox::SetSelected(core::TColor color) {
    const auto found =
        std::find_if(entries_.begin(), entries_.end(),
                     [color](const core::TIdentMapEntry& e) { return e.value == color; });
    const WPARAM index = found == entries_.end() ? static_cast<WPARAM>(-1)
                                                 : static_cast<WPARAM>(found - entries_.begin());
    Send(CB_SETCURSEL, index);
}

void ColorBox::DrawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= entries_.size()) {
        if ((item.itemState & ODS_FOCUS) && (item.itemState & ODS_COMBOBOXEDIT)) {
            DrawFocusRect(dc, &r);
        }
        return;
    }
    const core::TIdentMapEntry& entry = entries_[item.itemID];

    // The swatch: an entry's left square inset by a pixel, its outer ring the frame. The
    // closed field may be a little higher than an entry; there it stands in the middle.
    const COLORREF rgb = ColorToRGB(entry.value);
    const COLORREF frame = core::SwatchFrameColor(rgb, selected);
    const int side = itemHeight_ - 2;
    const int top = r.top + std::max(1, static_cast<int>(r.bottom - r.top - side) / 2);
    const RECT swatch = {r.left + 1, top, r.left + 1 + side, top + side};
    {
        Unique<HGDIOBJ, GdiTraits> pen(CreatePen(PS_SOLID, 1, frame));
        Unique<HGDIOBJ, GdiTraits> brush(CreateSolidBrush(rgb));
        SelectGuard selectPen(dc, pen.get());
        SelectGuard selectBrush(dc, brush.get());
        Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
    }

    RECT text = r;
    text.left = swatch.right + 5;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor =
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, core::WidenAscii(entry.name).c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    if ((item.itemState & ODS_FOCUS) && (item.itemState & ODS_COMBOBOXEDIT)) {
        DrawFocusRect(dc, &r);
    }
}

bool ColorBox::OnChar(wchar_t c, DWORD time) {
    if (c < L' ') return false;
    // The names are ASCII: a character beyond it is kept as one that matches none of them.
    const std::string& typed = search_.Add(c < 0x80 ? static_cast<char>(c) : '\x7F', time);
    const auto found = core::FindByPrefix(entries_, typed);
    if (found && Send(CB_GETCURSEL) != static_cast<LRESULT>(*found)) {
        // Selecting from here raises no CBN_SELCHANGE, so the change is reported here.
        Send(CB_SETCURSEL, static_cast<WPARAM>(*found));
        if (events.onChange) events.onChange();
    }
    return true;
}

LRESULT ColorBox::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR &&
        OnChar(static_cast<wchar_t>(wParam), static_cast<DWORD>(GetMessageTime()))) {
        return 0;
    }
    return CallControl(message, wParam, lParam);
}

}  // namespace ui
