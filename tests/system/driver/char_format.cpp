#include "driver/char_format.h"

#include "driver/window_query.h"
#include "ui/handles.h"

namespace drv {
namespace {

// Memory inside another process, freed when the object goes.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, SIZE_T size)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    void* Address() const { return address_; }

private:
    HANDLE process_;
    void* address_;
};

bool SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL, 5000, &result) != 0;
}

}  // namespace

std::optional<CHARFORMATA> SelectionFormat(HWND editor, int from, int to) {
    ui::Handle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                   ProcessOf(editor)));
    if (!process) return std::nullopt;
    RemoteMemory remote(process.get(), sizeof(CHARFORMATA));
    if (!remote.Address()) return std::nullopt;
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SIZE_T done = 0;
    if (!WriteProcessMemory(process.get(), remote.Address(), &format, sizeof format, &done) ||
        !SendWithTimeout(editor, EM_SETSEL, static_cast<WPARAM>(from), to) ||
        !SendWithTimeout(editor, EM_GETCHARFORMAT, SCF_SELECTION,
                         reinterpret_cast<LPARAM>(remote.Address())) ||
        !ReadProcessMemory(process.get(), remote.Address(), &format, sizeof format, &done) ||
        done != sizeof format) {
        return std::nullopt;
    }
    return format;
}

}  // namespace drv
