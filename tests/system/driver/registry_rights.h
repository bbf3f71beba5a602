// A registry key (in the program's view, see registry.h) taken out of the current
// user's hands as it is for a user without elevation.
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace drv {

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
