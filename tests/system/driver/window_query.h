// Looking at windows of another process the way the system shows them: search by process
// and class, child windows and their places, texts, styles, owner, transparency.
#pragma once

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "driver/wait.h"

namespace drv {

DWORD ProcessOf(HWND hwnd);
// Top-level windows of a process, hidden ones too, in z-order.
std::vector<HWND> TopLevelWindows(DWORD pid);
// The first top-level window of a process with that class (GBK class names work), or null.
HWND FindTopLevel(DWORD pid, std::string_view className);
std::vector<HWND> FindTopLevels(DWORD pid, std::string_view className);
// A visible top-level window of a process with that class, once there is one and the
// program is done showing it (Settle): a driver acting at once could otherwise overtake
// the window's own activation, which a program under an emulator makes slowly.
Waited<HWND> WaitForShownTopLevel(DWORD pid, std::string_view className, Ms timeout = kWaitTimeout);

// Direct children, in z-order.
std::vector<HWND> Children(HWND parent);
// The descendant with that control ID, or null.
HWND ChildById(HWND root, int id);

std::string ClassName(HWND hwnd);
// Texts are read as UTF-16 and handed on as GBK, so that they compare with the GBK literals
// of the tests whatever the system's code page ("?" for a character GBK lacks).
// The text the system keeps for a window: captions, button and static texts.
std::string WindowText(HWND hwnd);
// What a control holds, asked with WM_GETTEXT (a rich edit's plain text, "\r\n" line ends).
std::string ControlText(HWND hwnd);

RECT WindowRect(HWND hwnd);  // screen coordinates
RECT ClientRect(HWND hwnd);  // origin 0, 0
// The child's window rectangle in the client coordinates of `relativeTo`.
RECT ChildRect(HWND child, HWND relativeTo);
POINT ClientToScreen(HWND hwnd, POINT client);
// Screen point at the centre of a window, or of a rectangle given in screen coordinates.
POINT Center(HWND hwnd);
POINT Center(const RECT& rect);
inline int Width(const RECT& r) {
    return r.right - r.left;
}
inline int Height(const RECT& r) {
    return r.bottom - r.top;
}

// Sends `message` and returns the window's answer, or 0 when it did not answer within
// `timeout` (a hung program must fail its test, not hang it; a program saving a large note
// on a loaded machine under Wine may take seconds to answer).
LRESULT SendTo(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
               Ms timeout = Ms(20000));
// The system's text for error `code`, without the trailing period and line break, as a
// program quotes it inside its own sentence.
std::string SystemText(DWORD code);

bool IsVisible(HWND hwnd);
bool IsEnabled(HWND hwnd);
bool IsMinimized(HWND hwnd);
bool IsMaximized(HWND hwnd);
LONG Style(HWND hwnd);
LONG ExStyle(HWND hwnd);
bool IsTopmost(HWND hwnd);
HWND Owner(HWND hwnd);  // GetWindow(GW_OWNER)
// The window with the keyboard focus, and the active window, of the thread that owns
// `hwnd` (GetGUIThreadInfo), or null.
HWND FocusOf(HWND hwnd);
HWND ActiveOf(HWND hwnd);
// The constant alpha of a layered window (255 is opaque), or nothing when the window is
// not layered or has no alpha set.
std::optional<BYTE> Opacity(HWND hwnd);

// The pointer shape that the thread of `hwnd` has set last, told by menu_probe.dll (cursor
// handles mean nothing in another process under Wine). Unknown when it could not be asked.
enum class CursorShape { None, Arrow, SizeAll, IBeam, Other, Unknown };
std::ostream& operator<<(std::ostream& out, CursorShape shape);
CursorShape CursorShown(HWND hwnd);

}  // namespace drv
