// The driver's side of menu_probe.dll: asks a question inside the process that owns a
// window. Used by the menu and message-box helpers; tests do not need it directly.
#pragma once

#include <windows.h>

#include <optional>

#include "driver/wait.h"
#include "menu_probe/probe_protocol.h"

namespace drv {

enum class Delivery {
    kSent,    // answered at once, also inside a SendMessage of the target's own
    kPosted,  // answered when the target's thread takes it from its queue in a message loop
};

// What a question needs beyond its kind (kCharFormat: the character range).
struct ProbeArgs {
    LONG rangeMin = 0;
    LONG rangeMax = 0;
};

// Hooks the probe into the thread of `target`, gives `target` the request and returns the
// answer; nothing when the probe is missing or the thread did not answer in time.
std::optional<probe::Block> AskProbe(HWND target, probe::Query query, Ms timeout = kWaitTimeout,
                                     Delivery delivery = Delivery::kSent, ProbeArgs args = {});

}  // namespace drv
