// Files as the program under test sees them: a fresh directory per test, whole-file reads
// and writes, attributes, and a lock held as another program would hold a file. Paths and
// names are narrow strings in the ANSI code page; where a test needs a name that code page
// cannot spell, the wide forms take UTF-16.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/handles.h"

namespace drv {

// A new, empty directory under %TEMP%, removed with everything in it (read-only files
// too) when the test ends. `namePart` becomes part of its name, so a test can ask for a
// directory whose name has spaces or GBK characters.
class TempDir {
public:
    explicit TempDir(std::string_view namePart = {});
    // With a part of its name in any script.
    explicit TempDir(std::wstring_view namePart);
    TempDir(TempDir&& other) noexcept;
    TempDir& operator=(TempDir&&) = delete;
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    // Full path, without a trailing backslash; in the ANSI code page ("?" for what it
    // cannot spell).
    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const;
    const std::wstring& WidePath() const { return widePath_; }
    std::wstring WideFile(std::wstring_view name) const;

private:
    std::wstring widePath_;
    std::string path_;
};

// The whole content, or nothing when the file cannot be opened for reading.
// `part`, `times` over: note contents of a chosen size.
std::string Repeat(std::string_view part, std::size_t times);

std::optional<std::string> ReadFileBytes(const std::string& path);
std::optional<std::string> ReadFileBytes(const std::wstring& path);
// Creates or replaces the file with exactly `bytes`.
bool WriteFileBytes(const std::string& path, std::string_view bytes);
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
bool FileExists(const std::string& path);  // a file, not a directory
bool FileExists(const std::wstring& path);
bool IsDirectory(const std::string& path);
bool MakeDirectory(const std::string& path);
// Last write time in 100 ns units (FILETIME), or nothing when the file is missing.
std::optional<std::uint64_t> LastWriteTime(const std::string& path);
bool SetReadOnly(const std::string& path, bool readOnly);
bool IsReadOnly(const std::string& path);
// Whether the read-only attribute keeps programs from writing a file here. Wine maps it to
// the Unix write permission, which root does not need: run as root, opening a read-only
// file for writing, CREATE_ALWAYS and MoveFileEx over it all succeed (only DeleteFile is
// refused). Tests of a read-only note file skip themselves when this is false.
bool ReadOnlyFilesAreProtected();
// Names in a directory (no "." or ".."), sorted.
std::vector<std::string> ListDirectory(const std::string& path);
std::vector<std::wstring> ListDirectory(const std::wstring& path);
// Deletes a file or a whole directory tree, clearing read-only attributes first.
bool RemoveTree(const std::string& path);

// Keeps a file open as another program that holds it: by default with no sharing at all,
// so the program under test gets ERROR_SHARING_VIOLATION for any access. The file is
// created when missing. Released when the object goes.
class FileLock {
public:
    explicit FileLock(const std::string& path, DWORD share = 0);
    explicit FileLock(const std::wstring& path, DWORD share = 0);
    bool Held() const { return static_cast<bool>(file_); }
    DWORD Error() const { return error_; }  // why it is not held
    void Release() { file_.reset(); }

private:
    ui::File file_;
    DWORD error_ = 0;
};

}  // namespace drv
