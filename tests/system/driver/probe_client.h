// The driver's side of menu_probe.dll: asks a question inside the process that owns a
// window. Used by the menu and message-box helpers; tests do not need it directly.
#pragma once

#include <windows.h>

#include <optional>

#include "driver/wait.h"
#include "menu_probe/probe_protocol.h"

namespace drv {

// Hooks the probe into the thread of `target`, sends `target` the request and returns the
// answer; nothing when the probe is missing or the thread did not answer in time.
std::optional<probe::Block> AskProbe(HWND target, probe::Query query, Ms timeout = kWaitTimeout);

}  // namespace drv
