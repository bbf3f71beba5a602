// The application object in this very process: the title it derives from the program's
// file name and the hidden window that carries it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "ui/application.h"

namespace {

std::string TextOf(HWND hwnd) {
    char buffer[256] = {};
    const int length = GetWindowTextA(hwnd, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

TEST(ApplicationTitle, IsTheProgramFileNameWithoutExtension) {
    ui::Application app(GetModuleHandleA(nullptr));
    EXPECT_EQ(app.Title(), "win_unit_tests");
    EXPECT_EQ(TextOf(app.Handle()), "win_unit_tests");
}

TEST(ApplicationWindow, IsHiddenAndEmptyAtTheScreenCentre) {
    ui::Application app(GetModuleHandleA(nullptr));
    const HWND hwnd = app.Handle();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 2);
    EXPECT_EQ(rect.right, rect.left);
    EXPECT_EQ(rect.bottom, rect.top);
    // Minimising and restoring the program go through this window's system commands.
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX), WS_SYSMENU | WS_MINIMIZEBOX);
}

struct LowerCase {
    const char* name;
    const char* title;
    const char* lowered;
};

class TitleLowering : public ::testing::TestWithParam<LowerCase> {};

// The title is lowered by the system after its first character; in code page 936 that must
// leave a double-byte character alone, also one whose second byte is an ASCII capital.
TEST_P(TitleLowering, KeepsTheFirstCharacterAndDoubleByteCharacters) {
    std::string title = GetParam().title;
    CharLowerA(title.data() + core::SecondCharOffset(title));
    EXPECT_EQ(title, GetParam().lowered);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TitleLowering,
    ::testing::Values(LowerCase{"Ascii", "MYNOTE", "Mynote"},
                      LowerCase{"LeadingGbk", "便签NOTE", "便签note"},
                      LowerCase{"TrailByteIsACapital", "X\x81\x41Y", "X\x81\x41y"},
                      LowerCase{"GbkFirst", "\x81\x41Z", "\x81\x41z"}),
    [](const ::testing::TestParamInfo<LowerCase>& test) { return std::string(test.param.name); });

}  // namespace
