// How far a note reaches, told from the bytes of its file before the editor reads it: its
// lines and the widest of them. The editor lays the whole note out again whenever its client
// area changes, and a scroll bar that comes or goes changes it; the bars a note is expected
// to need therefore go up before it is streamed in, so that it is laid out once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/geometry.h"

namespace core {

struct NoteExtent {
    std::size_t lines = 0;
    // In single-byte characters: a double-byte character counts two, a tab eight.
    std::size_t widestLine = 0;
    friend bool operator==(const NoteExtent&, const NoteExtent&) = default;
};

// Follows the file piece by piece as it is: RTF (paragraphs and line breaks; text of the
// tables, pictures and other destinations, and control words, take no room) or plain text
// (CR LF, a lone CR and a lone LF each end a line). An estimate: fonts and sizes are not
// followed, every character takes the width of an average one.
class NoteExtentScanner {
public:
    explicit NoteExtentScanner(bool rtf) : rtf_(rtf) {}
    void Feed(std::string_view bytes);
    NoteExtent Extent() const;

private:
    enum class State { kText, kBackslash, kWord, kParameter, kHex };
    void Text(char c);
    void RtfByte(char c);
    void EndWord();
    void Count(std::size_t width);
    void EndLine();

    bool rtf_;
    State state_ = State::kText;
    std::string word_;
    std::string parameter_;
    int hexDigits_ = 0;
    int depth_ = 0;
    int skipFrom_ = 0;         // the depth of a destination whose text is not shown, or 0
    bool groupStart_ = false;  // nothing yet in the group just opened
    int fallbacks_ = 1;        // \ucN: characters after \uN that stand in for it
    int fallbackLeft_ = 0;
    bool afterCr_ = false;
    std::size_t lines_ = 0;
    std::size_t line_ = 0;
    std::size_t widest_ = 0;
};

struct ScrollBars {
    bool horizontal = false;
    bool vertical = false;
    friend bool operator==(const ScrollBars&, const ScrollBars&) = default;
};

// The bars a note of `extent` needs in a control of `client` pixels (without bars), with
// characters `cell` pixels wide on average and high, and bars `bar` pixels thick (the width
// of the vertical one, the height of the horizontal one). A bar that comes narrows the room
// left for the other.
ScrollBars PredictScrollBars(const NoteExtent& extent, Size client, Size cell, Size bar);

}  // namespace core
