#include "driver/message_box.h"

#include <algorithm>

#include "driver/input.h"
#include "driver/probe_client.h"
#include "driver/window_query.h"

namespace drv {
namespace {

bool IsStatic(HWND hwnd) {
    return ClassName(hwnd) == "Static";
}

bool IsButton(HWND hwnd) {
    return ClassName(hwnd) == "Button";
}

bool IsIconStatic(HWND hwnd) {
    return IsStatic(hwnd) && (Style(hwnd) & SS_TYPEMASK) == SS_ICON;
}

bool IsMessageBox(HWND hwnd) {
    if (ClassName(hwnd) != "#32770" || !IsVisible(hwnd)) return false;
    const std::vector<HWND> children = Children(hwnd);
    return std::any_of(children.begin(), children.end(), IsButton) &&
           std::all_of(children.begin(), children.end(),
                       [](HWND child) { return IsStatic(child) || IsButton(child); });
}

BoxIcon IconOf(LONG icon) {
    switch (icon) {
    case probe::kNoIcon: return BoxIcon::None;
    case probe::kError: return BoxIcon::Error;
    case probe::kQuestion: return BoxIcon::Question;
    case probe::kWarning: return BoxIcon::Warning;
    case probe::kInformation: return BoxIcon::Information;
    default: return BoxIcon::Other;
    }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, BoxIcon icon) {
    constexpr const char* kNames[] = {"None",        "Error", "Question", "Warning",
                                      "Information", "Other", "Unknown"};
    return out << kNames[static_cast<int>(icon)];
}

std::vector<std::string> MsgBox::ButtonTexts() const {
    std::vector<std::string> texts;
    for (const BoxButton& button : buttons) texts.push_back(button.text);
    return texts;
}

std::vector<int> MsgBox::ButtonIds() const {
    std::vector<int> ids;
    for (const BoxButton& button : buttons) ids.push_back(button.id);
    return ids;
}

std::vector<HWND> MessageBoxWindows(DWORD pid) {
    std::vector<HWND> boxes = TopLevelWindows(pid);
    std::erase_if(boxes, [](HWND hwnd) { return !IsMessageBox(hwnd); });
    return boxes;
}

int CountMessageBoxes(DWORD pid) {
    return static_cast<int>(MessageBoxWindows(pid).size());
}

std::optional<MsgBox> ReadMessageBox(HWND hwnd) {
    if (!IsMessageBox(hwnd)) return std::nullopt;
    MsgBox box;
    box.hwnd = hwnd;
    box.caption = WindowText(hwnd);
    for (HWND child : Children(hwnd)) {
        if (IsButton(child)) {
            if (IsVisible(child))
                box.buttons.push_back({GetDlgCtrlID(child), WindowText(child), child});
        } else if (!IsIconStatic(child) && box.text.empty()) {
            box.text = WindowText(child);
        }
    }
    std::sort(box.buttons.begin(), box.buttons.end(), [](const BoxButton& a, const BoxButton& b) {
        return WindowRect(a.hwnd).left < WindowRect(b.hwnd).left;
    });
    if (const auto answer = AskProbe(hwnd, probe::kIdentifyIcon)) box.icon = IconOf(answer->icon);
    return box;
}

Waited<MsgBox> WaitForMessageBox(DWORD pid, Ms timeout) {
    return WaitFor<MsgBox>(
        [pid]() -> std::optional<MsgBox> {
            for (HWND hwnd : MessageBoxWindows(pid)) {
                if (auto box = ReadMessageBox(hwnd)) return box;
            }
            return std::nullopt;
        },
        timeout, "a message box of process " + std::to_string(pid));
}

bool Press(const MsgBox& box, int buttonId) {
    for (const BoxButton& button : box.buttons) {
        if (button.id != buttonId) continue;
        return PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                            reinterpret_cast<LPARAM>(button.hwnd)) != FALSE;
    }
    return false;
}

bool ClickButton(const MsgBox& box, int buttonId) {
    for (const BoxButton& button : box.buttons) {
        if (button.id != buttonId) continue;
        Click(Center(button.hwnd));
        return true;
    }
    return false;
}

::testing::AssertionResult WaitForGone(HWND hwnd, Ms timeout) {
    return WaitUntil([hwnd] { return !IsWindow(hwnd) || !IsVisible(hwnd); }, timeout,
                     "window " + std::to_string(reinterpret_cast<UINT_PTR>(hwnd)) +
                         " to be destroyed or hidden");
}

}  // namespace drv
