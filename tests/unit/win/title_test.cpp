// The application object in this very process: the title it derives from the program's
// file name and the hidden window that carries it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/application.h"
#include "ui/text.h"

namespace {

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    const int length = GetWindowTextW(hwnd, buffer, 256);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

TEST(ApplicationTitle, IsTheProgramFileNameWithoutExtension) {
    ui::Application app(GetModuleHandleA(nullptr));
    EXPECT_EQ(app.Title(), L"win_unit_tests");
    EXPECT_EQ(TextOf(app.Handle()), L"win_unit_tests");
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

struct TitleCase {
    const char* name;
    std::wstring path;
    std::wstring title;
};

class TitleFromPath : public ::testing::TestWithParam<TitleCase> {};

// Lowered after the first character; a double-byte character is left alone, also one whose
// second byte is an ASCII capital. A name the system's code page cannot spell is taken as
// the system holds it, and a long one whole.
TEST_P(TitleFromPath, IsTheFileNameWithoutExtensionLoweredAfterItsFirstCharacter) {
    EXPECT_EQ(ui::TitleFor(GetParam().path), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TitleFromPath,
    ::testing::Values(
        TitleCase{"Ascii", L"C:\\Notes\\MYNOTE.Old.EXE", L"Mynote"},
        TitleCase{"NoDot", L"C:\\Notes\\NOTE", L"Note"},
        TitleCase{"LeadingChinese", L"C:\\\u5DE5\u5177\\\u4FBF\u7B7ENOTE.exe", L"\u4FBF\u7B7Enote"},
        // 0x81 0x41 in GBK: its trail byte is an "A".
        TitleCase{"TrailByteIsACapital", ui::FromGbk("C:\\X\x81\x41Y.exe"),
                  ui::FromGbk("X\x81\x41y")},
        // A double-byte first character is the one left alone, both its bytes.
        TitleCase{"DoubleByteFirst", ui::FromGbk("C:\\X\\\x81\x41Z.exe"), ui::FromGbk("\x81\x41z")},
        TitleCase{"NotInTheCodePage", L"C:\\\u00F8\\\uD55C\uAE00NOTE.exe", L"\uD55C\uAE00note"},
        TitleCase{"LongerThanTheOldBuffer",
                  L"C:\\" + std::wstring(300, L'd') + L"\\" + std::wstring(40, L'N') + L".exe",
                  L"N" + std::wstring(39, L'n')}),
    [](const ::testing::TestParamInfo<TitleCase>& test) { return std::string(test.param.name); });

}  // namespace
