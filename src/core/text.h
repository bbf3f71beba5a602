// Texts the program forms: the application title, error messages, printf-style formatting.
#pragma once

#include <string>
#include <string_view>

#include "core/gbk.h"

namespace core {

// The executable's file name without its directory and without everything from the first
// "." on. Case is left alone; the caller lowers it (the system's rules, code-page aware).
// The narrow form reads a path in the ANSI code page, stepping over its double-byte
// characters (`isLead` tells their first bytes; GBK's by default); the wide form a path as
// the system holds it.
std::string TitleStem(std::string_view modulePath, LeadBytePredicate isLead = IsGbkLeadByte);
std::wstring TitleStem(std::wstring_view modulePath);

// The directory part of a path, up to and including its last "\" or ":" (empty if none).
std::wstring DirectoryOf(std::wstring_view path);

// Offset where the second character of a text starts (0 for an empty text).
std::size_t SecondCharOffset(std::string_view text, LeadBytePredicate isLead = IsGbkLeadByte);

// Appends "." unless the text is empty or its last character sorts at or before "."
// (every character beyond ASCII sorts after it).
std::wstring WithFullStop(std::wstring_view message);

// A system error text as shown inside our messages: trailing blanks, control characters
// and full stops removed.
std::wstring TrimSystemText(std::wstring_view text);

// snprintf into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace core
