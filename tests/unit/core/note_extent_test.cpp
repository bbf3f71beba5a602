#include "core/note_extent.h"

#include <gtest/gtest.h>

#include <string>

namespace {

core::NoteExtent Scan(const std::string& bytes, bool rtf, std::size_t chunk = 0) {
    core::NoteExtentScanner scanner(rtf);
    if (chunk == 0) chunk = bytes.size() + 1;
    for (std::size_t at = 0; at < bytes.size(); at += chunk) scanner.Feed(bytes.substr(at, chunk));
    return scanner.Extent();
}

TEST(NoteExtentScanner, CountsTheLinesAndTheWidestOfThemAsTheEditorShowsThem) {
    const struct {
        const char* name;
        std::string bytes;
        bool rtf;
        core::NoteExtent extent;
    } cases[] = {
        {"empty", "", false, {1, 0}},
        {"text, every kind of break", "ab\r\ncde\rf\n\r\n", false, {5, 3}},
        {"text, a tab and double-byte characters", "\xba\xba\xd7\xd6\tx", false, {1, 13}},
        {"rtf, tables and groups marked hidden take no room",
         "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Some Long Font Name;}}{\\colortbl;\\red0;}"
         "{\\*\\generator Riched20 10.0;}\\pard\\f0\\fs18 abc\\par\r\nde\\par\r\n}",
         true,
         {3, 3}},
        {"rtf, control words and their delimiters are not text",
         "{\\rtf1\\b bold\\b0  x\\i1\\i0-y}",
         true,
         {1, 8}},
        {"rtf, escapes are one character each, a code point two and its stand-in none",
         "{\\rtf1 \\{\\}\\\\\\'ba\\'ba\\u27721?\\tab}",
         true,
         {1, 15}},
        {"rtf, \\line and a backslash before a line break end lines too",
         "{\\rtf1 ab\\line cdef\\\r\ng}",
         true,
         {3, 4}},
        {"rtf, a hidden group inside a hidden group ends with the outer one",
         "{\\rtf1{\\info{\\title t}{\\author a}}visible}",
         true,
         {1, 7}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Scan(c.bytes, c.rtf), c.extent) << c.name;
        // The same in pieces of every size the file may arrive in.
        for (std::size_t chunk : {1u, 2u, 3u, 7u}) {
            EXPECT_EQ(Scan(c.bytes, c.rtf, chunk), c.extent) << c.name << ", pieces of " << chunk;
        }
    }
}

TEST(PredictScrollBars, ABarGoesUpOnlyWhereTheNoteDoesNotFit) {
    constexpr core::Size kClient = {300, 200};
    constexpr core::Size kCell = {10, 20};  // 30 characters across, 10 lines down
    constexpr core::Size kBar = {20, 20};
    const struct {
        const char* name;
        core::NoteExtent extent;
        core::ScrollBars bars;
    } cases[] = {
        {"fits, to the last pixel", {10, 30}, {false, false}},
        {"too high", {11, 28}, {false, true}},
        {"too wide", {9, 31}, {true, false}},
        {"both", {500, 120}, {true, true}},
        // Each bar takes room from the other: 28 characters fit beside the vertical bar, 9
        // lines above the horizontal one.
        {"too high, and then too wide beside the vertical bar", {11, 29}, {true, true}},
        {"too wide, and then too high above the horizontal bar", {10, 31}, {true, true}},
        {"nothing", {0, 0}, {false, false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::PredictScrollBars(c.extent, kClient, kCell, kBar), c.bars) << c.name;
    }
}

}  // namespace
