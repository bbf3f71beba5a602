#include "core/text.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "core/gbk.h"

namespace core {

std::string TitleStem(std::string_view modulePath, LeadBytePredicate isLead) {
    std::string_view name = modulePath;
    const std::size_t slash = GbkFindLast(name, '\\', isLead);
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    const std::size_t dot = GbkFind(name, '.', isLead);
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return std::string(name);
}

std::wstring TitleStem(std::wstring_view modulePath) {
    std::wstring_view name = modulePath;
    const std::size_t slash = name.rfind(L'\\');
    if (slash != std::wstring_view::npos) name.remove_prefix(slash + 1);
    const std::size_t dot = name.find(L'.');
    if (dot != std::wstring_view::npos) name = name.substr(0, dot);
    return std::wstring(name);
}

std::wstring DirectoryOf(std::wstring_view path) {
    const std::size_t last = path.find_last_of(L"\\:");
    return last == std::wstring_view::npos ? std::wstring()
                                           : std::wstring(path.substr(0, last + 1));
}

std::size_t SecondCharOffset(std::string_view text, LeadBytePredicate isLead) {
    return text.empty() ? 0 : GbkCharLength(text, 0, isLead);
}

std::wstring WithFullStop(std::wstring_view message) {
    std::wstring result(message);
    if (!message.empty() && static_cast<unsigned long>(message.back()) > L'.') result += L'.';
    return result;
}

std::wstring TrimSystemText(std::wstring_view text) {
    while (!text.empty()) {
        const auto c = static_cast<unsigned long>(text.back());
        if (c > L' ' && c != L'.' && c != 0x7F) break;
        text.remove_suffix(1);
    }
    return std::wstring(text);
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
