#include "core/opacity.h"

namespace core {

uint8_t OpacityOf(int position) {
    return static_cast<uint8_t>(position * 5);
}

}  // namespace core
