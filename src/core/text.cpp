#include "core/text.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "core/gbk.h"

namespace core {

std::string TitleStem(std::string_view modulePath) {
    std::string_view name = modulePath;
    const std::size_t slash = GbkFindLast(name, '\\');
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    const std::size_t dot = GbkFind(name, '.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return std::string(name);
}

std::string DirectoryOf(std::string_view path) {
    const std::size_t slash = GbkFindLast(path, '\\');
    const std::size_t colon = GbkFindLast(path, ':');
    std::size_t last = std::string_view::npos;
    if (slash != std::string_view::npos) last = slash;
    if (colon != std::string_view::npos && (last == std::string_view::npos || colon > last)) {
        last = colon;
    }
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::size_t SecondCharOffset(std::string_view text) {
    return text.empty() ? 0 : GbkCharLength(text, 0);
}

std::string WithFullStop(std::string_view message) {
    std::string result(message);
    const std::size_t last = GbkLastCharStart(message);
    if (last != std::string_view::npos && static_cast<unsigned char>(message[last]) > '.') {
        result += '.';
    }
    return result;
}

std::string TrimSystemText(std::string_view text) {
    // Blanks, control characters and "." never occur as GBK trail bytes, so trimming
    // byte by byte cannot split a character.
    while (!text.empty()) {
        const auto b = static_cast<unsigned char>(text.back());
        if (b > ' ' && b != '.' && b != 0x7F) break;
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (needed > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        result.assign(buffer.data(), static_cast<std::size_t>(needed));
    }
    va_end(args);
    return result;
}

}  // namespace core
