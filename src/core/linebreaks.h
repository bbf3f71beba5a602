// Line-break normalisation for notes that arrive as plain text: CR LF, a lone CR and a lone
// LF each become CR LF, also when a CR LF pair is split between two chunks.
#pragma once

#include <cstddef>
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
    // Raw bytes to read from the source for an output buffer of `capacity` bytes.
    std::size_t RawRequest(std::size_t capacity) const;
    // Writes the carried byte and the normalised `raw` bytes; never more than `capacity`.
    // Returns 0 only when `raw` is empty and nothing is carried: the end of the stream.
    std::size_t Produce(std::string_view raw, char* out, std::size_t capacity);

private:
    LineBreakNormalizer normalizer_;
    bool carry_ = false;  // an LF still owed to the consumer
};

}  // namespace core
