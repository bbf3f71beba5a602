#include "driver/files.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>

#include "driver/owners.h"
#include "driver/wait.h"

namespace drv {
namespace {

DWORD Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

std::string Join(std::string_view dir, std::string_view name) {
    std::string path(dir);
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += name;
    return path;
}

bool RemoveOnce(const std::string& path) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != FALSE;
    bool ok = true;
    for (const std::string& name : ListDirectory(path)) ok = RemoveOnce(Join(path, name)) && ok;
    return RemoveDirectoryA(path.c_str()) != FALSE && ok;
}

}  // namespace

TempDir::TempDir(std::string_view namePart) {
    char temp[MAX_PATH] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp) throw std::runtime_error("GetTempPathA failed");
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char unique[64];
        std::snprintf(unique, sizeof unique, "notes-test-%lu-%u-%lu",
                      static_cast<unsigned long>(GetCurrentProcessId()), counter++,
                      static_cast<unsigned long>(GetTickCount()));
        std::string candidate = Join(temp, unique);
        if (!namePart.empty()) candidate.append(" ").append(namePart);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("cannot create a temporary directory under " + std::string(temp));
}

TempDir::TempDir(TempDir&& other) noexcept : path_(std::move(other.path_)) {
    other.path_.clear();
}

TempDir::~TempDir() {
    if (path_.empty()) return;
    // A program that has just been ended may keep its files for a moment.
    if (!WaitUntil([&] { return RemoveOnce(path_); }, kWaitTimeout, "removing " + path_)) {
        std::fprintf(stderr, "[drv] could not remove %s\n", path_.c_str());
    }
}

std::string TempDir::File(std::string_view name) const {
    return Join(path_, name);
}

std::string Repeat(std::string_view part, std::size_t times) {
    std::string out;
    out.reserve(part.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += part;
    return out;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    ui::File file(CreateFileA(path.c_str(), GENERIC_READ,
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
    ui::File file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

bool FileExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
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
    WIN32_FIND_DATAA data = {};
    FindHandle find(FindFirstFileA(Join(path, "*").c_str(), &data));
    if (!find) return names;
    do {
        const std::string_view name = data.cFileName;
        if (name != "." && name != "..") names.emplace_back(name);
    } while (FindNextFileA(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

bool RemoveTree(const std::string& path) {
    return RemoveOnce(path);
}

FileLock::FileLock(const std::string& path, DWORD share)
    : file_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr)),
      error_(file_ ? 0 : GetLastError()) {}

}  // namespace drv
