#include "core/rtf_depth.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RtfDepthTracker, CountsGroupsNotEscapedBraces) {
    const struct {
        std::string rtf;
        int depth;
    } cases[] = {
        {"{\\rtf1 plain}", 1},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}x}", 3},
        {"{\\rtf1 \\{not a group\\} {\\b bold}}", 2},
        {"{\\rtf1 \\\\{group after an escaped backslash}}", 2},
        {"}}}{", 1},  // stray closers do not go below zero
        {"", 0},
    };
    for (const auto& c : cases) {
        core::RtfDepthTracker tracker;
        tracker.Feed(c.rtf);
        EXPECT_EQ(tracker.MaxDepth(), c.depth) << c.rtf;
    }
}

TEST(RtfDepthTracker, FollowsTheStreamAcrossChunksAndStopsPastTheLimit) {
    const std::string deep = std::string(40, '{') + "x" + std::string(40, '}');
    core::RtfDepthTracker whole;
    EXPECT_FALSE(whole.Feed(deep));

    core::RtfDepthTracker chunked;
    bool ok = true;
    for (std::size_t i = 0; i < deep.size(); i += 7) ok = chunked.Feed(deep.substr(i, 7)) && ok;
    EXPECT_FALSE(ok);
    EXPECT_EQ(chunked.MaxDepth(), 40);

    core::RtfDepthTracker split;  // a backslash at the end of one chunk escapes the next byte
    EXPECT_TRUE(split.Feed("{\\"));
    EXPECT_TRUE(split.Feed("{}"));
    EXPECT_EQ(split.MaxDepth(), 1);

    core::RtfDepthTracker atLimit;
    EXPECT_TRUE(atLimit.Feed(std::string(core::kMaxRtfGroupDepth, '{')));
}

}  // namespace
