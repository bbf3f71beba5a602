#include "core/opacity.h"

#include <algorithm>

namespace core {

int AlphaPosition(int stored) {
    return std::clamp(stored, kAlphaMin, kAlphaMax);
}

uint8_t OpacityOf(int position) {
    return static_cast<uint8_t>(position * 5);
}

}  // namespace core
