// The records the Font command reads from and writes to the selection: what a read yields
// and that every write sets its own attribute and nothing else.
#include "editor/char_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace {

CHARFORMATW Read(DWORD effects, COLORREF color = 0, LONG yHeight = 0) {
    CHARFORMATW format = {};
    format.cbSize = sizeof format;
    format.dwMask = 0;  // what is uniform over the selection is not looked at
    format.dwEffects = effects;
    format.crTextColor = color;
    format.yHeight = yHeight;
    return format;
}

// The record a write must be: cbSize, its mask and the named fields; zero elsewhere.
CHARFORMATW Expected(DWORD mask) {
    CHARFORMATW format = {};
    format.cbSize = sizeof format;
    format.dwMask = mask;
    return format;
}

void ExpectSameRecord(const CHARFORMATW& actual, const CHARFORMATW& expected) {
    EXPECT_EQ(actual.cbSize, expected.cbSize);
    EXPECT_EQ(actual.dwMask, expected.dwMask);
    EXPECT_EQ(actual.dwEffects, expected.dwEffects);
    EXPECT_EQ(actual.yHeight, expected.yHeight);
    EXPECT_EQ(actual.crTextColor, expected.crTextColor);
    EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0) << "no other field set";
}

TEST(CharFormatRead, ColourStyleSizeAndFaceOfTheFirstCharacter) {
    EXPECT_EQ(notes::ColorOf(Read(CFE_AUTOCOLOR, RGB(255, 0, 0))), core::clWindowText);
    EXPECT_EQ(notes::ColorOf(Read(0, RGB(255, 0, 0))), 0x0000FF);
    EXPECT_EQ(notes::ColorOf(Read(0, 0)), 0) << "explicit black is not the automatic colour";

    EXPECT_EQ(notes::StyleOf(Read(CFE_BOLD | CFE_STRIKEOUT | CFE_AUTOCOLOR)),
              (ui::FontStyle{.bold = true, .strikeOut = true}));
    EXPECT_EQ(notes::StyleOf(Read(CFE_ITALIC | CFE_UNDERLINE | CFE_PROTECTED)),
              (ui::FontStyle{.italic = true, .underline = true}));

    const struct {
        LONG twips;
        int points;
    } sizes[] = {{210, 10}, {219, 10}, {220, 11}, {200, 10}, {19, 0}};
    for (const auto& s : sizes) {
        EXPECT_EQ(notes::PointsOf(Read(0, 0, s.twips)), s.points) << s.twips;
    }

    CHARFORMATW full = Read(0);
    std::wmemset(full.szFaceName, L'F', LF_FACESIZE);  // no NUL at all
    EXPECT_EQ(notes::FaceOf(full), std::wstring(LF_FACESIZE, L'F'));
    std::wcscpy(full.szFaceName, L"\u5B8B\u4F53");  // 宋体, whatever the system's code page
    EXPECT_EQ(notes::FaceOf(full), L"\u5B8B\u4F53");
}

TEST(CharFormatWrite, ColourIsAutomaticOnlyForTheWindowTextColour) {
    CHARFORMATW automatic = Expected(CFM_COLOR);
    automatic.dwEffects = CFE_AUTOCOLOR;
    ExpectSameRecord(notes::ColorFormat(core::clWindowText), automatic);

    CHARFORMATW red = Expected(CFM_COLOR);
    red.crTextColor = RGB(255, 0, 0);
    ExpectSameRecord(notes::ColorFormat(0x0000FF), red);
    ExpectSameRecord(notes::ColorFormat(0), Expected(CFM_COLOR));  // black, explicit

    // Another system colour is written as what it is now.
    CHARFORMATW face = Expected(CFM_COLOR);
    face.crTextColor = GetSysColor(COLOR_BTNFACE);
    ExpectSameRecord(notes::ColorFormat(core::clBtnFace), face);
}

TEST(CharFormatWrite, StyleSetsTheFourStyleBitsAndNothingElse) {
    const DWORD mask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    ExpectSameRecord(notes::StyleFormat({}), Expected(mask));
    CHARFORMATW all = Expected(mask);
    all.dwEffects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT;
    ExpectSameRecord(notes::StyleFormat({true, true, true, true}), all);
    CHARFORMATW italic = Expected(mask);
    italic.dwEffects = CFE_ITALIC;
    ExpectSameRecord(notes::StyleFormat({.italic = true}), italic);
}

TEST(CharFormatWrite, SizeIsInTwentiethsOfAPoint) {
    for (const int points : {1, 10, 11, 72}) {
        CHARFORMATW size = Expected(CFM_SIZE);
        size.yHeight = points * 20;
        ExpectSameRecord(notes::SizeFormat(points), size);
    }
}

TEST(CharFormatWrite, FaceNameIsCutTo31CharactersAtAWholeCharacter) {
    const std::wstring ascii40 = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
    const std::wstring chinese32(32, L'\u5B8B');
    const std::wstring astral = L"\U0002000B";  // one character in two UTF-16 units
    const struct {
        std::wstring given, written;
    } cases[] = {
        {L"Arial", L"Arial"},
        {ascii40, ascii40.substr(0, 31)},
        {ascii40.substr(0, 31), ascii40.substr(0, 31)},
        {chinese32, chinese32.substr(0, 31)},  // every Chinese character is one unit now
        {ascii40.substr(0, 30) + astral, ascii40.substr(0, 30)},  // never half a pair
        {ascii40.substr(0, 29) + astral, ascii40.substr(0, 29) + astral},
        {L"", L""},
    };
    for (const auto& c : cases) {
        CHARFORMATW face = Expected(CFM_FACE);
        std::wmemcpy(face.szFaceName, c.written.data(), c.written.size());
        ExpectSameRecord(notes::FaceFormat(c.given), face);
        EXPECT_EQ(notes::FaceOf(notes::FaceFormat(c.given)), c.written);
    }
}

}  // namespace
