// The note file "Memo.rtf" beside the executable.
#pragma once

#include <string>

namespace notes {

inline constexpr char kNoteFileName[] = "Memo.rtf";
// Saves are written here first and then put in the note's place in one step, so the note
// file always holds a complete note. Never loaded: only kNoteFileName is.
inline constexpr char kNoteTempFileName[] = "Memo.rtf.tmp";

std::string NoteFilePath();

}  // namespace notes
