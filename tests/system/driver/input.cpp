#include "driver/input.h"

#include <optional>
#include <vector>

#include "driver/wait.h"

namespace drv {
namespace {

// A short gap between input events, so that the program sees them as separate moves and
// presses rather than one merged move.
constexpr Ms kEventGap{5};

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Mouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return input;
}

DWORD DownFlag(MouseButton button) {
    switch (button) {
    case MouseButton::Right: return MOUSEEVENTF_RIGHTDOWN;
    case MouseButton::Middle: return MOUSEEVENTF_MIDDLEDOWN;
    default: return MOUSEEVENTF_LEFTDOWN;
    }
}

DWORD UpFlag(MouseButton button) {
    switch (button) {
    case MouseButton::Right: return MOUSEEVENTF_RIGHTUP;
    case MouseButton::Middle: return MOUSEEVENTF_MIDDLEUP;
    default: return MOUSEEVENTF_LEFTUP;
    }
}

// Absolute coordinates are 0..65535 across the primary screen; round up so that the
// system's truncating scale-back lands on the wanted pixel.
LONG Normalize(int pixel, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

INPUT MoveInput(DWORD flags, POINT screen) {
    return Mouse(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                 Normalize(screen.x, GetSystemMetrics(SM_CXSCREEN)),
                 Normalize(screen.y, GetSystemMetrics(SM_CYSCREEN)));
}

// Where the last MoveTo left the hand. Under Wine the system's cursor does not only follow
// our input: the program's X11 driver turns pointer crossing events into moves to where
// the X pointer is, and it handles them only when its queue runs empty. So the echo of an
// earlier move (the right click that opened a menu) can come after our move to an item and
// take the cursor back; and while a menu holds the X pointer, our moves cannot move the X
// pointer at all. A press sent without a position lands wherever that left the cursor.
std::optional<POINT> hand;

// A button goes down or up where the hand is, as a real mouse's button events carry their
// position; before the first move, where the cursor is.
INPUT ButtonInput(DWORD flag) {
    return hand ? MoveInput(flag, *hand) : Mouse(flag);
}

bool IsExtended(WORD vk) {
    switch (vk) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_APPS:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_DIVIDE:
    case VK_NUMLOCK: return true;
    default: return false;
    }
}

INPUT Key(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void AppendModifiers(std::vector<INPUT>& inputs, unsigned modifiers, bool up) {
    const struct {
        Modifier flag;
        WORD vk;
    } kKeys[] = {{kCtrl, VK_CONTROL}, {kAlt, VK_MENU}, {kShift, VK_SHIFT}};
    for (const auto& key : kKeys) {
        if (modifiers & key.flag) inputs.push_back(Key(key.vk, up));
    }
}

}  // namespace

POINT CursorPos() {
    POINT point = {};
    GetCursorPos(&point);
    return point;
}

void MoveTo(POINT screen) {
    hand = screen;
    Send({MoveInput(0, screen)});
    Pause(kEventGap);
}

void ButtonDown(MouseButton button) {
    Send({ButtonInput(DownFlag(button))});
    Pause(kEventGap);
}

void ButtonUp(MouseButton button) {
    Send({ButtonInput(UpFlag(button))});
    Pause(kEventGap);
}

void Click(POINT screen, MouseButton button) {
    MoveTo(screen);
    ButtonDown(button);
    ButtonUp(button);
}

void DoubleClick(POINT screen, MouseButton button) {
    Click(screen, button);
    Click(screen, button);
}

void Drag(POINT from, POINT to, int steps, MouseButton button) {
    if (steps < 1) steps = 1;
    MoveTo(from);
    ButtonDown(button);
    for (int i = 1; i <= steps; ++i) {
        MoveTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    }
    ButtonUp(button);
}

void KeyDown(WORD vk) {
    Send({Key(vk, false)});
}

void KeyUp(WORD vk) {
    Send({Key(vk, true)});
}

void PressKey(WORD vk, unsigned modifiers) {
    std::vector<INPUT> inputs;
    AppendModifiers(inputs, modifiers, false);
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    AppendModifiers(inputs, modifiers, true);
    Send(inputs);
    Pause(kEventGap);
}

void TypeText(std::string_view ascii) {
    for (const char c : ascii) {
        if (c == '\n') {
            PressKey(VK_RETURN);
        } else if (c == '\t') {
            PressKey(VK_TAB);
        } else {
            const SHORT scan = VkKeyScanA(c);
            if (scan == -1) continue;
            const unsigned shiftState = static_cast<unsigned>(scan >> 8) & 0xFF;
            unsigned modifiers = 0;
            if (shiftState & 1) modifiers |= kShift;
            if (shiftState & 2) modifiers |= kCtrl;
            if (shiftState & 4) modifiers |= kAlt;
            PressKey(static_cast<WORD>(scan & 0xFF), modifiers);
        }
    }
}

void TypeUnicode(std::wstring_view text) {
    for (const wchar_t unit : text) {
        std::vector<INPUT> inputs(2);
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        Send(inputs);
        Pause(kEventGap);
    }
}

}  // namespace drv
