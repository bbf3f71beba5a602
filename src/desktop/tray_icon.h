// The notification-area icon: the user's way back to a hidden note, and one way to end the
// program.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <span>

#include "ui/form.h"
#include "ui/handles.h"
#include "ui/menu.h"

namespace notes {

// The text of the icon menu's show/hide item: what a click on it will do.
constexpr const char* ShowHideCaption(bool noteShown) {
    return noteShown ? "隐藏" : "显示";
}

class TrayIcon {
public:
    // `note` is the window the icon shows and hides, `menu` the icon's menu and
    // `showHideItem` its item that does so; the shell reports the icon's mouse events to the
    // note with `callbackMessage`.
    TrayIcon(ui::Form& note, ui::PopupMenu& menu, UINT showHideItem, UINT callbackMessage)
        : note_(note),
          menu_(menu),
          showHideItem_(showHideItem),
          callbackMessage_(callbackMessage) {}

    // Puts the icon up with `picture` (kept by the caller while the icon is up) and the
    // 64-byte tip. Without a notification area (no shell yet at log-on) the program runs on
    // without it until the shell announces itself.
    void Add(HICON picture, std::span<const char, 64> tip);
    void Remove();
    // Whether `message` is the shell's announcement that it has started again.
    bool IsTaskbarCreated(UINT message) const;
    // A restarted shell has forgotten every icon: put it back, unless the close removed it.
    void OnTaskbarCreated();

    // The icon's callback: a left press shows the note, a right press opens the menu at the
    // pointer; moves, releases and other buttons do nothing.
    void OnCallback(LPARAM mouseMessage);
    // The menu's show/hide item.
    void ShowOrHideNote();
    // The item names what a click on it will do.
    void NoteShown(bool shown);

private:
    ui::Form& note_;
    ui::PopupMenu& menu_;
    UINT showHideItem_;
    UINT callbackMessage_;
    // The record the shell keeps the icon by; named as the design names it.
    NOTIFYICONDATAW TrayIconData = {};
    UINT taskbarCreatedMessage_ = 0;
    bool added_ = false;  // from start-up until the close removes the icon
};

}  // namespace notes
