// Text typed in any script reaches the note whole and is saved so: keys that carry their
// character (an input method's result, an on-screen keyboard) and an input method's
// characters posted to the editor, on whatever code page the system runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver/driver.h"
#include "window/ids.h"

namespace {

constexpr char kNote[] = "Memo.rtf";

enum class Way { kKeys, kInputMethod };

struct TypedCase {
    const char* name;
    Way way;
    std::wstring typed;
};

class TypedText : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedText, ArrivesWholeAndIsSavedSo) {
    const TypedCase& c = GetParam();
    drv::NotesProcess note({.files = {{kNote, "{\\rtf1 x}"}}});
    note.Launch();
    const HWND window = *note.WaitForNoteWindow();
    const HWND editor = drv::ChildById(window, notes::IDC_REMEMO);
    ASSERT_TRUE(editor);
    drv::Click(drv::Center(editor));
    drv::PressKey(VK_END, drv::kCtrl);
    if (c.way == Way::kKeys) {
        drv::TypeUnicode(c.typed);
    } else {
        for (const wchar_t unit : c.typed) PostMessageW(editor, WM_IME_CHAR, unit, 1);
    }
    ASSERT_TRUE(drv::Settle(window));

    const std::wstring expected = L"x" + c.typed;
    EXPECT_TRUE(
        drv::WaitUntil([&] { return drv::RtfText(note.ReadFile(kNote).value_or("")) == expected; },
                       drv::kWaitTimeout, "the typed text in the note file"));
    EXPECT_EQ(drv::CountMessageBoxes(note.Pid()), 0);
    // And so it comes back at the next start.
    ASSERT_TRUE(drv::CloseAndConfirm(note));
    note.Launch();
    ASSERT_TRUE(note.WaitForNoteWindow());
    EXPECT_EQ(drv::RtfText(note.ReadFile(kNote).value_or("")), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, TypedText,
    ::testing::Values(TypedCase{"ChineseKeys", Way::kKeys, L"A\u6C49\u5B57B"},
                      TypedCase{"ManyScriptsKeys", Way::kKeys, L"\u6F22\u0E01\uD55C\U0001F600z"},
                      TypedCase{"ChineseFromAnInputMethod", Way::kInputMethod, L"\u4FBF\u7B7E"},
                      TypedCase{"AstralFromAnInputMethod", Way::kInputMethod, L"\U00020000\uAC00"}),
    [](const ::testing::TestParamInfo<TypedCase>& test) { return std::string(test.param.name); });

}  // namespace
