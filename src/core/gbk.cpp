#include "core/gbk.h"

namespace core {

std::size_t GbkCharLength(std::string_view text, std::size_t pos, LeadBytePredicate isLead) {
    return isLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

std::size_t GbkLastCharStart(std::string_view text, LeadBytePredicate isLead) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += GbkCharLength(text, i, isLead)) last = i;
    return last;
}

std::size_t GbkFind(std::string_view text, char c, LeadBytePredicate isLead) {
    for (std::size_t i = 0; i < text.size(); i += GbkCharLength(text, i, isLead)) {
        if (text[i] == c) return i;
    }
    return std::string_view::npos;
}

std::size_t GbkFindLast(std::string_view text, char c, LeadBytePredicate isLead) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += GbkCharLength(text, i, isLead)) {
        if (text[i] == c) found = i;
    }
    return found;
}

}  // namespace core
