#include "driver/process.h"

#include <algorithm>
#include <stdexcept>

#include "driver/wide.h"
#include "driver/window_query.h"
#include "window/ids.h"

namespace drv {
namespace {

std::wstring DirectoryOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::string SystemMessage(DWORD code) {
    char buffer[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   buffer, sizeof buffer, nullptr);
    return std::to_string(code) + " " + buffer;
}

}  // namespace

std::string NotesExe() {
    char buffer[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableA("NOTES_EXE", buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) {
        throw std::runtime_error(
            "NOTES_EXE is not set: run the system tests with ctest, or set it to the Windows "
            "path of Notes.exe (Z:\\...\\build\\win64\\Notes.exe)");
    }
    std::string path(buffer, length);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = std::move(other.process_);
        thread_ = std::move(other.thread_);
        pid_ = std::exchange(other.pid_, 0);
    }
    return *this;
}

Process::~Process() {
    Kill();
}

Process Process::Start(const std::string& exePath, std::optional<WORD> showCommand,
                       bool suspended) {
    return Start(FromAnsi(exePath), showCommand, suspended);
}

Process Process::Start(const std::wstring& exePath, std::optional<WORD> showCommand,
                       bool suspended) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (showCommand) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = *showCommand;
    }
    std::wstring commandLine = L"\"" + exePath + L"\"";
    const std::wstring directory = DirectoryOf(exePath);
    PROCESS_INFORMATION info = {};
    // Detached: a GUI child that inherits our console would also inherit the pipe CTest
    // reads our output from, and CTest would wait for it to close.
    const DWORD flags = DETACHED_PROCESS | (suspended ? CREATE_SUSPENDED : 0);
    const auto create = [&] {
        return CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                              nullptr, directory.empty() ? nullptr : directory.c_str(), &startup,
                              &info) != FALSE;
    };
    // Wine now and then fails a start with ERROR_INTERNAL_ERROR before the program runs a
    // line (seen right after killing the previous instance on a loaded machine); that is the
    // launcher's failure, not the program's, so such a start is tried again.
    bool created = create();
    for (int retry = 0; !created && GetLastError() == ERROR_INTERNAL_ERROR && retry < 3; ++retry) {
        Sleep(500);
        created = create();
    }
    if (!created) {
        throw std::runtime_error("CreateProcessW " + ToAnsi(exePath) + ": " +
                                 SystemMessage(GetLastError()));
    }
    Process process;
    process.process_.reset(info.hProcess);
    process.thread_.reset(info.hThread);
    process.pid_ = info.dwProcessId;
    return process;
}

bool Process::IsRunning() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::ExitCode() const {
    if (!process_ || IsRunning()) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
}

Waited<DWORD> Process::WaitForExit(Ms timeout) const {
    return WaitFor<DWORD>([this] { return ExitCode(); }, timeout,
                          "process " + std::to_string(pid_) + " to exit");
}

void Process::Kill() {
    if (!process_) return;
    if (IsRunning()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), static_cast<DWORD>(kWaitTimeout.count()));
    }
    // The next test's instance must not find a window of this one.
    const DWORD pid = pid_;
    WaitUntil([pid] { return TopLevelWindows(pid).empty(); }, kWaitTimeout,
              "the windows of an ended process to go");
}

void Process::Resume() {
    if (thread_) ResumeThread(thread_.get());
}

HWND Process::NoteWindow() const {
    return FindTopLevel(pid_, notes::NoteWindowClassName.bytes);
}

Waited<HWND> Process::WaitForNoteWindowCreated(Ms timeout) const {
    return WaitFor<HWND>(
        [this]() -> std::optional<HWND> {
            if (HWND hwnd = NoteWindow()) return hwnd;
            return std::nullopt;
        },
        timeout, "the note window of process " + std::to_string(pid_));
}

Waited<HWND> Process::WaitForNoteWindow(Ms timeout) const {
    Waited<HWND> shown = WaitFor<HWND>(
        [this]() -> std::optional<HWND> {
            HWND hwnd = NoteWindow();
            if (hwnd && IsVisible(hwnd)) return hwnd;
            return std::nullopt;
        },
        timeout, "the note window of process " + std::to_string(pid_) + " to be shown");
    if (!shown) return shown;
    const ::testing::AssertionResult settled = Settle(*shown, timeout);
    if (settled) return shown;
    return Waited<HWND>(std::nullopt, "the end of start-up: " + std::string(settled.message()),
                        timeout);
}

std::vector<Process> StartTogether(const std::string& exePath, int count) {
    std::vector<Process> processes;
    for (int i = 0; i < count; ++i) processes.push_back(Process::Start(exePath, {}, true));
    for (Process& process : processes) process.Resume();
    return processes;
}

int CountRunning(const std::vector<Process>& processes) {
    return static_cast<int>(std::count_if(processes.begin(), processes.end(),
                                          [](const Process& p) { return p.IsRunning(); }));
}

NotesProcess::NotesProcess(NotesSetup setup)
    : setup_(std::move(setup)),
      dir_(setup_.wideDirNamePart.empty() ? TempDir(setup_.dirNamePart)
                                          : TempDir(std::wstring_view(setup_.wideDirNamePart))),
      wideExePath_(dir_.WideFile(FromAnsi(setup_.exeName))),
      exePath_(ToAnsi(wideExePath_)) {
    const std::string source = NotesExe();
    if (!CopyFileW(FromAnsi(source).c_str(), wideExePath_.c_str(), FALSE)) {
        throw std::runtime_error("CopyFileW " + source + " -> " + exePath_ + ": " +
                                 SystemMessage(GetLastError()));
    }
    for (const auto& [name, content] : setup_.files) {
        if (!WriteFile(name, content)) throw std::runtime_error("cannot write " + File(name));
    }
}

std::optional<std::string> NotesProcess::ReadFile(std::string_view name) const {
    return ReadFileBytes(dir_.WideFile(FromAnsi(name)));
}

bool NotesProcess::WriteFile(std::string_view name, std::string_view bytes) const {
    return WriteFileBytes(dir_.WideFile(FromAnsi(name)), bytes);
}

void NotesProcess::Launch() {
    main_ = Process::Start(wideExePath_, setup_.showCommand);
}

Process NotesProcess::LaunchAnother(std::optional<WORD> showCommand) const {
    return Process::Start(wideExePath_, showCommand);
}

std::vector<Process> NotesProcess::LaunchTogether(int count) const {
    return StartTogether(exePath_, count);
}

}  // namespace drv
