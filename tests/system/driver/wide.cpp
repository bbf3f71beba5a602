#include "driver/wide.h"

#include <windows.h>

#include "ui/text.h"

namespace drv {
namespace {

std::string Narrow(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr,
                            nullptr);
    }
    return narrow;
}

}  // namespace

std::wstring FromAnsi(std::string_view ansi) {
    return ui::FromAnsi(ansi);
}

std::string ToAnsi(std::wstring_view text) {
    return Narrow(CP_ACP, text);
}

std::wstring FromGbk(std::string_view gbk) {
    return ui::FromGbk(gbk);
}

std::string ToGbk(std::wstring_view text) {
    return Narrow(936, text);
}

}  // namespace drv
