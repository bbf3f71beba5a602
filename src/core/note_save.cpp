#include "core/note_save.h"

#include "core/errors.h"
#include "core/text.h"

namespace core {
namespace {

constexpr std::wstring_view kTemporaryPrefix = L"Memo.rtf.~";
constexpr std::wstring_view kTemporarySuffix = L".tmp";
// Names already taken by someone's files are stepped over; this many in a row mean that
// something other than chance is at work, and the note is written in place instead.
constexpr int kNamesToTry = 16;
// How every note this program writes begins.
constexpr std::string_view kRtfStart = "{\\rtf";

// ASCII letters in any case; every other character only as itself.
wchar_t LowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (LowerAscii(c) >= L'a' && LowerAscii(c) <= L'f');
}

// Takes one to eight hexadecimal digits from the front of `text`.
bool TakeHex(std::wstring_view& text) {
    std::size_t n = 0;
    while (n < text.size() && n < 9 && IsHexDigit(text[n])) ++n;
    if (n == 0 || n > 8) return false;
    text.remove_prefix(n);
    return true;
}

}  // namespace

std::wstring TemporaryNoteName(uint32_t process, uint32_t serial) {
    return std::wstring(kTemporaryPrefix) +
           WidenAscii(
               Format("%x-%x", static_cast<unsigned>(process), static_cast<unsigned>(serial))) +
           std::wstring(kTemporarySuffix);
}

bool IsTemporaryNoteName(std::wstring_view name) {
    if (name.size() < kTemporaryPrefix.size() + kTemporarySuffix.size() ||
        !EqualsIgnoringCase(name.substr(0, kTemporaryPrefix.size()), kTemporaryPrefix) ||
        !EqualsIgnoringCase(name.substr(name.size() - kTemporarySuffix.size()), kTemporarySuffix)) {
        return false;
    }
    std::wstring_view middle = name.substr(
        kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    if (!TakeHex(middle) || middle.empty() || middle.front() != L'-') return false;
    middle.remove_prefix(1);
    return TakeHex(middle) && middle.empty();
}

void NoteSaver::ThrowCreateError(const std::wstring& path, uint32_t code) {
    throw AppError(L"Cannot create file \"" + path + L"\". " + files_.ErrorText(code));
}

void NoteSaver::Save(const std::wstring& directory) {
    const std::wstring path = directory + kNoteFileName;
    if (!files_.FileExists(path)) files_.CreateEmpty(path);

    // The note file must be writable now, or the change is reported as the failure to
    // create it, as when it is rewritten in place. The read-only attribute is honoured too:
    // some file systems let an administrator write such a file anyway.
    if (files_.IsReadOnly(path)) ThrowCreateError(path, kErrorAccessDenied);
    if (const uint32_t error = files_.TryOpenForWriting(path)) ThrowCreateError(path, error);

    for (int i = 0; i < kNamesToTry; ++i) {
        const std::wstring temporary = directory + TemporaryNoteName(process_, serial_++);
        const NoteFileSystem::Written written = files_.WriteNew(temporary);
        if (written.made == NoteFileSystem::Made::kExists) continue;  // not ours: left alone
        if (written.made == NoteFileSystem::Made::kFailed) break;
        if (!written.complete) {
            files_.Delete(temporary);
            throw AppError("Failed to Save Stream");
        }
        if (const uint32_t error = files_.Replace(temporary, path)) {
            files_.Delete(temporary);
            ThrowCreateError(path, error);
        }
        return;
    }

    // No new file can be made here (a folder whose rights allow changing files but not
    // adding them, or a path so long that only the temporary name passes the limit), yet
    // the note file itself can be written: rewrite it in place rather than lose the change.
    const NoteFileSystem::Written written = files_.WriteInPlace(path);
    if (written.made != NoteFileSystem::Made::kNew) ThrowCreateError(path, written.error);
    if (!written.complete) throw AppError("Failed to Save Stream");
}

void NoteSaver::RemoveLeftovers(const std::wstring& directory) {
    for (const std::wstring& name : files_.NamesStartingWith(directory, kTemporaryPrefix)) {
        if (!IsTemporaryNoteName(name)) continue;
        const std::wstring path = directory + name;
        if (!files_.FileExists(path) || files_.IsReadOnly(path)) continue;
        // A save that was cut short left the start of an RTF note, or nothing at all.
        const std::optional<std::string> head = files_.Head(path, kRtfStart.size());
        if (!head || !kRtfStart.starts_with(*head)) continue;
        files_.Delete(path);
    }
}

}  // namespace core
