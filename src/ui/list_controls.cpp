#include "ui/list_controls.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "ui/color.h"
#include "ui/error.h"
#include "ui/handles.h"

namespace ui {
namespace {
constexpr UINT_PTR kSubclassId = 1;
constexpr DWORD kIncrementalSearchPause = 500;  // ms between letters of one search

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return CharUpperA(reinterpret_cast<LPSTR>(static_cast<unsigned char>(a))) ==
               CharUpperA(reinterpret_cast<LPSTR>(static_cast<unsigned char>(b)));
    });
}
}  // namespace

void TrackBar::Create(HWND parent, int id, const core::Rect& bounds, const Options& options) {
    min_ = options.min;
    max_ = options.max;
    position_ = std::clamp(options.position, min_, max_);
    Control::Create({TRACKBAR_CLASSA, "",
                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, 0, bounds, parent,
                     id});
    Send(TBM_SETRANGEMIN, FALSE, min_);
    Send(TBM_SETRANGEMAX, FALSE, max_);
    Send(TBM_SETLINESIZE, 0, options.lineSize);
    Send(TBM_SETPAGESIZE, 0, options.pageSize);
    Send(TBM_SETPOS, TRUE, position_);
}

void TrackBar::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    if (hwnd_) Send(TBM_SETPOS, TRUE, position_);
    if (onChange) onChange();
}

void TrackBar::OnScroll() {
    position_ = static_cast<int>(Send(TBM_GETPOS));
    if (onChange) onChange();
}

void ColorBox::Create(HWND parent, int id, const core::Rect& bounds, int itemHeight,
                      int dropDownCount) {
    itemHeight_ = itemHeight;
    // A drop-down list's window height includes its list: room for `dropDownCount` entries.
    core::Rect withList = bounds;
    withList.height = bounds.height + dropDownCount * itemHeight + 2;
    Control::Create({"COMBOBOX", "",
                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                         CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                     0, withList, parent, id});
    Send(CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount));
    SetWindowSubclass(hwnd_, &ColorBox::SubclassProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

void ColorBox::Populate(const std::vector<Entry>& entries) {
    if (Populated()) return;
    entries_ = entries;
    for (const Entry& entry : entries_) {
        Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    }
}

bool ColorBox::HasSelection() const {
    return Send(CB_GETCURSEL) != CB_ERR;
}

core::TColor ColorBox::Selected() const {
    const LRESULT index = Send(CB_GETCURSEL);
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return 0;
    return entries_[static_cast<std::size_t>(index)].color;
}

void ColorBox::SetSelected(core::TColor color) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [color](const Entry& e) { return e.color == color; });
    const WPARAM index = found == entries_.end() ? static_cast<WPARAM>(-1)
                                                 : static_cast<WPARAM>(found - entries_.begin());
    Send(CB_SETCURSEL, index);
}

void ColorBox::DrawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= entries_.size()) return;
    const Entry& entry = entries_[item.itemID];

    // The swatch: a square one entry high, inset by a pixel, framed by a 1-pixel pen.
    const COLORREF rgb = ColorToRGB(entry.color);
    const bool light = GetRValue(rgb) > 192 || GetGValue(rgb) > 192 || GetBValue(rgb) > 192;
    const COLORREF frame = light ? RGB(0, 0, 0) : selected ? RGB(255, 255, 255) : rgb;
    const int side = (r.bottom - r.top) - 2;
    RECT swatch = {r.left + 1, r.top + 1, r.left + 1 + side, r.top + 1 + side};
    {
        Unique<HGDIOBJ, GdiTraits> pen(CreatePen(PS_SOLID, 1, frame));
        Unique<HGDIOBJ, GdiTraits> brush(CreateSolidBrush(rgb));
        SelectGuard selectPen(dc, pen.get());
        SelectGuard selectBrush(dc, brush.get());
        Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
    }

    RECT text = r;
    text.left = swatch.right + 5;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) && (item.itemState & ODS_COMBOBOXEDIT)) {
        DrawFocusRect(dc, &r);
    }
}

bool ColorBox::OnChar(char c, DWORD time) {
    if (static_cast<unsigned char>(c) < ' ') return false;
    if (time - lastKeyTime_ > kIncrementalSearchPause) typed_.clear();
    lastKeyTime_ = time;
    typed_ += c;
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return StartsWithNoCase(e.name, typed_);
    });
    if (found != entries_.end()) {
        const auto index = static_cast<LRESULT>(found - entries_.begin());
        if (Send(CB_GETCURSEL) != index) {
            Send(CB_SETCURSEL, static_cast<WPARAM>(index));
            if (onChange) onChange();
        }
    }
    return true;
}

LRESULT CALLBACK ColorBox::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<ColorBox*>(refData);
    switch (message) {
    case WM_CHAR:
        try {
            if (self->OnChar(static_cast<char>(wParam), static_cast<DWORD>(GetMessageTime()))) {
                return 0;
            }
        } catch (...) {
            ReportCurrentException();
            return 0;
        }
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(hwnd, &ColorBox::SubclassProc, kSubclassId); break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace ui
