// The number syntax of settings values: signed 32-bit decimal or hexadecimal text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

// Leading spaces (0x20 only), one optional sign, then either decimal digits or "$", "x",
// "X", "0x", "0X" and hexadecimal digits, up to the end of the text. Decimal values must
// fit in 32 bits with their sign; hexadecimal ones are a 32-bit pattern taken as signed and
// negated under "-". Anything else, a trailing blank included, fails.
std::optional<int32_t> ParseInteger(std::string_view text);

}  // namespace core
