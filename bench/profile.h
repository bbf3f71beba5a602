// Step-by-step timings of the save and the load, for finding where their time goes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct ProfileSink {
    std::function<double()> now;  // milliseconds
    std::function<void(const std::string& metric, const std::string& step, std::size_t bytes,
                       const std::string& unit, double value)>
        add;
};

// The save's calls in Notes.exe's order on a note file of each size, `rounds` times:
// attributes, probe open, temporary file, writes, flush, close, replace; and a plain
// rewrite beside them.
void ProfileSave(ProfileSink& sink, const std::vector<std::size_t>& sizes, int rounds);

// EM_STREAMIN into a fresh RICHEDIT reading whole requests, half requests, and half
// requests normalised and depth-checked as Notes.exe reads, the same with the editor looking
// for addresses (as the note's does); and the stream-out of the note. Each round also gives
// the ratio of Notes' reader to the plain read, the two having met the same load.
void ProfileLoad(ProfileSink& sink, const std::vector<std::size_t>& sizes, int rounds);

// Start-up costs: adding a notification-area icon (which the baseline does not do), the
// first load of comdlg32 (which Notes.exe no longer does at start) and of RICHED32 (which
// both do). Run it before anything else of the runner's loads these libraries.
void ProfileStartup(ProfileSink& sink, int rounds);

}  // namespace bench
