// The text of an RTF document as UTF-16, read by a rich edit of the test's own process:
// what a user would see of a note file, whatever code page wrote or reads it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace drv {

// Paragraphs are separated by "\r". Nothing when the document cannot be read.
std::optional<std::wstring> RtfText(std::string_view rtf);

}  // namespace drv
