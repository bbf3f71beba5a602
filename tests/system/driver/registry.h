// Registry values, read and changed from outside the program (its start-at-log-on value).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ui/handles.h"

namespace drv {

inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RegValue {
    DWORD type = REG_NONE;
    std::string data;  // the raw bytes, a string's terminating NUL included

    // A REG_SZ / REG_EXPAND_SZ value's text, without the terminating NUL.
    std::string Text() const;
};

// The registry as the program under test sees it: KEY_WOW64_32KEY for a 32-bit Notes.exe
// (its HKLM\Software is the 32-bit view), KEY_WOW64_64KEY for a 64-bit one, told by the
// executable in NOTES_EXE; nothing when that is unset. Every function here uses it, so a
// driver of either bitness reads and writes what the program does.
REGSAM ProgramRegistryView();

// A key opened (or, with `create`, made) in the program's view; null when it cannot be.
ui::Key OpenRegKey(HKEY root, std::string_view subkey, REGSAM access, bool create = false);

std::optional<RegValue> ReadRegValue(HKEY root, std::string_view subkey, std::string_view name);
bool WriteRegValue(HKEY root, std::string_view subkey, std::string_view name, DWORD type,
                   std::string_view data);
bool WriteRegString(HKEY root, std::string_view subkey, std::string_view name,
                    std::string_view value);
bool WriteRegDword(HKEY root, std::string_view subkey, std::string_view name, DWORD value);
// True when the value is absent afterwards (also when it never existed).
bool DeleteRegValue(HKEY root, std::string_view subkey, std::string_view name);

// Remembers a value (or its absence) and puts it back when the test ends, so that tests
// which make the program write the registry leave it as they found it.
class RegValueRestorer {
public:
    RegValueRestorer(HKEY root, std::string subkey, std::string name);
    RegValueRestorer(const RegValueRestorer&) = delete;
    RegValueRestorer& operator=(const RegValueRestorer&) = delete;
    ~RegValueRestorer();

private:
    HKEY root_;
    std::string subkey_;
    std::string name_;
    std::optional<RegValue> saved_;
};

}  // namespace drv
