#include "bench/bench_core.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using bench::MakeNote;
using bench::Summarize;

// Where the group opened by the first byte closes; npos when it never does. Escaped braces
// do not count.
std::size_t OuterGroupEnd(const std::string& rtf) {
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}' && --depth == 0) {
            return i;
        }
    }
    return std::string::npos;
}

TEST(MakeNote, HasExactlyTheSizeAskedForAndNeverTheTypedCharacter) {
    for (const std::size_t bytes : {0u, 1u, 40u, 200u, 1024u, 100u * 1024u, 1024u * 1024u}) {
        SCOPED_TRACE(bytes);
        const std::string note = MakeNote(bytes);
        EXPECT_EQ(note.size(), bytes);
        EXPECT_EQ(bench::CountChar(note, bench::kTypedChar), 0u);
    }
}

// A note the editor does not take as RTF would be read as text: the benchmark would then
// measure another load than the one users have.
TEST(MakeNote, IsOneWellFormedRtfGroupWhereItFits) {
    for (const std::size_t bytes : {200u, 1000u, 4096u, 100u * 1024u, 1024u * 1024u + 7u}) {
        SCOPED_TRACE(bytes);
        const std::string note = MakeNote(bytes);
        EXPECT_EQ(note.rfind("{\\rtf1", 0), 0u);
        EXPECT_EQ(OuterGroupEnd(note), note.size() - 3) << "one group, closed at the end";
        EXPECT_EQ(note.substr(note.size() - 3), "}\r\n");
    }
}

TEST(MakeNote, GrowsByLinesOfText) {
    const std::string note = MakeNote(100 * 1024);
    std::size_t paragraphs = 0;
    for (std::size_t at = note.find("\\par\r\n"); at != std::string::npos;
         at = note.find("\\par\r\n", at + 1)) {
        ++paragraphs;
    }
    EXPECT_GT(paragraphs, 500u) << "a long note, not one huge paragraph";
    const std::size_t filler = note.find("   ");
    EXPECT_GT(filler, note.size() - 200) << "filler spaces only at the end";
}

struct SummaryCase {
    std::vector<double> samples;
    double median, p95, min, max;
};

TEST(Summarize, TakesNearestRankPercentilesOfUnsortedSamples) {
    std::vector<double> hundred(100);
    std::iota(hundred.rbegin(), hundred.rend(), 1.0);  // 100 down to 1
    std::vector<double> twenty(20);
    std::iota(twenty.begin(), twenty.end(), 1.0);
    const SummaryCase cases[] = {
        {{5}, 5, 5, 5, 5},          {{2, 1}, 1, 2, 1, 2},      {{3, 1, 2}, 2, 3, 1, 3},
        {{9, 1, 1, 1}, 1, 9, 1, 9},  // one slow run shows in p95, not in the median
        {twenty, 10, 19, 1, 20},    {hundred, 50, 95, 1, 100},
    };
    for (const SummaryCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.samples));
        const auto summary = Summarize(c.samples);
        ASSERT_TRUE(summary);
        EXPECT_EQ(summary->count, c.samples.size());
        EXPECT_EQ(summary->median, c.median);
        EXPECT_EQ(summary->p95, c.p95);
        EXPECT_EQ(summary->min, c.min);
        EXPECT_EQ(summary->max, c.max);
    }
    EXPECT_FALSE(Summarize({}));
}

TEST(FormatRecord, GivesOneFieldPerHeaderColumn) {
    const bench::Record record{"typing", "notes", 102400, "ms", {200, 1.5, 12.25, 0.0004, 40}};
    const std::string line = bench::FormatRecord(record);
    EXPECT_EQ(line, "typing\tnotes\t102400\tms\t200\t1.500\t12.250\t0.000\t40.000");
    EXPECT_EQ(bench::CountChar(line, '\t'), bench::CountChar(bench::RecordHeader(), '\t'));
}

}  // namespace
