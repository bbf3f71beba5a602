#include "core/color_list.h"

#include <algorithm>

namespace core {

namespace {
char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

std::vector<TIdentMapEntry> ChooserColors() {
    std::vector<TIdentMapEntry> entries;
    std::copy_if(ColorIdentTable.begin(), ColorIdentTable.end(), std::back_inserter(entries),
                 [](const TIdentMapEntry& e) { return IsChooserColor(e.value); });
    return entries;
}

uint32_t SwatchFrameColor(uint32_t rgb, bool selected) {
    const bool light =
        (rgb & 0xFF) > 192 || ((rgb >> 8) & 0xFF) > 192 || ((rgb >> 16) & 0xFF) > 192;
    if (light) return 0x000000;
    return selected ? 0xFFFFFF : rgb;
}

std::optional<std::size_t> FindByPrefix(std::span<const TIdentMapEntry> entries,
                                        std::string_view prefix) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string_view name = entries[i].name;
        if (name.size() >= prefix.size() &&
            std::equal(prefix.begin(), prefix.end(), name.begin(),
                       [](char a, char b) { return AsciiUpper(a) == AsciiUpper(b); })) {
            return i;
        }
    }
    return std::nullopt;
}

const std::string& IncrementalSearch::Add(char c, uint32_t timeMs) {
    // Unsigned difference: right across the clock's wrap-around too.
    if (timeMs - lastTime_ > kPauseMs) typed_.clear();
    lastTime_ = timeMs;
    typed_ += c;
    return typed_;
}

}  // namespace core
