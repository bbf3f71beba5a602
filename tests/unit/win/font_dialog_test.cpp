// The font dialog's font: how it opens the dialog and what it takes from the dialog's
// result, which depends on what the user picked.
#include "ui/font_dialog.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "editor/char_format.h"

namespace {

LOGFONTW Chosen(const wchar_t* face, LONG height, LONG weight = FW_NORMAL, BYTE charset = 0) {
    LOGFONTW font = {};
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = charset;
    return font;
}

ui::DialogFont Opened() {
    ui::DialogFont font;
    font.name = L"DejaVu Sans";
    font.height = -13;
    font.color = core::clWindowText;
    font.charset = DEFAULT_CHARSET;
    return font;
}

TEST(DialogFont, OpensTheDialogWithItsOwnFont) {
    ui::DialogFont font = Opened();
    font.style = {.bold = true, .strikeOut = true};
    font.charset = GB2312_CHARSET;
    const LOGFONTW log = font.ToLogFont();
    EXPECT_STREQ(log.lfFaceName, L"DejaVu Sans");
    EXPECT_EQ(log.lfHeight, -13);
    EXPECT_EQ(log.lfWeight, FW_BOLD);
    EXPECT_FALSE(log.lfItalic);
    EXPECT_FALSE(log.lfUnderline);
    EXPECT_TRUE(log.lfStrikeOut);
    EXPECT_EQ(log.lfCharSet, GB2312_CHARSET);

    font.name = std::wstring(40, L'x');
    EXPECT_EQ(std::wstring(font.ToLogFont().lfFaceName), std::wstring(31, L'x'));
    // A Chinese face reaches the dialog whole on any system.
    font.name = L"\u5B8B\u4F53";
    EXPECT_STREQ(font.ToLogFont().lfFaceName, L"\u5B8B\u4F53");
}

TEST(DialogFont, SizesGoThroughTheScreensDensity) {
    const struct {
        int dpi, points, height;
    } cases[] = {{96, 10, -13}, {120, 10, -17}, {144, 10, -20}, {96, 72, -96}};
    for (const auto& c : cases) {
        ui::DialogFont font;
        font.pixelsPerInch = c.dpi;
        font.SetSize(c.points);
        EXPECT_EQ(font.height, c.height) << c.points << "pt @" << c.dpi;
        EXPECT_EQ(font.Size(), c.points);
    }
}

// The dialog's lfHeight of -14 at 96 dpi is 10.5 points: the selection gets 11.
TEST(DialogFont, AHalfPointHeightFromTheDialogIsWrittenRoundedAwayFromZero) {
    ui::DialogFont font = Opened();
    font.Accept(Chosen(L"DejaVu Sans", -14), 0, {});
    EXPECT_EQ(font.Size(), 11);
    EXPECT_EQ(notes::SizeFormat(font.Size()).yHeight, 220);
}

TEST(DialogFont, TakesFaceHeightAndStyleAlways) {
    const struct {
        LONG weight;
        BYTE italic, underline, strikeOut;
        ui::FontStyle style;
    } cases[] = {
        {FW_NORMAL, 0, 0, 0, {}},
        {401, 0, 0, 0, {.bold = true}},
        {FW_BOLD, 1, 1, 1, {true, true, true, true}},
        {FW_THIN, 1, 0, 1, {.italic = true, .strikeOut = true}},
    };
    for (const auto& c : cases) {
        ui::DialogFont font = Opened();
        font.style = {true, true, true, true};
        LOGFONTW chosen = Chosen(L"Serif", -20, c.weight);
        chosen.lfItalic = c.italic;
        chosen.lfUnderline = c.underline;
        chosen.lfStrikeOut = c.strikeOut;
        font.Accept(chosen, 0, {});
        EXPECT_EQ(font.name, L"Serif");
        EXPECT_EQ(font.height, -20);
        EXPECT_EQ(font.style, c.style) << "weight " << c.weight;
    }
}

TEST(DialogFont, TakesTheScriptOnlyWhenPickedOrWithAnotherFace) {
    const struct {
        const wchar_t* face;
        bool scriptPicked;
        BYTE charset;  // afterwards; the dialog says GREEK_CHARSET
    } cases[] = {
        {L"DejaVu Sans", false, DEFAULT_CHARSET},  // only what the dialog defaulted to
        {L"dejavu SANS", false, DEFAULT_CHARSET},  // the same face in other case
        {L"DejaVu Sans", true, GREEK_CHARSET},
        {L"DejaVu Serif", false, GREEK_CHARSET},
    };
    for (const auto& c : cases) {
        ui::DialogFont font = Opened();
        font.Accept(Chosen(c.face, -13, FW_NORMAL, GREEK_CHARSET), 0, {.script = c.scriptPicked});
        EXPECT_EQ(font.charset, c.charset) << c.scriptPicked;
    }
}

TEST(DialogFont, TakesTheColourOnlyWhenPicked) {
    const struct {
        core::TColor before;
        COLORREF dialog;
        bool picked;
        core::TColor after;
    } cases[] = {
        {core::clWindowText, RGB(0, 0, 0), false, core::clWindowText},  // stays automatic
        {core::clWindowText, RGB(0, 0, 0), true, 0},                    // black, picked
        {0x008000, RGB(0, 0, 0), false, 0x008000},
        {core::clWindowText, RGB(255, 0, 0), true, 0x0000FF},
    };
    for (const auto& c : cases) {
        ui::DialogFont font = Opened();
        font.color = c.before;
        font.Accept(Chosen(L"DejaVu Sans", -13), c.dialog, {.color = c.picked});
        EXPECT_EQ(font.color, c.after);
    }
}

TEST(DialogFont, AFaceNameOfTheFullLengthNeedsNoTerminator) {
    LOGFONTW chosen = Chosen(L"", -13);
    std::wmemset(chosen.lfFaceName, L'Z', LF_FACESIZE);
    ui::DialogFont font = Opened();
    font.Accept(chosen, 0, {});
    EXPECT_EQ(font.name, std::wstring(LF_FACESIZE, L'Z'));
    EXPECT_EQ(notes::FaceOf(notes::FaceFormat(font.name)), std::wstring(31, L'Z'));
}

}  // namespace
