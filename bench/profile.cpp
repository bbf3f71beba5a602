// Where the time of a save and of a load goes, step by step, measured in the runner's own
// process with the same calls Notes.exe makes (src/editor/note_file.cpp).
#include "bench/profile.h"

#include <richedit.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "bench/bench_core.h"
#include "core/errors.h"
#include "core/linebreaks.h"
#include "core/note_save.h"
#include "core/rtf_depth.h"
#include "driver/files.h"
#include "ui/handles.h"

namespace bench {

namespace {

// Rich Edit 1.0 hands its stream-out over in pieces of this size.
constexpr std::size_t kChunk = 4096;

ui::File Open(const std::string& path, DWORD access, DWORD disposition) {
    return ui::File(
        CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void WriteAll(HANDLE file, std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
        const auto piece = static_cast<DWORD>(std::min(kChunk, bytes.size() - at));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + at, piece, &done, nullptr) || done != piece)
            throw std::runtime_error("WriteFile failed in the save profile");
    }
}

// Times `step`, adds it to the results under `name` and gives the milliseconds.
template <class Step>
double Time(ProfileSink& sink, const std::string& metric, const std::string& name,
            std::size_t bytes, Step&& step) {
    const double start = sink.now();
    step();
    const double ms = sink.now() - start;
    sink.add(metric, name, bytes, "ms", ms);
    return ms;
}

struct LoadSource {
    HANDLE file;
    int mode;  // 0 plain, 1 halved, 2 and 3 halved + normalised + depth-checked (as Notes)
    core::StreamNormalizer normalizer;
    core::RtfDepthTracker depth;
};

DWORD CALLBACK ReadForProfile(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto& source = *reinterpret_cast<LoadSource*>(cookie);
    *done = 0;
    const auto read = [&](char* into, std::size_t wanted) -> std::optional<std::size_t> {
        DWORD got = 0;
        if (!ReadFile(source.file, into, static_cast<DWORD>(wanted), &got, nullptr))
            return std::nullopt;
        return got;
    };
    const auto capacity = static_cast<std::size_t>(size);
    std::optional<std::size_t> produced;
    if (source.mode == 0)
        produced = read(reinterpret_cast<char*>(buffer), capacity);
    else if (source.mode == 1)
        produced = read(reinterpret_cast<char*>(buffer), capacity / 2);
    else
        produced = source.normalizer.Fill(reinterpret_cast<char*>(buffer), capacity, read);
    if (!produced) return ERROR_READ_FAULT;
    if (source.mode >= 2 &&
        !source.depth.Feed(std::string_view(reinterpret_cast<char*>(buffer), *produced))) {
        return ERROR_INVALID_DATA;
    }
    *done = static_cast<LONG>(*produced);
    return 0;
}

DWORD CALLBACK DiscardOut(DWORD_PTR, LPBYTE, LONG size, LONG* done) {
    *done = size;
    return 0;
}

}  // namespace

void ProfileSave(ProfileSink& sink, const std::vector<std::size_t>& sizes, int rounds) {
    drv::TempDir dir("profile");
    const std::string path = dir.File("Memo.rtf");
    // Named as Notes.exe names its save file, and made new as it makes it.
    const std::string temp =
        dir.File(core::NarrowToAscii(core::TemporaryNoteName(GetCurrentProcessId(), 1)));
    for (const std::size_t bytes : sizes) {
        const std::string note = MakeNote(bytes);
        drv::WriteFileBytes(path, note);
        for (int round = 0; round < rounds; ++round) {
            // Notes.exe's save, one step at a time.
            Time(sink, "save-step", "attributes", bytes, [&] {
                GetFileAttributesA(path.c_str());
                GetFileAttributesA(path.c_str());
            });
            Time(sink, "save-step", "probe-open", bytes,
                 [&] { Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS); });
            ui::File file;
            Time(sink, "save-step", "create-temp", bytes,
                 [&] { file = Open(temp, GENERIC_WRITE, CREATE_NEW); });
            Time(sink, "save-step", "write", bytes, [&] { WriteAll(file.get(), note); });
            Time(sink, "save-step", "flush", bytes, [&] { FlushFileBuffers(file.get()); });
            Time(sink, "save-step", "close", bytes, [&] { file.reset(); });
            Time(sink, "save-step", "move", bytes, [&] {
                MoveFileExA(temp.c_str(), path.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
            });
            Time(sink, "save-step", "move-no-write-through", bytes, [&] {
                Open(temp, GENERIC_WRITE, CREATE_NEW);
                MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
            });
            // The plain rewrite, for comparison.
            Time(sink, "save-step", "bare-rewrite", bytes, [&] {
                ui::File bare = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
                WriteAll(bare.get(), note);
            });
        }
    }
}

void ProfileLoad(ProfileSink& sink, const std::vector<std::size_t>& sizes, int rounds) {
    ui::Library richEdit(LoadLibraryA("RICHED32.DLL"));
    if (!richEdit) throw std::runtime_error("cannot load RICHED32.DLL");
    drv::TempDir dir("profile");
    const std::string path = dir.File("Memo.rtf");
    const char* const names[] = {"plain", "halved", "notes-reader", "notes-reader-links"};
    for (const std::size_t bytes : sizes) {
        drv::WriteFileBytes(path, MakeNote(bytes));
        for (int round = 0; round < rounds; ++round) {
            double ms[4] = {};
            for (int i = 0; i < 4; ++i) {
                const int mode = (i + round) % 4;  // the order turns from round to round
                // A fresh control each time, as each program starts with an empty one.
                const HWND editor = CreateWindowExA(
                    0, "RICHEDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 300, 300,
                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
                if (!editor) throw std::runtime_error("cannot create a RICHEDIT");
                SendMessageA(editor, EM_SETTARGETDEVICE, 0, 1);  // no word wrap, as the note
                // The note shows addresses as links, which the editor looks for as it reads.
                if (mode == 3) SendMessageA(editor, EM_AUTOURLDETECT, TRUE, 0);
                SendMessageA(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
                ui::File file = Open(path, GENERIC_READ, OPEN_EXISTING);
                LoadSource source{file.get(), mode, core::StreamNormalizer(), {}};
                EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, &ReadForProfile};
                ms[mode] = Time(sink, "load-step", names[mode], bytes, [&] {
                    SendMessageA(editor, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
                });
                if (stream.dwError != 0) throw std::runtime_error("the profile's load failed");
                if (mode == 0) {
                    EDITSTREAM out = {0, 0, &DiscardOut};
                    Time(sink, "load-step", "stream-out", bytes, [&] {
                        SendMessageA(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&out));
                    });
                }
                DestroyWindow(editor);
            }
            // The loads of a round meet much the same load on the machine; their ratio
            // swings less than the ratio of medians taken over rounds that did not.
            sink.add("load-pair", "ratio", bytes, "x", ms[2] / std::max(ms[0], 1e-3));
        }
    }
}

// A 100 KB note streamed into an editor of the note's size and style with both bars to come:
// the bars shown by the editor when the note is in (each lays the note out again), against
// both put up, with an empty range, before the stream-in (laid out once), as Notes does.
void ProfileLayouts(ProfileSink& sink, int rounds) {
    const ui::Library richEdit(LoadLibraryA("RICHED32.DLL"));
    if (!richEdit) throw std::runtime_error("cannot load RICHED32.DLL");
    drv::TempDir dir("profile");
    const std::string path = dir.File("Memo.rtf");
    drv::WriteFileBytes(path, MakeNote(100 * 1024));
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < 2; ++i) {
            const bool barsFirst = (i + round) % 2 == 1;
            const HWND editor = CreateWindowExA(
                0, "RICHEDIT", "",
                WS_POPUP | ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                0, 0, 305, 283, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            if (!editor) throw std::runtime_error("cannot create a RICHEDIT");
            SendMessageA(editor, EM_SETTARGETDEVICE, 0, 1);
            SendMessageA(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
            ui::File file = Open(path, GENERIC_READ, OPEN_EXISTING);
            LoadSource source{file.get(), 2, core::StreamNormalizer(), {}};
            EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, &ReadForProfile};
            Time(sink, "startup-step", barsFirst ? "layout-bars-first" : "layout-bars-after", 0,
                 [&] {
                     if (barsFirst) {
                         for (const int bar : {SB_HORZ, SB_VERT}) {
                             SetScrollRange(editor, bar, 0, 0, FALSE);
                             ShowScrollBar(editor, bar, TRUE);
                         }
                     }
                     SendMessageA(editor, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
                 });
            DestroyWindow(editor);
        }
    }
}

void ProfileStartup(ProfileSink& sink, int rounds) {
    Time(sink, "startup-step", "load-riched32", 0,
         [&] { ui::Library richEdit(LoadLibraryA("RICHED32.DLL")); });
    ProfileLayouts(sink, rounds);
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    if (!window) throw std::runtime_error("cannot create a window for the tray profile");
    for (int round = 0; round < rounds; ++round) {
        NOTIFYICONDATAA icon = {};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = window;
        icon.uID = 1;
        icon.uFlags = NIF_ICON | NIF_TIP;
        icon.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        lstrcpynA(icon.szTip, "bench", sizeof icon.szTip);
        Time(sink, "startup-step", "tray-add", 0, [&] { Shell_NotifyIconA(NIM_ADD, &icon); });
        Shell_NotifyIconA(NIM_DELETE, &icon);
    }
    // Once, as a program's start loads it once: later loads find its dependencies loaded.
    Time(sink, "startup-step", "load-comdlg32", 0,
         [&] { ui::Library commonDialogs(LoadLibraryA("comdlg32.dll")); });
    DestroyWindow(window);
}

}  // namespace bench
