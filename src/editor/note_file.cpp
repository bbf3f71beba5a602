// Loading the note at start-up and writing it whole after every change of the editor.
#include "editor/note_file.h"

#include <optional>
#include <string_view>

#include "core/linebreaks.h"
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

// The editor decodes plain text one answer at a time in the ANSI code page.
bool IsAnsiLeadByte(unsigned char b) {
    return IsDBCSLeadByte(b) != FALSE;
}

struct ReadStream {
    HANDLE file;
    bool rtf;  // hand over no RTF nested deeper than a rich-edit control can take
    core::StreamNormalizer normalizer;
    core::RtfDepthTracker depth;
    bool started = false;  // the first bytes have been handed over
};

// The editor asks for up to `size` bytes; at most half of that is read from the file, so
// that the normalised line breaks still fit.
DWORD CALLBACK ReadNote(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    auto& stream = *reinterpret_cast<ReadStream*>(cookie);
    DWORD error = 0;
    const auto produced = stream.normalizer.Fill(
        reinterpret_cast<char*>(buffer), static_cast<std::size_t>(size > 0 ? size : 0),
        [&](char* raw, std::size_t wanted) -> std::optional<std::size_t> {
            DWORD got = 0;
            if (!ReadFile(stream.file, raw, static_cast<DWORD>(wanted), &got, nullptr)) {
                error = GetLastError();
                return std::nullopt;
            }
            return got;
        });
    *written = produced ? static_cast<LONG>(*produced) : 0;
    if (!produced) return error ? error : ERROR_READ_FAULT;
    if (stream.rtf) {
        const std::string_view bytes(reinterpret_cast<char*>(buffer), *produced);
        const bool first = !stream.started && !bytes.empty();
        if (!bytes.empty()) stream.started = true;
        if ((first && !bytes.starts_with(kRtfStart)) || !stream.depth.Feed(bytes)) {
            *written = 0;
            return ERROR_INVALID_DATA;  // not RTF this program reads: the text fallback takes it
        }
    }
    return 0;
}

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

void NoteFile::Load(const std::string& directory) {
    // Only one instance runs, so a save file of this program's that is not this run's was
    // left by a run that ended in the middle of a save.
    saver_.RemoveLeftovers(directory);

    const std::string path = directory + core::kNoteFileName;
    if (!FileExists(path)) {
        CreateEmpty(path);
        return;
    }
    ui::File file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        throw core::AppError(core::Format("Cannot open file \"%s\". %s", path.c_str(),
                                          ErrorText(GetLastError()).c_str()));
    }

    // Lift the limit before reading, so a note longer than the default 64K characters is
    // never cut while it streams in; it goes back if the load fails.
    editor_.Send(EM_EXLIMITTEXT, 0, kLoadedTextLimit);
    LARGE_INTEGER start = {};
    SetFilePointerEx(file.get(), LARGE_INTEGER{}, &start, FILE_CURRENT);

    ReadStream rtf{file.get(), true, core::StreamNormalizer(), {}};
    if (editor_.StreamIn(SF_RTF, &ReadNote, reinterpret_cast<DWORD_PTR>(&rtf)) != 0) {
        // Not RTF the editor accepts: read the same bytes as plain text.
        SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN);
        ReadStream text{file.get(), false, core::StreamNormalizer(&IsAnsiLeadByte), {}};
        if (editor_.StreamIn(SF_TEXT, &ReadNote, reinterpret_cast<DWORD_PTR>(&text)) != 0) {
            editor_.Send(EM_EXLIMITTEXT, 0, 0);
            throw core::AppError("Failed to Load Stream");
        }
    }
}

void NoteFile::Save(const std::string& directory) {
    saver_.Save(directory);
}

bool NoteFile::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool NoteFile::IsReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Never over a file that is there after all (a check that failed for a moment, a file made
// since): that is a note.
void NoteFile::CreateEmpty(const std::string& path) {
    ui::File file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

uint32_t NoteFile::TryOpenForWriting(const std::string& path) {
    ui::File file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? 0 : GetLastError();
}

NoteFile::Written NoteFile::Write(const std::string& path, DWORD creation) {
    ui::File file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, creation,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        const bool exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return {exists ? Made::kExists : Made::kFailed, error, false};
    }
    return {Made::kNew, 0, StreamNoteTo(editor_, file.get())};
}

NoteFile::Written NoteFile::WriteNew(const std::string& path) {
    return Write(path, CREATE_NEW);
}

NoteFile::Written NoteFile::WriteInPlace(const std::string& path) {
    return Write(path, CREATE_ALWAYS);
}

uint32_t NoteFile::Replace(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : GetLastError();
}

void NoteFile::Delete(const std::string& path) {
    DeleteFileA(path.c_str());
}

std::vector<std::string> NoteFile::NamesStartingWith(const std::string& directory,
                                                     std::string_view prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found = {};
    const std::string pattern = directory + std::string(prefix) + "*";
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        // The pattern also matches short names; the long one must start so itself.
        if (name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::optional<std::string> NoteFile::Head(const std::string& path, std::size_t count) {
    ui::File file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(count, '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(count), &got, nullptr))
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

std::string NoteFile::ErrorText(uint32_t code) {
    return ui::SystemErrorText(code);
}

}  // namespace notes
