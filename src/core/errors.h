// The one exception type the program throws; its text is what the user sees.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace core {

struct AppError : std::runtime_error {
    explicit AppError(const std::string& text)
        : std::runtime_error(text), text_(std::make_shared<const std::string>(text)) {}
    explicit AppError(const char* text) : AppError(std::string(text)) {}

    // The whole text. what() ends at the first NUL; one registry message carries a NUL on
    // purpose, and the error box must see it to add no full stop after it.
    const std::string& Text() const noexcept { return *text_; }

private:
    std::shared_ptr<const std::string> text_;  // shared, so copying the error cannot throw
};

}  // namespace core
