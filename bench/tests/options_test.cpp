#include "bench/options.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using bench::ParseOptions;

TEST(RunnerOptions, ReadsEveryOption) {
    const bench::Options options = ParseOptions({"--out",           "Z:\\r.tsv",
                                                 "--reps",          "3",
                                                 "--keys",          "50",
                                                 "--idle-seconds",  "2",
                                                 "--load-reps",     "4",
                                                 "--startup-sizes", "0,1024",
                                                 "--typing-sizes",  "1048576",
                                                 "--load-sizes",    "10485760",
                                                 "--only",          "typing,profile",
                                                 "--earlier",       "8f17b02,layout-once"});
    EXPECT_EQ(options.out, "Z:\\r.tsv");
    EXPECT_EQ(options.reps, 3);
    EXPECT_EQ(options.keys, 50);
    EXPECT_EQ(options.idleSeconds, 2);
    EXPECT_EQ(options.loadReps, 4);
    EXPECT_EQ(options.startupSizes, (std::vector<std::size_t>{0, 1024}));
    EXPECT_EQ(options.typingSizes, (std::vector<std::size_t>{1048576}));
    EXPECT_EQ(options.loadSizes, (std::vector<std::size_t>{10485760}));
    EXPECT_EQ(options.only, (std::set<std::string>{"typing", "profile"}));
    EXPECT_EQ(options.earlier, (std::vector<std::string>{"8f17b02", "layout-once"}));
    EXPECT_FALSE(options.smoke);
}

// The smoke round is quick whatever else the command line asks for, and writes no file.
TEST(RunnerOptions, SmokeIsOneStartUpAndTenKeystrokes) {
    const bench::Options options = ParseOptions({"--reps", "9", "--smoke", "--keys", "500"});
    EXPECT_TRUE(options.smoke);
    EXPECT_EQ(options.reps, 1);
    EXPECT_EQ(options.keys, 10);
    EXPECT_EQ(options.startupSizes.size(), 1u);
    EXPECT_EQ(options.typingSizes.size(), 1u);
    EXPECT_EQ(options.only, (std::set<std::string>{"startup", "typing"}));
}

// A typing slip must stop the run at once, not measure something else for minutes.
TEST(RunnerOptions, RefusesWhatItCannotMeasure) {
    const std::vector<std::vector<std::string>> cases = {
        {},                             // no results file
        {"--out"},                      // a value missing
        {"--out", "r", "--reps", "0"},  // nothing measured
        {"--out", "r", "--keys", "-5"},
        {"--out", "r", "--reps", "3x"},
        {"--out", "r", "--keys", ""},
        {"--out", "r", "--startup-sizes", "0,,1024"},  // an empty size
        {"--out", "r", "--typing-sizes", "1KB"},
        {"--out", "r", "--load-sizes", "-1"},
        {"--out", "r", "--only", "typing,speed"},  // no such measurement
        {"--out", "r", "--repz", "3"},
        {"--out", "r", "--earlier", "a,,b"},       // an empty name
        {"--out", "r", "--earlier", "..\\Other"},  // a name that leaves the folder
        {"--out", "r", "--earlier", "a b"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_THROW(ParseOptions(args), std::invalid_argument);
    }
}

TEST(RunnerOptions, DefaultsMeasureEverythingAtTheUsualSizes) {
    const bench::Options options = ParseOptions({"--out", "r"});
    EXPECT_EQ(options.keys, 200);
    EXPECT_EQ(options.startupSizes, (std::vector<std::size_t>{0, 100 * 1024, 1024 * 1024}));
    EXPECT_EQ(options.typingSizes, (std::vector<std::size_t>{1024, 100 * 1024, 1024 * 1024}));
    EXPECT_EQ(options.loadSizes, (std::vector<std::size_t>{1024 * 1024, 10 * 1024 * 1024}));
    EXPECT_EQ(options.only.size(), 4u);
    EXPECT_TRUE(options.earlier.empty());
}

}  // namespace
