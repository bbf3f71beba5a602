// Where the program keeps its files: beside the executable, formed afresh at each use.
// Paths are UTF-16, so that the program works in a folder of any name.
#pragma once

#include <string>

namespace ui {

std::wstring ExecutablePath();
// The executable's directory, ending in its last path delimiter.
std::wstring ProgramDirectory();

}  // namespace ui
