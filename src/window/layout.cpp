// The note window's layout: its controls as a table, at 96 dpi with a 13-pixel window font
// and scaled to the screen; the texts set at start-up; InitWindow, which completes the
// layout; and FormResize, which keeps the top-bar buttons at the right edge.
//
// Two parts are never seen and kept on purpose, as the window has always been made: the
// editor menu's Help item, hidden, with its text and no handler; and Image1, the hidden
// picture that holds the notification-area icon's image.
#include <windows.h>

#include "core/color.h"
#include "core/opacity.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "window/frm_main.h"

#include "resource.h"

namespace notes {
namespace {

constexpr int kLayoutWidth = 311;
constexpr int kLayoutHeight = 303;
constexpr core::Rect kWindowBounds = {471, 202, kLayoutWidth, kLayoutHeight};
constexpr char kWindowTitle[] = "Velnor桌面便签";  // GBK

constexpr core::Rect kPanel3 = {0, 0, 311, 17};
constexpr core::Rect kPanel4 = {0, 300, 311, 3};

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

// The editor's menu as laid out, in order (an item without an identifier is a separator);
// its texts come with the others at start-up.
constexpr ui::MenuItemDesc kEditMenu[] = {
    {.id = CmdUndo},
    {.id = CmdCut, .enabled = false},
    {.id = CmdCopy, .enabled = false},
    {.id = CmdPaste, .enabled = false},
    {.id = CmdDelete, .enabled = false},
    {},
    {.id = CmdFont},
    {},
    {.id = CmdAlpha},
    {.id = CmdBgColor},
    {},
    {.id = CmdAbout},
    {.id = CmdHelp, .visible = false},
    {.id = CmdVisit},
    {},
    {.id = CmdAutoRun, .autoCheck = true},
    {.id = CmdMin},
    {.id = CmdExit},
};

constexpr ui::MenuItemDesc kTrayMenu[] = {
    {.id = CmdTrayResize, .caption = ShowHideCaption(false)},
    {.id = CmdTrayExit},
};

// The texts set at start-up, in this order: the panels' captions and the menus' items.
struct RunTimeText {
    UINT id;  // a control or a menu item
    const char* text;
};
constexpr RunTimeText kRunTimeTexts[] = {
    {IDC_LABEL1, "透明度"},   {IDC_LABEL2, "背景色"},
    {CmdAlpha, "透明度"},     {CmdBgColor, "背景色"},
    {CmdFont, "字体"},        {CmdUndo, "撤销"},
    {CmdCut, "剪切"},         {CmdCopy, "复制"},
    {CmdPaste, "粘贴"},       {CmdDelete, "删除"},
    {CmdAbout, "关于"},       {CmdHelp, "帮助"},
    {CmdVisit, "访问网站"},   {CmdMin, "最小化"},
    {CmdExit, "退出"},        {CmdTrayResize, ShowHideCaption(true)},
    {CmdAutoRun, "开机启动"}, {CmdTrayExit, "退出"},
};

}  // namespace

void TfrmMain::MakeFonts() {
    const int dpi = ui::ScreenDpi();
    // The window font follows the screen's density; if its text is then not 13 pixels
    // high, the whole layout grows or shrinks with it.
    formFont_ = ui::MakeFont(ui::WindowFontAt(dpi));
    scale_ = ui::LayoutScaleOf(formFont_.get());
    buttonFont_ =
        ui::MakeFont({.face = "宋体", .height = scale_.Apply(-9), .charset = GB2312_CHARSET});
    siteFont_ = ui::MakeFont({.height = scale_.Apply(-11), .bold = true, .italic = true});
    labelFont_ =
        ui::MakeFont({.face = "华文仿宋", .height = scale_.Apply(-15), .charset = GB2312_CHARSET});
    FontDialog1.font.pixelsPerInch = dpi;
}

// Every control of the window: what it is, where it lies, how it looks, and the handlers of
// its events. Bounds are left, top, width, height at 96 dpi.
std::vector<ui::Child> TfrmMain::Layout() {
    using core::Align;
    const auto mouse = [this](void (TfrmMain::*handler)(const ui::MouseArgs&)) {
        return [this, handler](const ui::MouseArgs& e) { (this->*handler)(e); };
    };
    const auto call = [this](void (TfrmMain::*handler)()) {
        return [this, handler] { (this->*handler)(); };
    };
    // REMemoMouseDown runs for a press anywhere on the note, not only on the editor: the
    // strips and the grip run it through DragEvents, the top-bar buttons but "e" directly.
    const auto pressOnNote = mouse(&TfrmMain::REMemoMouseDown);
    // A small button of the top bar; those at the right edge keep their distance from it.
    const auto button = [this](int id, int left, const char* caption, int rightAnchor = 0) {
        return ui::LayoutRow{.id = id,
                             .parent = IDC_PANEL3,
                             .bounds = ButtonAt(left),
                             .rightAnchor = rightAnchor,
                             .font = buttonFont_.get(),
                             .caption = caption};
    };

    ui::LayoutRow drag = button(IDC_SPDBTNDRAG, kDragLeft, "");
    drag.flat = false;
    drag.groupIndex = 1;
    drag.down = true;
    drag.cursor = LoadCursorA(nullptr, IDC_SIZEALL);
    ui::LayoutRow top = button(IDC_SPDBTNFORMTOP, kTopLeft, "T", kTopLeft);
    top.groupIndex = 2;
    top.down = true;
    // The other "T", in the same place: it takes the pressed one's distance from the edge.
    ui::LayoutRow topHide = button(IDC_SPDBTNFORMTOPHIDE, kTopHideLeft, "T", kTopLeft);
    topHide.visible = false;
    ui::LayoutRow site = button(IDC_SPDBTNSITE, kSiteLeft, "e", kSiteLeft);
    site.font = siteFont_.get();
    ui::ComponentEvents grip = DragEvents(/*savesOnRelease=*/true);
    grip.onMouseMove = mouse(&TfrmMain::spdBtnDragMouseMove);
    grip.onClick = call(&TfrmMain::spdBtnDragClick);

    return {
        {&Image1,
         {.id = IDC_IMAGE1,
          .bounds = {176, 192, 16, 16},
          .visible = false,
          .later = true,
          .icon = trayPicture_.get()}},
        {&REMemo,
         {.id = IDC_REMEMO,
          .bounds = {0, 33, 97, 96},  // until InitWindow lets it fill the window
          .style = WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
          .font = formFont_.get(),
          .color = core::clYellow},
         {.onMouseDown = pressOnNote,
          .onChange = call(&TfrmMain::REMemoChange),
          .onContextMenu = [this](LPARAM at) { REMemoContextMenu(at); },
          .onNotify = [this](const NMHDR& header) { REMemoLink(header); }}},
        {&Panel1,
         {.id = IDC_PANEL1,
          .bounds = {0, 17, 3, 283},
          .align = Align::Left,
          .color = core::clYellow},
         DragEvents(/*savesOnRelease=*/false)},
        {&Panel2,
         {.id = IDC_PANEL2,
          .bounds = {308, 17, 3, 283},
          .align = Align::Right,
          .color = core::clYellow},
         DragEvents(/*savesOnRelease=*/false)},
        {&Panel3,
         {.id = IDC_PANEL3, .bounds = kPanel3, .align = Align::Top, .color = core::clYellow},
         DragEvents(/*savesOnRelease=*/true)},
        {&spdBtnDrag, drag, grip},
        {&spdBtnFormClose,
         button(IDC_SPDBTNFORMCLOSE, kCloseLeft, "X", kCloseLeft),
         {.onMouseDown = pressOnNote, .onClick = call(&TfrmMain::spdBtnFormCloseClick)}},
        {&spdBtnFormHide,
         button(IDC_SPDBTNFORMHIDE, kHideLeft, "-", kHideLeft),
         {.onMouseDown = pressOnNote, .onClick = call(&TfrmMain::spdBtnFormHideClick)}},
        {&spdBtnFormTop,
         top,
         {.onMouseDown = pressOnNote, .onClick = call(&TfrmMain::spdBtnFormTopClick)}},
        {&spdBtnFormTopHide,
         topHide,
         {.onMouseDown = pressOnNote, .onClick = call(&TfrmMain::spdBtnFormTopHideClick)}},
        {&spdBtnSite, site, {.onClick = call(&TfrmMain::NvisitClick)}},
        {&pnlAlpha,
         {.id = IDC_PNLALPHA,
          .bounds = {32, 97, 265, 28},
          .visible = false,
          .later = true,
          .color = core::clBtnFace,
          .raised = true}},
        {&Label1,
         {.id = IDC_LABEL1,
          .parent = IDC_PNLALPHA,
          .bounds = {19, 5, 45, 17},
          .font = labelFont_.get()}},
        {&TrackBar1,
         {.id = IDC_TRACKBAR1,
          .parent = IDC_PNLALPHA,
          .bounds = {64, 2, 193, 23},
          .min = core::kAlphaMin,
          .max = core::kAlphaMax,
          .position = core::kAlphaDefault,
          .lineSize = 1,
          .pageSize = 2},
         {.onChange = call(&TfrmMain::TrackBar1Change)}},
        {&Panel4,
         {.id = IDC_PANEL4, .bounds = kPanel4, .align = Align::Bottom, .color = core::clYellow},
         DragEvents(/*savesOnRelease=*/false)},
        {&pnlBgColor,
         {.id = IDC_PNLBGCOLOR,
          .bounds = {43, 98, 233, 28},
          .visible = false,
          .later = true,
          .color = core::clBtnFace,
          .raised = true}},
        {&Label2,
         {.id = IDC_LABEL2,
          .parent = IDC_PNLBGCOLOR,
          .bounds = {16, 5, 45, 17},
          .font = labelFont_.get()}},
        {&ColorBox1,
         {.id = IDC_COLORBOX1,
          .parent = IDC_PNLBGCOLOR,
          .bounds = {71, 3, 145, 22},
          .font = formFont_.get(),
          .itemHeight = 16,
          .dropDownCount = 8},
         {.onChange = call(&TfrmMain::ColorBox1Change)}},
    };
}

void TfrmMain::CreateHandle() {
    // The class name is converted as an ANSI function converts it, so that the search of a
    // second launch (FindWindowA) finds it on every code page, also from an older copy.
    const std::wstring className = ui::FromAnsi(NoteWindowClassName.bytes);
    WNDCLASSEXW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = className.c_str();
    RegisterClassOnce(wc);

    core::Rect bounds = kWindowBounds;
    bounds.width = scale_.Apply(kLayoutWidth);
    bounds.height = scale_.Apply(kLayoutHeight);
    color_ = core::clCream;
    CreateForm({className.c_str(), ui::FromGbk(kWindowTitle), WS_POPUP | WS_CLIPCHILDREN,
                WS_EX_TOPMOST | WS_EX_LAYERED, bounds, ui::Application::Current().Handle()});
    CreateChildren(Layout(), scale_, kLayoutWidth);
    trayMenu.Create(kTrayMenu);
    editMenu.Create(kEditMenu);
    ui::Application::Current().AddDialogWindow(hwnd_);

    // Stays on top from the start, without moving, sizing or activating.
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmMain::InitWindow() {
    LoadSettings();
    SetAlign(IDC_REMEMO, core::Align::Client);
    EnableLinkDetection(REMemo);
    SetRunTimeTexts(/*menus=*/true);
}

void TfrmMain::SetRunTimeTexts(bool menus) {
    for (const RunTimeText& t : kRunTimeTexts) {
        if (const ui::Component* control = ChildById(static_cast<int>(t.id))) {
            if (control->hwnd()) SetWindowTextW(control->hwnd(), ui::FromGbk(t.text).c_str());
        } else if (!menus) {
            continue;
        } else if (editMenu.Has(t.id)) {
            editMenu.SetCaption(t.id, t.text);
        } else {
            trayMenu.SetCaption(t.id, t.text);
        }
    }
}

void TfrmMain::CreatePanel(int id) {
    if (CreateLater(id)) SetRunTimeTexts(/*menus=*/false);
}

// Each button at the right edge keeps its distance from it.
void TfrmMain::FormResize() {
    KeepAnchors();
}

core::Size TfrmMain::LaidOutSize() const {
    return {scale_.Apply(kLayoutWidth), scale_.Apply(kLayoutHeight)};
}

core::Size TfrmMain::MinimumSize() const {
    // Wide enough for the grip with its margin on both sides and for the buttons that keep
    // to the right edge; high enough for the top bar and the bottom strip. Smaller, the grip
    // and the buttons would be gone and the note could not be resized or closed any more.
    const int grip = scale_.Apply(kDragLeft + kButtonSize + kDragLeft);
    const int buttons = scale_.Apply(kLayoutWidth) - scale_.Apply(kSiteLeft);
    return {grip + buttons, scale_.Apply(kPanel3).height + scale_.Apply(kPanel4).height};
}

}  // namespace notes
