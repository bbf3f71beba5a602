// What the benchmark runner needs to know of the baseline program.
#pragma once

namespace bench {

inline constexpr char kBaselineClassName[] = "NotesBaseline";
inline constexpr char kNoteFileName[] = "Memo.rtf";
// The names the runner gives its copies; the baseline chooses its save by them.
inline constexpr char kPlainBaselineName[] = "baseline.exe";
inline constexpr char kBareBaselineName[] = "baseline-bare.exe";
inline constexpr char kSafeBaselineName[] = "baseline-safe.exe";
inline constexpr char kSaveFailedTitle[] = "save failed";
inline constexpr int kEditorId = 1;

}  // namespace bench
