// Line-break normalisation for notes that arrive as plain text: CR LF, a lone CR and a lone
// LF each become CR LF, also when a CR LF pair is split between two chunks.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

class LineBreakNormalizer {
public:
    // Normalises the next chunk. `out` must have room for 2 * in.size() bytes.
    std::size_t Feed(std::string_view in, char* out);

private:
    bool afterCr_ = false;  // the previous chunk ended in CR: a leading LF belongs to it
};

// The whole text at once; the reference the chunked forms must agree with.
std::string NormalizeLineBreaks(std::string_view text);

// Feeds a stream reader whose consumer asks for up to `capacity` bytes at a time. It reads
// at most half of that from the source, so the doubled worst case still fits, and carries
// the one byte that may not fit (the LF of a pair) into the next request.
class StreamNormalizer {
public:
    using LeadBytePredicate = bool (*)(unsigned char);

    // With `isLeadByte`, an answer of three bytes or more never ends between the two bytes
    // of a double-byte character: a consumer that decodes each answer on its own would
    // otherwise garble the character and every one after it up to the next ASCII byte.
    explicit StreamNormalizer(LeadBytePredicate isLeadByte = nullptr) : isLeadByte_(isLeadByte) {}

    // Fills `out` with up to `capacity` normalised bytes pulled from `read`, a callable
    // (char* buffer, std::size_t wanted) -> std::optional<std::size_t> that returns the
    // bytes read, 0 at the end, or nothing on a read error. Returns the bytes written,
    // which are 0 only at the end of the source, or nothing after a read error.
    template <class Read>
    std::optional<std::size_t> Fill(char* out, std::size_t capacity, Read&& read) {
        for (;;) {
            const std::size_t wanted = RawRequest(capacity);
            std::size_t got = 0;
            if (wanted > 0) {
                raw_.resize(wanted);
                const std::optional<std::size_t> result = read(raw_.data(), wanted);
                if (!result) return std::nullopt;
                got = *result;
            }
            const std::size_t produced = Produce(std::string_view(raw_.data(), got), out, capacity);
            // A chunk that was only the LF of a pair produces nothing: read on, since an
            // empty answer would end the stream early.
            if (produced > 0 || got == 0) return produced;
        }
    }

    // The two halves of Fill, for callers that read by themselves.
    std::size_t RawRequest(std::size_t capacity) const;
    std::size_t Produce(std::string_view raw, char* out, std::size_t capacity);

private:
    // Holds back a lead byte that ends `raw` without its trail byte.
    void HoldBackSplitCharacter(std::string_view& raw);

    LineBreakNormalizer normalizer_;
    LeadBytePredicate isLeadByte_;
    bool carry_ = false;        // an LF still owed to the consumer
    std::optional<char> held_;  // a lead byte whose trail byte is still unread
    bool trailDue_ = false;     // the next raw byte is the trail of a lead byte already given
    std::string raw_;
};

}  // namespace core
