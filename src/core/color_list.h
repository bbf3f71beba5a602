// What the background-colour chooser lists and how it answers the keyboard, kept apart
// from the control so that it is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/color.h"

namespace core {

// The rows of ColorIdentTable the chooser offers, in table order.
std::vector<TIdentMapEntry> ChooserColors();

// The colour of the 1-pixel frame around an entry's swatch, from the colour as drawn
// (0x00BBGGRR): black around a light colour, which would otherwise melt into the list;
// otherwise white on the selection highlight and the colour itself elsewhere.
uint32_t SwatchFrameColor(uint32_t rgb, bool selected);

// The first entry whose identifier starts with `prefix`, ASCII letters in any case.
std::optional<std::size_t> FindByPrefix(std::span<const TIdentMapEntry> entries,
                                        std::string_view prefix);

// Characters typed within kPauseMs of each other build one prefix; a longer pause starts
// a new one. Times come from a wrapping millisecond clock (the messages' time stamps).
class IncrementalSearch {
public:
    static constexpr uint32_t kPauseMs = 500;
    // Adds a character typed at `timeMs`; returns the prefix now sought.
    const std::string& Add(char c, uint32_t timeMs);

private:
    std::string typed_;
    uint32_t lastTime_ = 0;
};

}  // namespace core
