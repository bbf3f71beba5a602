#include "core/color_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The identifiers joined by blanks.
std::string Names(const std::vector<core::TIdentMapEntry>& entries) {
    std::string names;
    for (const auto& e : entries) names += std::string(names.empty() ? "" : " ") + e.name;
    return names;
}

TEST(ChooserColors, AreTheFiftyRowsWithoutTheSpecialValuesInTableOrder) {
    const auto entries = core::ChooserColors();
    ASSERT_EQ(entries.size(), 50u);
    EXPECT_EQ(Names(entries),
              "clBlack clMaroon clGreen clOlive clNavy clPurple clTeal clGray clSilver clRed "
              "clLime clYellow clBlue clFuchsia clAqua clWhite clMoneyGreen clSkyBlue clCream "
              "clMedGray clActiveBorder clActiveCaption clAppWorkSpace clBackground clBtnFace "
              "clBtnHighlight clBtnShadow clBtnText clCaptionText clGradientActiveCaption "
              "clGradientInactiveCaption clGrayText clHighlight clHighlightText clHotLight "
              "clInactiveBorder clInactiveCaption clInactiveCaptionText clInfoBk clInfoText "
              "clMenu clMenuBar clMenuHighlight clMenuText clScrollBar cl3DDkShadow cl3DLight "
              "clWindow clWindowFrame clWindowText");
    EXPECT_EQ(static_cast<uint32_t>(entries[17].value), 0x00F0CAA6u);
    EXPECT_EQ(static_cast<uint32_t>(entries[24].value), 0xFF00000Fu);
}

TEST(SwatchFrameColor, IsBlackAroundLightColoursElseWhiteWhenSelectedElseTheColour) {
    const struct {
        uint32_t rgb;
        bool selected;
        uint32_t frame;
    } cases[] = {
        {0x00C0C0C0, false, 0x00C0C0C0},  // silver: 192 is not above 192
        {0x00C0C0C0, true, 0x00FFFFFF},  {0x000000C1, false, 0x00000000},  // red above 192
        {0x0000C100, true, 0x00000000},  {0x00C10000, false, 0x00000000},  // blue above 192
        {0x00000000, false, 0x00000000}, {0x00000000, true, 0x00FFFFFF},
        {0x00808080, false, 0x00808080}, {0x00F0CAA6, true, 0x00000000},  // sky blue
        {0x00FFFFFF, true, 0x00000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::SwatchFrameColor(c.rgb, c.selected), c.frame)
            << std::hex << c.rgb << (c.selected ? " selected" : "");
    }
}

TEST(FindByPrefix, FindsTheFirstEntryStartingWithTheLettersInAnyCase) {
    const auto entries = core::ChooserColors();
    const struct {
        const char* prefix;
        const char* found;  // nullptr: none
    } cases[] = {
        {"c", "clBlack"},           {"clS", "clSilver"},
        {"clSk", "clSkyBlue"},      {"CLSKY", "clSkyBlue"},
        {"clb", "clBlack"},         {"clBt", "clBtnFace"},
        {"clBtnS", "clBtnShadow"},  {"cl3", "cl3DDkShadow"},
        {"cl3DL", "cl3DLight"},     {"clWindowText", "clWindowText"},
        {"clWindowTexts", nullptr}, {"x", nullptr},
        {"clNone", nullptr},        {"clDefault", nullptr},
        {"cl ", nullptr},
    };
    for (const auto& c : cases) {
        const auto index = core::FindByPrefix(entries, c.prefix);
        if (!c.found) {
            EXPECT_FALSE(index.has_value()) << c.prefix;
        } else {
            ASSERT_TRUE(index.has_value()) << c.prefix;
            EXPECT_STREQ(entries[*index].name, c.found) << c.prefix;
        }
    }
}

TEST(IncrementalSearch, KeepsLettersWithinHalfASecondAndStartsAgainAfterALongerPause) {
    const struct {
        const char* name;
        std::vector<std::pair<char, uint32_t>> keys;  // character, time in ms
        const char* sought;
    } cases[] = {
        {"quick", {{'c', 10000}, {'l', 10100}, {'S', 10200}}, "clS"},
        {"exactly half a second apart", {{'c', 10000}, {'l', 10500}}, "cl"},
        {"a pause", {{'c', 10000}, {'l', 10100}, {'S', 10601}}, "S"},
        {"a pause, then quick again", {{'c', 10000}, {'x', 11000}, {'y', 11400}}, "xy"},
        {"across the clock's wrap", {{'c', 0xFFFFFF00u}, {'l', 0x00000010u}}, "cl"},
        {"clock going back counts as a pause", {{'c', 20000}, {'l', 19000}}, "l"},
        {"first key", {{'c', 0}}, "c"},
    };
    for (const auto& c : cases) {
        core::IncrementalSearch search;
        std::string sought;
        for (const auto& [ch, time] : c.keys) sought = search.Add(ch, time);
        EXPECT_EQ(sought, c.sought) << c.name;
    }
}

}  // namespace
