// What the driver and menu_probe.dll exchange. Some things can only be read inside the
// process that owns them under Wine (the items of a popup menu, the icon of a message
// box, the state of a thread's message queue), so the driver hooks menu_probe.dll into
// that thread and gives a window of it a registered message; the hook answers through a
// named shared-memory block. Sent, the message is answered at once, even while the thread
// waits for a reply of its own (WH_CALLWNDPROC); posted, only when the thread takes it
// from its queue in a message loop (WH_GETMESSAGE).
#pragma once

#include <windows.h>

#include <cstdio>

namespace probe {

inline constexpr char kRequestMessage[] = "NotesTestProbe.Request";
inline constexpr char kSentHook[] = "ProbeCallWndProc";
inline constexpr char kPostedHook[] = "ProbeGetMessage";
inline constexpr char kDllName[] = "menu_probe.dll";

enum Query : LONG {
    kReadMenu = 1,
    kIdentifyIcon = 2,
    kQueueStatus = 3,
    kCharFormat = 4,
    kIdentifyCursor = 5,
};
enum Icon : LONG { kNoIcon = 0, kError, kQuestion, kWarning, kInformation, kOtherIcon };
enum Cursor : LONG { kNoCursor = 0, kArrow, kSizeAll, kIBeam, kOtherCursor };

inline constexpr int kMaxItems = 64;
inline constexpr int kMaxText = 256;

struct ItemRecord {
    UINT id;
    UINT type;   // MFT_* (MFT_SEPARATOR, ...)
    UINT state;  // MFS_* (MFS_GRAYED, MFS_CHECKED, ...)
    BOOL hasSubmenu;
    RECT rect;            // screen coordinates
    char text[kMaxText];  // ANSI (GBK), NUL-terminated
};

struct Block {
    LONG request;   // sequence number written by the driver
    LONG answered;  // the same number, written by the hook once the answer is complete
    LONG query;
    LONG ok;
    LONG icon;
    LONG cursor;
    DWORD queueStatus;  // GetQueueStatus(QS_ALLINPUT) of the target's thread
    // kCharFormat: the character range asked about, and the rich edit's answer for it
    // (EM_GETCHARFORMAT of that selection: which attributes are the same throughout, and
    // their values).
    LONG rangeMin;
    LONG rangeMax;
    DWORD formatMask;
    DWORD formatEffects;
    LONG itemCount;
    ItemRecord items[kMaxItems];
};

// A hook can only load a DLL of the target's own bitness. A 64-bit driver asks
// probe_host.exe, a 32-bit helper beside it, to set and remove its hooks in a 32-bit
// program; everything else (the block, the request message) stays the driver's.
inline constexpr char kHostName[] = "probe_host.exe";

// The host's pipe: named after the host's path and build time, so that a driver never asks
// a host of another build. Both sides make it from the host's full path.
inline void HostPipeName(const char* hostPath, char (&name)[128]) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(hostPath, GetFileExInfoStandard, &data);
    unsigned long long hash = 1469598103934665603ULL;  // FNV-1a of the path, case folded
    for (const char* c = hostPath; *c; ++c) {
        const char folded = *c >= 'A' && *c <= 'Z' ? static_cast<char>(*c + 32) : *c;
        hash = (hash ^ static_cast<unsigned char>(folded)) * 1099511628211ULL;
    }
    std::snprintf(name, sizeof name, "\\\\.\\pipe\\NotesProbeHost.%016llx.%08lx%08lx", hash,
                  static_cast<unsigned long>(data.ftLastWriteTime.dwHighDateTime),
                  static_cast<unsigned long>(data.ftLastWriteTime.dwLowDateTime));
}

enum HostOp : DWORD { kHook = 1, kUnhook = 2 };

struct HostRequest {
    DWORD op;
    DWORD thread;  // kHook: the thread to hook
    DWORD posted;  // kHook: WH_GETMESSAGE (posted requests) instead of WH_CALLWNDPROC
    DWORD hook;    // kUnhook: what kHook answered
};

struct HostReply {
    DWORD ok;
    DWORD hook;   // kHook: an index the host keeps the hook under
    DWORD error;  // GetLastError() of a failed call
};

// One block per target process, named after its id, so the hook finds it by itself.
inline void BlockName(DWORD pid, char (&name)[64]) {
    std::snprintf(name, sizeof name, "Local\\NotesTestProbe.%lu", static_cast<unsigned long>(pid));
}

}  // namespace probe
