// The notification-area icon: the user's way back to a hidden note.
#include <cstring>

#include "ui/application.h"
#include "ui/record_layouts.h"
#include "window/frm_main.h"
#include "window/ids.h"

#include "resource.h"

using namespace notes;

void TfrmMain::AddTrayIcon() {
    trayIcon_.reset(static_cast<HICON>(LoadImageA(
        ui::Application::Current().Instance(), MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON, 16, 16, 0)));
    TrayIconData = {};
    TrayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    TrayIconData.hWnd = Handle();
    TrayIconData.uID = 1;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = WM_TRAYICON;
    TrayIconData.hIcon = trayIcon_.get();
    // The 88-byte record carries a 64-byte tip: the whole class-name field.
    static_assert(sizeof NoteWindowClassName.bytes == 64);
    std::memcpy(TrayIconData.szTip, NoteWindowClassName.bytes, sizeof NoteWindowClassName.bytes);
    Shell_NotifyIconA(NIM_ADD, &TrayIconData);
}

void TfrmMain::RemoveTrayIcon() {
    Shell_NotifyIconA(NIM_DELETE, &TrayIconData);
}

void TfrmMain::FormShow() {
    trayMenu.SetCaption(CmdTrayResize, "隐藏");
}

void TfrmMain::FormHide() {
    trayMenu.SetCaption(CmdTrayResize, "显示");
}

// The icon's mouse actions and its menu come with the notification-area step.
void TfrmMain::WMTrayIcon(LPARAM) {}
void TfrmMain::OnTaskbarCreated() {}
void TfrmMain::NTrayResizeClick() {}
void TfrmMain::NTrayExitClick() {}
