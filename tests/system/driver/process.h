// Starting Notes.exe as a user would: a copy in a directory of its own, started by the
// system with a current directory and a show command, then watched and ended from outside.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/files.h"
#include "driver/message_box.h"
#include "driver/wait.h"
#include "ui/handles.h"

namespace drv {

// The Notes.exe under test: the Windows path in NOTES_EXE (CTest sets it). Throws when unset.
std::string NotesExe();

// A process the test started. It never outlives the test: the destructor ends it if it is
// still running and waits until its windows (message boxes included) are gone.
class Process {
public:
    Process() = default;
    Process(Process&&) noexcept = default;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // Starts `exePath` detached from our console, in the executable's directory. With
    // `showCommand` the program finds it in its STARTUPINFO (SW_SHOWMAXIMIZED, ...).
    // Throws when the system cannot start it.
    static Process Start(const std::string& exePath, std::optional<WORD> showCommand = {},
                         bool suspended = false);
    static Process Start(const std::wstring& exePath, std::optional<WORD> showCommand = {},
                         bool suspended = false);

    DWORD Pid() const { return pid_; }
    HANDLE Handle() const { return process_.get(); }
    bool IsRunning() const;
    // The exit code once the process has ended; nothing while it runs.
    std::optional<DWORD> ExitCode() const;
    Waited<DWORD> WaitForExit(Ms timeout = kWaitTimeout) const;
    // Ends the process at once (TerminateProcess) and waits for its windows to go.
    void Kill();
    void Resume();  // of a process started suspended

    // The note window (the GBK class of window/ids.h) of this process, or null.
    HWND NoteWindow() const;
    // Until start-up has finished: the note window is shown and the program is settled
    // in its message loop (see Settle).
    Waited<HWND> WaitForNoteWindow(Ms timeout = kStartTimeout) const;
    // Until the note window exists, shown or not (a minimised start, or start-up stopped by
    // an error box). Start-up may still be running: Settle(window) waits for its end.
    Waited<HWND> WaitForNoteWindowCreated(Ms timeout = kStartTimeout) const;

private:
    ui::Handle process_;
    ui::Handle thread_;
    DWORD pid_ = 0;
};

// Starts `count` copies of `exePath` at (nearly) the same moment: all are created
// suspended and then resumed together.
std::vector<Process> StartTogether(const std::string& exePath, int count);
int CountRunning(const std::vector<Process>& processes);

struct NotesSetup {
    // The copy's file name; it gives the program its title (tests of start at log-on give
    // each test a name of its own).
    std::string exeName = "Notes.exe";
    // Part of the directory's name (spaces, GBK characters), in the ANSI code page.
    std::string dirNamePart = {};
    // Instead, a part in any script, also one the ANSI code page cannot spell.
    std::wstring wideDirNamePart = {};
    // Files written beside the executable before the launch: name, content.
    std::vector<std::pair<std::string, std::string>> files = {};
    std::optional<WORD> showCommand = std::nullopt;
};

// Notes.exe copied into a fresh directory and, after Launch(), running there. The
// destructor ends the program before it removes the directory.
class NotesProcess {
public:
    explicit NotesProcess(NotesSetup setup = {});

    const TempDir& Dir() const { return dir_; }
    // In the ANSI code page ("?" for what it cannot spell), and as the system holds it.
    const std::string& ExePath() const { return exePath_; }
    const std::wstring& WideExePath() const { return wideExePath_; }
    std::string File(std::string_view name) const { return dir_.File(name); }
    std::optional<std::string> ReadFile(std::string_view name) const;
    bool WriteFile(std::string_view name, std::string_view bytes) const;

    // Starts the program (again, after it ended). Throws when the system cannot.
    void Launch();
    // Another launch of the same executable, as a user's second double click; its owner
    // is the caller.
    Process LaunchAnother(std::optional<WORD> showCommand = {}) const;
    std::vector<Process> LaunchTogether(int count) const;

    Process& Main() { return main_; }
    const Process& Main() const { return main_; }
    DWORD Pid() const { return main_.Pid(); }
    bool IsRunning() const { return main_.IsRunning(); }
    std::optional<DWORD> ExitCode() const { return main_.ExitCode(); }
    Waited<DWORD> WaitForExit(Ms timeout = kWaitTimeout) const {
        return main_.WaitForExit(timeout);
    }
    void Kill() { main_.Kill(); }
    HWND NoteWindow() const { return main_.NoteWindow(); }
    Waited<HWND> WaitForNoteWindow(Ms timeout = kStartTimeout) const {
        return main_.WaitForNoteWindow(timeout);
    }
    Waited<HWND> WaitForNoteWindowCreated(Ms timeout = kStartTimeout) const {
        return main_.WaitForNoteWindowCreated(timeout);
    }
    Waited<MsgBox> WaitForMessageBox(Ms timeout = kWaitTimeout) const {
        return drv::WaitForMessageBox(Pid(), timeout);
    }

private:
    NotesSetup setup_;
    TempDir dir_;  // declared before main_: the program ends before its directory goes
    std::wstring wideExePath_;
    std::string exePath_;
    Process main_;
};

}  // namespace drv
