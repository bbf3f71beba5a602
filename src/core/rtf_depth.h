// How deeply the groups of an RTF stream nest. Some rich-edit controls crash on RTF nested
// a few dozen groups deep, so such a stream is not handed to them as RTF at all.
#pragma once

#include <string_view>

namespace core {

// Deeper than any document a word processor or a rich-edit control writes.
inline constexpr int kMaxRtfGroupDepth = 32;

class RtfDepthTracker {
public:
    // Follows the next bytes of the stream; "\{" and "\}" are text, not groups. Returns
    // false once the nesting has gone deeper than `limit`.
    bool Feed(std::string_view bytes, int limit = kMaxRtfGroupDepth);
    int MaxDepth() const { return maxDepth_; }

private:
    int depth_ = 0;
    int maxDepth_ = 0;
    bool escaped_ = false;  // the previous byte was a backslash that starts a control
};

}  // namespace core
