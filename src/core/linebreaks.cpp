#include "core/linebreaks.h"

#include <algorithm>
#include <cstring>

namespace core {

std::size_t LineBreakNormalizer::Feed(std::string_view in, char* out) {
    std::size_t n = 0;
    for (const char c : in) {
        if (c == '\n' && afterCr_) {
            afterCr_ = false;  // second half of a CR LF already written
            continue;
        }
        afterCr_ = c == '\r';
        if (c == '\r' || c == '\n') {
            out[n++] = '\r';
            out[n++] = '\n';
        } else {
            out[n++] = c;
        }
    }
    return n;
}

std::string NormalizeLineBreaks(std::string_view text) {
    std::string out(text.size() * 2, '\0');
    LineBreakNormalizer normalizer;
    out.resize(normalizer.Feed(text, out.data()));
    return out;
}

std::size_t StreamNormalizer::RawRequest(std::size_t capacity) const {
    if (carry_) return capacity == 0 ? 0 : (capacity - 1) / 2;
    if (capacity == 1) return 1;  // a single byte still makes progress; its LF is carried
    return capacity / 2;
}

std::size_t StreamNormalizer::Produce(std::string_view raw, char* out, std::size_t capacity) {
    std::size_t n = 0;
    if (carry_ && capacity > 0) {
        out[n++] = '\n';
        carry_ = false;
    }
    char buffer[2 * 4096];
    while (!raw.empty()) {
        const std::string_view part = raw.substr(0, sizeof buffer / 2);
        raw.remove_prefix(part.size());
        const std::size_t produced = normalizer_.Feed(part, buffer);
        const std::size_t fits = std::min(produced, capacity - n);
        std::memcpy(out + n, buffer, fits);
        n += fits;
        // Only the LF of a final pair can be left over (a one-byte request for a break).
        if (fits < produced) carry_ = true;
    }
    return n;
}

}  // namespace core
