#include "core/linebreaks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

namespace {

// Written out by hand: each CR LF, lone CR and lone LF is one break, and each break one CR LF.
TEST(NormalizeLineBreaks, EveryBreakBecomesCrLf) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd"},
        {"\r\r", "\r\n\r\n"},
        {"\n\r", "\r\n\r\n"},
        {"\r\n\r\n", "\r\n\r\n"},
        {"\n\n", "\r\n\r\n"},
        {"\r\n\n", "\r\n\r\n"},
        {"a\r\n\nb", "a\r\n\r\nb"},
        {"\r\n\n\n", "\r\n\r\n\r\n"},
        {"\r\r\n", "\r\n\r\n"},
        {"\n\r\n\r", "\r\n\r\n\r\n"},
        {"x\r", "x\r\n"},
        {"\n", "\r\n"},
        {"", ""},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) EXPECT_EQ(core::NormalizeLineBreaks(c.in), c.out);
}

TEST(LineBreakNormalizer, ChunksGiveWhatTheWholeTextGives) {
    const struct {
        std::vector<std::string> chunks;
        std::string out;
    } cases[] = {
        {{"a\r", "\nb"}, "a\r\nb"},       {{"a\r", "\n", "\nb"}, "a\r\n\r\nb"},
        {{"a\r\n", "\nb"}, "a\r\n\r\nb"}, {{"\r", "\r", "\n"}, "\r\n\r\n"},
        {{"\n", "", "\n"}, "\r\n\r\n"},   {{"a\r", "", "\n"}, "a\r\n"},
    };
    for (const auto& c : cases) {
        core::LineBreakNormalizer n;
        std::string result;
        for (const std::string& chunk : c.chunks) {
            std::string out(2 * chunk.size(), '#');
            result.append(out.data(), n.Feed(chunk, out.data()));
        }
        EXPECT_EQ(result, c.out);
    }
}

// The answer the stream tests hold the normaliser to, found another way than it finds it:
// looking one byte ahead instead of remembering the last one.
std::string Reference(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool IsLead(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// Pulls `raw` through a StreamNormalizer as the editor would, with the given sequence of
// buffer sizes (repeated), and checks that no answer exceeds the size asked for and that no
// read asks for more than half of it (or one byte for a one-byte buffer). `answers` gets
// the answers one by one.
std::string Pull(const std::string& raw, const std::vector<std::size_t>& sizes,
                 core::StreamNormalizer::LeadBytePredicate isLead = nullptr,
                 std::vector<std::string>* answers = nullptr) {
    core::StreamNormalizer n(isLead);
    std::string result;
    std::size_t pos = 0;
    for (std::size_t i = 0;; ++i) {
        const std::size_t capacity = sizes[i % sizes.size()];
        std::vector<char> out(capacity + 1, '#');
        const auto produced = n.Fill(out.data(), capacity, [&](char* buffer, std::size_t wanted) {
            EXPECT_LE(wanted, std::max<std::size_t>(capacity / 2, 1));
            const std::size_t take = std::min(wanted, raw.size() - pos);
            std::copy_n(raw.data() + pos, take, buffer);
            pos += take;
            return std::optional<std::size_t>(take);
        });
        EXPECT_TRUE(produced.has_value());
        EXPECT_LE(*produced, capacity);
        EXPECT_EQ(out[capacity], '#') << "wrote past the buffer";
        result.append(out.data(), *produced);
        if (answers && *produced > 0) answers->emplace_back(out.data(), *produced);
        if (*produced == 0) break;
    }
    EXPECT_EQ(pos, raw.size());
    return result;
}

bool EndsInALoneLeadByte(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) i += IsLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i > text.size();
}

// Whether each answer, decoded on its own from its first byte, ends on a whole character;
// only the last may end in a lone lead byte, and only when the text itself does.
bool EveryAnswerEndsOnACharacter(const std::vector<std::string>& answers, const std::string& text) {
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const bool last = i + 1 == answers.size();
        if (EndsInALoneLeadByte(answers[i]) && !(last && EndsInALoneLeadByte(text))) return false;
    }
    return true;
}

TEST(StreamNormalizer, AnyChunkingGivesTheWholeResult) {
    std::mt19937 random(12345);
    const char alphabet[] = {'\r', '\n', 'a', 'b', '\0', static_cast<char>(0xB1)};
    for (int round = 0; round < 500; ++round) {
        std::string raw(random() % 200, '\0');
        for (char& c : raw) c = alphabet[random() % sizeof alphabet];
        std::vector<std::size_t> sizes(1 + random() % 5);
        for (auto& s : sizes) s = 1 + random() % 9;
        EXPECT_EQ(Pull(raw, sizes), Reference(raw)) << "round " << round;
    }
}

// The editor may decode each answer by itself, so with the code page's lead bytes named no
// answer splits a double-byte character, whatever the chunking, and nothing is lost.
TEST(StreamNormalizer, DoubleByteCharactersAreNeverSplitBetweenAnswers) {
    std::mt19937 random(2024);
    const char alphabet[] = {'\r',
                             '\n',
                             'a',
                             static_cast<char>(0xB1),
                             static_cast<char>(0xE3),
                             static_cast<char>(0x5C),
                             static_cast<char>(0x81)};
    for (int round = 0; round < 1000; ++round) {
        std::string raw(random() % 300, '\0');
        for (char& c : raw) c = alphabet[random() % sizeof alphabet];
        std::vector<std::size_t> sizes(1 + random() % 5);
        for (auto& s : sizes) s = 3 + random() % 12;
        std::vector<std::string> answers;
        EXPECT_EQ(Pull(raw, sizes, &IsLead, &answers), Reference(raw)) << "round " << round;
        EXPECT_TRUE(EveryAnswerEndsOnACharacter(answers, raw)) << "round " << round;
    }
}

TEST(StreamNormalizer, GbkTextInEditorSizedRequestsKeepsEveryCharacterWhole) {
    const struct {
        const char* name;
        std::string text;
        std::size_t request;
    } cases[] = {
        {"split at an odd offset", "a" + std::string(3000, '\xB1'), 4096},
        {"lead byte last in the file", std::string(2047, 'a') + "\xB1", 4096},
        {"break right before the split", std::string(2046, 'a') + "\r\xB1\xA1\n", 4096},
        {"smallest pairing request", "\xB1\xA1\xB1\xA1\r\n\xB1", 3},
    };
    for (const auto& c : cases) {
        std::vector<std::string> answers;
        EXPECT_EQ(Pull(c.text, {c.request}, &IsLead, &answers), Reference(c.text)) << c.name;
        EXPECT_TRUE(EveryAnswerEndsOnACharacter(answers, c.text)) << c.name;
    }
}

TEST(StreamNormalizer, ALoneLfAfterACrChunkDoesNotEndTheStream) {
    // "a\r" fills a 4-byte answer; the next 2-byte request reads only the "\n" of the pair,
    // which produces nothing, and must read on rather than report the end.
    EXPECT_EQ(Pull("a\r\nb", {4, 2}), "a\r\nb");
}

TEST(StreamNormalizer, AReadErrorIsReported) {
    core::StreamNormalizer n;
    char out[8];
    const auto failed =
        n.Fill(out, sizeof out, [](char*, std::size_t) { return std::optional<std::size_t>(); });
    EXPECT_FALSE(failed.has_value());
}

TEST(StreamNormalizer, ReadsHalfOfEachRequest) {
    core::StreamNormalizer n;
    EXPECT_EQ(n.RawRequest(4096), 2048u);
    EXPECT_EQ(n.RawRequest(2), 1u);
    EXPECT_EQ(n.RawRequest(1), 1u);  // still makes progress; the LF of a break is carried
    char out[1];
    EXPECT_EQ(n.Produce("\r", out, 1), 1u);
    EXPECT_EQ(out[0], '\r');
    EXPECT_EQ(n.RawRequest(3), 1u);  // one byte of the next answer is the carried LF
    EXPECT_EQ(n.Produce("", out, 1), 1u);
    EXPECT_EQ(out[0], '\n');
    EXPECT_EQ(n.Produce("", out, 1), 0u);  // the end
}

}  // namespace
