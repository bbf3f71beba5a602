#include "ui/form.h"

#include <algorithm>

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

const Child* ParentOf(const std::vector<Child>& children, const Child& child) {
    if (!child.row.parent) return nullptr;
    for (const Child& c : children) {
        if (c.row.id == child.row.parent) return &c;
    }
    return nullptr;
}

// Whether `child` is the control `id` or lies on it, directly or on a control that does.
bool LiesOn(const std::vector<Child>& children, const Child& child, int id) {
    for (const Child* at = &child; at; at = ParentOf(children, *at)) {
        if (at->row.id == id) return true;
    }
    return false;
}

// Whether the control of `child` is left for later: its row says so, or the row of a
// control it lies on.
bool IsLater(const std::vector<Child>& children, const Child& child) {
    for (const Child* at = &child; at; at = ParentOf(children, *at)) {
        if (at->row.later) return true;
    }
    return false;
}

// Makes the control of `child` on the control its row names, or on `window`.
void CreateControl(HWND window, const std::vector<Child>& children, const Child& child) {
    const Component* parent = child.row.parent ? FindChild(children, child.row.parent) : nullptr;
    child.component->Create(parent ? parent->hwnd() : window, child.row);
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
    for (Child& child : children_) {
        child.row.bounds = scale.Apply(child.row.bounds);
        child.row.itemHeight = scale.Apply(child.row.itemHeight);
        child.component->events = child.events;
        child.component->Prepare(child.row);
    }
    for (const Child& child : children_) {
        if (!IsLater(children_, child)) CreateControl(hwnd_, children_, child);
    }
    AlignChildren();
    KeepAnchors();
}

bool Form::CreateLater(int id) {
    const auto first = std::find_if(children_.begin(), children_.end(),
                                    [id](const Child& c) { return c.row.id == id; });
    if (first == children_.end() || first->component->hwnd()) return false;
    // Below the first control after it in the table that lies on the same window.
    HWND above = nullptr;
    for (auto next = first + 1; next != children_.end() && !above; ++next) {
        if (next->row.parent == first->row.parent) above = next->component->hwnd();
    }
    CreateControl(hwnd_, children_, *first);
    if (above) {
        SetWindowPos(first->component->hwnd(), above, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    // Then what lies on it, in table order.
    for (auto next = first + 1; next != children_.end(); ++next) {
        if (!next->component->hwnd() && LiesOn(children_, *next, id))
            CreateControl(hwnd_, children_, *next);
    }
    return true;
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
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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
