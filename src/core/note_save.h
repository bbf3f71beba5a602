// Saving the note: the steps that keep "Memo.rtf" a whole note whatever fails, written over
// the few file operations they need, so that every failure path is tested without a disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr wchar_t kNoteFileName[] = L"Memo.rtf";

// A save is written under a name of its own first and then takes the note file's place in
// one step. The name is made afresh for every save, from the process and a serial number
// ("Memo.rtf.~<process>-<serial>.tmp", both in hexadecimal), and the file is only ever made
// new: a file of the user's, whatever its name, is never written over or deleted.
std::wstring TemporaryNoteName(uint32_t process, uint32_t serial);
// Whether a file name is one that TemporaryNoteName gives, letters in any case.
bool IsTemporaryNoteName(std::wstring_view name);

// The file operations a save needs. Paths are full; error codes are the system's.
class NoteFileSystem {
public:
    virtual ~NoteFileSystem() = default;

    // Whether a file, not a directory, of that name exists.
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual bool IsReadOnly(const std::wstring& path) = 0;
    // Makes an empty file unless something of that name exists; failure is not reported.
    virtual void CreateEmpty(const std::wstring& path) = 0;
    // Opens the file for reading and writing without sharing, making it when absent, and
    // closes it again: 0, or the error that kept it from opening.
    virtual uint32_t TryOpenForWriting(const std::wstring& path) = 0;

    enum class Made { kNew, kExists, kFailed };
    struct Written {
        Made made = Made::kFailed;
        uint32_t error = 0;     // why it was not made
        bool complete = false;  // the whole note is in the file and flushed
    };
    // Makes a new file, never replacing one, and writes the whole note into it.
    virtual Written WriteNew(const std::wstring& path) = 0;
    // Makes the file anew, truncating one that exists, and writes the whole note into it.
    virtual Written WriteInPlace(const std::wstring& path) = 0;
    // Puts `from` in the place of `to` in one step: 0, or the error.
    virtual uint32_t Replace(const std::wstring& from, const std::wstring& to) = 0;
    virtual void Delete(const std::wstring& path) = 0;

    // Names of the files in `directory` whose names start with `prefix`.
    virtual std::vector<std::wstring> NamesStartingWith(const std::wstring& directory,
                                                        std::wstring_view prefix) = 0;
    // Up to `count` bytes from the start of a file, or nothing when it cannot be read.
    virtual std::optional<std::string> Head(const std::wstring& path, std::size_t count) = 0;

    // The system's text for an error code, as the messages quote it.
    virtual std::wstring ErrorText(uint32_t code) = 0;
};

// The error codes the steps look at.
inline constexpr uint32_t kErrorAccessDenied = 5;

class NoteSaver {
public:
    NoteSaver(NoteFileSystem& files, uint32_t process) : files_(files), process_(process) {}

    // Writes the whole note to `directory` + "Memo.rtf" (`directory` ends in its delimiter).
    // Throws AppError with the text the user sees when the note could not be saved; the
    // note file then holds the last note that was.
    void Save(const std::wstring& directory);

    // Deletes what an earlier run, ended in the middle of a save, left behind: files named
    // as this program names its saves, not read-only, empty or beginning as RTF does.
    void RemoveLeftovers(const std::wstring& directory);

private:
    [[noreturn]] void ThrowCreateError(const std::wstring& path, uint32_t code);

    NoteFileSystem& files_;
    uint32_t process_;
    uint32_t serial_ = 0;
};

}  // namespace core
