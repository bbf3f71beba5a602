// The notes, summaries and result lines of the benchmarks.
#include "bench/bench_core.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {

namespace {

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 System;}}\r\n"
    "\\viewkind4\\uc1\\pard\\lang2052\\b\\f0\\fs18 ";
constexpr std::string_view kFooter = "\\par\r\n}\r\n";

// Text of a line; 'Z' never appears (see kTypedChar).
constexpr std::string_view kWords[] = {
    "meeting notes ", "call back at four ", "\\b0 buy milk\\b  ",   "\\i remember\\i0  ",
    "project plan ",  "review the draft ",  "ideas for next week ", "pay the bills ",
};

std::string FormatNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

}  // namespace

std::string MakeNote(std::size_t bytes) {
    if (bytes == 0) return {};
    std::string note(kHeader);
    std::size_t line = 0;
    // Whole lines while they fit before the footer; the rest is filled with spaces, which
    // RTF keeps as text.
    for (;;) {
        std::string next = "\\par\r\nline " + std::to_string(++line) + ": ";
        for (std::size_t i = 0; i < 6; ++i) next += kWords[(line + i) % std::size(kWords)];
        if (note.size() + next.size() + kFooter.size() > bytes) break;
        note += next;
    }
    if (note.size() + kFooter.size() < bytes)
        note.append(bytes - note.size() - kFooter.size(), ' ');
    note += kFooter;
    // A size below the header and footer cannot be an RTF note: plain text of that size.
    if (note.size() > bytes) return std::string(bytes, 'a');
    return note;
}

std::size_t CountChar(std::string_view text, char c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

std::optional<Summary> Summarize(std::vector<double> samples) {
    if (samples.empty()) return std::nullopt;
    std::sort(samples.begin(), samples.end());
    const auto rank = [&](double fraction) {
        const auto index =
            static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(samples.size())));
        return samples[std::clamp<std::size_t>(index, 1, samples.size()) - 1];
    };
    return Summary{samples.size(), rank(0.5), rank(0.95), samples.front(), samples.back()};
}

std::string RecordHeader() {
    return "metric\tprogram\tnote_bytes\tunit\truns\tmedian\tp95\tmin\tmax";
}

std::string FormatRecord(const Record& record) {
    const Summary& s = record.summary;
    return record.metric + '\t' + record.program + '\t' + std::to_string(record.noteBytes) + '\t' +
           record.unit + '\t' + std::to_string(s.count) + '\t' + FormatNumber(s.median) + '\t' +
           FormatNumber(s.p95) + '\t' + FormatNumber(s.min) + '\t' + FormatNumber(s.max);
}

}  // namespace bench
