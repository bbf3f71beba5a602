#include "ui/rich_edit.h"

#include <windows.h>

#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "ui/color.h"
#include "ui/error.h"
#include "ui/fonts.h"
#include "ui/handles.h"
#include "ui/libraries.h"
#include "ui/text.h"

namespace ui {
namespace {

bool IsTypedCharacter(UINT message) {
    return message == WM_CHAR || message == WM_IME_CHAR;
}

}  // namespace

void RichEdit::Create(HWND parent, const LayoutRow& row) {
    library_ = LoadSystemLibrary(L"riched32.dll");
    if (!library_) ThrowLastError("LoadLibraryExW(riched32.dll)");
    DWORD style =
        WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | row.style;
    if (row.visible) style |= WS_VISIBLE;
    Control::Create({L"RICHEDIT", L"", style, 0, row.bounds, parent, row.id});
    // The class is an ANSI one: typed characters would reach it as bytes of the system's
    // code page, and Chinese typed on any other code page would be lost. Subclassed, it is a
    // Unicode window: it gets them as UTF-16, and hands those beyond ASCII to the control
    // whole.
    if (Subclass()) takesCodePoints_ = CallControl(WM_UNICHAR, UNICODE_NOCHAR, 0) == TRUE;
    Send(EM_SETEVENTMASK, 0, ENM_CHANGE);
    Send(EM_EXLIMITTEXT, 0, 0);      // the control's default of 64K characters
    Send(EM_SETTARGETDEVICE, 0, 1);  // no word wrap
    SetBackground(ColorToRGB(row.color));
    font_ = row.font;
    if (row.font) {
        SetFont(row.font);
        SetDefaultFormat(row.font);
    }
}

// The font is the default for all text; its character set is the system's, so that text in
// the system's code page is shown in it.
void RichEdit::SetDefaultFormat(HFONT font) const {
    LOGFONTW logFont = {};
    GetObjectW(font, sizeof logFont, &logFont);
    CHARFORMATW format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC |
                    CFM_UNDERLINE | CFM_STRIKEOUT;
    format.dwEffects = CFE_AUTOCOLOR;
    format.yHeight = core::HeightToPoints(logFont.lfHeight, ScreenDpi()) * 20;
    CHARSETINFO info = {};
    TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info,
                         TCI_SRCCODEPAGE);
    format.bCharSet = static_cast<BYTE>(info.ciCharset);
    lstrcpynW(format.szFaceName, logFont.lfFaceName, LF_FACESIZE);
    Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    Send(EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

LRESULT RichEdit::Reflect(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        if (events.onChange) events.onChange();
    } else if (message == WM_NOTIFY && events.onNotify) {
        events.onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    }
    return 0;
}

LRESULT RichEdit::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    MouseArgs args;
    if (MouseActionOf(message) == MouseAction::Down && CrackMouseMessage(message, lParam, args)) {
        const LRESULT result = CallControl(message, wParam, lParam);
        if (events.onMouseDown) events.onMouseDown(args);
        return result;
    }
    if (takesCodePoints_) {
        if (IsTypedCharacter(message)) return OnTypedCharacter(wParam, lParam);
        if (message == WM_GETTEXT) return TextInto(static_cast<std::size_t>(wParam), lParam);
        if (message == WM_GETTEXTLENGTH) return TextLength();
    }
    switch (message) {
    case WM_CONTEXTMENU:
        if (events.onContextMenu) events.onContextMenu(lParam);
        return 0;
    case WM_GETDLGCODE: {
        // Tab moves the focus as in a dialog; Enter still starts a new line. Tabbing into the
        // editor must not select the whole note, which the next key would then replace.
        LRESULT code = CallControl(message, wParam, lParam);
        code &= ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_HASSETSEL);
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
            msg->wParam == VK_RETURN) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    }
    return CallControl(message, wParam, lParam);
}

// A character beyond ASCII goes to the control as one code point (WM_UNICHAR), the two
// halves of a surrogate pair together; it takes it as it takes a typed one (undo, selection,
// the format at the caret, the change notification).
LRESULT RichEdit::OnTypedCharacter(WPARAM unit, LPARAM lParam) {
    const auto c = static_cast<wchar_t>(unit);
    const wchar_t high = std::exchange(highSurrogate_, L'\0');
    if (IS_HIGH_SURROGATE(c)) {
        highSurrogate_ = c;
        return 0;
    }
    if (IS_LOW_SURROGATE(c)) {
        if (!high) return 0;  // half a character is none
        const auto codePoint =
            static_cast<WPARAM>(0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00));
        return CallControl(WM_UNICHAR, codePoint, lParam);
    }
    if (c < 0x80) return CallControl(WM_CHAR, unit, lParam);
    return CallControl(WM_UNICHAR, unit, lParam);
}

// The text asked for by other programs (screen readers, automation) as what the control
// holds: the control's own answer would pass through the system's code page.
LRESULT RichEdit::TextInto(std::size_t capacity, LPARAM buffer) {
    if (capacity == 0 || !buffer) return 0;
    GETTEXTEX request = {};
    request.cb = static_cast<DWORD>(std::min<std::size_t>(capacity, 0x3FFFFFFF) * sizeof(wchar_t));
    request.flags = GT_DEFAULT;
    request.codepage = 1200;  // UTF-16
    return CallControl(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request), buffer);
}

LRESULT RichEdit::TextLength() {
    GETTEXTLENGTHEX request = {GTL_PRECISE | GTL_NUMCHARS, 1200};
    return CallControl(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&request), 0);
}

POINT RichEdit::ContextMenuPoint(LPARAM screenPosition) const {
    POINT at = {GET_X_LPARAM(screenPosition), GET_Y_LPARAM(screenPosition)};
    if (at.x != -1 || at.y != -1) return at;
    // The Rich Edit 1.0 form: the point comes back through wParam, the index goes in lParam.
    POINTL caret = {};
    Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), Selection().cpMin);
    at = {caret.x, caret.y};
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!PtInRect(&client, at)) at = {client.left, client.top};
    ClientToScreen(hwnd_, &at);
    return at;
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

std::wstring RichEdit::SelectedText() const {
    const CHARRANGE range = Selection();
    const LONG length = range.cpMax - range.cpMin;
    if (length <= 0) return {};
    // As UTF-16, whatever the system's code page can spell of it.
    std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1);
    GETTEXTEX request = {};
    request.cb = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
    request.flags = GT_SELECTION;
    request.codepage = 1200;  // UTF-16
    const LRESULT got = Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                             reinterpret_cast<LPARAM>(wide.data()));
    if (got > 0) return std::wstring(wide.data(), static_cast<std::size_t>(got));
    // A control that knows only the first version's messages: its text in the code page.
    std::vector<char> bytes(static_cast<std::size_t>(length) * 2 + 1);
    const LRESULT taken = Send(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(bytes.data()));
    return FromAnsi(
        std::string_view(bytes.data(), static_cast<std::size_t>(taken > 0 ? taken : 0)));
}

// A bar put up here has an empty range until the editor gives it the note's extent; one
// that keeps it was not needed.
constexpr struct {
    int bar;
    LONG style;
} kScrollBars[] = {{SB_HORZ, WS_HSCROLL}, {SB_VERT, WS_VSCROLL}};

void RichEdit::PrepareScrollBarsFor(const core::NoteExtent& extent) const {
    RECT window;
    GetWindowRect(hwnd_, &window);  // the client area without bars: the control has no border
    TEXTMETRICW metrics = {};
    {
        const WindowDC dc(hwnd_);
        const SelectGuard select(dc.get(), font_ ? font_ : GetStockObject(SYSTEM_FONT));
        GetTextMetricsW(dc.get(), &metrics);
    }
    const core::ScrollBars bars =
        core::PredictScrollBars(extent, {window.right - window.left, window.bottom - window.top},
                                {metrics.tmAveCharWidth, metrics.tmHeight},
                                {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)});
    const bool wanted[] = {bars.horizontal, bars.vertical};
    for (std::size_t i = 0; i < std::size(kScrollBars); ++i) {
        if (!wanted[i]) continue;
        SetScrollRange(hwnd_, kScrollBars[i].bar, 0, 0, FALSE);
        ShowScrollBar(hwnd_, kScrollBars[i].bar, TRUE);
    }
}

void RichEdit::FitScrollBars() const {
    for (const auto& scrollBar : kScrollBars) {
        if (!(GetWindowLongW(hwnd_, GWL_STYLE) & scrollBar.style)) continue;
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE;
        if (GetScrollInfo(hwnd_, scrollBar.bar, &info) && info.nMin == 0 && info.nMax == 0) {
            ShowScrollBar(hwnd_, scrollBar.bar, FALSE);
        }
    }
}

}  // namespace ui
