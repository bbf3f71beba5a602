#include "core/color.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(ColorIdentTable, ValuesAndNamesAreUniqueAndChooserRowsAreFifty) {
    std::set<core::TColor> values;
    std::set<std::string> names;
    int chooserRows = 0;
    for (const auto& entry : core::ColorIdentTable) {
        values.insert(entry.value);
        names.insert(entry.name);
        if (core::IsChooserColor(entry.value)) ++chooserRows;
    }
    EXPECT_EQ(values.size(), 52u);
    EXPECT_EQ(names.size(), 52u);
    EXPECT_EQ(chooserRows, 50);
    EXPECT_STREQ(core::ColorIdentTable.front().name, "clBlack");
    EXPECT_STREQ(core::ColorIdentTable[17].name, "clSkyBlue");
    EXPECT_STREQ(core::ColorIdentTable[29].name, "clDefault");
    EXPECT_STREQ(core::ColorIdentTable.back().name, "clWindowText");
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
