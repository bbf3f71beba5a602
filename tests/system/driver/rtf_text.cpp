#include "driver/rtf_text.h"

#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace drv {
namespace {

struct Source {
    std::string_view rest;
};

DWORD CALLBACK ReadSource(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto& source = *reinterpret_cast<Source*>(cookie);
    const std::size_t count = std::min(source.rest.size(), static_cast<std::size_t>(size));
    std::memcpy(buffer, source.rest.data(), count);
    source.rest.remove_prefix(count);
    *done = static_cast<LONG>(count);
    return 0;
}

}  // namespace

std::optional<std::wstring> RtfText(std::string_view rtf) {
    static const HMODULE library = LoadLibraryW(L"riched20.dll");
    if (!library) return std::nullopt;
    const HWND editor = CreateWindowExW(0, L"RichEdit20W", L"", ES_MULTILINE, 0, 0, 100, 100,
                                        HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!editor) return std::nullopt;
    SendMessageW(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
    Source source{rtf};
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, &ReadSource};
    SendMessageW(editor, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    std::optional<std::wstring> text;
    if (stream.dwError == 0) {
        GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
        const auto units =
            SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
        std::vector<wchar_t> buffer(static_cast<std::size_t>(units > 0 ? units : 0) + 1);
        GETTEXTEX request = {};
        request.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        request.flags = GT_DEFAULT;
        request.codepage = 1200;
        const auto got = SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                      reinterpret_cast<LPARAM>(buffer.data()));
        text = std::wstring(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
    }
    DestroyWindow(editor);
    return text;
}

}  // namespace drv
