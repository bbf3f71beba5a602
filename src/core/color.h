// Colour values: 0x00BBGGRR, or a system colour (top bit set, index in the low byte).
#pragma once

#include <cstdint>

namespace core {

using TColor = int32_t;

constexpr TColor kSystemColorFlag = static_cast<TColor>(0xFF000000);
constexpr TColor clYellow = 0x0000FFFF;
constexpr TColor clCream = 0x00F0FBFF;
constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);
constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);

constexpr bool IsSystemColor(TColor c) {
    return c < 0;
}
constexpr int SystemColorIndex(TColor c) {
    return c & 0xFF;
}

}  // namespace core
