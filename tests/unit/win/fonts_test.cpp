// Fonts as the program makes them: every field reaches the system, a Chinese face name whole
// on any code page, and the window font follows the screen's density.
#include "ui/fonts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MakeFont, HandsTheSystemEveryField) {
    const struct {
        ui::FontLook look;
        const wchar_t* face;
        LONG weight;
    } cases[] = {
        {{}, L"MS Sans Serif", FW_NORMAL},
        {{.face = "宋体", .height = -12, .charset = GB2312_CHARSET}, L"\u5B8B\u4F53", FW_NORMAL},
        {{.face = "华文仿宋", .height = 20, .bold = true, .italic = true},
         L"\u534E\u6587\u4EFF\u5B8B",
         FW_BOLD},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.look.face);
        const ui::Font font = ui::MakeFont(c.look);
        LOGFONTW made = {};
        ASSERT_EQ(GetObjectW(font.get(), sizeof made, &made), static_cast<int>(sizeof made));
        EXPECT_EQ(ui::FaceName(made.lfFaceName), c.face);
        EXPECT_EQ(made.lfHeight, c.look.height);
        EXPECT_EQ(made.lfWeight, c.weight);
        EXPECT_EQ(made.lfItalic != 0, c.look.italic);
        EXPECT_EQ(made.lfCharSet, c.look.charset);
    }
}

// 8 points at each density, rounded as the system rounds.
TEST(WindowFontAt, IsEightPointsAtTheScreensDensity) {
    const struct {
        int dpi;
        int height;
    } cases[] = {{96, -11}, {120, -14}, {144, -17}, {192, -22}, {72, -8}};
    for (const auto& c : cases) {
        const ui::FontLook look = ui::WindowFontAt(c.dpi);
        EXPECT_EQ(look.height, c.height) << c.dpi;
        EXPECT_STREQ(look.face, "MS Sans Serif");
        EXPECT_FALSE(look.bold);
    }
}

}  // namespace
