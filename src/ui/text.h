// The program's texts on their way to the system. They are written in the sources as GBK
// (code page 936) and reach the system as UTF-16, converted with code page 936 whatever the
// system's own, so that they read right on any Windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// A GBK text as UTF-16.
std::wstring FromGbk(std::string_view gbk);

// A text in the system's ANSI code page as UTF-16, as an ANSI function would take it: for
// names that both sides of an exchange convert alike (the note window's class name).
std::wstring FromAnsi(std::string_view ansi);

// The text in the system's ANSI code page, or nothing when that code page cannot spell it.
std::optional<std::string> ToAnsi(std::wstring_view text);

}  // namespace ui
