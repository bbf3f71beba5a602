// The notification-area icon: the user's way back to a hidden note, and one way to end the
// program.
#include <windows.h>

#include <cstring>

#include "ui/application.h"
#include "ui/record_layouts.h"
#include "window/frm_main.h"
#include "window/ids.h"

#include "resource.h"

using namespace notes;

namespace {

// The first version of the shell's record: 88 bytes, exactly NOTIFYICONDATAA, in the 32-bit
// program; the same fields at their wider offsets in the 64-bit build.
constexpr DWORD kTrayIconDataSize = NOTIFYICONDATAA_V1_SIZE;

using ChangeWindowMessageFilterExFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);

// A program started with administrator rights does not get messages from a shell that
// runs without them unless it lets them in; looked up at run time because older systems
// lack the call (and do not filter).
void AllowMessageFromShell(HWND hwnd, UINT message) {
    const auto allow = reinterpret_cast<ChangeWindowMessageFilterExFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("User32.dll"), "ChangeWindowMessageFilterEx")));
    if (allow) allow(hwnd, message, MSGFLT_ALLOW, nullptr);
}

}  // namespace

void TfrmMain::AddTrayIcon() {
    // Made once; the shell keeps its own copy of the picture.
    if (!trayIcon_) {
        trayIcon_.reset(
            static_cast<HICON>(LoadImageA(ui::Application::Current().Instance(),
                                          MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON, 16, 16, 0)));
    }
    TrayIconData = {};
    TrayIconData.cbSize = kTrayIconDataSize;
    TrayIconData.hWnd = Handle();
    TrayIconData.uID = 1;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = WM_TRAYICON;
    TrayIconData.hIcon = trayIcon_.get();
    // The record carries a 64-byte tip: the whole class-name field.
    static_assert(sizeof NoteWindowClassName.bytes == 64);
    static_assert(sizeof TrayIconData.szTip >= sizeof NoteWindowClassName.bytes);
    std::memcpy(TrayIconData.szTip, NoteWindowClassName.bytes, sizeof NoteWindowClassName.bytes);

    // A restarted shell has forgotten every icon and says so with this broadcast.
    taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
    if (taskbarCreatedMessage_ != 0)
        AllowMessageFromShell(TrayIconData.hWnd, taskbarCreatedMessage_);

    // No notification area (no shell yet at log-on): the program runs on without the icon
    // until the shell announces itself.
    Shell_NotifyIconA(NIM_ADD, &TrayIconData);
    trayIconAdded_ = true;
}

void TfrmMain::RemoveTrayIcon() {
    trayIconAdded_ = false;
    Shell_NotifyIconA(NIM_DELETE, &TrayIconData);
}

void TfrmMain::OnTaskbarCreated() {
    // Without the icon a hidden note could never be shown or ended again. Once the close
    // has removed it, it stays away.
    if (trayIconAdded_) Shell_NotifyIconA(NIM_ADD, &TrayIconData);
}

void TfrmMain::WMTrayIcon(LPARAM mouseMessage) {
    ui::Application& app = ui::Application::Current();
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        SetWindowState(WindowState::Normal);
        app.BringToFront();  // a hidden note is not among the candidates: Show does it
        Show();
        break;
    case WM_RBUTTONDOWN: {
        POINT at = {};
        GetCursorPos(&at);
        app.BringToFront();
        // A menu closes on a click elsewhere only while its thread owns the foreground;
        // with the note hidden nothing above made it so. The note stays hidden.
        if (GetWindowThreadProcessId(GetForegroundWindow(), nullptr) != GetCurrentThreadId()) {
            SetForegroundWindow(hwnd_);
        }
        trayMenu.Popup(hwnd_, at.x, at.y);
        // Lets the menu's end be seen before the next click on the icon (KB135788).
        PostMessageA(hwnd_, WM_NULL, 0, 0);
        break;
    }
    default: break;  // moves, releases, double clicks, the middle button
    }
}

void TfrmMain::NTrayResizeClick() {
    if (Visible()) {
        Hide();
        trayMenu.SetCaption(CmdTrayResize, "显示");
    } else {
        SetWindowState(WindowState::Normal);
        Show();
        trayMenu.SetCaption(CmdTrayResize, "隐藏");
    }
}

void TfrmMain::NTrayExitClick() {
    Close();
}

void TfrmMain::FormShow() {
    trayMenu.SetCaption(CmdTrayResize, "隐藏");
}

void TfrmMain::FormHide() {
    trayMenu.SetCaption(CmdTrayResize, "显示");
}
