#include "driver/closing.h"

#include <string>

namespace drv {

Waited<MsgBox> WaitForCloseConfirmation(DWORD pid, Ms timeout) {
    return WaitFor<MsgBox>(
        [pid]() -> std::optional<MsgBox> {
            for (HWND hwnd : MessageBoxWindows(pid)) {
                std::optional<MsgBox> box = ReadMessageBox(hwnd);
                if (box && box->text == kCloseQuestion && box->caption == kCloseCaption &&
                    box->ButtonIds() == std::vector<int>{IDYES, IDNO} &&
                    box->icon == BoxIcon::Question) {
                    return box;
                }
            }
            return std::nullopt;
        },
        timeout, "the close confirmation of process " + std::to_string(pid));
}

::testing::AssertionResult AnswerCloseConfirmation(DWORD pid, int answer) {
    const Waited<MsgBox> box = WaitForCloseConfirmation(pid);
    if (!box) return box;
    if (!Press(*box, answer)) {
        return ::testing::AssertionFailure() << "the confirmation has no button " << answer;
    }
    return WaitForGone(box->hwnd);
}

::testing::AssertionResult CloseAndConfirm(const NotesProcess& note) {
    const HWND window = note.NoteWindow();
    if (!window) return ::testing::AssertionFailure() << "no note window to close";
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (auto answered = AnswerCloseConfirmation(note.Pid(), IDYES); !answered) return answered;
    // Taking down a rich edit that holds megabytes is the processor's work.
    const Waited<DWORD> exit = note.WaitForExit(ForHeavyWork(kWaitTimeout));
    if (!exit) return exit;
    if (*exit != 0) return ::testing::AssertionFailure() << "exit code " << *exit;
    return ::testing::AssertionSuccess();
}

}  // namespace drv
