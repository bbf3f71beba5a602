// Texts the program forms: the application title, error messages, printf-style formatting.
#pragma once

#include <string>
#include <string_view>

namespace core {

// The executable's file name without its directory and without everything from the first
// "." on. Case is left alone; the caller lowers it (the system's rules, code-page aware).
std::string TitleStem(std::string_view modulePath);

// The directory part of a path, up to and including its last "\" or ":" (empty if none).
std::string DirectoryOf(std::string_view path);

// Offset where the second character of a GBK text starts (0 for an empty text).
std::size_t SecondCharOffset(std::string_view text);

// Appends "." unless the text is empty or its last character sorts at or before "."
// (byte order; of a double-byte character its first byte counts).
std::string WithFullStop(std::string_view message);

// A system error text as shown inside our messages: trailing blanks, control characters
// and full stops removed.
std::string TrimSystemText(std::string_view text);

// snprintf into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace core
