// The portable part of the benchmarks: the notes they load and type into, the summaries of
// their samples and the lines of the results file that the report is made from.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// The character the benchmarks type. Generated notes never hold it, and RTF writes its
// control words in lower case, so the count of it in a saved note is the count of
// keystrokes that reached the file.
inline constexpr char kTypedChar = 'Z';

// An RTF note of `bytes` bytes (0 gives an empty file): a header with a font table and
// paragraphs of text with some bold and italic runs, lines ending in CR LF, as a note that
// has grown over time looks. Exactly `bytes` long, so sizes in the report are exact.
std::string MakeNote(std::size_t bytes);

std::size_t CountChar(std::string_view text, char c);

struct Summary {
    std::size_t count = 0;
    double median = 0;
    double p95 = 0;
    double min = 0;
    double max = 0;
};

// Median and 95th percentile by nearest rank (a value that was measured, never one between
// two runs); nothing for no samples.
std::optional<Summary> Summarize(std::vector<double> samples);

// One line of the results file: what was measured, of which program, at which note size.
struct Record {
    std::string metric;   // "startup", "typing", "idle-shown", ...
    std::string program;  // "notes", "baseline", "bare", "safe"
    std::size_t noteBytes = 0;
    std::string unit;  // "ms", "KB"
    Summary summary;
};

// Tab-separated, one record a line, a header line naming the columns first; numbers with
// a point whatever the locale, as the report script reads them.
std::string RecordHeader();
std::string FormatRecord(const Record& record);

}  // namespace bench
