// Loading the note at start-up and writing it whole after every change of the editor.
#include "editor/note_file.h"

#include <optional>
#include <string_view>

#include "core/linebreaks.h"
#include "core/rtf_depth.h"
#include "core/text.h"
#include "ui/error.h"
#include "ui/handles.h"
#include "ui/paths.h"
#include "window/frm_main.h"

namespace notes {

std::string NoteFilePath() {
    return ui::ProgramDirectory() + kNoteFileName;
}

}  // namespace notes

namespace {

constexpr LPARAM kLoadedTextLimit = 0x7FFFFFF0;

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates an empty note file; whether that works is not reported. Never over a file that
// is there after all (a check that failed for a moment, a file made since): that is a note.
void CreateEmptyFile(const std::string& path) {
    ui::File file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

[[noreturn]] void ThrowFileError(const char* format, const std::string& path, DWORD code) {
    throw core::AppError(core::Format(format, path.c_str(), ui::SystemErrorText(code).c_str()));
}

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

ui::File CreateTempFile(const std::string& path) {
    const auto create = [&] {
        return ui::File(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    ui::File file = create();
    if (!file && GetLastError() == ERROR_ACCESS_DENIED) {
        // A leftover that someone made read-only must not block every later save.
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        file = create();
    }
    return file;
}

// The editor's whole content as RTF into `file`, flushed; false when any of it failed.
bool StreamNoteTo(const ui::RichEdit& editor, HANDLE file) {
    WriteStream stream{file};
    const DWORD error = editor.StreamOut(SF_RTF, &WriteNote, reinterpret_cast<DWORD_PTR>(&stream));
    return error == 0 && !stream.failed && FlushFileBuffers(file);
}

}  // namespace

void TfrmMain::LoadNote() {
    const std::string path = notes::NoteFilePath();
    if (!FileExists(path)) {
        CreateEmptyFile(path);
        return;
    }
    ui::File file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowFileError("Cannot open file \"%s\". %s", path, GetLastError());

    // Lift the limit before reading, so a note longer than the default 64K characters is
    // never cut while it streams in; it goes back if the load fails.
    REMemo.Send(EM_EXLIMITTEXT, 0, kLoadedTextLimit);
    LARGE_INTEGER start = {};
    SetFilePointerEx(file.get(), LARGE_INTEGER{}, &start, FILE_CURRENT);

    ReadStream rtf{file.get(), true, core::StreamNormalizer(), {}};
    if (REMemo.StreamIn(SF_RTF, &ReadNote, reinterpret_cast<DWORD_PTR>(&rtf)) != 0) {
        // Not RTF the editor accepts: read the same bytes as plain text.
        SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN);
        ReadStream text{file.get(), false, core::StreamNormalizer(&IsAnsiLeadByte), {}};
        if (REMemo.StreamIn(SF_TEXT, &ReadNote, reinterpret_cast<DWORD_PTR>(&text)) != 0) {
            REMemo.Send(EM_EXLIMITTEXT, 0, 0);
            throw core::AppError("Failed to Load Stream");
        }
    }
}

void TfrmMain::REMemoChange() {
    if (!NoteLoaded) return;
    const std::string path = notes::NoteFilePath();
    if (!FileExists(path)) CreateEmptyFile(path);

    // The note file must be writable now, or the change is reported as the failure to
    // create it, exactly as when it is rewritten in place. The read-only attribute is
    // honoured here too, as Windows does for everyone; some file systems let an
    // administrator write such a file.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ThrowFileError("Cannot create file \"%s\". %s", path, ERROR_ACCESS_DENIED);
    }
    {
        ui::File target(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target) ThrowFileError("Cannot create file \"%s\". %s", path, GetLastError());
    }

    const std::string tempPath = ui::ProgramDirectory() + notes::kNoteTempFileName;
    ui::File temp = CreateTempFile(tempPath);
    if (!temp) {
        // No new file can be made here (a folder whose rights allow changing files but not
        // adding them, or a path so long that only the temporary name passes MAX_PATH), yet
        // the note file itself can be written: rewrite it in place rather than lose the change.
        ui::File file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) ThrowFileError("Cannot create file \"%s\". %s", path, GetLastError());
        if (!StreamNoteTo(REMemo, file.get())) throw core::AppError("Failed to Save Stream");
        return;
    }
    const bool saved = StreamNoteTo(REMemo, temp.get());
    temp.reset();
    if (!saved) {
        DeleteFileA(tempPath.c_str());
        throw core::AppError("Failed to Save Stream");
    }
    if (!MoveFileExA(tempPath.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        DeleteFileA(tempPath.c_str());
        ThrowFileError("Cannot create file \"%s\". %s", path, code);
    }
}
