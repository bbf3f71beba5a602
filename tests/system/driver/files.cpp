#include "driver/files.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>

#include "driver/owners.h"
#include "driver/wait.h"
#include "driver/wide.h"

namespace drv {
namespace {

DWORD Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

template <class Char>
std::basic_string<Char> Join(std::basic_string_view<Char> dir, std::basic_string_view<Char> name) {
    std::basic_string<Char> path(dir);
    if (!path.empty() && path.back() != Char('\\')) path += Char('\\');
    path += name;
    return path;
}

std::string Join(std::string_view dir, std::string_view name) {
    return Join<char>(dir, name);
}

std::wstring Join(std::wstring_view dir, std::wstring_view name) {
    return Join<wchar_t>(dir, name);
}

bool RemoveOnce(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileW(path.c_str()) != FALSE;
    bool ok = true;
    for (const std::wstring& name : ListDirectory(path)) ok = RemoveOnce(Join(path, name)) && ok;
    return RemoveDirectoryW(path.c_str()) != FALSE && ok;
}

}  // namespace

TempDir::TempDir(std::string_view namePart) : TempDir(std::wstring_view(FromAnsi(namePart))) {}

TempDir::TempDir(std::wstring_view namePart) {
    wchar_t temp[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) throw std::runtime_error("GetTempPathW failed");
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t unique[64];
        std::swprintf(unique, 64, L"notes-test-%lu-%u-%lu",
                      static_cast<unsigned long>(GetCurrentProcessId()), counter++,
                      static_cast<unsigned long>(GetTickCount()));
        std::wstring candidate = Join(std::wstring_view(temp), std::wstring_view(unique));
        if (!namePart.empty()) candidate.append(L" ").append(namePart);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            widePath_ = candidate;
            path_ = ToAnsi(candidate);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("cannot create a temporary directory under " + ToAnsi(temp));
}

TempDir::TempDir(TempDir&& other) noexcept
    : widePath_(std::move(other.widePath_)), path_(std::move(other.path_)) {
    other.widePath_.clear();
    other.path_.clear();
}

TempDir::~TempDir() {
    if (widePath_.empty()) return;
    // A program that has just been ended may keep its files for a moment.
    if (!WaitUntil([&] { return RemoveOnce(widePath_); }, kWaitTimeout, "removing " + path_)) {
        std::fprintf(stderr, "[drv] could not remove %s\n", path_.c_str());
    }
}

std::string TempDir::File(std::string_view name) const {
    return Join(path_, name);
}

std::wstring TempDir::WideFile(std::wstring_view name) const {
    return Join(widePath_, name);
}

std::string Repeat(std::string_view part, std::size_t times) {
    std::string out;
    out.reserve(part.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += part;
    return out;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    return ReadFileBytes(FromAnsi(path));
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    ui::File file(CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    return bytes;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    return WriteFileBytes(FromAnsi(path), bytes);
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    ui::File file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

bool FileExists(const std::string& path) {
    return FileExists(FromAnsi(path));
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

std::optional<std::uint64_t> LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

bool SetReadOnly(const std::string& path, bool readOnly) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const DWORD wanted =
        readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
    return SetFileAttributesA(path.c_str(), wanted) != FALSE;
}

bool IsReadOnly(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool ReadOnlyFilesAreProtected() {
    static const bool isProtected = [] {
        TempDir dir;
        const std::string path = dir.File("read-only");
        if (!WriteFileBytes(path, "") || !SetReadOnly(path, true)) return false;
        ui::File file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        return !file;
    }();
    return isProtected;
}

std::vector<std::string> ListDirectory(const std::string& path) {
    std::vector<std::string> names;
    for (const std::wstring& name : ListDirectory(FromAnsi(path))) names.push_back(ToAnsi(name));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> ListDirectory(const std::wstring& path) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data = {};
    FindHandle find(FindFirstFileW(Join(path, L"*").c_str(), &data));
    if (!find) return names;
    do {
        const std::wstring_view name = data.cFileName;
        if (name != L"." && name != L"..") names.emplace_back(name);
    } while (FindNextFileW(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

bool RemoveTree(const std::string& path) {
    return RemoveOnce(FromAnsi(path));
}

FileLock::FileLock(const std::string& path, DWORD share) : FileLock(FromAnsi(path), share) {}

FileLock::FileLock(const std::wstring& path, DWORD share)
    : file_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr)),
      error_(file_ ? 0 : GetLastError()) {}

}  // namespace drv
