// probe_host.exe: sets and removes the hooks of menu_probe.dll for a driver of the other
// bitness (see probe_protocol.h). A 64-bit driver cannot load the 32-bit probe, and a hook
// runs only a DLL of the hooked program's own bitness.
//
// One host serves the drivers of a Wine prefix one after the other, on a named pipe (see
// HostPipeName), so that a run pays for starting it once rather than once per test (a start
// of a 32-bit program takes about two seconds under an instruction-set emulator).
// scripts/wine-run starts it beside a 64-bit driver, with the test runner's output closed;
// a driver started otherwise starts it itself. A driver's hooks go when its connection does;
// the host ends after half a minute without a driver.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "menu_probe/probe_protocol.h"
#include "ui/handles.h"

namespace {

constexpr DWORD kIdleLimitMs = 30000;

struct Unhook {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using Hook = std::unique_ptr<HHOOK__, Unhook>;

struct Probe {
    HMODULE module = nullptr;
    HOOKPROC sent = nullptr;
    HOOKPROC posted = nullptr;
};

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

Probe LoadProbe() {
    std::string full = OwnPath();
    full = full.substr(0, full.find_last_of('\\') + 1) + probe::kDllName;
    Probe loaded;
    loaded.module = LoadLibraryA(full.c_str());
    if (!loaded.module) return loaded;
    loaded.sent = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(loaded.module, probe::kSentHook)));
    loaded.posted = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(loaded.module, probe::kPostedHook)));
    return loaded;
}

// Waits for an overlapped call on `pipe`; false when it failed or `limit` passed.
bool Finish(HANDLE pipe, OVERLAPPED& pending, BOOL started, DWORD limit, DWORD* bytes) {
    if (!started && GetLastError() != ERROR_IO_PENDING) {
        return GetLastError() == ERROR_PIPE_CONNECTED;  // a driver came before the wait
    }
    if (WaitForSingleObject(pending.hEvent, limit) != WAIT_OBJECT_0) {
        CancelIo(pipe);
        GetOverlappedResult(pipe, &pending, bytes, TRUE);
        return false;
    }
    return GetOverlappedResult(pipe, &pending, bytes, FALSE) != FALSE;
}

ui::Handle NewInstance(const char* name, bool first) {
    const DWORD flags =
        PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    const HANDLE pipe = CreateNamedPipeA(
        name, flags, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
        PIPE_UNLIMITED_INSTANCES, sizeof(probe::HostReply), sizeof(probe::HostRequest), 0, nullptr);
    return ui::Handle(pipe == INVALID_HANDLE_VALUE ? nullptr : pipe);
}

probe::HostReply Handle(const Probe& dll, const probe::HostRequest& request,
                        std::vector<Hook>& hooks) {
    probe::HostReply reply = {};
    if (request.op == probe::kHook) {
        const HOOKPROC proc = request.posted ? dll.posted : dll.sent;
        Hook hook(SetWindowsHookExA(request.posted ? WH_GETMESSAGE : WH_CALLWNDPROC, proc,
                                    dll.module, request.thread));
        if (!hook) {
            reply.error = GetLastError();
            return reply;
        }
        hooks.push_back(std::move(hook));
        reply.hook = static_cast<DWORD>(hooks.size() - 1);
        reply.ok = TRUE;
    } else if (request.op == probe::kUnhook && request.hook < hooks.size()) {
        hooks[request.hook].reset();
        reply.ok = TRUE;
    }
    return reply;
}

// Answers one driver until it goes; its hooks go with it.
void Serve(const Probe& dll, HANDLE pipe, HANDLE event) {
    std::vector<Hook> hooks;
    for (;;) {
        probe::HostRequest request = {};
        OVERLAPPED pending = {};
        pending.hEvent = event;
        DWORD bytes = 0;
        const BOOL read = ReadFile(pipe, &request, sizeof request, nullptr, &pending);
        if (!Finish(pipe, pending, read, INFINITE, &bytes) || bytes != sizeof request) return;
        const probe::HostReply reply = Handle(dll, request, hooks);
        pending = {};
        pending.hEvent = event;
        const BOOL written = WriteFile(pipe, &reply, sizeof reply, nullptr, &pending);
        if (!Finish(pipe, pending, written, INFINITE, &bytes)) return;
    }
}

}  // namespace

int main() {
    const Probe dll = LoadProbe();
    if (!dll.sent || !dll.posted) return 3;
    char name[128];
    probe::HostPipeName(OwnPath().c_str(), name);
    ui::Handle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    // The first instance fails where another host of this build already listens: it serves.
    ui::Handle listening = NewInstance(name, true);
    if (!listening || !event) return 4;
    for (;;) {
        OVERLAPPED pending = {};
        pending.hEvent = event.get();
        DWORD bytes = 0;
        const BOOL connected = ConnectNamedPipe(listening.get(), &pending);
        if (!Finish(listening.get(), pending, connected, kIdleLimitMs, &bytes)) return 0;
        ui::Handle serving = std::move(listening);
        // The next driver finds the pipe while this one is served.
        listening = NewInstance(name, false);
        Serve(dll, serving.get(), event.get());
        DisconnectNamedPipe(serving.get());
        if (!listening) return 5;
    }
}
