#include "ui/form.h"

#include "ui/application.h"
#include "ui/color.h"
#include "ui/error.h"
#include "ui/handles.h"

namespace ui {

namespace {

Component* FindChild(const std::vector<Child>& children, int id) {
    for (const Child& child : children) {
        if (child.row.id == id) return child.component;
    }
    return nullptr;
}

Component* FindChild(const std::vector<Child>& children, HWND hwnd) {
    if (!hwnd) return nullptr;
    for (const Child& child : children) {
        if (child.component->hwnd() == hwnd) return child.component;
    }
    return nullptr;
}

// Makes `children` in table order on `window` (later ones above earlier ones), each on the
// control its row names, bounds scaled by `scale`.
void CreateControls(HWND window, std::vector<Child>& children, const core::Scale& scale) {
    for (Child& child : children) {
        child.row.bounds = scale.Apply(child.row.bounds);
        child.row.itemHeight = scale.Apply(child.row.itemHeight);
    }
    for (Child& child : children) {
        const Component* parent =
            child.row.parent ? FindChild(children, child.row.parent) : nullptr;
        child.component->events = child.events;
        child.component->Create(parent ? parent->hwnd() : window, child.row);
    }
}

}  // namespace

HWND Form::Handle() {
    if (!hwnd_) CreateHandle();
    return hwnd_;
}

void Form::CreateForm(const WindowParams& params) {
    Window::Create(params);
    if ((params.exStyle & WS_EX_LAYERED) || opacity_ != 255) SetOpacity(opacity_);
}

void Form::CreateChildren(std::vector<Child> children, const core::Scale& scale, int layoutWidth) {
    // Known to the form before they are made: a list asks for its entries' height while it
    // is being made.
    children_ = std::move(children);
    scale_ = scale;
    layoutWidth_ = layoutWidth;
    CreateControls(hwnd_, children_, scale);
    AlignChildren();
    KeepAnchors();
}

void Form::KeepAnchors() {
    RECT client;
    GetClientRect(hwnd_, &client);
    for (const Child& child : children_) {
        if (child.row.rightAnchor == 0) continue;
        HWND hwnd = child.component->hwnd();
        if (!hwnd) return;  // a resize while the controls are being made
        // Distances are those of the scaled layout, so that buttons side by side stay so.
        const int left =
            client.right - (scale_.Apply(layoutWidth_) - scale_.Apply(child.row.rightAnchor));
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(hwnd, nullptr, left, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

Component* Form::ChildById(int id) const {
    return FindChild(children_, id);
}

Component* Form::ChildByHwnd(HWND hwnd) const {
    return FindChild(children_, hwnd);
}

void Form::AlignChildren() {
    std::vector<core::AlignedChild> aligned;
    std::vector<const Child*> which;
    for (const Child& child : children_) {
        if (child.row.parent != 0 || child.row.align == core::Align::None) continue;
        if (!child.component->hwnd()) return;  // a resize while the controls are being made
        aligned.push_back({child.row.align, child.row.bounds});
        which.push_back(&child);
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    const std::vector<core::Rect> bounds =
        core::AlignChildren(client.right, client.bottom, aligned);
    for (std::size_t i = 0; i < which.size(); ++i) {
        const core::Rect& b = bounds[i];
        SetWindowPos(which[i]->component->hwnd(), nullptr, b.left, b.top, b.width, b.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void Form::SetAlign(int id, core::Align align) {
    for (Child& child : children_) {
        if (child.row.id == id) child.row.align = align;
    }
    AlignChildren();
}

void Form::SetWindowState(WindowState state) {
    if (windowState_ == state) return;
    windowState_ = state;
    if (!Visible()) return;
    ShowWindow(hwnd_, state == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                      : state == WindowState::Minimized ? SW_MINIMIZE
                                                        : SW_SHOWNORMAL);
}

void Form::ShowOnStart(int showCommand) {
    if (showCommand == SW_SHOWMAXIMIZED) windowState_ = WindowState::Maximized;
    if (showCommand == SW_SHOWMINNOACTIVE) windowState_ = WindowState::Minimized;
    if (windowState_ == WindowState::Minimized) {
        Application::Current().Minimize();
    } else {
        Show();
    }
}

void Form::Show() {
    if (Visible()) return;
    ShowWindow(Handle(), windowState_ == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    // Already the active window (made so while hidden, for a menu), it is not activated
    // again, so the keyboard is handed back here.
    if (GetFocus() == hwnd_) RestoreFocus();
    OnShow();
}

void Form::Hide() {
    if (!Visible()) return;
    ShowWindow(hwnd_, SW_HIDE);
    OnHide();
}

int Form::ShowModal() {
    if (!hwnd_) {
        try {
            CreateHandle();
        } catch (...) {
            Destroy();
            throw;
        }
    }
    if (modal_) {
        SetForegroundWindow(hwnd_);
        return 0;
    }
    Application& app = Application::Current();
    modal_ = true;
    modalResult_ = 0;
    lastFocus_ = nullptr;
    {
        // Enables the other windows again and reactivates the one that was active before
        // this form goes, so the activation never passes to another program.
        Application::TaskModalScope scope(app, hwnd_);
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        while (modalResult_ == 0) {
            try {
                // The program's end (WM_QUIT, posted again for the main loop) cancels.
                if (!app.HandleMessage()) modalResult_ = IDCANCEL;
            } catch (...) {
                ReportCurrentException();
            }
        }
    }
    ShowWindow(hwnd_, SW_HIDE);
    modal_ = false;
    return modalResult_;
}

void Form::Close() {
    if (!OnCloseQuery()) return;
    OnClose();
    Application& app = Application::Current();
    if (modal_) {
        modalResult_ = IDCANCEL;  // ShowModal hides the form once the others are enabled
    } else if (app.MainWindow() == hwnd_) {
        app.Terminate();
    } else {
        Hide();
    }
}

void Form::ActivateApplication() {
    Application& app = Application::Current();
    if (!app.IsIconic()) {
        app.BringToFront();
        return;
    }
    app.Restore();
    if (windowState_ == WindowState::Minimized && !Visible()) {
        SetWindowState(WindowState::Normal);
        Show();
    }
    if (Visible() && IsWindowEnabled(hwnd_)) RestoreFocus();
}

// A hidden form may still become the active window (for a menu of the notification area);
// keys typed into an unseen control would change what it holds.
void Form::RestoreFocus() {
    if (!IsWindowVisible(hwnd_)) {
        if (GetFocus() != hwnd_) SetFocus(hwnd_);
        return;
    }
    SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : DefaultFocus());
}

void Form::SetOpacity(BYTE opacity) {
    opacity_ = opacity;
    if (!hwnd_) return;
    const LONG exStyle = GetWindowLongW(hwnd_, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongW(hwnd_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd_, 0, opacity_, LWA_ALPHA);
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (Component* child = ChildByHwnd(reinterpret_cast<HWND>(lParam))) {
            return child->Reflect(message, wParam, lParam);
        }
        if (!lParam && HIWORD(wParam) == 0) OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (Component* child = ChildByHwnd(header->hwndFrom)) {
            return child->Reflect(message, wParam, lParam);
        }
        return 0;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (Component* child = ChildByHwnd(reinterpret_cast<HWND>(lParam))) {
            return child->Reflect(message, wParam, lParam);
        }
        return 0;
    case WM_DRAWITEM:
        if (Component* child = ChildById(
                static_cast<int>(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlID))) {
            return child->Reflect(message, wParam, lParam);
        }
        return FALSE;
    case WM_MEASUREITEM:
        if (Component* child =
                ChildById(static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID))) {
            return child->Reflect(message, wParam, lParam);
        }
        return FALSE;
    case WM_SIZE:
        AlignChildren();
        OnResize();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS: RestoreFocus(); return 0;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd_, &r);
        Brush brush(CreateSolidBrush(ColorToRGB(color_)));
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush.get());
        return 1;
    }
    case WM_CLOSE: Close(); return 0;
    case WM_QUERYENDSESSION: return OnCloseQuery() ? TRUE : FALSE;
    }
    return Window::OnMessage(message, wParam, lParam);
}

}  // namespace ui
