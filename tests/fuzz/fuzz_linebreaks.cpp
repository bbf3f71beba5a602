// The note reader's line-break normaliser: whatever the chunking the editor asks for, the
// bytes it gets hold every byte of the file that is not a line break, in order, and one
// CR LF for each break (a CR LF pair, a lone CR, a lone LF) in its place, counted here
// without the normaliser's own code; no answer exceeds the size asked for, and no read takes
// more than half of it. With GBK lead bytes named, no answer of three bytes or more ends
// between the two bytes of a character.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/gbk.h"
#include "core/linebreaks.h"

namespace {

bool IsLead(unsigned char b) {
    return core::IsGbkLeadByte(b);
}

// Whether `text`, read from its first byte, ends in a lead byte without its trail byte.
bool EndsInALoneLeadByte(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) i += IsLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i > text.size();
}

// The file's bytes with every line break replaced by one '\n', looking one byte ahead.
std::string Breaks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        out += text[i] == '\r' || text[i] == '\n' ? '\n' : text[i];
        if (pair) ++i;
    }
    return out;
}

// What the normaliser gave, each CR LF back to one '\n'; a lone CR or LF is a fault.
std::optional<std::string> Pairs(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') return std::nullopt;
        if (text[i] != '\r') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '\n') {
            out += '\n';
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first bytes choose the request sizes (1..64) and whether characters are kept
    // whole; the rest is the file.
    const std::size_t sizeCount = 1 + data[0] % 8;
    const bool pairs = data[0] & 0x80;
    if (size < 1 + sizeCount) return 0;
    std::vector<std::size_t> sizes;
    for (std::size_t i = 0; i < sizeCount; ++i) sizes.push_back(1 + data[1 + i] % 64);
    const std::string_view file(reinterpret_cast<const char*>(data) + 1 + sizeCount,
                                size - 1 - sizeCount);

    core::StreamNormalizer normalizer(pairs ? &IsLead : nullptr);
    const bool roomy =
        std::all_of(sizes.begin(), sizes.end(), [](std::size_t s) { return s >= 3; });
    bool splitBefore = false;  // the previous answer ended in a lone lead byte
    std::string result;
    std::size_t pos = 0;
    for (std::size_t call = 0;; ++call) {
        const std::size_t capacity = sizes[call % sizes.size()];
        std::vector<char> out(capacity);
        const auto produced =
            normalizer.Fill(out.data(), capacity, [&](char* buffer, std::size_t wanted) {
                if (wanted > std::max<std::size_t>(capacity / 2, 1)) std::abort();
                const std::size_t take = std::min(wanted, file.size() - pos);
                std::copy_n(file.data() + pos, take, buffer);
                pos += take;
                return std::optional<std::size_t>(take);
            });
        if (!produced || *produced > capacity) std::abort();
        if (*produced == 0) break;
        const std::string_view answer(out.data(), *produced);
        // Only the file's own last lead byte may end an answer alone: the last answer.
        if (pairs && roomy && splitBefore) std::abort();
        splitBefore = EndsInALoneLeadByte(answer);
        result.append(answer);
    }
    if (pos != file.size()) std::abort();
    const std::optional<std::string> given = Pairs(result);
    if (!given || *given != Breaks(file)) std::abort();
    if (pairs && roomy && splitBefore && !EndsInALoneLeadByte(file)) std::abort();
    if (result.size() > 2 * file.size()) std::abort();
    return 0;
}
