// Libraries loaded at run time come from the system folder only. A portable note is often
// run from Downloads or a shared folder, and Windows would otherwise look beside the
// program first for any library that is not on its list of known ones: a file planted
// there under such a name would run its code inside the note.
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace ui {

// Makes the system folder the only place the process looks for libraries it loads later,
// where the system can be told so (Windows 8, and Windows 7 with its update KB2533623).
// Called first thing at start.
void RestrictLibrarySearch();

// Loads a library of the system by its file name from the system folder, and what it
// loads in turn from there as well; an empty handle on failure (GetLastError tells why).
Library LoadSystemLibrary(const wchar_t* fileName);

}  // namespace ui
