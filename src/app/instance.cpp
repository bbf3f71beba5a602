#include "app/instance.h"

#include "window/ids.h"

namespace notes {
namespace {

// The window search alone lets two launches that start together both run, because the
// window appears only part-way through start-up. The lock closes that gap: the instance
// that runs holds it for its whole life.
constexpr wchar_t kInstanceMutex[] = L"Local\\VelnorNotes.Instance";
constexpr DWORD kPollInterval = 50;        // ms
constexpr DWORD kStartupPatience = 15000;  // ms to wait for a starting instance's window

bool ActivateRunning() {
    // By the class name's bytes, converted as the running instance converted them.
    HWND running = FindWindowA(NoteWindowClassName.bytes, nullptr);
    if (!running) return false;
    // The process the user just started may take the foreground; the running one may not
    // unless it is handed that right, and its note would stay behind other windows.
    DWORD pid = 0;
    GetWindowThreadProcessId(running, &pid);
    AllowSetForegroundWindow(pid);
    PostMessageW(running, WM_ACTIVATEINSTANCE, 0, 0);
    return true;
}

}  // namespace

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, kInstanceMutex)) {
    if (!mutex_) {
        // No lock to be had (no rights to the namespace): fall back to the window search.
        first_ = !ActivateRunning();
        return;
    }
    for (DWORD waited = 0;; waited += kPollInterval) {
        const DWORD wait = WaitForSingleObject(mutex_.get(), 0);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
            // We hold the lock; an instance that never took it may still be running.
            first_ = !ActivateRunning();
            if (!first_) ReleaseMutex(mutex_.get());
            return;
        }
        if (ActivateRunning() || waited >= kStartupPatience) return;
        Sleep(kPollInterval);
    }
}

}  // namespace notes
