#include "driver/rich_text.h"

#include "driver/probe_client.h"

namespace drv {

std::optional<CharFormat> CharFormatOf(HWND editor, LONG cpMin, LONG cpMax) {
    const auto answer = AskProbe(editor, probe::kCharFormat, kWaitTimeout, Delivery::kSent,
                                 {.rangeMin = cpMin, .rangeMax = cpMax});
    if (!answer) return std::nullopt;
    return CharFormat{answer->formatMask, answer->formatEffects};
}

}  // namespace drv
