// The runner's command line.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace bench {

struct Options {
    std::string out;  // the results file; not with --smoke
    int reps = 5;     // start-ups of each program per note size
    int keys = 200;   // keystrokes per program per note size
    int idleSeconds = 10;
    int loadReps = 3;  // loads per way of reading in the load profile
    std::vector<std::size_t> startupSizes = {0, 100 * 1024, 1024 * 1024};
    std::vector<std::size_t> typingSizes = {1024, 100 * 1024, 1024 * 1024};
    std::vector<std::size_t> loadSizes = {1024 * 1024, 10 * 1024 * 1024};
    std::set<std::string> only = {"startup", "typing", "idle", "profile"};
    // Earlier builds of Notes.exe, each beside the runner as Notes-NAME.exe, started in the
    // start-up rounds with the others: what a change gained, measured in one run.
    std::vector<std::string> earlier;
    bool smoke = false;
};

// Throws std::invalid_argument, saying what is wrong, for an unknown option, a missing or
// malformed value, an unknown measurement, a count below 1, an earlier build's name that is
// empty or not letters, digits, '-' and '_', or a missing --out.
Options ParseOptions(const std::vector<std::string>& args);

}  // namespace bench
