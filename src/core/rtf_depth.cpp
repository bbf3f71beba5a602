#include "core/rtf_depth.h"

#include <algorithm>

namespace core {

bool RtfDepthTracker::Feed(std::string_view bytes, int limit) {
    for (const char c : bytes) {
        if (escaped_) {
            escaped_ = false;  // "\{", "\}" and "\\" are literal characters
            continue;
        }
        if (c == '\\') {
            escaped_ = true;
        } else if (c == '{') {
            maxDepth_ = std::max(maxDepth_, ++depth_);
        } else if (c == '}' && depth_ > 0) {
            --depth_;
        }
    }
    return maxDepth_ <= limit;
}

}  // namespace core
