#include "ui/text.h"

#include <windows.h>

namespace ui {
namespace {

constexpr UINT kGbkCodePage = 936;

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring FromGbk(std::string_view gbk) {
    return Widen(kGbkCodePage, gbk);
}

std::wstring FromAnsi(std::string_view ansi) {
    return Widen(CP_ACP, ansi);
}

std::optional<std::string> ToAnsi(std::wstring_view text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    BOOL defaulted = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr,
                                           0, nullptr, &defaulted);
    if (length <= 0 || defaulted) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, ansi.data(), length,
                        nullptr, &defaulted);
    // A character the code page has no exact form for must not pass for one it has.
    if (defaulted || FromAnsi(ansi) != text) return std::nullopt;
    return ansi;
}

}  // namespace ui
