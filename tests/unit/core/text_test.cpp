#include "core/text.h"

#include <gtest/gtest.h>

#include "core/gbk.h"

namespace {

// "乗" is 0x81 0x5C in GBK: its trail byte is a backslash.
constexpr char kTrailBackslash[] = "\x81\x5C";

TEST(TitleStem, DropsDirectoryAndEverythingFromTheFirstDot) {
    const struct {
        const char* path;
        const char* stem;
    } cases[] = {
        {"C:\\Notes\\Notes.exe", "Notes"}, {"C:\\Notes\\MyNote.Old.EXE", "MyNote"},
        {"C:\\Notes\\NOTE", "NOTE"},       {"Notes.exe", "Notes"},
        {"C:\\a.b\\Notes.exe", "Notes"},  // a dot in the directory does not count
        {"C:\\Notes\\.exe", ""},           {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(core::TitleStem(c.path), c.stem) << c.path;
}

TEST(TitleStem, NeverTakesATrailByteForABackslash) {
    const std::string name = std::string(kTrailBackslash) + "\xB1\xED";  // 乗表
    EXPECT_EQ(core::TitleStem("C:\\Notes\\" + name + ".exe"), name);
    EXPECT_EQ(core::TitleStem("C:\\" + name + "\\Notes.exe"), "Notes");
}

TEST(SecondCharOffset, StepsOverADoubleByteFirstCharacter) {
    EXPECT_EQ(core::SecondCharOffset("Notes"), 1u);
    EXPECT_EQ(core::SecondCharOffset("\xB1\xED"
                                     "abc"),
              2u);
    EXPECT_EQ(core::SecondCharOffset(""), 0u);
}

TEST(DirectoryOf, KeepsTheLastDelimiter) {
    EXPECT_EQ(core::DirectoryOf("C:\\Notes\\Notes.exe"), "C:\\Notes\\");
    EXPECT_EQ(core::DirectoryOf("C:Notes.exe"), "C:");
    EXPECT_EQ(core::DirectoryOf("Notes.exe"), "");
    const std::string gbkDir = std::string("C:\\") + kTrailBackslash + "\\";
    EXPECT_EQ(core::DirectoryOf(gbkDir + "Notes.exe"), gbkDir);
    EXPECT_EQ(core::DirectoryOf(std::string("C:\\x") + kTrailBackslash), "C:\\");
}

TEST(WithFullStop, AppendsUnlessTheLastCharacterSortsAtOrBeforeTheDot) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"Unable to write to C:\\Notes\\Setup.ini", "Unable to write to C:\\Notes\\Setup.ini."},
        {"Failed to Load Stream", "Failed to Load Stream."},
        {"Done.", "Done."},
        {"Really?", "Really?."},     // '?' sorts after '.'
        {"Finished!", "Finished!"},  // '!' sorts before '.'
        {"ends in a dash-", "ends in a dash-"},
        {"", ""},
        {"'clYelow' is not a valid integer value", "'clYelow' is not a valid integer value."},
        // A double-byte last character counts by its first byte, never by its trail byte.
        {"x\x81\x2E", "x\x81\x2E."},
    };
    for (const auto& c : cases) EXPECT_EQ(core::WithFullStop(c.in), c.out) << c.in;
}

TEST(TrimSystemText, RemovesTrailingBlanksControlsAndDots) {
    EXPECT_EQ(core::TrimSystemText("Access denied. \r\n"), "Access denied");
    EXPECT_EQ(core::TrimSystemText("..."), "");
    EXPECT_EQ(core::TrimSystemText("\xBE\xDC\xBE\xF8\xB7\xC3\xCE\xCA\xA1\xA3\r\n"),
              "\xBE\xDC\xBE\xF8\xB7\xC3\xCE\xCA\xA1\xA3");  // ends in a full-width stop: kept
    EXPECT_EQ(core::TrimSystemText("No error"), "No error");
}

TEST(Format, FillsPlaceholders) {
    EXPECT_EQ(core::Format("Cannot open file \"%s\". %s", "C:\\Memo.rtf", "Denied"),
              "Cannot open file \"C:\\Memo.rtf\". Denied");
    EXPECT_EQ(core::Format("%s", ""), "");
}

TEST(Gbk, SearchesSkipTrailBytes) {
    const std::string text = std::string("a") + kTrailBackslash + "\\b";
    EXPECT_EQ(core::GbkFind(text, '\\'), 3u);
    EXPECT_EQ(core::GbkFindLast(text, '\\'), 3u);
    EXPECT_EQ(core::GbkLastCharStart(text), 4u);
    EXPECT_EQ(core::GbkLastCharStart(kTrailBackslash), 0u);
    EXPECT_EQ(core::GbkFind("\x81", '\x81'), 0u);  // a lone lead byte at the end is one char
    EXPECT_EQ(core::GbkLastCharStart(""), std::string::npos);
}

// A lead byte with nothing after it is a character of one byte, wherever it stands; 0x80
// and 0xFF lead nothing.
TEST(Gbk, CharacterLengthsWrittenOut) {
    const struct {
        std::string text;
        std::size_t pos;
        std::size_t length;
    } cases[] = {
        {"a", 0, 1},        {"\xB1\xED", 0, 2}, {"\xB1\xED", 1, 1},     {"\x81\x40", 0, 2},
        {"\xB1", 0, 1},     {"ab\xB1", 2, 1},   {"\xB1\xED\xB1", 2, 1}, {"\xFE\xFE", 0, 2},
        {"\x80\x40", 0, 1}, {"\xFF\x40", 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::GbkCharLength(c.text, c.pos), c.length) << c.pos << " in " << c.text;
    }
    EXPECT_EQ(core::SecondCharOffset("\xB1"), 1u);
    EXPECT_EQ(core::GbkLastCharStart("ab\xB1"), 2u);
}

}  // namespace
