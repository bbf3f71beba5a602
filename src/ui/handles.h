// RAII owners for the handles the program creates. Child windows, stock objects, shared
// icons and menus attached to windows are not owned and never wrapped here.
#pragma once

#include <windows.h>

#include <utility>

namespace ui {

template <class H, class Traits>
class Unique {
public:
    Unique() = default;
    explicit Unique(H h) : h_(h) {}
    Unique(Unique&& other) noexcept : h_(other.release()) {}
    Unique& operator=(Unique&& other) noexcept {
        reset(other.release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return Traits::IsValid(h_); }
    H release() { return std::exchange(h_, Traits::Invalid()); }
    void reset(H h = Traits::Invalid()) {
        if (Traits::IsValid(h_)) Traits::Close(h_);
        h_ = h;
    }

private:
    H h_ = Traits::Invalid();
};

template <class H>
struct NullInvalid {
    static H Invalid() { return nullptr; }
    static bool IsValid(H h) { return h != nullptr; }
};

struct GdiTraits : NullInvalid<HGDIOBJ> {
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct FontTraits : NullInvalid<HFONT> {
    static void Close(HFONT h) { DeleteObject(h); }
};
struct BrushTraits : NullInvalid<HBRUSH> {
    static void Close(HBRUSH h) { DeleteObject(h); }
};
struct IconTraits : NullInvalid<HICON> {
    static void Close(HICON h) { DestroyIcon(h); }
};
struct MenuTraits : NullInvalid<HMENU> {
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct KeyTraits : NullInvalid<HKEY> {
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct ModuleTraits : NullInvalid<HMODULE> {
    static void Close(HMODULE h) { FreeLibrary(h); }
};
struct KernelTraits : NullInvalid<HANDLE> {
    static void Close(HANDLE h) { CloseHandle(h); }
};
// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};

using Font = Unique<HFONT, FontTraits>;
using Brush = Unique<HBRUSH, BrushTraits>;
using Icon = Unique<HICON, IconTraits>;
using Menu = Unique<HMENU, MenuTraits>;
using Key = Unique<HKEY, KeyTraits>;
using Library = Unique<HMODULE, ModuleTraits>;
using Handle = Unique<HANDLE, KernelTraits>;
using File = Unique<HANDLE, FileTraits>;

// A device context obtained with GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC for the life of the scope.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace ui
