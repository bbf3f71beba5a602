#include "core/note_extent.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace core {
namespace {

constexpr std::size_t kTabWidth = 8;
constexpr std::size_t kWideWidth = 2;  // a character given by its code point

// Groups whose text is never shown as the note's text.
constexpr std::array<std::string_view, 22> kHiddenDestinations = {
    "fonttbl",   "colortbl",  "stylesheet",        "info",    "pict",      "object",
    "header",    "headerl",   "headerr",           "footer",  "footerl",   "footerr",
    "footnote",  "listtable", "listoverridetable", "fldinst", "themedata", "latentstyles",
    "datastore", "generator", "xmlnstbl",          "rsidtbl"};

constexpr std::array<std::string_view, 5> kLineEnds = {"par", "line", "row", "sect", "page"};

constexpr std::array<std::string_view, 7> kOneCharacterWords = {
    "emdash", "endash", "bullet", "lquote", "rquote", "ldblquote", "rdblquote"};

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

void NoteExtentScanner::Feed(std::string_view bytes) {
    for (const char c : bytes) {
        if (rtf_) {
            RtfByte(c);
        } else {
            Text(c);
        }
    }
}

NoteExtent NoteExtentScanner::Extent() const {
    return {lines_ + 1, std::max(widest_, line_)};
}

void NoteExtentScanner::Count(std::size_t width) {
    if (skipFrom_ != 0) return;
    if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
    }
    line_ += width;
}

void NoteExtentScanner::EndLine() {
    if (skipFrom_ != 0) return;
    ++lines_;
    widest_ = std::max(widest_, line_);
    line_ = 0;
}

void NoteExtentScanner::Text(char c) {
    if (c == '\n' && afterCr_) {
        afterCr_ = false;
        return;
    }
    afterCr_ = c == '\r';
    if (c == '\r' || c == '\n') {
        EndLine();
    } else {
        line_ += c == '\t' ? kTabWidth : 1;
    }
}

void NoteExtentScanner::RtfByte(char c) {
    switch (state_) {
    case State::kBackslash:
        if (IsLetter(c)) {
            word_.assign(1, c);
            parameter_.clear();
            state_ = State::kWord;
            return;
        }
        state_ = State::kText;
        if (c == '\'') {
            state_ = State::kHex;
            hexDigits_ = 0;
        } else if (c == '*') {
            if (groupStart_ && skipFrom_ == 0) skipFrom_ = depth_;
        } else if (c == '\r' || c == '\n') {
            EndLine();  // a backslash before a line break is a paragraph mark
        } else if (c == '\\' || c == '{' || c == '}' || c == '~' || c == '_') {
            Count(1);
        }
        groupStart_ = false;
        return;
    case State::kWord:
        if (IsLetter(c) && word_.size() < 32) {
            word_ += c;
            return;
        }
        if (IsDigit(c) || c == '-') {
            state_ = State::kParameter;
            parameter_.assign(1, c);
            return;
        }
        EndWord();
        if (c != ' ') RtfByte(c);  // a space only ends the word
        return;
    case State::kParameter:
        if (IsDigit(c) && parameter_.size() < 11) {
            parameter_ += c;
            return;
        }
        EndWord();
        if (c != ' ') RtfByte(c);
        return;
    case State::kHex:
        if (++hexDigits_ == 2) {
            state_ = State::kText;
            Count(1);
        }
        return;
    case State::kText: break;
    }
    switch (c) {
    case '\\': state_ = State::kBackslash; return;
    case '{':
        ++depth_;
        groupStart_ = true;
        return;
    case '}':
        if (skipFrom_ == depth_) skipFrom_ = 0;
        if (depth_ > 0) --depth_;
        groupStart_ = false;
        return;
    case '\r':
    case '\n': return;  // line breaks in RTF are not text
    default: groupStart_ = false; Count(c == '\t' ? kTabWidth : 1);
    }
}

void NoteExtentScanner::EndWord() {
    state_ = State::kText;
    const bool first = std::exchange(groupStart_, false);
    if (first && skipFrom_ == 0 && IsOneOf(word_, kHiddenDestinations)) {
        skipFrom_ = depth_;
        return;
    }
    if (IsOneOf(word_, kLineEnds)) {
        EndLine();
    } else if (word_ == "tab") {
        Count(kTabWidth);
    } else if (word_ == "u") {
        Count(kWideWidth);
        fallbackLeft_ = fallbacks_;
    } else if (word_ == "uc") {
        fallbacks_ = std::clamp(parameter_.empty() ? 1 : std::atoi(parameter_.c_str()), 0, 8);
    } else if (IsOneOf(word_, kOneCharacterWords)) {
        Count(1);
    }
}

ScrollBars PredictScrollBars(const NoteExtent& extent, Size client, Size cell, Size bar) {
    const auto needs = [](std::size_t count, int size, int room) {
        return static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(std::max(size, 0)) >
               static_cast<std::uint64_t>(std::max(room, 0));
    };
    ScrollBars bars;
    // Twice: the first bar may be what leaves the other too little room.
    for (int pass = 0; pass < 2; ++pass) {
        const int width = client.width - (bars.vertical ? bar.width : 0);
        const int height = client.height - (bars.horizontal ? bar.height : 0);
        bars = {needs(extent.widestLine, cell.width, width),
                needs(extent.lines, cell.height, height)};
    }
    return bars;
}

}  // namespace core
