// A loaded note shows with the scroll bars its text needs and no others, whatever the start
// guessed from the file before the editor read it, and shows the whole text.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "driver/driver.h"
#include "window/ids.h"

namespace {

// `count` lines, each `make`(its number), between them `separator`.
std::string Lines(int count, const std::function<std::string(int)>& make, const char* separator) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += (i > 1 ? separator : "") + make(i);
    return text;
}

struct BarsCase {
    const char* name;
    std::string note;
    std::string shown;  // the editor's text, line breaks as "\r\n"
    bool horizontal;
    bool vertical;
};

std::ostream& operator<<(std::ostream& out, const BarsCase& c) {
    return out << c.name;
}

BarsCase Rtf(const char* name, int count, const std::function<std::string(int)>& make,
             bool horizontal, bool vertical, const char* format = "") {
    return {name,
            std::string("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset134 System;}}\\pard") +
                format + " " + Lines(count, make, "\\par\r\n") + "}",
            Lines(count, make, "\r\n"), horizontal, vertical};
}

const auto kShort = [](int i) { return "item " + std::to_string(i); };
const auto kLong = [](int i) {
    return "line " + std::to_string(i) + ": " + std::string(30, 'w') + " and more words " +
           std::string(60, 'x');
};
// Wide by their count of characters, narrow as drawn.
const auto kSpaces = [](int i) { return std::to_string(i % 10) + std::string(44, ' ') + "|"; };

class NoteBars : public ::testing::TestWithParam<BarsCase> {};

TEST_P(NoteBars, AreTheOnesItsTextNeeds) {
    const BarsCase& c = GetParam();
    drv::NotesProcess note({.files = {{"Memo.rtf", c.note}}});
    note.Launch();
    const HWND window = *note.WaitForNoteWindow(drv::ForHeavyWork(drv::kStartTimeout));
    const HWND editor = drv::ChildById(window, notes::IDC_REMEMO);
    EXPECT_EQ(drv::ControlText(editor), c.shown);
    const LONG style = drv::Style(editor);
    EXPECT_EQ((style & WS_HSCROLL) != 0, c.horizontal) << "the horizontal bar";
    EXPECT_EQ((style & WS_VSCROLL) != 0, c.vertical) << "the vertical bar";
    // The bars stay as they are once the note is shown.
    ASSERT_TRUE(drv::Settle(window));
    EXPECT_EQ(drv::Style(editor), style);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, NoteBars,
    ::testing::Values(Rtf("Fits", 5, kShort, false, false),
                      Rtf("TallAndNarrow", 200, kShort, false, true),
                      Rtf("WideAndShort", 3, kLong, true, false),
                      Rtf("TallAndWide", 300, kLong, true, true),
                      Rtf("LooksWideButIsNot", 200, kSpaces, false, true),
                      Rtf("FewLinesInALargeFont", 12, kShort, false, true, "\\fs72"),
                      BarsCase{"PlainTextTallAndNarrow", Lines(150, kShort, "\n"),
                               Lines(150, kShort, "\r\n"), false, true}),
    [](const ::testing::TestParamInfo<BarsCase>& test) { return std::string(test.param.name); });

}  // namespace
