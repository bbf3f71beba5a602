// The least a program doing the note's job can do on this platform: a borderless topmost
// window with a Rich Edit 1.0 child that streams "Memo.rtf" beside the executable in as it
// is, and, after every change, streams the whole note out again. The benchmarks measure
// Notes.exe against it.
//
// What it does after a change is told by its own file name, so that it starts exactly as
// Notes.exe does, with no arguments:
//   baseline.exe         no save at all (start-up and load figures)
//   baseline-bare.exe    CREATE_ALWAYS + WriteFile over the note file
//   baseline-safe.exe    a temporary file, FlushFileBuffers, MoveFileEx over the note
#include <windows.h>

#include <richedit.h>

#include <cstring>
#include <string>

#include "bench/baseline/baseline_ids.h"
#include "ui/handles.h"

namespace {

enum class SaveMode { None, Bare, Safe };

struct State {
    HWND editor = nullptr;
    SaveMode mode = SaveMode::None;
    std::string directory;  // with the trailing backslash
};
std::string ProgramDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(size), &got,
                  nullptr)) {
        *done = 0;
        return GetLastError();
    }
    *done = static_cast<LONG>(got);
    return 0;
}

DWORD CALLBACK WriteChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    DWORD wrote = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(size), &wrote,
                   nullptr) ||
        wrote != static_cast<DWORD>(size)) {
        *done = 0;
        return ERROR_WRITE_FAULT;
    }
    *done = size;
    return 0;
}

void Load(const State& state) {
    const std::string path = state.directory + bench::kNoteFileName;
    ui::File file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    // Without a lifted limit the control would keep only the first 64K characters, and
    // the comparison would be with a smaller note.
    SendMessageA(state.editor, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file.get()), 0, &ReadChunk};
    SendMessageA(state.editor, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

bool StreamOutTo(const State& state, HANDLE file) {
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file), 0, &WriteChunk};
    SendMessageA(state.editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

// A failed save shows in the window's title; the runner finds it by the note file, which
// then lacks the keystroke.
void Save(const State& state) {
    const std::string path = state.directory + bench::kNoteFileName;
    bool saved = false;
    if (state.mode == SaveMode::Bare) {
        ui::File file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        saved = file && StreamOutTo(state, file.get());
    } else if (state.mode == SaveMode::Safe) {
        const std::string temp = path + ".tmp";
        {
            ui::File file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
            saved = file && StreamOutTo(state, file.get()) && FlushFileBuffers(file.get());
        }
        saved = saved && MoveFileExA(temp.c_str(), path.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    } else {
        return;
    }
    if (!saved) SetWindowTextA(GetParent(state.editor), bench::kSaveFailedTitle);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_SIZE:
        if (state && state->editor)
            MoveWindow(state->editor, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_COMMAND:
        if (state && HIWORD(wParam) == EN_CHANGE) Save(*state);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

SaveMode ModeFromName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\');
    name = name ? name + 1 : path;
    if (_strnicmp(name, bench::kSafeBaselineName, std::strlen(bench::kSafeBaselineName)) == 0)
        return SaveMode::Safe;
    if (_strnicmp(name, bench::kBareBaselineName, std::strlen(bench::kBareBaselineName)) == 0)
        return SaveMode::Bare;
    return SaveMode::None;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    State state;
    state.mode = ModeFromName();
    state.directory = ProgramDirectory();

    ui::Library richEdit(LoadLibraryA("RICHED32.DLL"));
    if (!richEdit) return 1;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = bench::kBaselineClassName;
    if (!RegisterClassA(&windowClass)) return 1;

    // The size of a note window at its defaults.
    const HWND window =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, bench::kBaselineClassName, "", WS_POPUP,
                        471, 202, 311, 303, nullptr, nullptr, instance, &state);
    if (!window) return 1;
    // The note's own editor: no word wrap, both scroll bars. Wrapping would make every
    // load and keystroke of a long note dearer and the comparison unfair to the baseline.
    state.editor = CreateWindowExA(0, "RICHEDIT", "",
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                       ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                                   0, 0, 311, 303, window,
                                   reinterpret_cast<HMENU>(bench::kEditorId), instance, nullptr);
    if (!state.editor) return 1;
    SendMessageA(state.editor, EM_SETTARGETDEVICE, 0, 1);
    Load(state);
    SendMessageA(state.editor, EM_SETEVENTMASK, 0, ENM_CHANGE);
    ShowWindow(window, show);
    UpdateWindow(window);
    SetFocus(state.editor);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
