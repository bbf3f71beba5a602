// Shared by the tests that attack the program with hostile files, kills and faults: the
// checks they all make, and the tally that scripts/reliability-report.py turns into
// docs/RELIABILITY.md.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "driver/driver.h"

namespace rel {

// Counts what one test tried and what went wrong, and appends one JSON line with the counts
// to the file named by NOTES_RELIABILITY_OUT (a Unix path is taken as Wine's Z: drive) when
// it goes, also when the test stopped at a failed assertion. Without the variable nothing
// is written.
class Tally {
public:
    // `kind`: "hostile-note", "hostile-settings", "kill" or "fault"; `input`: what was
    // done, in a few words ("1 MB note", "note locked").
    Tally(std::string kind, std::string input);
    Tally(const Tally&) = delete;
    Tally& operator=(const Tally&) = delete;
    ~Tally();

    void Tried(int count = 1) { tried_ += count; }
    // A note that came back other than whole (changed by a start, cut by a kill, not saved
    // again once the file could be written): counted, and false is returned for the test.
    bool NoteKept(bool kept) {
        if (!kept) ++lost_;
        return kept;
    }
    // The program ended on its own: counted, and false returned.
    bool StillRunning(bool running) {
        if (!running) ++crashes_;
        return running;
    }

private:
    std::string kind_, input_;
    int tried_ = 0, lost_ = 0, crashes_ = 0;
};

// The window's thread answers a sent message within `within`: it is not busy or stuck.
bool Answers(HWND hwnd, drv::Ms within = drv::Ms{1000});

// A whole RTF document: it opens and its last group closes (the rich edit may add a NUL).
bool IsWholeRtf(std::string bytes);

// What a control shows, as UTF-16. Read as ANSI from another process, Wine 8 gives nothing
// at all for a text with characters outside the code page (a note of random bytes).
std::wstring WideText(HWND hwnd);

// The text that a rich edit of the kind the program uses shows for `rtf`, read in this
// process; nothing when the control does not accept it as RTF.
std::optional<std::wstring> RtfText(const std::string& rtf);

}  // namespace rel
