#include "ui/font_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>

#include "core/geometry.h"
#include "ui/application.h"
#include "ui/color.h"
#include "ui/fonts.h"
#include "ui/libraries.h"

namespace ui {
namespace {

// The dialog's drop-down lists of scripts and colours (cmb5 and cmb4 of dlgs.h).
constexpr int kScriptList = 1140;
constexpr int kColorList = 1139;
constexpr wchar_t kStateProperty[] = L"VelnorNotes.FontDialog";

struct HookState {
    HWND placeOn;
    DialogPicks picks;
};

bool SameFace(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Centred across the monitor of `window` and a third of the free height down, without
// resizing, activating or changing the z-order.
void PlaceOnMonitorOf(HWND dialog, HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    RECT bounds = {};
    if (!GetWindowRect(dialog, &bounds)) return;
    const RECT& m = monitor.rcMonitor;
    const core::Point at =
        core::CentreThirdDown({m.left, m.top, m.right - m.left, m.bottom - m.top},
                              bounds.right - bounds.left, bounds.bottom - bounds.top);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT_PTR CALLBACK DialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* state =
            reinterpret_cast<HookState*>(reinterpret_cast<const CHOOSEFONTW*>(lParam)->lCustData);
        SetPropW(dialog, kStateProperty, state);
        PlaceOnMonitorOf(dialog, state->placeOn);
        return TRUE;  // the dialog sets the focus as usual
    }
    auto* state = static_cast<HookState*>(GetPropW(dialog, kStateProperty));
    if (!state) return 0;
    switch (message) {
    case WM_COMMAND:
        // CBN_SELENDOK comes only from a user's pick, not from the dialog filling the lists.
        if (HIWORD(wParam) == CBN_SELENDOK) {
            if (LOWORD(wParam) == kScriptList) state->picks.script = true;
            if (LOWORD(wParam) == kColorList) state->picks.color = true;
        }
        break;
    case WM_DESTROY: RemovePropW(dialog, kStateProperty); break;
    }
    return 0;
}

// Topmost windows of the program (the note) would cover the dialog, which is not topmost.
class TopMostsNormalized {
public:
    explicit TopMostsNormalized(Application& app) : app_(app) { app_.NormalizeTopMosts(); }
    TopMostsNormalized(const TopMostsNormalized&) = delete;
    TopMostsNormalized& operator=(const TopMostsNormalized&) = delete;
    ~TopMostsNormalized() { app_.RestoreTopMosts(); }

private:
    Application& app_;
};

}  // namespace

int DialogFont::Size() const {
    return core::HeightToPoints(height, pixelsPerInch);
}

void DialogFont::SetSize(int points) {
    height = core::PointsToHeight(points, pixelsPerInch);
}

LOGFONTW DialogFont::ToLogFont() const {
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style.italic;
    font.lfUnderline = style.underline;
    font.lfStrikeOut = style.strikeOut;
    font.lfCharSet = charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    std::wmemcpy(font.lfFaceName, name.data(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1));
    return font;
}

void DialogFont::Accept(const LOGFONTW& chosen, COLORREF chosenColor, const DialogPicks& picks) {
    const std::wstring face = FaceName(chosen.lfFaceName);
    const bool otherFace = !SameFace(face, FaceName(ToLogFont().lfFaceName));
    name = face;
    height = chosen.lfHeight;
    style = {.bold = chosen.lfWeight > FW_NORMAL,
             .italic = chosen.lfItalic != 0,
             .underline = chosen.lfUnderline != 0,
             .strikeOut = chosen.lfStrikeOut != 0};
    if (picks.script || otherFace) charset = chosen.lfCharSet;
    if (picks.color) color = static_cast<core::TColor>(chosenColor & 0x00FFFFFF);
}

bool FontDialog::Execute(HWND owner, HWND fallback) {
    HWND active = GetActiveWindow();
    if (!active || active == owner || !IsWindowVisible(active)) active = fallback;

    LOGFONTW chosen = font.ToLogFont();
    HookState state = {active, {}};
    CHOOSEFONTW options = {};
    options.lStructSize = sizeof options;
    options.hwndOwner = owner;
    options.lpLogFont = &chosen;
    options.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | CF_EFFECTS;
    options.rgbColors = ColorToRGB(font.color);
    options.lCustData = reinterpret_cast<LPARAM>(&state);
    options.lpfnHook = &DialogHook;

    // A dialog that cannot be shown is a dialog the user did not confirm: as Cancel, and
    // nothing to report, just as when the dialog itself fails.
    if (!commonDialogs_) commonDialogs_ = LoadSystemLibrary(L"comdlg32.dll");
    if (!commonDialogs_) return false;
    using ChooseFontFn = BOOL(WINAPI*)(LPCHOOSEFONTW);
    const auto chooseFont = reinterpret_cast<ChooseFontFn>(
        reinterpret_cast<void*>(GetProcAddress(commonDialogs_.get(), "ChooseFontW")));
    if (!chooseFont) return false;

    Application& app = Application::Current();
    const BOOL ok = app.RunTaskModal([&] {
        TopMostsNormalized topMosts(app);
        return chooseFont(&options);
    });
    if (!ok) return false;
    font.Accept(chosen, options.rgbColors, state.picks);
    return true;
}

}  // namespace ui
