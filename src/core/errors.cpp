#include "core/errors.h"

namespace core {

std::wstring WidenAscii(std::string_view ascii) {
    std::wstring wide;
    wide.reserve(ascii.size());
    for (const char c : ascii) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

std::string NarrowToAscii(std::wstring_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (const wchar_t c : text)
        narrow.push_back(static_cast<unsigned long>(c) < 0x80 ? static_cast<char>(c) : '?');
    return narrow;
}

AppError::AppError(std::wstring text)
    : std::runtime_error(NarrowToAscii(text)),
      text_(std::make_shared<const std::wstring>(std::move(text))) {}

AppError::AppError(std::string_view ascii) : AppError(WidenAscii(ascii)) {}

}  // namespace core
