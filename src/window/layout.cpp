// The note window's layout: its components with their bounds, fonts and colours at 96 dpi
// (scaled to the screen), InitWindow, which completes it at start-up, and FormResize,
// which keeps the top-bar buttons at the right edge.
#include <windows.h>

#include <commctrl.h>

#include <array>

#include "core/color.h"
#include "ui/application.h"
#include "ui/error.h"
#include "window/frm_main.h"
#include "window/ids.h"

#include "resource.h"

using namespace notes;

namespace {

constexpr int kLayoutWidth = 311;
constexpr int kLayoutHeight = 303;
constexpr core::Rect kWindowBounds = {471, 202, kLayoutWidth, kLayoutHeight};
constexpr char kWindowTitle[] = "Velnor桌面便签";

constexpr core::Rect kImage1 = {176, 192, 16, 16};
constexpr core::Rect kREMemo = {0, 33, 97, 96};
constexpr core::Rect kPanel1 = {0, 17, 3, 283};
constexpr core::Rect kPanel2 = {308, 17, 3, 283};
constexpr core::Rect kPanel3 = {0, 0, 311, 17};
constexpr core::Rect kPanel4 = {0, 300, 311, 3};
constexpr core::Rect kPnlAlpha = {32, 97, 265, 28};
constexpr core::Rect kLabel1 = {19, 5, 45, 17};
constexpr core::Rect kTrackBar1 = {64, 2, 193, 23};
constexpr core::Rect kPnlBgColor = {43, 98, 233, 28};
constexpr core::Rect kLabel2 = {16, 5, 45, 17};
constexpr core::Rect kColorBox1 = {71, 3, 145, 22};
constexpr int kColorItemHeight = 16;
constexpr int kColorDropDownCount = 8;

// Small buttons of the top bar: 10 x 10 at top 3; the ones at the right edge keep their
// distance from it when the window is resized.
constexpr int kButtonTop = 3;
constexpr int kButtonSize = 10;
constexpr int kDragLeft = 3;
constexpr int kCloseLeft = 294;
constexpr int kHideLeft = 283;
constexpr int kTopLeft = 272;
constexpr int kTopHideLeft = 260;
constexpr int kSiteLeft = 255;

constexpr core::Rect ButtonAt(int left) {
    return {left, kButtonTop, kButtonSize, kButtonSize};
}

// The editor menu, in order; a caption of "-" is a separator.
constexpr ui::MenuItemDesc kEditMenu[] = {
    {CmdUndo, "撤销", true},
    {CmdCut, "剪切", false},
    {CmdCopy, "复制", false},
    {CmdPaste, "粘贴", false},
    {CmdDelete, "删除", false},
    {0},
    {CmdFont, "字体"},
    {0},
    {CmdAlpha, "透明度"},
    {CmdBgColor, "背景色"},
    {0},
    {CmdAbout, "关于"},
    {CmdHelp, "帮助", true, false},
    {CmdVisit, "访问网站"},
    {0},
    {CmdAutoRun, "开机启动", true, true, true},
    {CmdMin, "最小化"},
    {CmdExit, "退出"},
};

constexpr ui::MenuItemDesc kTrayMenu[] = {
    {CmdTrayResize, "显示"},
    {CmdTrayExit, "退出"},
};

ui::Font MakeFont(const char* face, int height, bool bold, bool italic, BYTE charset) {
    ui::Font font(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE,
                              charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face));
    if (!font) ui::ThrowLastError("CreateFontA");
    return font;
}

int TextHeight(HFONT font) {
    ui::WindowDC dc(nullptr);
    ui::SelectGuard select(dc.get(), font);
    SIZE size = {};
    GetTextExtentPoint32A(dc.get(), "0", 1, &size);
    return size.cy;
}

}  // namespace

void TfrmMain::MakeFonts() {
    int dpi = 96;
    {
        ui::WindowDC dc(nullptr);
        dpi = GetDeviceCaps(dc.get(), LOGPIXELSY);
    }
    // The window font follows the screen's density; if its text is then not 13 pixels
    // high, the whole layout grows or shrinks with it.
    formFont_ =
        MakeFont("MS Sans Serif", core::MulDiv(-11, dpi, 96), false, false, DEFAULT_CHARSET);
    scale_ = core::LayoutScale(TextHeight(formFont_.get()));
    buttonFont_ = MakeFont("宋体", scale_.Apply(-9), false, false, GB2312_CHARSET);
    siteFont_ = MakeFont("MS Sans Serif", scale_.Apply(-11), true, true, DEFAULT_CHARSET);
    labelFont_ = MakeFont("华文仿宋", scale_.Apply(-15), false, false, GB2312_CHARSET);
    FontDialog1.font.pixelsPerInch = dpi;
}

void TfrmMain::CreateNativeWindow() {
    WNDCLASSEXA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = NoteWindowClassName.bytes;
    RegisterClassOnce(wc);

    core::Rect bounds = kWindowBounds;
    bounds.width = scale_.Apply(kLayoutWidth);
    bounds.height = scale_.Apply(kLayoutHeight);
    Window::Create({NoteWindowClassName.bytes, kWindowTitle, WS_POPUP | WS_CLIPCHILDREN,
                    WS_EX_TOPMOST | WS_EX_LAYERED, bounds, ui::Application::Current().Handle()});
    CreateComponents();
    ui::Application::Current().AddDialogWindow(hwnd_);

    // Stays on top from the start, without moving, sizing or activating.
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ApplyAlphaBlend();
}

void TfrmMain::CreateComponents() {
    const auto s = [this](const core::Rect& r) { return scale_.Apply(r); };
    HINSTANCE instance = ui::Application::Current().Instance();

    Image1.Create({"STATIC", "", WS_CHILD | SS_ICON, 0, s(kImage1), hwnd_, IDC_IMAGE1});
    Image1.Send(STM_SETICON,
                reinterpret_cast<WPARAM>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TRAY),
                                                    IMAGE_ICON, 16, 16, LR_SHARED)));

    REMemo.Create(hwnd_, IDC_REMEMO, s(kREMemo),
                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                      ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN);
    REMemo.SetHook([this](UINT m, WPARAM w, LPARAM l) { return REMemoMessage(m, w, l); });
    REMemo.SetFont(formFont_.get());
    REMemo.Send(EM_SETEVENTMASK, 0, ENM_CHANGE);
    REMemo.Send(EM_EXLIMITTEXT, 0, 0);      // the control's default of 64K characters
    REMemo.Send(EM_SETTARGETDEVICE, 0, 1);  // no word wrap
    SetMemoColor(core::clYellow);
    {
        // The window font is the editor's default text font, in the system's character set.
        CHARFORMATA format = {};
        format.cbSize = sizeof format;
        format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC |
                        CFM_UNDERLINE | CFM_STRIKEOUT;
        format.dwEffects = CFE_AUTOCOLOR;
        format.yHeight = core::HeightToPoints(core::MulDiv(-11, FontDialog1.font.pixelsPerInch, 96),
                                              FontDialog1.font.pixelsPerInch) *
                         20;
        CHARSETINFO info = {};
        TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info,
                             TCI_SRCCODEPAGE);
        format.bCharSet = static_cast<BYTE>(info.ciCharset);
        lstrcpynA(format.szFaceName, "MS Sans Serif", LF_FACESIZE);
        REMemo.Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
        REMemo.Send(EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    }

    Panel1.Create(hwnd_, IDC_PANEL1, s(kPanel1), ui::Panel::Bevel::None, core::clYellow);
    Panel2.Create(hwnd_, IDC_PANEL2, s(kPanel2), ui::Panel::Bevel::None, core::clYellow);
    Panel3.Create(hwnd_, IDC_PANEL3, s(kPanel3), ui::Panel::Bevel::None, core::clYellow);

    HWND bar = Panel3.hwnd();
    const auto button = [&](ui::SpeedButton& b, int id, int left, ui::SpeedButton::Options o) {
        if (!o.font) o.font = buttonFont_.get();
        b.Create(bar, id, s(ButtonAt(left)), o);
    };
    button(spdBtnDrag, IDC_SPDBTNDRAG, kDragLeft,
           {.caption = "",
            .flat = false,
            .groupIndex = 1,
            .down = true,
            .cursor = LoadCursorA(nullptr, IDC_SIZEALL)});
    button(spdBtnFormClose, IDC_SPDBTNFORMCLOSE, kCloseLeft, {.caption = "X"});
    button(spdBtnFormHide, IDC_SPDBTNFORMHIDE, kHideLeft, {.caption = "-"});
    button(spdBtnFormTop, IDC_SPDBTNFORMTOP, kTopLeft,
           {.caption = "T", .groupIndex = 2, .down = true});
    button(spdBtnFormTopHide, IDC_SPDBTNFORMTOPHIDE, kTopHideLeft,
           {.caption = "T", .visible = false});
    button(spdBtnSite, IDC_SPDBTNSITE, kSiteLeft, {.caption = "e", .font = siteFont_.get()});

    pnlAlpha.Create(hwnd_, IDC_PNLALPHA, s(kPnlAlpha), ui::Panel::Bevel::Raised, core::clBtnFace,
                    false);
    Label1.Create(pnlAlpha.hwnd(), IDC_LABEL1, s(kLabel1), labelFont_.get());
    TrackBar1.Create(pnlAlpha.hwnd(), IDC_TRACKBAR1, s(kTrackBar1),
                     {.min = 11, .max = 51, .position = 51, .lineSize = 1, .pageSize = 2});

    Panel4.Create(hwnd_, IDC_PANEL4, s(kPanel4), ui::Panel::Bevel::None, core::clYellow);

    pnlBgColor.Create(hwnd_, IDC_PNLBGCOLOR, s(kPnlBgColor), ui::Panel::Bevel::Raised,
                      core::clBtnFace, false);
    Label2.Create(pnlBgColor.hwnd(), IDC_LABEL2, s(kLabel2), labelFont_.get());
    ColorBox1.Create(pnlBgColor.hwnd(), IDC_COLORBOX1, s(kColorBox1),
                     scale_.Apply(kColorItemHeight), kColorDropDownCount);
    ColorBox1.SetFont(formFont_.get());

    trayMenu.Create(kTrayMenu);
    editMenu.Create(kEditMenu);

    // Wiring of the components' events to the handlers.
    Panel1.onMouseDown = [this](const ui::MouseArgs& e) { Panel1MouseDown(e); };
    Panel1.onMouseMove = [this](const ui::MouseArgs& e) { Panel1MouseMove(e); };
    Panel1.onMouseUp = [this](const ui::MouseArgs& e) { Panel1MouseUp(e); };
    Panel2.onMouseDown = [this](const ui::MouseArgs& e) { Panel2MouseDown(e); };
    Panel2.onMouseMove = [this](const ui::MouseArgs& e) { Panel2MouseMove(e); };
    Panel2.onMouseUp = [this](const ui::MouseArgs& e) { Panel2MouseUp(e); };
    Panel3.onMouseDown = [this](const ui::MouseArgs& e) { Panel3MouseDown(e); };
    Panel3.onMouseMove = [this](const ui::MouseArgs& e) { Panel3MouseMove(e); };
    Panel3.onMouseUp = [this](const ui::MouseArgs& e) { Panel3MouseUp(e); };
    Panel4.onMouseDown = [this](const ui::MouseArgs& e) { Panel4MouseDown(e); };
    Panel4.onMouseMove = [this](const ui::MouseArgs& e) { Panel4MouseMove(e); };
    Panel4.onMouseUp = [this](const ui::MouseArgs& e) { Panel4MouseUp(e); };
    spdBtnDrag.onClick = [this] { spdBtnDragClick(); };
    spdBtnDrag.onMouseDown = [this](const ui::MouseArgs& e) { spdBtnDragMouseDown(e); };
    spdBtnDrag.onMouseMove = [this](const ui::MouseArgs& e) { spdBtnDragMouseMove(e); };
    spdBtnDrag.onMouseUp = [this](const ui::MouseArgs& e) { spdBtnDragMouseUp(e); };
    spdBtnFormClose.onClick = [this] { spdBtnFormCloseClick(); };
    spdBtnFormClose.onMouseDown = [this](const ui::MouseArgs& e) { spdBtnFormCloseMouseDown(e); };
    spdBtnFormHide.onClick = [this] { spdBtnFormHideClick(); };
    spdBtnFormHide.onMouseDown = [this](const ui::MouseArgs& e) { spdBtnFormHideMouseDown(e); };
    spdBtnFormTop.onClick = [this] { spdBtnFormTopClick(); };
    spdBtnFormTop.onMouseDown = [this](const ui::MouseArgs& e) { REMemoMouseDown(e); };
    spdBtnFormTopHide.onClick = [this] { spdBtnFormTopHideClick(); };
    spdBtnFormTopHide.onMouseDown = [this](const ui::MouseArgs& e) { REMemoMouseDown(e); };
    spdBtnSite.onClick = [this] { NvisitClick(); };
    TrackBar1.onChange = [this] { TrackBar1Change(); };
    ColorBox1.onChange = [this] { ColorBox1Change(); };

    AlignControls();
    FormResize();
}

void TfrmMain::AlignControls() {
    if (!Panel4.Exists()) return;  // WM_SIZE during creation, before the strips exist
    RECT client;
    GetClientRect(hwnd_, &client);
    const auto s = [this](const core::Rect& r) { return scale_.Apply(r); };
    const std::array<core::AlignedChild, 5> children = {{
        {core::Align::Top, s(kPanel3)},
        {core::Align::Bottom, s(kPanel4)},
        {core::Align::Left, s(kPanel1)},
        {core::Align::Right, s(kPanel2)},
        {memoFills_ ? core::Align::Client : core::Align::None, REMemo.Bounds()},
    }};
    const auto bounds = core::AlignChildren(client.right, client.bottom, children);
    Panel3.SetBounds(bounds[0]);
    Panel4.SetBounds(bounds[1]);
    Panel1.SetBounds(bounds[2]);
    Panel2.SetBounds(bounds[3]);
    if (memoFills_) REMemo.SetBounds(bounds[4]);
}

void TfrmMain::FormResize() {
    if (!spdBtnSite.Exists()) return;
    const int width = Width();
    // Each button keeps its distance from the right edge of the laid-out (scaled) window.
    const auto fromRight = [&](int left) {
        return width - (scale_.Apply(kLayoutWidth) - scale_.Apply(left));
    };
    spdBtnFormHide.SetLeft(fromRight(kHideLeft));
    spdBtnFormClose.SetLeft(fromRight(kCloseLeft));
    spdBtnFormTop.SetLeft(fromRight(kTopLeft));
    spdBtnFormTopHide.SetLeft(fromRight(kTopLeft));
    spdBtnSite.SetLeft(fromRight(kSiteLeft));
}

core::Size TfrmMain::MinimumSize() const {
    // Wide enough for the grip with its margin on both sides and for the buttons that keep
    // to the right edge; high enough for the top bar and the bottom strip. Smaller, the grip
    // and the buttons would be gone and the note could not be resized or closed any more.
    const int grip = scale_.Apply(kDragLeft + kButtonSize + kDragLeft);
    const int buttons = scale_.Apply(kLayoutWidth) - scale_.Apply(kSiteLeft);
    return {grip + buttons, scale_.Apply(kPanel3).height + scale_.Apply(kPanel4).height};
}

void TfrmMain::InitWindow() {
    LoadSettings();
    memoFills_ = true;
    AlignControls();
    EnableLinkDetection(REMemo);

    Label1.SetText("透明度");
    Label2.SetText("背景色");
    editMenu.SetCaption(CmdAlpha, "透明度");
    editMenu.SetCaption(CmdBgColor, "背景色");
    editMenu.SetCaption(CmdFont, "字体");
    editMenu.SetCaption(CmdUndo, "撤销");
    editMenu.SetCaption(CmdCut, "剪切");
    editMenu.SetCaption(CmdCopy, "复制");
    editMenu.SetCaption(CmdPaste, "粘贴");
    editMenu.SetCaption(CmdDelete, "删除");
    editMenu.SetCaption(CmdAbout, "关于");
    editMenu.SetCaption(CmdHelp, "帮助");
    editMenu.SetCaption(CmdVisit, "访问网站");
    editMenu.SetCaption(CmdMin, "最小化");
    editMenu.SetCaption(CmdExit, "退出");
    trayMenu.SetCaption(CmdTrayResize, "隐藏");
    editMenu.SetCaption(CmdAutoRun, "开机启动");
    trayMenu.SetCaption(CmdTrayExit, "退出");
}
