#include "ui/window.h"

#include <vector>

#include "ui/error.h"
#include "ui/owner_proc.h"

namespace ui {

core::Rect WindowRef::Bounds() const {
    RECT r = {};
    GetWindowRect(hwnd_, &r);
    if (HWND parent = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd_) : nullptr) {
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void WindowRef::SetBounds(const core::Rect& b) const {
    SetWindowPos(hwnd_, nullptr, b.left, b.top, b.width, b.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

bool WindowRef::Visible() const {
    return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void WindowRef::SetVisible(bool visible) const {
    if (Visible() != visible) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

std::wstring WindowRef::Text() const {
    const int length = GetWindowTextLengthW(hwnd_);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int got = GetWindowTextW(hwnd_, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

void WindowRef::SetText(const std::wstring& text) const {
    SetWindowTextW(hwnd_, text.c_str());
}

void WindowRef::SetFont(HFONT font) const {
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void WindowRef::Invalidate() const {
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::Create(const WindowParams& params) {
    hwnd_ = CreateWindowExW(params.exStyle, params.className, params.text.c_str(), params.style,
                            params.bounds.left, params.bounds.top, params.bounds.width,
                            params.bounds.height, params.parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) ThrowLastError("CreateWindowExW");
    // Later children lie above earlier ones, as they were laid out.
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Window::~Window() {
    Destroy();
}

void Window::Destroy() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        HWND hwnd = hwnd_;
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

void Window::RegisterClassOnce(WNDCLASSEXW wc) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), wc.lpszClassName, &existing)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    if (!wc.hCursor) wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    if (!RegisterClassExW(&wc)) ThrowLastError("RegisterClassExW");
}

void Window::Create(const WindowParams& params) {
    const bool child = (params.style & WS_CHILD) != 0;
    HMENU menu = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.id)) : nullptr;
    HWND hwnd =
        CreateWindowExW(params.exStyle, params.className, params.text.c_str(), params.style,
                        params.bounds.left, params.bounds.top, params.bounds.width,
                        params.bounds.height, params.parent, menu, GetModuleHandleW(nullptr), this);
    if (!hwnd) ThrowLastError("CreateWindowExW");
    if (child) SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchToOwner<Window>(hwnd, message, wParam, lParam, &Window::OnMessage,
                                   &Window::hwnd_, AfterError::DefaultProcessing);
}

}  // namespace ui
