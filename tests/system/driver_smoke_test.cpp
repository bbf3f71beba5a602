// The driver's ways of working a program, each used once on the real Notes.exe: its error
// box, real typing and pointer input, the editor's context menu, the clipboard, the screen.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "driver/driver.h"
#include "window/ids.h"

using namespace std::chrono_literals;

namespace {

// The system's text for an error, as a message shows it: without the line end and stop.
using drv::SystemText;

// Start and end of the selection, asked with EM_GETSEL without pointers (it crosses
// processes that way).
std::pair<int, int> Selection(HWND editor) {
    DWORD_PTR packed = 0;
    SendMessageTimeoutA(editor, EM_GETSEL, 0, 0, SMTO_NORMAL, 5000, &packed);
    return {LOWORD(packed), HIWORD(packed)};
}

// A started note with the keyboard focus in its editor.
class NoteTest : public ::testing::Test {
protected:
    void SetUp() override {
        note_.Launch();
        window_ = *note_.WaitForNoteWindow();
        editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
        ASSERT_TRUE(editor_);
        drv::Click(drv::Center(editor_));
        ASSERT_TRUE(drv::Settle(window_));
    }

    // A screen point inside the editor's first line, `x` pixels from its left edge.
    POINT FirstLine(int x) const { return drv::ClientToScreen(editor_, {x, 6}); }

    drv::NotesProcess note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

struct PressWay {
    const char* name;
    std::function<bool(const drv::MsgBox&)> press;
};

class ErrorBox : public ::testing::TestWithParam<PressWay> {};

// A note file that another program holds open without sharing stops the load with an
// error box; once it is answered, start-up goes on and the note comes up.
TEST_P(ErrorBox, ReportsTheLockedNoteFileAndGoesAwayWhenPressed) {
    drv::NotesProcess note;
    drv::FileLock lock(note.File("Memo.rtf"));
    ASSERT_TRUE(lock.Held());
    note.Launch();
    const drv::MsgBox box = *note.WaitForMessageBox(drv::kStartTimeout);

    EXPECT_EQ(box.caption, "Notes");
    EXPECT_EQ(box.text, "Cannot open file \"" + note.File("Memo.rtf") + "\". " +
                            SystemText(ERROR_SHARING_VIOLATION) + ".");
    EXPECT_EQ(box.icon, drv::BoxIcon::Error);
    EXPECT_EQ(box.ButtonIds(), std::vector<int>{IDOK});
    EXPECT_EQ(drv::CountMessageBoxes(note.Pid()), 1);

    ASSERT_TRUE(GetParam().press(box));
    EXPECT_TRUE(drv::WaitForGone(box.hwnd));
    EXPECT_TRUE(note.WaitForNoteWindow());
    EXPECT_EQ(drv::CountMessageBoxes(note.Pid()), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ErrorBox,
    ::testing::Values(
        PressWay{"ButtonMessage", [](const drv::MsgBox& b) { return drv::Press(b, IDOK); }},
        PressWay{"RealClick", [](const drv::MsgBox& b) { return drv::ClickButton(b, IDOK); }}),
    drv::CaseName());

TEST_F(NoteTest, TypedTextReachesTheEditorAndTheNoteFile) {
    drv::TypeText("Hello, World!");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(drv::ControlText(editor_), "Hello, World!");
    const auto saved = note_.ReadFile("Memo.rtf");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->rfind("{\\rtf", 0), 0u);
    EXPECT_NE(saved->find("Hello, World!"), std::string::npos);

    // Ctrl+A selects all; what is typed next replaces it.
    drv::PressKey('A', drv::kCtrl);
    drv::TypeText("x");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(drv::ControlText(editor_), "x");
    EXPECT_EQ(note_.ReadFile("Memo.rtf")->find("Hello"), std::string::npos);
    for (const std::string& name : drv::ListDirectory(note_.Dir().Path())) {
        EXPECT_TRUE(name == "Notes.exe" || name == "Memo.rtf" || name == "Setup.ini") << name;
    }
}

TEST_F(NoteTest, PointerSelectsByDoubleClickAndByDrag) {
    drv::TypeText("alpha beta");
    ASSERT_TRUE(drv::Settle(window_));

    drv::DoubleClick(FirstLine(8));
    ASSERT_TRUE(drv::Settle(window_));
    const auto [wordStart, wordEnd] = Selection(editor_);
    EXPECT_EQ(wordStart, 0);
    EXPECT_GE(wordEnd, 5);  // the word, perhaps with its trailing blank
    EXPECT_LE(wordEnd, 6);

    drv::Drag(FirstLine(200), FirstLine(0));
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Selection(editor_), std::make_pair(0, 10));
}

struct MenuOpening {
    const char* name;
    std::function<void(POINT)> open;  // given a point inside the editor
};

class ContextMenu : public NoteTest, public ::testing::WithParamInterface<MenuOpening> {};

TEST_P(ContextMenu, IsReadInsideTheProgramAndClosesWithEscape) {
    GetParam().open(drv::Center(editor_));
    const drv::Menu menu = *drv::WaitForPopupMenu(note_.Pid());

    const std::vector<std::string> expected = {"撤销",     "剪切",   "复制",   "粘贴", "删除",
                                               "字体",     "透明度", "背景色", "关于", "访问网站",
                                               "开机启动", "最小化", "退出"};
    EXPECT_EQ(menu.Texts(), expected);
    EXPECT_EQ(menu.SeparatorCount(), 4);
    EXPECT_EQ(menu.items.size(), 17u);
    EXPECT_EQ(menu.Find("退出")->id, notes::CmdExit);
    for (const drv::MenuItem& item : menu.items) {
        EXPECT_TRUE(item.rect.left >= menu.rect.left && item.rect.right <= menu.rect.right &&
                    item.rect.top >= menu.rect.top && item.rect.bottom <= menu.rect.bottom);
    }

    drv::CloseMenu(menu);
    EXPECT_TRUE(drv::WaitForGone(menu.hwnd));
    EXPECT_TRUE(note_.IsRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ContextMenu,
    ::testing::Values(MenuOpening{"RightClick",
                                  [](POINT p) { drv::Click(p, drv::MouseButton::Right); }},
                      MenuOpening{"ShiftF10", [](POINT) { drv::PressKey(VK_F10, drv::kShift); }},
                      MenuOpening{"ApplicationKey", [](POINT) { drv::PressKey(VK_APPS); }}),
    drv::CaseName());

struct MenuChoice {
    const char* name;
    std::function<bool(const drv::Menu&, int)> choose;
};

class MenuChoosing : public NoteTest, public ::testing::WithParamInterface<MenuChoice> {};

TEST_P(MenuChoosing, ExitItemEndsTheProgramOnceConfirmed) {
    drv::Click(drv::Center(editor_), drv::MouseButton::Right);
    const drv::Menu menu = *drv::WaitForPopupMenu(note_.Pid());
    ASSERT_TRUE(GetParam().choose(menu, menu.IndexOf("退出")));
    ASSERT_TRUE(drv::AnswerCloseConfirmation(note_.Pid(), IDYES));
    EXPECT_EQ(note_.WaitForExit().Optional(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, MenuChoosing,
    ::testing::Values(MenuChoice{"Click", [](const drv::Menu& m,
                                             int i) { return drv::ChooseMenuItem(m, i); }},
                      MenuChoice{"Keys", [](const drv::Menu& m,
                                            int i) { return drv::ChooseMenuItemByKeys(m, i); }}),
    drv::CaseName());

// Under Wine the system's cursor also moves without the hand: the program's X11 driver
// replays late pointer crossings as moves (SetCursorPos stands in for one here). A click on
// a menu item must still choose it.
struct CursorMovedAway {
    const char* name;
    bool beforeThePress;  // else between the press and the release
};

class MenuClickAfterTheCursorMoved : public NoteTest,
                                     public ::testing::WithParamInterface<CursorMovedAway> {};

TEST_P(MenuClickAfterTheCursorMoved, StillChoosesTheItemUnderTheHand) {
    drv::Click(drv::Center(editor_), drv::MouseButton::Right);
    const drv::Menu menu = *drv::WaitForPopupMenu(note_.Pid());
    const drv::MenuItem* item = menu.Find("透明度");
    ASSERT_TRUE(item);
    // Beside the menu: a press there would close it, a release there would choose nothing.
    const POINT away = {menu.rect.left - 20, menu.rect.top + 5};
    drv::MoveTo(drv::Center(item->rect));
    if (GetParam().beforeThePress) SetCursorPos(away.x, away.y);
    drv::ButtonDown();
    if (!GetParam().beforeThePress) SetCursorPos(away.x, away.y);
    drv::ButtonUp();
    ASSERT_TRUE(drv::WaitForGone(menu.hwnd));
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(drv::IsVisible(drv::ChildById(window_, notes::IDC_PNLALPHA)));
}

INSTANTIATE_TEST_SUITE_P(Moments, MenuClickAfterTheCursorMoved,
                         ::testing::Values(CursorMovedAway{"BeforeThePress", true},
                                           CursorMovedAway{"BetweenPressAndRelease", false}),
                         drv::CaseName());

TEST_F(NoteTest, PasteTakesChineseTextUnlessAnotherProgramHoldsTheClipboard) {
    ASSERT_TRUE(drv::SetClipboardText("便签内容"));
    {
        drv::ClipboardHolder holder;
        ASSERT_TRUE(holder.Held());
        drv::PressKey('V', drv::kCtrl);
        ASSERT_TRUE(drv::Settle(window_));
        EXPECT_EQ(drv::ControlText(editor_), "");
    }
    drv::PressKey('V', drv::kCtrl);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(drv::ControlText(editor_), "便签内容");
}

TEST_F(NoteTest, ScreenShowsTheYellowEditor) {
    const POINT middle = drv::Center(editor_);
    EXPECT_EQ(drv::PixelAt(middle), (drv::Rgb{255, 255, 0}));

    drv::TempDir dir;
    const std::string path = dir.File("screen.bmp");
    ASSERT_TRUE(drv::SaveScreenshotBmp(path));
    const std::string bmp = *drv::ReadFileBytes(path);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    ASSERT_EQ(bmp.size(), 54 + stride * static_cast<std::size_t>(height));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    // Rows are stored bottom-up, pixels as blue, green, red.
    const std::size_t at = 54 + stride * static_cast<std::size_t>(height - 1 - middle.y) +
                           static_cast<std::size_t>(middle.x) * 3;
    EXPECT_EQ(bmp.substr(at, 3), std::string("\x00\xFF\xFF", 3));
}

}  // namespace
