// Where the program keeps its files: beside the executable, formed afresh at each use.
#pragma once

#include <string>

namespace ui {

std::string ExecutablePath();
// The executable's directory, ending in its last path delimiter.
std::string ProgramDirectory();

}  // namespace ui
