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
    // Room first for what is owed: the carried LF and the held lead byte.
    const std::size_t owed = (carry_ ? 1 : 0) + (held_ ? 1 : 0);
    if (owed == 0 && capacity == 1) return 1;  // still makes progress; its LF is carried
    return capacity > owed ? (capacity - owed) / 2 : 0;
}

void StreamNormalizer::HoldBackSplitCharacter(std::string_view& raw) {
    std::size_t i = trailDue_ && !raw.empty() ? 1 : 0;
    if (!raw.empty()) trailDue_ = false;
    while (i < raw.size()) {
        if (!isLeadByte_(static_cast<unsigned char>(raw[i]))) {
            ++i;
        } else if (i + 1 < raw.size()) {
            i += 2;
        } else {
            held_ = raw.back();
            raw.remove_suffix(1);
            return;
        }
    }
}

std::size_t StreamNormalizer::Produce(std::string_view raw, char* out, std::size_t capacity) {
    std::size_t n = 0;
    if (carry_ && capacity > 0) {
        out[n++] = '\n';
        carry_ = false;
    }
    // A held lead byte goes out first, together with its trail byte, which opens `raw` (or
    // alone at the end of the source). No LF is ever owed with it: a byte is held back only
    // from a read of two bytes or more, which always leaves room for all it produces.
    if (held_ && n < capacity) {
        n += normalizer_.Feed(std::string_view(&*held_, 1), out + n);  // never a CR or an LF
        held_.reset();
        trailDue_ = true;
    }
    if (isLeadByte_) HoldBackSplitCharacter(raw);
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
