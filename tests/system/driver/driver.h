// The outside-in driver of the system tests: it starts the real Notes.exe and works it as a
// user and the system would (windows, real input, message boxes, menus, files, clipboard,
// screen, registry), with nothing for tests built into the program. Everything is in `drv`.
//
//   drv::NotesProcess note({.files = {{"Memo.rtf", rtf}}});   // a copy in a fresh directory
//   note.Launch();
//   const HWND window = *note.WaitForNoteWindow();            // throws drv::Timeout, saying why
//   const HWND editor = drv::ChildById(window, notes::IDC_REMEMO);
//   drv::Click(drv::Center(editor));                          // real input ...
//   drv::TypeText("abc");
//   ASSERT_TRUE(drv::Settle(window));                         // ... handled by the program
//   EXPECT_EQ(drv::ControlText(editor), "abc");
//   drv::Click(drv::Center(editor), drv::MouseButton::Right);
//   const drv::Menu menu = *drv::WaitForPopupMenu(note.Pid());
//
// Texts are compared as GBK bytes: narrow literals in our sources are GBK at run time.
// Menus, message-box icons and Settle are read inside the program by menu_probe.dll,
// which the driver hooks in for the moment of the question (see probe_client.h).
#pragma once

#include "driver/case_name.h"
#include "driver/char_format.h"
#include "driver/clipboard.h"
#include "driver/closing.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/menu.h"
#include "driver/message_box.h"
#include "driver/process.h"
#include "driver/registry.h"
#include "driver/rich_text.h"
#include "driver/rtf_text.h"
#include "driver/screen.h"
#include "driver/shell_handler.h"
#include "driver/tray.h"
#include "driver/wait.h"
#include "driver/window_query.h"
