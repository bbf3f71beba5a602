// The note window's native window, its geometry and the dispatch of its messages.
#include <windows.h>

#include <windowsx.h>

#include "ui/application.h"
#include "ui/paths.h"
#include "ui/record_layouts.h"
#include "window/frm_main.h"
#include "window/ids.h"

using namespace notes;

TfrmMain* frmMain = nullptr;

TfrmMain::~TfrmMain() {
    // Children die with the window, before the member objects that wrap them.
    Destroy();
    if (frmMain == this) frmMain = nullptr;
}

HWND TfrmMain::Handle() {
    if (!hwnd_) CreateNativeWindow();
    return hwnd_;
}

int TfrmMain::Left() const {
    return Bounds().left;
}
int TfrmMain::Top() const {
    return Bounds().top;
}
int TfrmMain::Width() const {
    return Bounds().width;
}
int TfrmMain::Height() const {
    return Bounds().height;
}

void TfrmMain::SetLeft(int value) {
    core::Rect b = Bounds();
    b.left = value;
    SetBounds(b);
}

void TfrmMain::SetTop(int value) {
    core::Rect b = Bounds();
    b.top = value;
    SetBounds(b);
}

void TfrmMain::SetWidth(int value) {
    core::Rect b = Bounds();
    b.width = value;
    SetBounds(b);
}

void TfrmMain::SetHeight(int value) {
    core::Rect b = Bounds();
    b.height = value;
    SetBounds(b);
}

void TfrmMain::SetWindowState(WindowState state) {
    // Only a change shows: setting the state a window already has must not activate it.
    if (windowState_ == state) return;
    windowState_ = state;
    if (!Visible()) return;
    ShowWindow(hwnd_, state == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                      : state == WindowState::Minimized ? SW_MINIMIZE
                                                        : SW_SHOWNORMAL);
}

void TfrmMain::Show() {
    if (Visible()) return;
    ShowWindow(Handle(), windowState_ == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    // Already the active window (made so for the tray menu while hidden), it is not activated
    // again, so the keyboard is handed back here.
    if (GetFocus() == hwnd_) RestoreFocus();
    FormShow();
}

// The keyboard goes to the control that had it last, or to the editor. A hidden note keeps it
// on its own window, where keys do nothing: it becomes the foreground window for the tray menu
// while out of sight, and keys typed into the unseen editor would change the note and save it.
void TfrmMain::RestoreFocus() {
    if (!IsWindowVisible(hwnd_)) {
        if (GetFocus() != hwnd_) SetFocus(hwnd_);
        return;
    }
    SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : REMemo.hwnd());
}

void TfrmMain::Hide() {
    if (!Visible()) return;
    ShowWindow(hwnd_, SW_HIDE);
    FormHide();
}

void TfrmMain::ShowOnStart(int showCommand) {
    if (showCommand == SW_SHOWMAXIMIZED) windowState_ = WindowState::Maximized;
    if (showCommand == SW_SHOWMINNOACTIVE) windowState_ = WindowState::Minimized;
    if (windowState_ == WindowState::Minimized) {
        ui::Application::Current().Minimize();  // the note stays hidden until restored
    } else {
        Show();
    }
}

void TfrmMain::LoadNote() {
    noteFile_.Load(ui::ProgramDirectory());
}

// Also while the note was not loaded the change stays in the editor, but nothing is written:
// the stored note is not replaced by an editor that failed to read it.
void TfrmMain::REMemoChange() {
    if (!NoteLoaded) return;
    noteFile_.Save(ui::ProgramDirectory());
}

void TfrmMain::OnCommand(UINT id, UINT code, HWND control) {
    if (!control) {
        if (code == 0) DispatchMenuCommand(id);
        return;
    }
    if (control == REMemo.hwnd() && code == EN_CHANGE) {
        REMemoChange();
    } else if (control == ColorBox1.hwnd() && code == CBN_SELCHANGE) {
        if (ColorBox1.onChange) ColorBox1.onChange();
    }
}

void TfrmMain::DispatchMenuCommand(UINT id) {
    if (editMenu.AutoCheck(id)) editMenu.SetChecked(id, !editMenu.Checked(id));
    switch (id) {
    case CmdUndo: NundoClick(); break;
    case CmdCut: NcutClick(); break;
    case CmdCopy: NcopyClick(); break;
    case CmdPaste: NpasteClick(); break;
    case CmdDelete: NdeleteClick(); break;
    case CmdFont: NfontClick(); break;
    case CmdAlpha: NalphaClick(); break;
    case CmdBgColor: NbgColorClick(); break;
    case CmdAbout: NaboutClick(); break;
    case CmdVisit: NvisitClick(); break;
    case CmdAutoRun: NautoRunClick(); break;
    case CmdMin: NminClick(); break;
    case CmdExit: NexitClick(); break;
    case CmdTrayResize: NTrayResizeClick(); break;
    case CmdTrayExit: NTrayExitClick(); break;
    default: break;
    }
}

LRESULT TfrmMain::OnNotify(const NMHDR& header) {
    if (header.code == EN_LINK) OnLinkNotification(header);
    return 0;
}

void TfrmMain::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_COLORBOX1) ColorBox1.DrawItem(item);
}

void TfrmMain::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    // Arrives while the colour chooser is being created, before its wrapper knows it.
    if (item.CtlID == IDC_COLORBOX1) item.itemHeight = static_cast<UINT>(scale_.Apply(16));
}

LRESULT TfrmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATEINSTANCE) {
        WMActivateInstance();
        return 0;
    }
    if (message == WM_TRAYICON) {
        WMTrayIcon(lParam);
        return 0;
    }
    if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
        OnTaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == TrackBar1.hwnd()) TrackBar1.OnScroll();
        return 0;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_MEASUREITEM: OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return TRUE;
    case WM_SIZE:
        AlignControls();
        FormResize();
        return 0;
    case WM_CONTEXTMENU:
        // Only the editor has a context menu; it opens it itself.
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS: RestoreFocus(); return 0;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd_, &r);
        ui::Brush cream(CreateSolidBrush(core::clCream));
        FillRect(reinterpret_cast<HDC>(wParam), &r, cream.get());
        return 1;
    }
    case WM_CLOSE: Close(); return 0;
    case WM_QUERYENDSESSION: return FormCloseQuery() ? TRUE : FALSE;
    }
    return Window::OnMessage(message, wParam, lParam);
}
