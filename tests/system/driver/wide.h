// Conversions between the test's narrow texts and the UTF-16 the system keeps. Tests write
// paths in the system's ANSI code page and the program's texts as GBK literals; the driver
// talks to the system in UTF-16, so both read right whatever code page the test runs on.
#pragma once

#include <string>
#include <string_view>

namespace drv {

std::wstring FromAnsi(std::string_view ansi);
// Characters the ANSI code page lacks become "?".
std::string ToAnsi(std::wstring_view text);

std::wstring FromGbk(std::string_view gbk);
// Characters GBK lacks become "?".
std::string ToGbk(std::wstring_view text);

}  // namespace drv
