#include "ui/controls.h"

#include <windows.h>

#include <windowsx.h>

#include "ui/color.h"
#include "ui/text.h"

namespace ui {
namespace {

constexpr wchar_t kPanelClass[] = L"VelnorNotesPanel";
constexpr wchar_t kSpeedButtonClass[] = L"VelnorNotesButton";

bool IsForwardedNotification(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: return true;
    default: return false;
    }
}

}  // namespace

MouseAction MouseActionOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: return MouseAction::Down;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: return MouseAction::Up;
    case WM_MOUSEMOVE: return MouseAction::Move;
    default: return MouseAction::None;
    }
}

bool CrackMouseMessage(UINT message, LPARAM lParam, MouseArgs& args) {
    if (MouseActionOf(message) == MouseAction::None) return false;
    args.x = GET_X_LPARAM(lParam);
    args.y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: args.button = MouseButton::Right; break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: args.button = MouseButton::Middle; break;
    default: args.button = MouseButton::Left; break;
    }
    return true;
}

LRESULT Component::Reflect(UINT, WPARAM, LPARAM) {
    return 0;
}

void Panel::Create(HWND parent, const LayoutRow& row) {
    WNDCLASSEXW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = kPanelClass;
    RegisterClassOnce(wc);
    raised_ = row.raised;
    color_ = row.color;
    brush_.reset(CreateSolidBrush(ColorToRGB(color_)));
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | row.style;
    if (row.visible) style |= WS_VISIBLE;
    Window::Create({kPanelClass, FromGbk(row.caption), style, 0, row.bounds, parent, row.id});
}

void Panel::SetColor(core::TColor color) {
    color_ = color;
    brush_.reset(CreateSolidBrush(ColorToRGB(color_)));
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Panel::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, brush_.get());
    if (raised_) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    EndPaint(hwnd_, &ps);
}

LRESULT Panel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    MouseArgs args;
    if (CrackMouseMessage(message, lParam, args)) {
        switch (MouseActionOf(message)) {
        case MouseAction::Down:
            if (args.button == MouseButton::Left) SetCapture(hwnd_);
            if (events.onMouseDown) events.onMouseDown(args);
            return 0;
        case MouseAction::Up:
            if (args.button == MouseButton::Left && GetCapture() == hwnd_) ReleaseCapture();
            if (events.onMouseUp) events.onMouseUp(args);
            return 0;
        case MouseAction::Move:
            if (events.onMouseMove) events.onMouseMove(args);
            return 0;
        case MouseAction::None: break;
        }
    }
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: OnPaint(); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, ColorToRGB(color_));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(brush_.get());
    }
    case WM_CANCELMODE:
        if (GetCapture() == hwnd_) ReleaseCapture();
        return 0;
    }
    if (IsForwardedNotification(message)) {
        return SendMessageW(GetParent(hwnd_), message, wParam, lParam);
    }
    return Window::OnMessage(message, wParam, lParam);
}

void SpeedButton::Create(HWND parent, const LayoutRow& row) {
    WNDCLASSEXW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = kSpeedButtonClass;
    RegisterClassOnce(wc);
    flat_ = row.flat;
    groupIndex_ = row.groupIndex;
    down_ = row.down;
    cursor_ = row.cursor;
    font_ = row.font;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | row.style;
    if (row.visible) style |= WS_VISIBLE;
    Window::Create({kSpeedButtonClass, FromGbk(row.caption), style, 0, row.bounds, parent, row.id});
}

void SpeedButton::SetDown(bool down) {
    if (down_ == down) return;
    down_ = down;
    Invalidate();
}

void SpeedButton::SetHot(bool hot) {
    if (hot_ == hot) return;
    hot_ = hot;
    if (hot) {
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = hwnd_;
        TrackMouseEvent(&tme);
    }
    Invalidate();
}

void SpeedButton::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT r;
    GetClientRect(hwnd_, &r);
    // The background is the parent's colour, which it hands out as for a button.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd_), WM_CTLCOLORBTN,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(hwnd_)));
    FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));

    const bool sunken = down_ || (pressed_ && pointerInside_);
    if (sunken) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    } else if (!flat_ || hot_) {
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }

    wchar_t caption[16] = {};
    const int length = GetWindowTextW(hwnd_, caption, sizeof caption / sizeof caption[0]);
    if (length > 0) {
        SelectGuard font(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        if (sunken) OffsetRect(&r, 1, 1);
        DrawTextW(dc, caption, length, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    }
    EndPaint(hwnd_, &ps);
}

LRESULT SpeedButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    MouseArgs args;
    if (CrackMouseMessage(message, lParam, args)) {
        RECT client;
        GetClientRect(hwnd_, &client);
        pointerInside_ = PtInRect(&client, POINT{args.x, args.y}) != FALSE;
        switch (MouseActionOf(message)) {
        case MouseAction::Down:
            if (args.button == MouseButton::Left) {
                SetCapture(hwnd_);
                pressed_ = true;
                Invalidate();
            }
            if (events.onMouseDown) events.onMouseDown(args);
            return 0;
        case MouseAction::Move:
            SetHot(pointerInside_);
            if (pressed_) Invalidate();
            if (events.onMouseMove) events.onMouseMove(args);
            return 0;
        case MouseAction::Up: {
            const bool click = args.button == MouseButton::Left && pressed_ && pointerInside_;
            if (args.button == MouseButton::Left) {
                pressed_ = false;
                if (GetCapture() == hwnd_) ReleaseCapture();
                Invalidate();
            }
            if (events.onMouseUp) events.onMouseUp(args);
            if (click) {
                if (groupIndex_ != 0) SetDown(true);
                if (events.onClick) events.onClick();
            }
            return 0;
        }
        case MouseAction::None: break;
        }
    }
    switch (message) {
    case WM_MOUSELEAVE: SetHot(false); return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        if (message == WM_CANCELMODE && GetCapture() == hwnd_) ReleaseCapture();
        if (pressed_) {
            pressed_ = false;
            Invalidate();
        }
        return 0;
    case WM_SETCURSOR:
        if (cursor_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: OnPaint(); return 0;
    case WM_SETTEXT: {
        const LRESULT result = Window::OnMessage(message, wParam, lParam);
        Invalidate();
        return result;
    }
    }
    return Window::OnMessage(message, wParam, lParam);
}

void Label::Create(HWND parent, const LayoutRow& row) {
    DWORD style = WS_CHILD | SS_LEFT | SS_NOPREFIX | row.style;
    if (row.visible) style |= WS_VISIBLE;
    Control::Create({L"STATIC", FromGbk(row.caption), style, 0, row.bounds, parent, row.id});
    if (row.font) SetFont(row.font);
}

void Image::Create(HWND parent, const LayoutRow& row) {
    DWORD style = WS_CHILD | SS_ICON | row.style;
    if (row.visible) style |= WS_VISIBLE;
    Control::Create({L"STATIC", L"", style, 0, row.bounds, parent, row.id});
    if (row.icon) Send(STM_SETICON, reinterpret_cast<WPARAM>(row.icon));
}

// Borderless, read-only and out of the Tab order, yet its text can be selected.
void ValueField::Create(HWND parent, const LayoutRow& row) {
    DWORD style = WS_CHILD | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | row.style;
    if (row.visible) style |= WS_VISIBLE;
    Control::Create({L"EDIT", FromGbk(row.caption), style, 0, row.bounds, parent, row.id});
    if (row.font) SetFont(row.font);
}

void PushButton::Create(HWND parent, const LayoutRow& row) {
    DWORD style = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | row.style;
    if (row.visible) style |= WS_VISIBLE;
    Control::Create({L"BUTTON", FromGbk(row.caption), style, 0, row.bounds, parent, row.id});
    if (row.font) SetFont(row.font);
}

LRESULT PushButton::Reflect(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && events.onClick) events.onClick();
    return 0;
}

}  // namespace ui
