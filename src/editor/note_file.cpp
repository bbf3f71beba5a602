// Loading the note at start-up and writing it whole after every change of the editor.
#include "editor/note_file.h"

#include <optional>
#include <string_view>
#include <vector>

#include "core/gbk.h"
#include "core/linebreaks.h"
#include "core/note_extent.h"
#include "core/rtf_depth.h"
#include "core/text.h"
#include "ui/error.h"
#include "ui/handles.h"

namespace notes {
namespace {

constexpr LPARAM kLoadedTextLimit = 0x7FFFFFF0;

// Every RTF document opens so. Some editors take any text that opens with a brace for RTF
// and keep only its first group: plain text must not be offered to them as RTF.
constexpr std::string_view kRtfStart = "{\\rtf";

// A plain-text note is GBK on every system: it is decoded here, one answer at a time, and
// handed to the editor as UTF-16, so an answer must never end inside a character.
constexpr UINT kPlainTextCodePage = 936;

bool IsPlainTextLeadByte(unsigned char b) {
    return core::IsGbkLeadByte(b);
}

struct ReadStream {
    HANDLE file;
    bool rtf;  // hand over no RTF nested deeper than a rich-edit control can take
    core::StreamNormalizer normalizer;
    core::RtfDepthTracker depth;
    bool started = false;         // the first bytes have been handed over
    std::vector<char> text = {};  // plain text before it is decoded
};

// Up to `capacity` normalised bytes of the file into `out`; at most half of that is read
// from the file, so that the normalised line breaks still fit.
DWORD FillNormalized(ReadStream& stream, char* out, std::size_t capacity, std::size_t& produced) {
    DWORD error = 0;
    const auto got = stream.normalizer.Fill(
        out, capacity, [&](char* raw, std::size_t wanted) -> std::optional<std::size_t> {
            DWORD read = 0;
            if (!ReadFile(stream.file, raw, static_cast<DWORD>(wanted), &read, nullptr)) {
                error = GetLastError();
                return std::nullopt;
            }
            return read;
        });
    produced = got ? *got : 0;
    if (!got) return error ? error : ERROR_READ_FAULT;
    return 0;
}

DWORD CALLBACK ReadNote(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    auto& stream = *reinterpret_cast<ReadStream*>(cookie);
    const std::size_t capacity = static_cast<std::size_t>(size > 0 ? size : 0);
    *written = 0;
    std::size_t produced = 0;
    if (!stream.rtf) {
        // Each GBK byte gives at most one UTF-16 unit of two bytes.
        stream.text.resize(capacity / 2);
        if (const DWORD error =
                FillNormalized(stream, stream.text.data(), stream.text.size(), produced)) {
            return error;
        }
        if (produced == 0) return 0;
        const int units = MultiByteToWideChar(kPlainTextCodePage, 0, stream.text.data(),
                                              static_cast<int>(produced),
                                              reinterpret_cast<wchar_t*>(buffer), size / 2);
        if (units <= 0) return ERROR_INVALID_DATA;
        *written = units * 2;
        return 0;
    }
    if (const DWORD error =
            FillNormalized(stream, reinterpret_cast<char*>(buffer), capacity, produced)) {
        return error;
    }
    *written = static_cast<LONG>(produced);
    const std::string_view bytes(reinterpret_cast<char*>(buffer), produced);
    const bool first = !stream.started && !bytes.empty();
    if (!bytes.empty()) stream.started = true;
    if ((first && !bytes.starts_with(kRtfStart)) || !stream.depth.Feed(bytes)) {
        *written = 0;
        return ERROR_INVALID_DATA;  // not RTF this program reads: the text fallback takes it
    }
    return 0;
}

// What the note in `file` will take in the editor, read from where the file stands, which it
// goes back to. A failed read gives what was read so far: the stream-in reports the failure.
core::NoteExtent ScanExtent(HANDLE file, LARGE_INTEGER start) {
    std::vector<char> chunk(64 * 1024);
    std::optional<core::NoteExtentScanner> scanner;
    DWORD read = 0;
    while (ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) &&
           read > 0) {
        const std::string_view bytes(chunk.data(), read);
        if (!scanner) scanner.emplace(bytes.starts_with(kRtfStart));
        scanner->Feed(bytes);
    }
    SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
    return scanner ? scanner->Extent() : core::NoteExtent{};
}

// Takes down the scroll bars that went up for a note it did not need, however the load ends.
class FitScrollBarsAfterLoad {
public:
    explicit FitScrollBarsAfterLoad(const ui::RichEdit& editor) : editor_(editor) {}
    FitScrollBarsAfterLoad(const FitScrollBarsAfterLoad&) = delete;
    FitScrollBarsAfterLoad& operator=(const FitScrollBarsAfterLoad&) = delete;
    ~FitScrollBarsAfterLoad() { editor_.FitScrollBars(); }

private:
    const ui::RichEdit& editor_;
};

struct WriteStream {
    HANDLE file;
    bool failed = false;
};

DWORD CALLBACK WriteNote(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    auto& stream = *reinterpret_cast<WriteStream*>(cookie);
    DWORD done = 0;
    if (!WriteFile(stream.file, buffer, static_cast<DWORD>(size), &done, nullptr) ||
        done != static_cast<DWORD>(size)) {
        // Report the failure: a short write alone does not make every editor stop with an
        // error, and a note must never be taken as saved when it was not.
        stream.failed = true;
        *written = 0;
        return ERROR_WRITE_FAULT;
    }
    *written = size;
    return 0;
}

// The editor's whole content as RTF into `file`, flushed; false when any of it failed.
bool StreamNoteTo(const ui::RichEdit& editor, HANDLE file) {
    WriteStream stream{file};
    const DWORD error = editor.StreamOut(SF_RTF, &WriteNote, reinterpret_cast<DWORD_PTR>(&stream));
    return error == 0 && !stream.failed && FlushFileBuffers(file);
}

}  // namespace

NoteFile::NoteFile(ui::RichEdit& editor)
    : editor_(editor), saver_(*this, static_cast<uint32_t>(GetCurrentProcessId())) {}

void NoteFile::Load(const std::wstring& directory) {
    // Only one instance runs, so a save file of this program's that is not this run's was
    // left by a run that ended in the middle of a save.
    saver_.RemoveLeftovers(directory);

    const std::wstring path = directory + core::kNoteFileName;
    if (!FileExists(path)) {
        CreateEmpty(path);
        return;
    }
    ui::File file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        throw core::AppError(L"Cannot open file \"" + path + L"\". " + ErrorText(GetLastError()));
    }

    // Lift the limit before reading, so a note longer than the default 64K characters is
    // never cut while it streams in; it goes back if the load fails.
    editor_.Send(EM_EXLIMITTEXT, 0, kLoadedTextLimit);
    LARGE_INTEGER start = {};
    SetFilePointerEx(file.get(), LARGE_INTEGER{}, &start, FILE_CURRENT);
    // A scroll bar that comes or goes makes the editor lay the whole note out again: the bars
    // the note will need go up before it streams in, and it is laid out once.
    editor_.PrepareScrollBarsFor(ScanExtent(file.get(), start));
    const FitScrollBarsAfterLoad fitBars(editor_);

    ReadStream rtf{file.get(), true, core::StreamNormalizer(), {}};
    if (editor_.StreamIn(SF_RTF, &ReadNote, reinterpret_cast<DWORD_PTR>(&rtf)) != 0) {
        // Not RTF the editor accepts: read the same bytes as plain text.
        SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN);
        ReadStream text{file.get(), false, core::StreamNormalizer(&IsPlainTextLeadByte), {}};
        if (editor_.StreamIn(SF_TEXT | SF_UNICODE, &ReadNote, reinterpret_cast<DWORD_PTR>(&text)) !=
            0) {
            editor_.Send(EM_EXLIMITTEXT, 0, 0);
            throw core::AppError("Failed to Load Stream");
        }
    }
}

void NoteFile::Save(const std::wstring& directory) {
    saver_.Save(directory);
}

bool NoteFile::FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool NoteFile::IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Never over a file that is there after all (a check that failed for a moment, a file made
// since): that is a note.
void NoteFile::CreateEmpty(const std::wstring& path) {
    ui::File file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

uint32_t NoteFile::TryOpenForWriting(const std::wstring& path) {
    ui::File file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? 0 : GetLastError();
}

NoteFile::Written NoteFile::Write(const std::wstring& path, DWORD creation) {
    ui::File file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, creation,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        const bool exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return {exists ? Made::kExists : Made::kFailed, error, false};
    }
    return {Made::kNew, 0, StreamNoteTo(editor_, file.get())};
}

NoteFile::Written NoteFile::WriteNew(const std::wstring& path) {
    return Write(path, CREATE_NEW);
}

NoteFile::Written NoteFile::WriteInPlace(const std::wstring& path) {
    return Write(path, CREATE_ALWAYS);
}

uint32_t NoteFile::Replace(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : GetLastError();
}

void NoteFile::Delete(const std::wstring& path) {
    DeleteFileW(path.c_str());
}

std::vector<std::wstring> NoteFile::NamesStartingWith(const std::wstring& directory,
                                                      std::wstring_view prefix) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    const std::wstring pattern = directory + std::wstring(prefix) + L"*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        // The pattern also matches short names; the long one must start so itself.
        if (name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::optional<std::string> NoteFile::Head(const std::wstring& path, std::size_t count) {
    ui::File file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(count, '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(count), &got, nullptr))
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

std::wstring NoteFile::ErrorText(uint32_t code) {
    return ui::SystemErrorText(code);
}

}  // namespace notes
