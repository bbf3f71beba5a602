// Process entry: one instance, the note window (which owns the About window), the message
// loop. The exit code is 0 on every path.
#include <windows.h>

#include <memory>

#include "app/instance.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/libraries.h"
#include "window/frm_main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything loads a library: only the system folder is searched from now on.
    ui::RestrictLibrarySearch();
    try {
        ui::Application app(instance);
        notes::SingleInstance lock;
        if (!lock.IsFirst()) return 0;

        auto main = std::make_unique<notes::TfrmMain>();

        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        GetStartupInfoW(&startup);
        const int show =
            (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
        main->ShowOnStart(show);
        app.Run();
    } catch (...) {
        ui::ReportCurrentException();
    }
    return 0;
}
