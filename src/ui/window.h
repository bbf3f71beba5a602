// Window base classes: WindowRef (helpers over any HWND, non-owning) and Window (a window
// of one of our own classes, whose messages reach a virtual member function).
#pragma once

#include <windows.h>

#include <string>

#include "core/geometry.h"

namespace ui {

class WindowRef {
public:
    HWND hwnd() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr; }
    int Id() const { return GetDlgCtrlID(hwnd_); }

    // Bounds in the parent's client coordinates (screen coordinates for top-level windows).
    core::Rect Bounds() const;
    void SetBounds(const core::Rect& bounds) const;

    // The window's own visibility flag, whether or not its parent is shown.
    bool Visible() const;
    void SetVisible(bool visible) const;
    bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

    std::wstring Text() const;
    void SetText(const std::wstring& text) const;
    void SetFont(HFONT font) const;
    void Invalidate() const;

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(hwnd_, message, wParam, lParam);
    }

protected:
    WindowRef() = default;
    ~WindowRef() = default;
    HWND hwnd_ = nullptr;
};

struct WindowParams {
    const wchar_t* className = nullptr;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    core::Rect bounds;
    HWND parent = nullptr;  // the owner, for a top-level window
    int id = 0;             // control identifier of a child window
};

// A system control (rich edit, trackbar, static, combo box); its parent destroys it.
class Control : public WindowRef {
public:
    void Create(const WindowParams& params);
};

class Window : public WindowRef {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

protected:
    Window() = default;
    // Registers `wc` unless a class of that name exists; lpfnWndProc is filled in here.
    static void RegisterClassOnce(WNDCLASSEXW wc);
    void Create(const WindowParams& params);
    // Destroys a top-level window early (its object lives on without it).
    void Destroy();
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace ui
