// The outside-in driver of the system tests: it starts the real Notes.exe and works it as a
// user and the system would (windows, real input, message boxes, menus, files, clipboard,
// screen, registry), with no hook for tests inside the program. Everything is in `drv`.
#pragma once

#include "driver/case_name.h"
#include "driver/clipboard.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/menu.h"
#include "driver/message_box.h"
#include "driver/process.h"
#include "driver/registry.h"
#include "driver/screen.h"
#include "driver/wait.h"
#include "driver/window_query.h"
