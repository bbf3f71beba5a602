// Byte-level helpers for GBK (code page 936) text. A trail byte of a double-byte character
// can look like an ASCII "\" (0x5C) or lie in 0x40..0x7E, so searches for delimiters must
// step over whole characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

constexpr bool IsGbkLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// The helpers below read GBK unless given the lead bytes of another code page (the system's,
// for a text in the ANSI code page).
using LeadBytePredicate = bool (*)(unsigned char);

// Length in bytes of the character that starts at text[pos]: 2 for a lead byte with a
// trail byte after it, else 1.
std::size_t GbkCharLength(std::string_view text, std::size_t pos,
                          LeadBytePredicate isLead = IsGbkLeadByte);

// Offset of the first byte of the last character, or npos for an empty text.
std::size_t GbkLastCharStart(std::string_view text, LeadBytePredicate isLead = IsGbkLeadByte);

// Offset of the first/last single-byte character equal to c, never a trail byte; npos if none.
std::size_t GbkFind(std::string_view text, char c, LeadBytePredicate isLead = IsGbkLeadByte);
std::size_t GbkFindLast(std::string_view text, char c, LeadBytePredicate isLead = IsGbkLeadByte);

}  // namespace core
