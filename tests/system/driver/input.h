// Real input through SendInput: the pointer moves and clicks, keys go down and up, just as
// a user's mouse and keyboard would do it, with the system's capture and focus rules.
// Call Settle(window) afterwards to wait until the program has handled it.
#pragma once

#include <windows.h>

#include <string_view>

namespace drv {

enum class MouseButton { Left, Right, Middle };

POINT CursorPos();
// Moves the pointer to a screen point. Large jumps arrive as one move, as a fast hand's.
void MoveTo(POINT screen);
// Pressed and released at the point of the last MoveTo, even when something else has moved
// the system's cursor since (see input.cpp).
void ButtonDown(MouseButton button = MouseButton::Left);
void ButtonUp(MouseButton button = MouseButton::Left);
void Click(POINT screen, MouseButton button = MouseButton::Left);
void DoubleClick(POINT screen, MouseButton button = MouseButton::Left);
// Press at `from`, move to `to` in `steps` moves, release there.
void Drag(POINT from, POINT to, int steps = 10, MouseButton button = MouseButton::Left);

enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

void KeyDown(WORD vk);
void KeyUp(WORD vk);
// A key with modifiers held: PressKey(VK_F10, kShift), PressKey('A', kCtrl), PressKey(VK_APPS).
void PressKey(WORD vk, unsigned modifiers = kNoModifier);
// Printable ASCII through the keyboard layout; '\n' is Enter and '\t' Tab. Chinese text
// cannot be typed into Wine's rich edit this way (one "?" per byte): paste it instead.
void TypeText(std::string_view ascii);
// Any text, one UTF-16 unit per key (KEYEVENTF_UNICODE), as an input method or an on-screen
// keyboard hands characters that no key of the layout has; a surrogate pair is two such keys.
void TypeUnicode(std::wstring_view text);

}  // namespace drv
