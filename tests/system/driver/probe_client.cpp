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

// Beside our own executable, where the build puts it.
const ProbeDll& LoadProbe() {
    static const ProbeDll dll = [] {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        std::string full(path);
        full = full.substr(0, full.find_last_of('\\') + 1) + probe::kDllName;
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

struct Unhook {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};

struct Unmap {
    void operator()(probe::Block* block) const { UnmapViewOfFile(block); }
};

}  // namespace

std::optional<probe::Block> AskProbe(HWND target, probe::Query query, Ms timeout, Delivery delivery,
                                     ProbeArgs args) {
    const ProbeDll& dll = LoadProbe();
    const HOOKPROC hookProc = delivery == Delivery::kSent ? dll.sentHook : dll.postedHook;
    if (!hookProc) return std::nullopt;
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

    std::unique_ptr<HHOOK__, Unhook> hook(
        SetWindowsHookExA(delivery == Delivery::kSent ? WH_CALLWNDPROC : WH_GETMESSAGE, hookProc,
                          dll.module, thread));
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
