#include "desktop/tray_icon.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

#include "ui/application.h"
#include "ui/record_layouts.h"
#include "ui/text.h"

namespace notes {
namespace {

// The first version of the shell's record (its tip holds 64 characters), in its wide form so
// that the tip reads right on any system; the same fields at their wider offsets in the
// 64-bit build.
constexpr DWORD kTrayIconDataSize = NOTIFYICONDATAW_V1_SIZE;

}  // namespace

void TrayIcon::Add(HICON picture, std::span<const char, 64> tip) {
    TrayIconData = {};
    TrayIconData.cbSize = kTrayIconDataSize;
    TrayIconData.hWnd = note_.Handle();
    TrayIconData.uID = 1;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = callbackMessage_;
    TrayIconData.hIcon = picture;
    // The GBK field, up to its first NUL, as UTF-16; it fits, since a GBK character takes at
    // least one byte.
    const std::wstring text =
        ui::FromGbk(std::string_view(tip.data(), strnlen(tip.data(), tip.size())));
    static_assert(sizeof TrayIconData.szTip / sizeof TrayIconData.szTip[0] >= 64);
    std::wmemcpy(TrayIconData.szTip, text.data(), std::min<std::size_t>(text.size(), 63));

    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    // A program started with administrator rights gets no messages from a shell that runs
    // without them unless it lets them in.
    if (taskbarCreatedMessage_ != 0) {
        ChangeWindowMessageFilterEx(TrayIconData.hWnd, taskbarCreatedMessage_, MSGFLT_ALLOW,
                                    nullptr);
    }
    Shell_NotifyIconW(NIM_ADD, &TrayIconData);
    added_ = true;
}

void TrayIcon::Remove() {
    added_ = false;
    Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
}

bool TrayIcon::IsTaskbarCreated(UINT message) const {
    return taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_;
}

void TrayIcon::OnTaskbarCreated() {
    if (added_) Shell_NotifyIconW(NIM_ADD, &TrayIconData);
}

void TrayIcon::OnCallback(LPARAM mouseMessage) {
    ui::Application& app = ui::Application::Current();
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        note_.SetWindowState(ui::Form::WindowState::Normal);
        app.BringToFront();  // a hidden note is not among the candidates: Show does it
        note_.Show();
        break;
    case WM_RBUTTONDOWN: {
        POINT at = {};
        GetCursorPos(&at);
        app.BringToFront();
        // A menu closes on a click elsewhere only while its thread owns the foreground;
        // with the note hidden nothing above made it so. The note stays hidden.
        HWND window = note_.Handle();
        if (GetWindowThreadProcessId(GetForegroundWindow(), nullptr) != GetCurrentThreadId()) {
            SetForegroundWindow(window);
        }
        menu_.Popup(window, at.x, at.y);
        // Lets the menu's end be seen before the next click on the icon (KB135788).
        PostMessageW(window, WM_NULL, 0, 0);
        break;
    }
    default: break;
    }
}

void TrayIcon::ShowOrHideNote() {
    if (note_.Visible()) {
        note_.Hide();
        NoteShown(false);
    } else {
        note_.SetWindowState(ui::Form::WindowState::Normal);
        note_.Show();
        NoteShown(true);
    }
}

void TrayIcon::NoteShown(bool shown) {
    menu_.SetCaption(showHideItem_, ShowHideCaption(shown));
}

}  // namespace notes
