// The About window: the program's name, version and maker with contact fields that can be
// selected and copied, and a close button, shown modally over the disabled note.
#include "about/frm_about.h"

#include <windows.h>

#include <algorithm>

#include "about/about_ids.h"
#include "about/maker.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "version.h"

#include "resource.h"

namespace notes {
namespace {

// Laid out at 96 dpi with the 13-pixel text of the window font; scaled like the note.
constexpr int kClientWidth = 287;
constexpr int kClientHeight = 232;
// Where the layout put the window; it is centred on the screen when it is made.
constexpr core::Rect kWindowBounds = {576, 295, kClientWidth, kClientHeight};
constexpr DWORD kWindowStyle =
    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

constexpr core::Rect kLabel4 = {8, 16, 113, 13};
constexpr core::Rect kLabel1 = {40, 40, 48, 13};
constexpr core::Rect kEdit1 = {93, 39, 60, 14};
constexpr core::Rect kLabel2 = {40, 64, 48, 13};
constexpr core::Rect kEdit2 = {93, 63, 60, 14};
constexpr core::Rect kLabel3 = {59, 88, 28, 13};
constexpr core::Rect kEdit5 = {93, 87, 148, 14};
constexpr core::Rect kLabel5 = {23, 112, 64, 13};
constexpr core::Rect kEdit6 = {93, 111, 84, 14};
constexpr core::Rect kLabel6 = {27, 135, 60, 13};
constexpr core::Rect kEdit7 = {93, 135, 116, 14};
constexpr core::Rect kEdit3 = {37, 159, 196, 14};
constexpr core::Rect kBtnClose = {104, 192, 75, 25};
constexpr int kMargin = 8;     // the layout's distance of the title from the window's edge
constexpr int kCaretRoom = 2;  // beyond the text, so that its end is not scrolled off

}  // namespace

TfrmAbout::~TfrmAbout() {
    // Children die with the window, before the member objects that wrap them.
    Destroy();
}

void TfrmAbout::CreateHandle() {
    // The window font follows the screen's density, and the layout the font's height.
    ui::FontLook look = ui::WindowFontAt(ui::ScreenDpi());
    font_ = ui::MakeFont(look);
    scale_ = ui::LayoutScaleOf(font_.get());
    look.bold = true;
    titleFont_ = ui::MakeFont(look);

    const std::wstring className = core::WidenAscii(kAboutWindowClassName);
    WNDCLASSEXW wc = {};
    wc.style = CS_DBLCLKS;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = className.c_str();
    RegisterClassOnce(wc);

    RECT frame = {0, 0, scale_.Apply(kClientWidth), scale_.Apply(kClientHeight)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
    const core::Rect bounds = {kWindowBounds.left, kWindowBounds.top, frame.right - frame.left,
                               frame.bottom - frame.top};
    CreateForm({className.c_str(), L"", kWindowStyle, kWindowExStyle, bounds,
                ui::Application::Current().Handle()});
    // The application icon in the caption and wherever the system shows the window.
    const HINSTANCE instance = ui::Application::Current().Instance();
    Send(WM_SETICON, ICON_BIG,
         reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAINICON), IMAGE_ICON,
                                             0, 0, LR_DEFAULTSIZE | LR_SHARED)));
    smallIcon_ = ui::Application::Current().LoadSmallIcon(IDI_MAINICON);
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    CreateChildren(Layout(), scale_, kClientWidth);
    FormCreate();
    SizeToText();
    ui::Application::Current().AddDialogWindow(hwnd_);
    // Centred once; later showings keep the place where it was closed.
    const core::Rect b = Bounds();
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - b.width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - b.height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every control of the window, at 96 dpi; their texts come with FormCreate.
std::vector<ui::Child> TfrmAbout::Layout() {
    const auto row = [this](int id, core::Rect bounds) {
        return ui::LayoutRow{.id = id, .bounds = bounds, .font = font_.get()};
    };
    ui::LayoutRow title = row(IDC_ABOUT_LABEL4, kLabel4);
    title.font = titleFont_.get();
    return {
        {&Label4, title},
        {&Label1, row(IDC_ABOUT_LABEL1, kLabel1)},
        {&Edit1, row(IDC_ABOUT_EDIT1, kEdit1)},
        {&Label2, row(IDC_ABOUT_LABEL2, kLabel2)},
        {&Edit2, row(IDC_ABOUT_EDIT2, kEdit2)},
        {&Label3, row(IDC_ABOUT_LABEL3, kLabel3)},
        {&Edit5, row(IDC_ABOUT_EDIT5, kEdit5)},
        {&Label5, row(IDC_ABOUT_LABEL5, kLabel5)},
        {&Edit6, row(IDC_ABOUT_EDIT6, kEdit6)},
        {&Label6, row(IDC_ABOUT_LABEL6, kLabel6)},
        {&Edit7, row(IDC_ABOUT_EDIT7, kEdit7)},
        {&Edit3, row(IDC_ABOUT_EDIT3, kEdit3)},
        {&btnClose, row(IDC_ABOUT_BTNCLOSE, kBtnClose), {.onClick = [this] { btnCloseClick(); }}},
    };
}

void TfrmAbout::FormCreate() {
    using ui::FromGbk;
    SetText(FromGbk("关于"));
    Label1.SetText(FromGbk("版本号："));
    Label2.SetText(FromGbk("开发者："));
    Label3.SetText(FromGbk("QQ："));
    Label5.SetText(FromGbk("QQ讨论群："));
    Label6.SetText(FromGbk("网站支持："));
    Label4.SetText(FromGbk("Velnor桌面记事贴"));
    Edit1.SetText(FromGbk(NOTES_VERSION_TEXT));
    Edit2.SetText(FromGbk(kMakerName));
    Edit5.SetText(FromGbk(kMakerContactNumbers));
    Edit6.SetText(FromGbk(kMakerGroupNumber));
    Edit7.SetText(FromGbk(kMakerSiteAddress));
    Edit3.SetText(FromGbk(kRightsNotice));
    btnClose.SetText(FromGbk("关闭"));
}

void TfrmAbout::SizeToText() {
    // The captions before the value fields fit their text and keep their right edges where
    // the layout put them, so they stand right-aligned whatever the font makes of them.
    for (ui::Label* label : {&Label1, &Label2, &Label3, &Label5, &Label6}) {
        core::Rect bounds = label->Bounds();
        const int width = ui::TextExtent(font_.get(), label->Text()).cx;
        bounds.left = bounds.Right() - width;
        bounds.width = width;
        label->SetBounds(bounds);
    }
    // A value is shown whole: a field that a wider font leaves too narrow grows to the
    // right, as far as the window's margin.
    RECT client = {};
    GetClientRect(hwnd_, &client);
    const int limit = client.right - scale_.Apply(kMargin);
    for (ui::ValueField* field : {&Edit1, &Edit2, &Edit5, &Edit6, &Edit7, &Edit3}) {
        core::Rect bounds = field->Bounds();
        const auto margins = static_cast<DWORD>(field->Send(EM_GETMARGINS));
        const int needed = ui::TextExtent(font_.get(), field->Text()).cx + LOWORD(margins) +
                           HIWORD(margins) + kCaretRoom;
        if (needed <= bounds.width) continue;
        bounds.width = std::max(bounds.width, std::min(needed, limit - bounds.left));
        field->SetBounds(bounds);
    }
}

void TfrmAbout::btnCloseClick() {
    Close();
}

// Enter reaches the window as IDOK since it has no default button; it presses the button
// only when that has the focus. Escape (IDCANCEL) does nothing: there is no cancel button.
void TfrmAbout::OnCommand(UINT id) {
    if (id == IDOK && GetFocus() == btnClose.hwnd()) btnCloseClick();
}

LRESULT TfrmAbout::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        // Labels and read-only fields alike stand on the window's own colour.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return Form::OnMessage(message, wParam, lParam);
}

}  // namespace notes
