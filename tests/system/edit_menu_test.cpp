// The editor's menu seen from outside: the enabled states that a mouse press brings up to
// date (selection, clipboard, undo), the panels that a press closes, the clipboard held by
// another program, and the five edit commands with what they do to the text and the note.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "driver/driver.h"
#include "panels.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

constexpr char kNote[] = "Memo.rtf";
// The five items whose states a press refreshes, in menu order.
const std::vector<std::string> kEditItems = {"撤销", "剪切", "复制", "粘贴", "删除"};

struct ItemStates {
    bool undo, cut, copy, paste, del;
    friend bool operator==(const ItemStates&, const ItemStates&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ItemStates& s) {
        return out << "undo " << s.undo << ", cut " << s.cut << ", copy " << s.copy << ", paste "
                   << s.paste << ", delete " << s.del;
    }
};

using drv::SendTo;

// A note started on "abcd" (plain text, so the first change is easy to tell in the file).
class EditMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drv::SetClipboardText("clip"));
        note_ = std::make_unique<drv::NotesProcess>(drv::NotesSetup{.files = {{kNote, "abcd"}}});
        note_->Launch();
        window_ = *note_->WaitForNoteWindow();
        editor_ = drv::ChildById(window_, IDC_REMEMO);
        ASSERT_TRUE(editor_);
    }

    void Select(int from, int to) const { SendTo(editor_, EM_SETSEL, from, to); }
    std::string Text() const { return drv::ControlText(editor_); }
    std::optional<std::string> Saved() const { return note_->ReadFile(kNote); }
    HWND Child(int id) const { return drv::ChildById(window_, id); }

    // A press somewhere in the editor's empty part; it leaves the selection alone.
    POINT InEditor() const { return drv::ClientToScreen(editor_, {150, 200}); }

    drv::Menu OpenByRightClick() const {
        drv::Click(InEditor(), drv::MouseButton::Right);
        return *drv::WaitForPopupMenu(note_->Pid());
    }
    drv::Menu OpenByKeyboard() const {
        drv::PressKey(VK_F10, drv::kShift);
        return *drv::WaitForPopupMenu(note_->Pid());
    }
    static ItemStates StatesOf(const drv::Menu& menu) {
        std::vector<bool> enabled;
        for (const std::string& text : kEditItems) {
            const drv::MenuItem* item = menu.Find(text);
            enabled.push_back(item && item->enabled);
        }
        return {enabled[0], enabled[1], enabled[2], enabled[3], enabled[4]};
    }
    // Opens the menu, reads the five states and closes it again.
    ItemStates StatesShown(const std::function<drv::Menu()>& open) const {
        const drv::Menu menu = open();
        const ItemStates states = StatesOf(menu);
        drv::CloseMenu(menu);
        EXPECT_TRUE(drv::WaitForGone(menu.hwnd));
        EXPECT_TRUE(drv::Settle(window_));
        return states;
    }
    ItemStates AfterRightClick() const {
        return StatesShown([this] { return OpenByRightClick(); });
    }
    ItemStates FromKeyboard() const {
        return StatesShown([this] { return OpenByKeyboard(); });
    }

    // Called up from outside: their menu items are not needed to open them.
    void ShowPanels(std::initializer_list<int> ids = {IDC_PNLALPHA, IDC_PNLBGCOLOR}) const {
        ASSERT_TRUE(panels::CallUp(window_, ids));
    }
    bool PanelsShown() const {
        return drv::IsVisible(Child(IDC_PNLALPHA)) || drv::IsVisible(Child(IDC_PNLBGCOLOR));
    }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

struct CaretCase {
    const char* name;
    std::string note;
    std::function<void()> placeCaret;  // with the editor focused at its first character
};

class EditMenuAtCaret : public ::testing::TestWithParam<CaretCase> {};

// From the keyboard the menu opens at the caret, also beyond the 256K-th character, where the
// editor tells a character index from the address of the point it fills in.
TEST_P(EditMenuAtCaret, OpensWhereTheCaretIs) {
    drv::NotesProcess note({.files = {{kNote, GetParam().note}}});
    note.Launch();
    const HWND window = *note.WaitForNoteWindow();
    const HWND editor = drv::ChildById(window, IDC_REMEMO);
    // Up and left on the screen, so that the menu opens right and down from the caret.
    SetWindowPos(window, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(drv::Settle(window));
    drv::Click(drv::ClientToScreen(editor, {3, 3}));
    GetParam().placeCaret();
    ASSERT_TRUE(drv::Settle(window));
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info));
    ASSERT_EQ(info.hwndCaret, editor);
    const POINT caret = drv::ClientToScreen(editor, {info.rcCaret.left, info.rcCaret.top});

    drv::PressKey(VK_F10, drv::kShift);
    const drv::Waited<drv::Menu> menu = drv::WaitForPopupMenu(note.Pid());
    ASSERT_TRUE(menu);
    EXPECT_NEAR(menu->rect.left, caret.x, 2);
    EXPECT_NEAR(menu->rect.top, caret.y, 2);
    drv::CloseMenu(*menu);
    EXPECT_TRUE(drv::WaitForGone(menu->hwnd));
    EXPECT_TRUE(note.IsRunning());
}

INSTANTIATE_TEST_SUITE_P(Notes, EditMenuAtCaret,
                         ::testing::Values(CaretCase{"Short", "abcd\r\nefgh",
                                                     [] {
                                                         drv::PressKey(VK_DOWN);
                                                         drv::PressKey(VK_RIGHT);
                                                         drv::PressKey(VK_RIGHT);
                                                     }},
                                           CaretCase{
                                               "PastThe256KthCharacter",
                                               drv::Repeat(std::string(100, 'a') + "\r\n", 3000),
                                               [] { drv::PressKey(VK_END, drv::kCtrl); }}),
                         drv::CaseName());

struct KeyWay {
    const char* name;
    WORD key;
    unsigned modifiers;
};

class EditMenuBeforeAnyPress : public EditMenu, public ::testing::WithParamInterface<KeyWay> {};

// Nothing has refreshed the states yet: they are the layout's, whatever the selection and
// the clipboard hold.
TEST_P(EditMenuBeforeAnyPress, ShowsOnlyUndoEnabled) {
    Select(0, -1);
    drv::PressKey(GetParam().key, GetParam().modifiers);
    const drv::Menu menu = *drv::WaitForPopupMenu(note_->Pid());
    EXPECT_EQ(StatesOf(menu), (ItemStates{true, false, false, false, false}));
    EXPECT_TRUE(menu.Find("字体")->enabled);
    drv::CloseMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(Keys, EditMenuBeforeAnyPress,
                         ::testing::Values(KeyWay{"ShiftF10", VK_F10, drv::kShift},
                                           KeyWay{"ApplicationKey", VK_APPS, drv::kNoModifier}),
                         drv::CaseName());

struct SelectionCase {
    const char* name;
    int from, to;
    bool selected;
};

class EditMenuSelection : public EditMenu, public ::testing::WithParamInterface<SelectionCase> {};

// Cut, Copy and Delete follow the selection of the last press, and keep that state until
// the next press whatever the selection does in between.
TEST_P(EditMenuSelection, CutCopyAndDeleteFollowTheLastPress) {
    const SelectionCase& c = GetParam();
    Select(c.from, c.to);
    const ItemStates pressed = AfterRightClick();
    EXPECT_EQ(pressed.cut, c.selected);
    EXPECT_EQ(pressed.copy, c.selected);
    EXPECT_EQ(pressed.del, c.selected);

    Select(c.selected ? 2 : 0, c.selected ? 2 : 4);  // the other way round
    EXPECT_EQ(FromKeyboard(), pressed);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditMenuSelection,
                         ::testing::Values(SelectionCase{"OneCharacter", 1, 2, true},
                                           SelectionCase{"All", 0, -1, true},
                                           SelectionCase{"Caret", 2, 2, false}),
                         drv::CaseName());

struct ClipboardCase {
    const char* name;
    std::function<bool()> fill;
    bool paste;
};

class EditMenuClipboard : public EditMenu, public ::testing::WithParamInterface<ClipboardCase> {};

TEST_P(EditMenuClipboard, PasteIsEnabledForTextOnly) {
    ASSERT_TRUE(GetParam().fill());
    EXPECT_EQ(AfterRightClick().paste, GetParam().paste);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, EditMenuClipboard,
    ::testing::Values(
        ClipboardCase{"Text", [] { return drv::SetClipboardText("x"); }, true},
        ClipboardCase{"ChineseText", [] { return drv::SetClipboardText("便签"); }, true},
        ClipboardCase{"EmptyText", [] { return drv::SetClipboardText(""); }, false},
        ClipboardCase{"PictureOnly", [] { return drv::SetClipboardBitmapOnly(); }, false},
        ClipboardCase{"Nothing", [] { return drv::EmptyClipboard(); }, false}),
    drv::CaseName());

TEST_F(EditMenu, UndoFollowsWhatTheEditorCanUndo) {
    EXPECT_FALSE(AfterRightClick().undo) << "nothing to undo after the load";
    Select(4, 4);
    SendTo(editor_, WM_CHAR, 'e', 1);
    EXPECT_TRUE(AfterRightClick().undo);
}

struct PressCase {
    const char* name;
    int control;  // a child of the note window; the editor, a button or a panel
    drv::MouseButton button;
    bool closes;
};

class PanelsOnPress : public EditMenu, public ::testing::WithParamInterface<PressCase> {};

// The top-bar buttons are pressed with the middle button, which runs no command.
TEST_P(PanelsOnPress, APressOnTheEditorOrTheTopBarButtonsClosesBothPanels) {
    const PressCase& c = GetParam();
    ShowPanels();
    drv::Click(c.control == IDC_REMEMO ? InEditor() : drv::Center(Child(c.control)), c.button);
    if (c.button == drv::MouseButton::Right && c.control == IDC_REMEMO) {
        drv::CloseMenu(*drv::WaitForPopupMenu(note_->Pid()));
    }
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(PanelsShown(), !c.closes);
    if (!c.closes) {
        EXPECT_TRUE(drv::IsVisible(Child(IDC_PNLALPHA)));
        EXPECT_TRUE(drv::IsVisible(Child(IDC_PNLBGCOLOR)));
    }
    EXPECT_TRUE(note_->IsRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Places, PanelsOnPress,
    ::testing::Values(PressCase{"EditorLeft", IDC_REMEMO, drv::MouseButton::Left, true},
                      PressCase{"EditorRight", IDC_REMEMO, drv::MouseButton::Right, true},
                      PressCase{"EditorMiddle", IDC_REMEMO, drv::MouseButton::Middle, true},
                      PressCase{"StayOnTop", IDC_SPDBTNFORMTOP, drv::MouseButton::Middle, true},
                      PressCase{"Hide", IDC_SPDBTNFORMHIDE, drv::MouseButton::Middle, true},
                      PressCase{"Close", IDC_SPDBTNFORMCLOSE, drv::MouseButton::Middle, true},
                      PressCase{"Site", IDC_SPDBTNSITE, drv::MouseButton::Middle, false},
                      PressCase{"TransparencyPanel", IDC_LABEL1, drv::MouseButton::Left, false},
                      PressCase{"ColourPanel", IDC_LABEL2, drv::MouseButton::Right, false}),
    drv::CaseName());

TEST_F(EditMenu, AHiddenPanelGivesTheKeyboardFocusBackToTheEditor) {
    ShowPanels({IDC_PNLALPHA});
    drv::Click(drv::Center(Child(IDC_TRACKBAR1)));
    ASSERT_TRUE(drv::Settle(window_));
    const auto focus = [&] {
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &thread);
        return thread.hwndFocus;
    };
    ASSERT_EQ(focus(), Child(IDC_TRACKBAR1));

    drv::Click(drv::Center(Child(IDC_SPDBTNFORMHIDE)), drv::MouseButton::Middle);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_FALSE(PanelsShown());
    EXPECT_EQ(focus(), editor_);
    drv::TypeText("z");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Text(), "zabcd");
}

// Another program holds the clipboard: the press reports it once, after it has closed the
// panels and set Cut, Copy and Delete; Paste and Undo keep what the last press found.
TEST_F(EditMenu, AClipboardHeldByAnotherProgramIsReportedAfterThePanelsClosed) {
    Select(2, 2);
    EXPECT_EQ(AfterRightClick(), (ItemStates{false, false, false, true, false}));
    Select(4, 4);
    SendTo(editor_, WM_CHAR, 'e', 1);  // something to undo now, which the menu must not show
    Select(0, 2);
    ShowPanels();

    drv::ClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    drv::Click(InEditor(), drv::MouseButton::Middle);
    const drv::MsgBox box = *note_->WaitForMessageBox();
    EXPECT_EQ(box.caption, "Notes");
    EXPECT_EQ(box.text, "Cannot open clipboard.");
    EXPECT_EQ(box.icon, drv::BoxIcon::Error);
    EXPECT_EQ(box.ButtonIds(), std::vector<int>{IDOK});
    EXPECT_FALSE(PanelsShown());
    EXPECT_TRUE(drv::StaysTrue([&] { return drv::CountMessageBoxes(note_->Pid()) == 1; }, 300ms,
                               "one error box"));
    ASSERT_TRUE(drv::Press(box, IDOK));
    ASSERT_TRUE(drv::WaitForGone(box.hwnd));
    holder.Release();
    ASSERT_TRUE(drv::Settle(window_));

    EXPECT_EQ(FromKeyboard(), (ItemStates{false, true, true, true, true}));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_EQ(Text(), "abcde") << "the press changed nothing else";
}

struct CommandCase {
    const char* name;
    const char* item;
    int from, to;       // the selection when the command runs
    const char* typed;  // typed at the end first (for Undo)
    const char* clipboard;
    const char* text;  // the editor's text afterwards
    const char* clipboardAfter;
    bool changes;  // the note file is rewritten
};

class EditCommand : public EditMenu, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(EditCommand, ChangesTheTextAndTheNoteFile) {
    const CommandCase& c = GetParam();
    for (const char* ch = c.typed; *ch; ++ch) {
        Select(-1, -1);
        SendTo(editor_, WM_CHAR, static_cast<BYTE>(*ch), 1);
    }
    ASSERT_TRUE(drv::SetClipboardText(c.clipboard));
    Select(c.from, c.to);
    const std::string before = *Saved();
    const auto writtenBefore = drv::LastWriteTime(note_->File(kNote));

    const drv::Menu menu = OpenByRightClick();
    ASSERT_TRUE(menu.Find(c.item) && menu.Find(c.item)->enabled);
    ASSERT_TRUE(drv::ChooseMenuItem(menu, c.item));
    ASSERT_TRUE(drv::WaitForGone(menu.hwnd));
    ASSERT_TRUE(drv::Settle(window_));

    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(drv::ClipboardText(), c.clipboardAfter);
    const std::string after = *Saved();
    if (c.changes) {
        EXPECT_EQ(after.rfind("{\\rtf", 0), 0u) << after;
        EXPECT_NE(after.find(" " + std::string(c.text) + "\\par"), std::string::npos) << after;
    } else {
        EXPECT_EQ(after, before);
        EXPECT_EQ(drv::LastWriteTime(note_->File(kNote)), writtenBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, EditCommand,
    ::testing::Values(CommandCase{"Undo", "撤销", 5, 5, "xy", "clip", "abcd", "clip", true},
                      CommandCase{"Cut", "剪切", 1, 3, "", "clip", "ad", "bc", true},
                      CommandCase{"Copy", "复制", 1, 3, "", "clip", "abcd", "bc", false},
                      CommandCase{"Paste", "粘贴", 1, 3, "", "XYZ", "aXYZd", "XYZ", true},
                      CommandCase{"Delete", "删除", 0, 2, "", "clip", "cd", "clip", true}),
    drv::CaseName());

}  // namespace
