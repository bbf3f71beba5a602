// The transparency slider: positions 11 to 51, each worth five steps of opacity, from 55
// (the most translucent the note gets) to 255 (opaque).
#pragma once

#include <cstdint>

namespace core {

inline constexpr int kAlphaMin = 11;
inline constexpr int kAlphaMax = 51;
inline constexpr int kAlphaDefault = kAlphaMax;

// The window's opacity at a slider position.
uint8_t OpacityOf(int position);

}  // namespace core
