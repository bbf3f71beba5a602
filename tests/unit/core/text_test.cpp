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

// A code page without double-byte characters (a Western one): every byte stands alone.
TEST(TitleStem, ReadsThePathInTheCodePageItIsGiven) {
    const core::LeadBytePredicate none = [](unsigned char) { return false; };
    const std::string path = "C:\\x\xB0\\Notes.exe";  // "°" before a backslash
    EXPECT_EQ(core::TitleStem(path, none), "Notes");
    EXPECT_EQ(core::TitleStem(path), "x\xB0\\Notes") << "in GBK the backslash is a trail byte";
    EXPECT_EQ(core::SecondCharOffset("\xB1\xED", none), 1u);
}

TEST(SecondCharOffset, StepsOverADoubleByteFirstCharacter) {
    EXPECT_EQ(core::SecondCharOffset("Notes"), 1u);
    EXPECT_EQ(core::SecondCharOffset("\xB1\xED"
                                     "abc"),
              2u);
    EXPECT_EQ(core::SecondCharOffset(""), 0u);
}

// A path as the system holds it: any script, no byte-level traps.
TEST(TitleStem, TakesAWidePathAsItIs) {
    const struct {
        const wchar_t* path;
        const wchar_t* stem;
    } cases[] = {
        {L"C:\\app\\\u5DE5\u5177\\Notes.exe", L"Notes"},
        {L"C:\\\u00F8\\\uD55C\uAE00.Old.exe", L"\uD55C\uAE00"},
        {L"C:\\a.b\\NOTE", L"NOTE"},
        {L"\U0002000B.exe", L"\U0002000B"},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(core::TitleStem(std::wstring_view(c.path)), c.stem);
}

TEST(DirectoryOf, KeepsTheLastDelimiter) {
    const struct {
        const wchar_t* path;
        const wchar_t* directory;
    } cases[] = {
        {L"C:\\Notes\\Notes.exe", L"C:\\Notes\\"},
        {L"C:Notes.exe", L"C:"},
        {L"Notes.exe", L""},
        {L"C:\\\u5DE5\u5177\\\u00F8\\Notes.exe", L"C:\\\u5DE5\u5177\\\u00F8\\"},
        {L"\\\\server\\share\\Notes.exe", L"\\\\server\\share\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(core::DirectoryOf(c.path), c.directory);
}

TEST(WithFullStop, AppendsUnlessTheLastCharacterSortsAtOrBeforeTheDot) {
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"Unable to write to C:\\Notes\\Setup.ini", L"Unable to write to C:\\Notes\\Setup.ini."},
        {L"Failed to Load Stream", L"Failed to Load Stream."},
        {L"Done.", L"Done."},
        {L"Really?", L"Really?."},     // '?' sorts after '.'
        {L"Finished!", L"Finished!"},  // '!' sorts before '.'
        {L"ends in a dash-", L"ends in a dash-"},
        {L"", L""},
        {L"'clYelow' is not a valid integer value", L"'clYelow' is not a valid integer value."},
        // Every character beyond ASCII sorts after the dot, as a GBK lead byte does.
        {L"\u5DE5\u5177", L"\u5DE5\u5177."},
        {L"\u3002", L"\u3002."},
    };
    for (const auto& c : cases) EXPECT_EQ(core::WithFullStop(c.in), c.out);
    // A text that ends in a NUL of its own gets nothing after it.
    const std::wstring nul(L"Failed to create key Run\0", 25);
    EXPECT_EQ(core::WithFullStop(nul), nul);
}

TEST(TrimSystemText, RemovesTrailingBlanksControlsAndDots) {
    EXPECT_EQ(core::TrimSystemText(L"Access denied. \r\n"), L"Access denied");
    EXPECT_EQ(core::TrimSystemText(L"..."), L"");
    EXPECT_EQ(core::TrimSystemText(L"\u62D2\u7EDD\u8BBF\u95EE\u3002\r\n"),
              L"\u62D2\u7EDD\u8BBF\u95EE\u3002");  // ends in a full-width stop: kept
    EXPECT_EQ(core::TrimSystemText(L"No error"), L"No error");
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
