#include "driver/probe_client.h"

#include <cstdio>
#include <memory>
#include <string>

#include "ui/handles.h"

namespace drv {
namespace {

struct ProbeDll {
    HMODULE module = nullptr;
    HOOKPROC sentHook = nullptr;
    HOOKPROC postedHook = nullptr;
};

HOOKPROC HookProc(HMODULE module, const char* name) {
    return reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string BesideOurselves(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string full(path);
    return full.substr(0, full.find_last_of('\\') + 1) + name;
}

// Beside our own executable, where the build puts it.
const ProbeDll& LoadProbe() {
    static const ProbeDll dll = [] {
        const std::string full = BesideOurselves(probe::kDllName);
        ProbeDll loaded;
        loaded.module = LoadLibraryA(full.c_str());
        if (!loaded.module) {
            std::fprintf(stderr, "[drv] cannot load %s (error %lu)\n", full.c_str(),
                         GetLastError());
            return loaded;
        }
        loaded.sentHook = HookProc(loaded.module, probe::kSentHook);
        loaded.postedHook = HookProc(loaded.module, probe::kPostedHook);
        // A 32-bit build that exports them as "Name@12" finds neither: say so, or every
        // wait for the note looks like a hung program.
        if (!loaded.sentHook || !loaded.postedHook) {
            std::fprintf(stderr, "[drv] %s does not export %s and %s by these names\n",
                         full.c_str(), probe::kSentHook, probe::kPostedHook);
        }
        return loaded;
    }();
    return dll;
}

// Whether the process is a 32-bit one while we are 64-bit: its hooks are then probe_host's.
bool OtherBitness(DWORD pid) {
    if constexpr (sizeof(void*) == 4) {
        return false;  // a 32-bit driver drives only 32-bit programs
    } else {
        static DWORD lastPid = 0;
        static bool lastAnswer = false;
        if (pid == lastPid) return lastAnswer;
        ui::Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        BOOL wow64 = FALSE;
        if (!process || !IsWow64Process(process.get(), &wow64)) return false;
        lastPid = pid;
        lastAnswer = wow64 != FALSE;
        return lastAnswer;
    }
}

// The connection to probe_host.exe, made at the first question to a 32-bit program and
// kept for the rest of this process.
class ProbeHost {
public:
    static ProbeHost& Instance() {
        static ProbeHost host;
        return host;
    }

    // A hook of the probe in `thread`, set by the host; nothing when it cannot be had.
    std::optional<DWORD> Hook(DWORD thread, Delivery delivery, Ms timeout) {
        probe::HostRequest request = {};
        request.op = probe::kHook;
        request.thread = thread;
        request.posted = delivery == Delivery::kPosted;
        const auto reply = Transact(request, timeout);
        if (!reply || !reply->ok) return std::nullopt;
        return reply->hook;
    }

    void Unhook(DWORD hook) {
        probe::HostRequest request = {};
        request.op = probe::kUnhook;
        request.hook = hook;
        Transact(request, kWaitTimeout);
    }

private:
    std::optional<probe::HostReply> Transact(const probe::HostRequest& request, Ms timeout) {
        if (!pipe_ && !Connect(kStartTimeout)) return std::nullopt;
        DWORD bytes = 0;
        probe::HostReply reply = {};
        const auto write = [&](OVERLAPPED* o) {
            return WriteFile(pipe_.get(), &request, sizeof request, nullptr, o);
        };
        const auto read = [&](OVERLAPPED* o) {
            return ReadFile(pipe_.get(), &reply, sizeof reply, nullptr, o);
        };
        if (!Overlapped(write, timeout, &bytes) || !Overlapped(read, timeout, &bytes) ||
            bytes != sizeof reply) {
            std::fprintf(stderr, "[drv] %s did not answer within %lld ms; asking a new one\n",
                         probe::kHostName, static_cast<long long>(timeout.count()));
            pipe_.reset();
            return std::nullopt;
        }
        return reply;
    }

    template <class Call>
    bool Overlapped(Call call, Ms timeout, DWORD* bytes) {
        OVERLAPPED pending = {};
        pending.hEvent = event_.get();
        if (!call(&pending) && GetLastError() != ERROR_IO_PENDING) return false;
        if (WaitForSingleObject(event_.get(), static_cast<DWORD>(timeout.count())) !=
            WAIT_OBJECT_0) {
            CancelIo(pipe_.get());
            GetOverlappedResult(pipe_.get(), &pending, bytes, TRUE);
            return false;
        }
        return GetOverlappedResult(pipe_.get(), &pending, bytes, FALSE) != FALSE;
    }

    // Opens the host's pipe. scripts/wine-run starts the host before us and says so
    // (NOTES_PROBE_HOST=started): then we wait for it; otherwise we start it ourselves.
    bool Connect(Ms timeout) {
        const std::string host = BesideOurselves(probe::kHostName);
        char name[128];
        probe::HostPipeName(host.c_str(), name);
        char said[16] = {};
        GetEnvironmentVariableA("NOTES_PROBE_HOST", said, sizeof said);
        const bool startedForUs = std::string(said) == "started";
        ui::Handle started;
        const auto deadline = detail::Now() + timeout;
        while (detail::Now() < deadline) {
            ui::File pipe(CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr));
            if (pipe) {
                DWORD mode = PIPE_READMODE_MESSAGE;
                SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr);
                pipe_ = ui::Handle(pipe.release());
                return true;
            }
            if (GetLastError() == ERROR_PIPE_BUSY) {
                WaitNamedPipeA(name, 200);
                continue;
            }
            if (!started && !startedForUs) {
                started = Start(host);
                if (!started) return false;
            } else if (started && WaitForSingleObject(started.get(), 0) == WAIT_OBJECT_0) {
                DWORD code = 0;
                GetExitCodeProcess(started.get(), &code);
                // 4: another host of the same build took the name first; it serves.
                if (code != 4) {
                    std::fprintf(stderr, "[drv] %s ended at once (exit code %lu)\n", host.c_str(),
                                 code);
                    return false;
                }
            }
            detail::PollPause();
        }
        std::fprintf(stderr, "[drv] %s did not open %s within %lld ms\n", host.c_str(), name,
                     static_cast<long long>(timeout.count()));
        return false;
    }

    // Detached and inheriting no handle. It still keeps our Unix standard error under
    // Wine, and with it the test runner's pipe, which is why wine-run starts it instead.
    static ui::Handle Start(const std::string& host) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + host + "\"";
        PROCESS_INFORMATION info = {};
        if (!CreateProcessA(host.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                            DETACHED_PROCESS, nullptr, nullptr, &startup, &info)) {
            std::fprintf(stderr, "[drv] cannot start %s (error %lu)\n", host.c_str(),
                         GetLastError());
            return {};
        }
        CloseHandle(info.hThread);
        return ui::Handle(info.hProcess);
    }

    ui::Handle pipe_;
    ui::Handle event_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

// A hook of the probe in a thread, for one question; removed when it goes.
class ProbeHook {
public:
    ProbeHook(DWORD pid, DWORD thread, Delivery delivery, Ms timeout) {
        if (OtherBitness(pid)) {
            hostHook_ = ProbeHost::Instance().Hook(thread, delivery, timeout);
            return;
        }
        const ProbeDll& dll = LoadProbe();
        const HOOKPROC proc = delivery == Delivery::kSent ? dll.sentHook : dll.postedHook;
        if (!proc) return;
        local_.reset(SetWindowsHookExA(delivery == Delivery::kSent ? WH_CALLWNDPROC : WH_GETMESSAGE,
                                       proc, dll.module, thread));
    }
    ProbeHook(const ProbeHook&) = delete;
    ProbeHook& operator=(const ProbeHook&) = delete;
    ~ProbeHook() {
        if (hostHook_) ProbeHost::Instance().Unhook(*hostHook_);
    }

    explicit operator bool() const { return local_ || hostHook_; }

private:
    struct Unhook {
        void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
    };
    std::unique_ptr<HHOOK__, Unhook> local_;
    std::optional<DWORD> hostHook_;
};

struct Unmap {
    void operator()(probe::Block* block) const { UnmapViewOfFile(block); }
};

}  // namespace

std::optional<probe::Block> AskProbe(HWND target, probe::Query query, Ms timeout, Delivery delivery,
                                     ProbeArgs args) {
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(target, &pid);
    if (!thread) return std::nullopt;

    char name[64];
    probe::BlockName(pid, name);
    ui::Handle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          sizeof(probe::Block), name));
    if (!mapping) return std::nullopt;
    std::unique_ptr<probe::Block, Unmap> block(static_cast<probe::Block*>(
        MapViewOfFile(mapping.get(), FILE_MAP_WRITE | FILE_MAP_READ, 0, 0, sizeof(probe::Block))));
    if (!block) return std::nullopt;

    static LONG sequence = 0;
    const LONG request = ++sequence;
    block->query = query;
    block->rangeMin = args.rangeMin;
    block->rangeMax = args.rangeMax;
    block->answered = 0;
    block->request = request;
    const auto answered = [&] {
        return InterlockedCompareExchange(&block->answered, 0, 0) == request;
    };

    const ProbeHook hook(pid, thread, delivery, timeout);
    if (!hook) return std::nullopt;
    static const UINT message = RegisterWindowMessageA(probe::kRequestMessage);
    if (delivery == Delivery::kSent) {
        // The hook runs in the target's thread before the window sees the message, so the
        // answer is complete once the send returns.
        DWORD_PTR reply = 0;
        if (!SendMessageTimeoutA(target, message, 0, 0, SMTO_NORMAL,
                                 static_cast<UINT>(timeout.count()), &reply)) {
            return std::nullopt;
        }
    } else {
        if (!PostMessageA(target, message, 0, 0)) return std::nullopt;
        if (!WaitUntil(answered, timeout, "the probe's posted request to be taken")) {
            return std::nullopt;
        }
    }
    if (!answered() || !block->ok) return std::nullopt;
    return *block;
}

}  // namespace drv
