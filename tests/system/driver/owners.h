// Owners for the handles the driver makes beyond those of ui/handles.h.
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace drv {

// A memory DC compatible with `reference`, deleted with DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

using Bitmap = ui::Unique<HGDIOBJ, ui::GdiTraits>;

// FindFirstFile reports failure as INVALID_HANDLE_VALUE and is closed with FindClose.
struct FindTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
using FindHandle = ui::Unique<HANDLE, FindTraits>;

struct GlobalTraits : ui::NullInvalid<HGLOBAL> {
    static void Close(HGLOBAL h) { GlobalFree(h); }
};
// Memory for the clipboard: freed unless SetClipboardData took it (then release()).
using GlobalMemory = ui::Unique<HGLOBAL, GlobalTraits>;

struct WindowTraits : ui::NullInvalid<HWND> {
    static void Close(HWND h) { DestroyWindow(h); }
};
// A top-level window of the test process itself.
using OwnWindow = ui::Unique<HWND, WindowTraits>;

}  // namespace drv
