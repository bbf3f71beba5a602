// Colour values: 0x00BBGGRR, or a system colour (top bit set, index in the low byte), with
// their identifiers and text forms as the settings file stores them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/errors.h"

namespace core {

using TColor = int32_t;

constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0xFF000000u | unsigned(index));
}
constexpr TColor clYellow = 0x0000FFFF;
constexpr TColor clCream = 0x00F0FBFF;
constexpr TColor clSkyBlue = 0x00F0CAA6;
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr bool IsSystemColor(TColor c) {
    return c < 0;
}
constexpr int SystemColorIndex(TColor c) {
    return c & 0xFF;
}

struct TIdentMapEntry {
    TColor value;
    const char* name;
};

// Every colour with an identifier, in the order the colour chooser lists them.
extern const std::array<TIdentMapEntry, 52> ColorIdentTable;

// Whether the colour chooser offers a row (all but the two special values).
constexpr bool IsChooserColor(TColor c) {
    return c != clNone && c != clDefault;
}

// The identifier of the first row with that value.
std::optional<std::string> ColorToName(TColor color);
// The value of the first row whose identifier equals the text, ASCII letters in any case;
// the whole text must match (no trimming, no prefixes).
std::optional<TColor> NameToColor(std::string_view text);
// The identifier, or "$" and eight upper-case hexadecimal digits.
std::string ColorToText(TColor color);

// Raised by TextToColor for a text that is neither an identifier nor a number.
struct EConvertError : AppError {
    explicit EConvertError(std::wstring_view text);
};
TColor TextToColor(std::string_view text);
// The same for a text as the settings file gives it: one beyond ASCII is no colour.
TColor TextToColor(std::wstring_view text);

}  // namespace core
