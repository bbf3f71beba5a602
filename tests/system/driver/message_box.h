// Message boxes of the program under test, read and answered from outside: caption, text,
// buttons and the standard icon, as the user sees them.
#pragma once

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "driver/wait.h"

namespace drv {

enum class BoxIcon { None, Error, Question, Warning, Information, Other, Unknown };
std::ostream& operator<<(std::ostream& out, BoxIcon icon);

struct BoxButton {
    int id;            // IDOK, IDYES, ...
    std::string text;  // GBK
    HWND hwnd;
};

struct MsgBox {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;                // the message, GBK
    std::vector<BoxButton> buttons;  // left to right
    // Told inside the program by menu_probe.dll; Unknown when that could not be asked.
    BoxIcon icon = BoxIcon::Unknown;

    std::vector<std::string> ButtonTexts() const;
    std::vector<int> ButtonIds() const;
};

// The visible message boxes of a process (dialogs of class "#32770" made only of statics
// and buttons, which tells them from the program's own dialogs).
std::vector<HWND> MessageBoxWindows(DWORD pid);
int CountMessageBoxes(DWORD pid);
std::optional<MsgBox> ReadMessageBox(HWND box);
Waited<MsgBox> WaitForMessageBox(DWORD pid, Ms timeout = kWaitTimeout);

// Answers the box as a click on that button would: the button's BN_CLICKED reaches the
// box. False when the box has no such button.
bool Press(const MsgBox& box, int buttonId);
// A real click in the middle of the button.
bool ClickButton(const MsgBox& box, int buttonId);
// Until the window is destroyed or hidden (Wine hides a box at once and may destroy it later).
::testing::AssertionResult WaitForGone(HWND hwnd, Ms timeout = kWaitTimeout);

}  // namespace drv
