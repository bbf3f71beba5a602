// Turning a colour value into the RGB that is drawn.
#pragma once

#include <windows.h>

#include "core/color.h"

namespace ui {

// A system colour gives the platform's current colour of that kind; any other value is
// used unchanged as 0x00BBGGRR.
inline COLORREF ColorToRGB(core::TColor color) {
    if (core::IsSystemColor(color)) return GetSysColor(core::SystemColorIndex(color));
    return static_cast<COLORREF>(color);
}

}  // namespace ui
