// Ending the program under test the way a user does: every close asks "确定要退出吗?" first.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "driver/message_box.h"
#include "driver/process.h"
#include "driver/wait.h"

namespace drv {

inline constexpr char kCloseQuestion[] = "确定要退出吗?";
inline constexpr char kCloseCaption[] = "提示";

// Waits for the close confirmation of process `pid` and checks that it is that box: its
// text, caption, Yes and No, the question icon.
Waited<MsgBox> WaitForCloseConfirmation(DWORD pid, Ms timeout = kWaitTimeout);
// Answers the confirmation with IDYES or IDNO and waits until the box has gone.
::testing::AssertionResult AnswerCloseConfirmation(DWORD pid, int answer);

// Posts WM_CLOSE to the note window, answers Yes, and waits until the program has ended
// with exit code 0.
::testing::AssertionResult CloseAndConfirm(const NotesProcess& note);

}  // namespace drv
