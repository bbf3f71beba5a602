// The one exception type the program throws; its text is what the user sees.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace core {

// The text is UTF-16 on Windows (wide), since it may quote a path or a name in any script.
struct AppError : std::runtime_error {
    explicit AppError(std::wstring text);
    // An ASCII text.
    explicit AppError(std::string_view ascii);
    explicit AppError(const char* ascii) : AppError(std::string_view(ascii)) {}

    // The whole text. what() is an ASCII rendering that ends at the first NUL; one registry
    // message carries a NUL on purpose, and the error box must see it to add no full stop
    // after it.
    const std::wstring& Text() const noexcept { return *text_; }

private:
    std::shared_ptr<const std::wstring> text_;  // shared, so copying the error cannot throw
};

// Widens an ASCII text (every byte taken as the code point it is).
std::wstring WidenAscii(std::string_view ascii);
// Narrows a wide text to ASCII, each other character as "?".
std::string NarrowToAscii(std::wstring_view text);

}  // namespace core
