// What the note's rich edit shows but never saves, read inside the program by
// menu_probe.dll: the character format of a range (links among it).
#pragma once

#include <windows.h>

#include <richedit.h>

#include <optional>

namespace drv {

struct CharFormat {
    DWORD mask = 0;     // CFM_ flags: the attributes that are the same over the whole range
    DWORD effects = 0;  // CFE_ flags: their values

    // Every character of the range is a link, or none is.
    bool AllLink() const { return (mask & CFM_LINK) && (effects & CFE_LINK); }
    bool NoLink() const { return (mask & CFM_LINK) && !(effects & CFE_LINK); }
};

// EM_GETCHARFORMAT of the characters [cpMin, cpMax) of a rich edit in another process. The
// user's selection is put back afterwards; nothing when the probe did not answer.
std::optional<CharFormat> CharFormatOf(HWND editor, LONG cpMin, LONG cpMax);

}  // namespace drv
