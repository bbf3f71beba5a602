// Stands in for the browser: registers shell_recorder.exe (built beside the tests) as the
// program that opens addresses of some schemes, so that a test sees exactly what the
// program under test asked the shell to open, and nothing leaves the machine. The
// registration is undone when the object goes.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "driver/files.h"
#include "driver/registry.h"
#include "driver/wait.h"

namespace drv {

class ShellHandler {
public:
    // Takes over the "open" command of each scheme ("http", "mailto", ...) in
    // HKEY_CLASSES_ROOT, where the shell looks for an address's program.
    explicit ShellHandler(const std::vector<std::string>& schemes = {"http", "https"});
    ShellHandler(const ShellHandler&) = delete;
    ShellHandler& operator=(const ShellHandler&) = delete;
    ~ShellHandler();

    // Each start of the handler so far, with what it was given (one entry per argument,
    // joined by tabs). Read afresh at every call.
    std::vector<std::string> Opened() const;
    // Until at least `count` starts have been recorded.
    ::testing::AssertionResult WaitForOpened(std::size_t count, Ms timeout = kWaitTimeout) const;
    // Makes the scheme's command name a program that does not exist, as on a machine
    // without a browser.
    void Break(std::string_view scheme) const;

private:
    TempDir dir_;
    std::vector<std::unique_ptr<RegValueRestorer>> restorers_;
};

}  // namespace drv
