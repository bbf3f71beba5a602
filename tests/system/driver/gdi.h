// Owners for the GDI objects the driver makes (see ui/handles.h for the others).
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

}  // namespace drv
