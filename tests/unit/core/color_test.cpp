#include "core/color.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every row as it must be, written out: identifier, value and place in the order.
TEST(ColorIdentTable, HoldsTheFiftyTwoRowsInOrder) {
    const struct {
        const char* name;
        uint32_t value;
    } rows[] = {
        {"clBlack", 0x00000000},
        {"clMaroon", 0x00000080},
        {"clGreen", 0x00008000},
        {"clOlive", 0x00008080},
        {"clNavy", 0x00800000},
        {"clPurple", 0x00800080},
        {"clTeal", 0x00808000},
        {"clGray", 0x00808080},
        {"clSilver", 0x00C0C0C0},
        {"clRed", 0x000000FF},
        {"clLime", 0x0000FF00},
        {"clYellow", 0x0000FFFF},
        {"clBlue", 0x00FF0000},
        {"clFuchsia", 0x00FF00FF},
        {"clAqua", 0x00FFFF00},
        {"clWhite", 0x00FFFFFF},
        {"clMoneyGreen", 0x00C0DCC0},
        {"clSkyBlue", 0x00F0CAA6},
        {"clCream", 0x00F0FBFF},
        {"clMedGray", 0x00A4A0A0},
        {"clActiveBorder", 0xFF00000A},
        {"clActiveCaption", 0xFF000002},
        {"clAppWorkSpace", 0xFF00000C},
        {"clBackground", 0xFF000001},
        {"clBtnFace", 0xFF00000F},
        {"clBtnHighlight", 0xFF000014},
        {"clBtnShadow", 0xFF000010},
        {"clBtnText", 0xFF000012},
        {"clCaptionText", 0xFF000009},
        {"clDefault", 0x20000000},
        {"clGradientActiveCaption", 0xFF00001B},
        {"clGradientInactiveCaption", 0xFF00001C},
        {"clGrayText", 0xFF000011},
        {"clHighlight", 0xFF00000D},
        {"clHighlightText", 0xFF00000E},
        {"clHotLight", 0xFF00001A},
        {"clInactiveBorder", 0xFF00000B},
        {"clInactiveCaption", 0xFF000003},
        {"clInactiveCaptionText", 0xFF000013},
        {"clInfoBk", 0xFF000018},
        {"clInfoText", 0xFF000017},
        {"clMenu", 0xFF000004},
        {"clMenuBar", 0xFF00001E},
        {"clMenuHighlight", 0xFF00001D},
        {"clMenuText", 0xFF000007},
        {"clNone", 0x1FFFFFFF},
        {"clScrollBar", 0xFF000000},
        {"cl3DDkShadow", 0xFF000015},
        {"cl3DLight", 0xFF000016},
        {"clWindow", 0xFF000005},
        {"clWindowFrame", 0xFF000006},
        {"clWindowText", 0xFF000008},
    };
    ASSERT_EQ(core::ColorIdentTable.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_STREQ(core::ColorIdentTable[i].name, rows[i].name) << "row " << i + 1;
        EXPECT_EQ(static_cast<uint32_t>(core::ColorIdentTable[i].value), rows[i].value)
            << rows[i].name;
    }
}

TEST(ColorIdentTable, TheChooserOffersAllButTheTwoSpecialValues) {
    int chooserRows = 0;
    for (const auto& entry : core::ColorIdentTable) {
        if (core::IsChooserColor(entry.value)) ++chooserRows;
    }
    EXPECT_EQ(chooserRows, 50);
    EXPECT_FALSE(core::IsChooserColor(0x1FFFFFFF));
    EXPECT_FALSE(core::IsChooserColor(0x20000000));
    // Index 25 of the system colours has no row.
    EXPECT_FALSE(core::ColorToName(core::SystemColor(25)).has_value());
}

TEST(TextToColor, ReadsIdentifiersAndNumbers) {
    const struct {
        const char* text;
        uint32_t value;
    } cases[] = {
        {"clYellow", 0x0000FFFF},     {"CLYELLOW", 0x0000FFFF},  {"clyellow", 0x0000FFFF},
        {"65535", 0x0000FFFF},        {"$0000FFFF", 0x0000FFFF}, {"$FFFF", 0x0000FFFF},
        {"0x0000ffff", 0x0000FFFF},   {"15793151", 0x00F0FBFF},  {"-16777201", 0xFF00000F},
        {"$FF000019", 0xFF000019},    {"clNone", 0x1FFFFFFF},    {"cldefault", 0x20000000},
        {"cl3ddkshadow", 0xFF000015}, {"$00123456", 0x00123456}, {"clSkyBlue", 0x00F0CAA6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<uint32_t>(core::TextToColor(c.text)), c.value) << c.text;
    }
}

TEST(TextToColor, RejectsWithTheTextQuoted) {
    const char* const cases[] = {"Yellow", "cl Yellow", "clYellow ", "", "clYelow", " clYellow"};
    for (const char* text : cases) {
        try {
            core::TextToColor(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const core::EConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + text + "' is not a valid integer value");
        }
    }
}

// The settings file is read as UTF-16: an ASCII text reads as before, anything else is no
// colour, and the message quotes it whole.
TEST(TextToColor, TakesTheSettingsFilesWideText) {
    EXPECT_EQ(core::TextToColor(std::wstring_view(L"clSkyBlue")), core::clSkyBlue);
    EXPECT_EQ(core::TextToColor(std::wstring_view(L"$00F0CAA6")), core::clSkyBlue);
    const wchar_t* const rejected[] = {L"\u9EC4\u8272", L"clYellow\u00A0", L"\uFF10", L""};
    for (const wchar_t* text : rejected) {
        try {
            core::TextToColor(std::wstring_view(text));
            ADD_FAILURE() << "accepted a text beyond ASCII";
        } catch (const core::EConvertError& e) {
            EXPECT_EQ(e.Text(), L"'" + std::wstring(text) + L"' is not a valid integer value");
        }
    }
}

TEST(ColorToText, WritesIdentifiersElseEightHexDigits) {
    const struct {
        uint32_t value;
        const char* text;
    } cases[] = {
        {0x00123456, "$00123456"}, {0x000000FF, "clRed"},     {0xFF000000, "clScrollBar"},
        {0xFF000019, "$FF000019"}, {0xFFFFFFFF, "$FFFFFFFF"}, {0x0000FFFF, "clYellow"},
        {0x00F0FBFF, "clCream"},   {0xFF00000F, "clBtnFace"}, {0x1FFFFFFF, "clNone"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::ColorToText(static_cast<core::TColor>(c.value)), c.text);
    }
}

TEST(ColorText, EveryRowRoundTrips) {
    for (const auto& entry : core::ColorIdentTable) {
        EXPECT_EQ(core::ColorToText(entry.value), entry.name);
        EXPECT_EQ(core::TextToColor(core::ColorToText(entry.value)), entry.value);
    }
}

}  // namespace
