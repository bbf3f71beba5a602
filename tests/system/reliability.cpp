#include "reliability.h"

#include <richedit.h>

#include <algorithm>
#include <cstdio>

#include "driver/owners.h"

namespace rel {
namespace {

std::string JsonText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The report file, or nothing. The report script passes a Unix path; Wine shows the Unix
// root as drive Z:.
std::optional<std::string> OutputPath() {
    char buffer[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableA("NOTES_RELIABILITY_OUT", buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return std::nullopt;
    std::string path(buffer, length);
    if (path.front() == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

struct StreamSource {
    const std::string* bytes;
    std::size_t at = 0;
};

DWORD CALLBACK ReadSource(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    auto& source = *reinterpret_cast<StreamSource*>(cookie);
    const std::size_t n =
        std::min(static_cast<std::size_t>(size), source.bytes->size() - source.at);
    std::copy_n(source.bytes->data() + source.at, n, buffer);
    source.at += n;
    *written = static_cast<LONG>(n);
    return 0;
}

}  // namespace

Tally::Tally(std::string kind, std::string input)
    : kind_(std::move(kind)), input_(std::move(input)) {}

Tally::~Tally() {
    const auto path = OutputPath();
    if (!path) return;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name =
        test ? std::string(test->test_suite_name()) + "." + test->name() : std::string();
    const bool passed = !test || !test->result()->Failed();
    const std::string line =
        "{\"kind\":" + JsonText(kind_) + ",\"input\":" + JsonText(input_) +
        ",\"test\":" + JsonText(name) + ",\"tried\":" + std::to_string(tried_) +
        ",\"lost\":" + std::to_string(lost_) + ",\"crashes\":" + std::to_string(crashes_) +
        ",\"passed\":" + (passed ? "true" : "false") + "}\n";
    ui::File file(CreateFileA(path->c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) {
        std::fprintf(stderr, "[rel] cannot append to %s\n", path->c_str());
    }
}

bool Answers(HWND hwnd, drv::Ms within) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                               static_cast<UINT>(within.count()), &result) != 0;
}

bool IsWholeRtf(std::string bytes) {
    while (!bytes.empty() && (bytes.back() == '\0' || bytes.back() == '\r' || bytes.back() == '\n'))
        bytes.pop_back();
    return bytes.rfind("{\\rtf", 0) == 0 && bytes.back() == '}';
}

std::wstring WideText(HWND hwnd) {
    for (std::size_t size = 4096; size <= (std::size_t{1} << 27); size *= 4) {
        std::wstring text(size, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text.data()),
                                 SMTO_NORMAL, 30000, &copied)) {
            return {};
        }
        if (copied + 1 < size) {
            text.resize(copied);
            return text;
        }
    }
    return {};
}

std::optional<std::wstring> RtfText(const std::string& rtf) {
    static const ui::Library library(LoadLibraryA("RICHED32.DLL"));
    const drv::OwnWindow editor(CreateWindowExA(0, "RICHEDIT", "", WS_POPUP | ES_MULTILINE, 0, 0,
                                                100, 100, nullptr, nullptr,
                                                GetModuleHandleA(nullptr), nullptr));
    if (!editor) return std::nullopt;
    SendMessageA(editor.get(), EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
    StreamSource source{&rtf};
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = &ReadSource;
    SendMessageA(editor.get(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0) return std::nullopt;
    return WideText(editor.get());
}

}  // namespace rel
