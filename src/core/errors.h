// The one exception type the program throws; its text is what the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace core {

struct AppError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace core
