// The per-machine Run key as the program under test sees it, and taken out of the current
// user's hands as it is for a user without elevation.
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace drv {

// The registry view of the Notes.exe under test: a 32-bit program is shown the 32-bit view
// of the per-machine keys (WOW6432Node on 64-bit Windows), whatever the test program is.
REGSAM ProgramView();

// `subkey` of `root` in the program's view, opened with `access`; empty when refused. An
// open key serves as the root of the driver's registry functions, with an empty subkey.
ui::Key OpenInProgramView(HKEY root, const char* subkey, REGSAM access);

// While it lives, the current user may read the key but neither change its values nor its
// subkeys nor its access rules: an entry that denies these to CURRENT_USER goes before the
// key's own. They come back when the guard goes.
class ChangeDenied {
public:
    ChangeDenied(HKEY root, const char* subkey);
    ChangeDenied(const ChangeDenied&) = delete;
    ChangeDenied& operator=(const ChangeDenied&) = delete;
    ~ChangeDenied();
    bool Applied() const { return applied_; }

private:
    ui::Key key_;  // opened before the change: later opens are checked against the new rules
    PSECURITY_DESCRIPTOR saved_ = nullptr;  // holds the DACL put back
    PACL savedDacl_ = nullptr;
    bool applied_ = false;
};

}  // namespace drv
