// The application object: the hidden application window that owns the program's windows
// and message boxes and carries the title, the message loop, and the message box service.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/handles.h"

namespace ui {

// The application title for the executable at `path`: its file name without its directory
// and from the first "." on, lowered after the first character.
std::wstring TitleFor(std::wstring_view path);

class Application {
public:
    explicit Application(HINSTANCE instance);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // The one application object of the process.
    static Application& Current();
    static Application* TryCurrent();

    HINSTANCE Instance() const { return instance_; }
    // The program's icon `id` at the size the system draws small icons at (16 x 16 at
    // 96 dpi, larger on denser screens); null when it cannot be loaded.
    Icon LoadSmallIcon(int id) const;
    HWND Handle() const { return hwnd_; }
    // The title as the application window carries it (at most 255 characters).
    std::wstring Title() const;

    // The window whose close ends the program.
    void SetMainWindow(HWND hwnd) { mainWindow_ = hwnd; }
    HWND MainWindow() const { return mainWindow_; }

    // Windows whose keyboard navigation (Tab, arrows) works as in a dialog.
    void AddDialogWindow(HWND hwnd);

    // Message box owned by the application window. While it is up the program's windows
    // are disabled and out of the topmost band; afterwards both come back, with the
    // active window and the focus.
    int ShowMessage(const std::wstring& text, const std::wstring& caption, UINT style);

    // The default error handler: cancels a pointer capture, then one error box captioned
    // with the title.
    void ShowException(const std::wstring& message);

    // Runs a modal dialog function with the program's windows disabled, then restores the
    // active window and the focus.
    template <class F>
    auto RunTaskModal(F&& dialog) {
        TaskModalScope scope(*this, nullptr);
        return dialog();
    }

    // The last active window owned by the application window comes to the front when it
    // is visible and enabled.
    void BringToFront();
    void Minimize();
    void Restore();
    bool IsIconic() const { return ::IsIconic(hwnd_) != FALSE; }

    // Fetches and handles one message; false once WM_QUIT arrives (it is posted again so
    // that every enclosing loop ends too).
    bool HandleMessage();
    void Run();
    void Terminate() { PostQuitMessage(0); }

    // Disables the program's visible, enabled windows except `except`; returns them.
    std::vector<HWND> DisableTaskWindows(HWND except);
    static void EnableTaskWindows(const std::vector<HWND>& windows);

    // Keeps the program's topmost windows below a box for as long as one is up.
    void NormalizeTopMosts();
    void RestoreTopMosts();

    class TaskModalScope {
    public:
        TaskModalScope(Application& app, HWND except);
        TaskModalScope(const TaskModalScope&) = delete;
        TaskModalScope& operator=(const TaskModalScope&) = delete;
        ~TaskModalScope();

    private:
        HWND active_;
        HWND focus_;
        std::vector<HWND> disabled_;
    };

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool IsDialogMessageFor(MSG& msg);

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND mainWindow_ = nullptr;
    std::vector<HWND> dialogWindows_;
    int topMostLevel_ = 0;
    std::vector<HWND> topMostList_;
};

}  // namespace ui
