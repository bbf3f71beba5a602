// The notification-area icon as a user meets it: there from the start, a left press shows
// the note, a right press opens its menu, the menu's Hide/Show item follows the window
// whatever hid or showed it, and the icon comes back when the shell restarts.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "about/about_ids.h"
#include "driver/driver.h"
#include "driver/owners.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

// A started note and its icon; the helpers are public for the cases' input functions.
class TrayIcon : public ::testing::Test {
public:
    void Start(drv::NotesSetup setup = {}) {
        note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
        note_->Launch();
        window_ = *note_->WaitForNoteWindowCreated();
        ASSERT_TRUE(drv::Settle(window_));
        icon_ = *drv::WaitForTrayIcon();
    }

    // Two presses of one button on the icon within the double-click time make a double
    // click, which does nothing: a test that means two presses waits that long between.
    void BeforePressOnIcon() const {
        const auto gap = drv::Ms(GetDoubleClickTime() + 100);
        const auto since = std::chrono::steady_clock::now() - lastPress_;
        if (since < gap) drv::Pause(std::chrono::duration_cast<drv::Ms>(gap - since));
        lastPress_ = std::chrono::steady_clock::now();
    }

    // The icon's menu as the shell opens it on a right press, away from the tray so that
    // the shell's tip cannot cover it (the real press has a test of its own), at the pointer.
    drv::Menu OpenMenu() const {
        const drv::Menu menu = *drv::OpenTrayMenuAway(note_->Pid(), window_, WM_TRAYICON);
        const POINT at = drv::CursorPos();
        EXPECT_EQ(menu.rect.left, at.x);
        EXPECT_EQ(menu.rect.top, at.y);
        return menu;
    }
    // Chooses an item of the icon's menu with either button.
    void Choose(const char* item, drv::MouseButton button = drv::MouseButton::Left) const {
        const drv::Menu menu = OpenMenu();
        const drv::MenuItem* found = menu.Find(item);
        ASSERT_TRUE(found) << item;
        drv::Click(drv::Center(found->rect), button);
        ASSERT_TRUE(drv::WaitForGone(menu.hwnd));
        ASSERT_TRUE(drv::Settle(window_));
    }
    // The first item of the icon's menu, read and closed again.
    std::string ShowHideItem() const {
        const drv::Menu menu = OpenMenu();
        drv::CloseMenu(menu);
        EXPECT_TRUE(drv::WaitForGone(menu.hwnd));
        return menu.Texts().empty() ? std::string() : menu.Texts().front();
    }
    void ClickIcon() const {
        BeforePressOnIcon();
        drv::Click(drv::Center(icon_));
        ASSERT_TRUE(drv::Settle(window_));
    }
    void ClickChild(int id, drv::MouseButton button = drv::MouseButton::Left) const {
        drv::Click(drv::Center(drv::ChildById(window_, id)), button);
        ASSERT_TRUE(drv::Settle(window_));
    }
    std::string Text() const { return drv::ControlText(drv::ChildById(window_, IDC_REMEMO)); }
    // Keys typed while the note is hidden, to whatever seems to have the keyboard: the note
    // stays hidden and neither its editor nor its file changes from `text` and `saved`.
    void ExpectKeysChangeNothing(const std::string& text,
                                 const std::optional<std::string>& saved) const {
        drv::TypeText("xyz");
        drv::PressKey(VK_BACK);
        drv::PressKey('A', drv::kCtrl);
        drv::PressKey(VK_DELETE);
        ASSERT_TRUE(drv::Settle(window_));
        EXPECT_FALSE(drv::IsVisible(window_));
        EXPECT_EQ(Text(), text);
        EXPECT_EQ(note_->ReadFile("Memo.rtf"), saved);
    }
    void ChooseEditItem(const char* item) const {
        drv::Click(drv::Center(drv::ChildById(window_, IDC_REMEMO)), drv::MouseButton::Right);
        ASSERT_TRUE(drv::ChooseMenuItem(*drv::WaitForPopupMenu(note_->Pid()), item));
        ASSERT_TRUE(drv::Settle(window_));
    }
    // Hidden to the notification area: not minimised, no other window of the program
    // shown, the icon still there.
    void ExpectHidden() const {
        EXPECT_TRUE(drv::WaitUntil([&] { return !drv::IsVisible(window_); }, drv::kWaitTimeout,
                                   "the note hidden"));
        EXPECT_FALSE(drv::IsMinimized(window_));
        EXPECT_FALSE(drv::IsVisible(drv::Owner(window_)));
        EXPECT_FALSE(drv::IsMinimized(drv::Owner(window_)));
        EXPECT_EQ(drv::TrayIcons(), std::vector<HWND>{icon_});
        EXPECT_EQ(ShowHideItem(), "显示");
    }
    void ExpectShown() const {
        EXPECT_TRUE(drv::WaitUntil([&] { return drv::IsVisible(window_); }, drv::kWaitTimeout,
                                   "the note shown"));
        EXPECT_FALSE(drv::IsMinimized(window_));
        EXPECT_TRUE(drv::IsTopmost(window_));
        EXPECT_EQ(ShowHideItem(), "隐藏");
    }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND icon_ = nullptr;
    mutable std::chrono::steady_clock::time_point lastPress_ = {};
};

TEST_F(TrayIcon, ARightPressOpensTheMenuAtThePointerBeforeTheRelease) {
    Start();
    BeforePressOnIcon();
    const POINT at = drv::Center(icon_);
    const drv::Waited<drv::Menu> menu = drv::OpenTrayMenu(note_->Pid(), icon_);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->Texts(), (std::vector<std::string>{"隐藏", "退出"}));
    EXPECT_EQ(menu->Find("隐藏")->id, CmdTrayResize);
    EXPECT_EQ(menu->Find("退出")->id, CmdTrayExit);
    EXPECT_EQ(menu->rect.left, at.x);
    EXPECT_EQ(menu->rect.top, at.y);

    // The release chose nothing; a click elsewhere closes the menu and changes nothing.
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(drv::PopupMenuWindow(note_->Pid()), menu->hwnd);
    drv::Click({at.x + 400, at.y + 300});
    EXPECT_TRUE(drv::WaitForGone(menu->hwnd));
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(drv::IsVisible(window_));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
}

// Other mouse actions over the icon do nothing: a middle click, moves, a release alone.
TEST_F(TrayIcon, OnlyPressesOfTheLeftAndRightButtonsDoAnything) {
    Start();
    ClickChild(IDC_SPDBTNFORMHIDE);
    ASSERT_FALSE(drv::IsVisible(window_));
    BeforePressOnIcon();
    drv::Click(drv::Center(icon_), drv::MouseButton::Middle);
    drv::MoveTo({drv::Center(icon_).x + 3, drv::Center(icon_).y + 2});
    drv::ButtonUp(drv::MouseButton::Left);
    drv::ButtonUp(drv::MouseButton::Right);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(drv::StaysTrue(
        [&] { return !drv::IsVisible(window_) && !drv::PopupMenuWindow(note_->Pid()); }, 1s,
        "the note hidden and no menu"));
}

struct HideShowCase {
    const char* name;
    std::function<void(const TrayIcon&)> hide;
    std::function<void(const TrayIcon&)> show;
};

class TrayHideShow : public TrayIcon, public ::testing::WithParamInterface<HideShowCase> {};

// Whatever hid the note, the menu then offers "显示"; whatever showed it, "隐藏".
TEST_P(TrayHideShow, TheMenuItemFollowsTheWindow) {
    Start();
    EXPECT_EQ(ShowHideItem(), "隐藏");
    const RECT before = drv::WindowRect(window_);
    GetParam().hide(*this);
    ExpectHidden();
    GetParam().show(*this);
    ExpectShown();
    const RECT after = drv::WindowRect(window_);
    EXPECT_TRUE(EqualRect(&before, &after)) << "shown where it was";
    // Shown once: a second press or the double click's own message does not hide it.
    EXPECT_TRUE(
        drv::StaysTrue([&] { return drv::IsVisible(window_); }, 700ms, "the note stays shown"));
    // And the keyboard is the editor's again.
    drv::TypeText("q");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Text(), "q");
}

const auto kHideButton = [](const TrayIcon& note) { note.ClickChild(IDC_SPDBTNFORMHIDE); };
const auto kMinimiseItem = [](const TrayIcon& note) { note.ChooseEditItem("最小化"); };
const auto kLeftPress = [](const TrayIcon& note) {
    // Shown on the press, before the release.
    note.BeforePressOnIcon();
    drv::MoveTo(drv::Center(note.icon_));
    drv::ButtonDown(drv::MouseButton::Left);
    EXPECT_TRUE(drv::WaitUntil([&] { return drv::IsVisible(note.window_); }, drv::kWaitTimeout,
                               "the note shown while the button is down"));
    drv::ButtonUp(drv::MouseButton::Left);
    ASSERT_TRUE(drv::Settle(note.window_));
};
const auto kDoubleClick = [](const TrayIcon& note) {
    note.BeforePressOnIcon();
    drv::DoubleClick(drv::Center(note.icon_));
    ASSERT_TRUE(drv::Settle(note.window_));
};

INSTANTIATE_TEST_SUITE_P(
    Ways, TrayHideShow,
    ::testing::Values(
        HideShowCase{"HideButtonThenLeftPress", kHideButton, kLeftPress},
        HideShowCase{"MinimiseItemThenShowItem", kMinimiseItem,
                     [](const TrayIcon& note) { note.Choose("显示", drv::MouseButton::Left); }},
        HideShowCase{"HideItemThenDoubleClick",
                     [](const TrayIcon& note) { note.Choose("隐藏", drv::MouseButton::Left); },
                     kDoubleClick},
        HideShowCase{"ItemsChosenWithTheRightButton",
                     [](const TrayIcon& note) { note.Choose("隐藏", drv::MouseButton::Right); },
                     [](const TrayIcon& note) { note.Choose("显示", drv::MouseButton::Right); }}),
    drv::CaseName());

struct FrontCase {
    const char* name;
    bool aboutOpen;
};

class TrayFront : public TrayIcon, public ::testing::WithParamInterface<FrontCase> {};

// A left press on the icon while the note is shown changes nothing but the foreground: the
// note comes forward, or the About window when it is open over the note.
TEST_P(TrayFront, ALeftPressBringsTheProgramForward) {
    Start();
    HWND about = nullptr;
    if (GetParam().aboutOpen) {
        ChooseEditItem("关于");
        const auto shown = drv::WaitForShownTopLevel(note_->Pid(), kAboutWindowClassName);
        ASSERT_TRUE(shown);
        about = *shown;
    }
    drv::OwnWindow other(CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 600,
                                         100, 200, 100, nullptr, nullptr, nullptr, nullptr));
    SetForegroundWindow(other.get());
    ASSERT_TRUE(drv::WaitUntil([&] { return GetForegroundWindow() == other.get(); }, 5s,
                               "the other window in front"));

    ClickIcon();
    const HWND expected = GetParam().aboutOpen ? about : window_;
    EXPECT_TRUE(drv::WaitUntil([&] { return GetForegroundWindow() == expected; }, 5s,
                               "the program in front"));
    EXPECT_TRUE(drv::IsVisible(window_));
    EXPECT_EQ(drv::IsEnabled(window_), !GetParam().aboutOpen);
    EXPECT_EQ(drv::IsVisible(about), GetParam().aboutOpen);
}

INSTANTIATE_TEST_SUITE_P(Windows, TrayFront,
                         ::testing::Values(FrontCase{"Note", false},
                                           FrontCase{"AboutWindow", true}),
                         drv::CaseName());

TEST_F(TrayIcon, ASecondLaunchLeavesAHiddenNoteHidden) {
    Start();
    ClickChild(IDC_SPDBTNFORMHIDE);
    ASSERT_FALSE(drv::IsVisible(window_));
    EXPECT_EQ(note_->LaunchAnother().WaitForExit(drv::kStartTimeout).Optional(), 0u);
    EXPECT_TRUE(drv::StaysTrue([&] { return !drv::IsVisible(window_); }, 1s, "the note hidden"));
    EXPECT_EQ(drv::TrayIcons(), std::vector<HWND>{icon_}) << "the second launch adds no icon";
    EXPECT_EQ(ShowHideItem(), "显示");
}

TEST_F(TrayIcon, ALeftPressShowsANoteStartedMinimised) {
    Start({.showCommand = WORD{SW_SHOWMINNOACTIVE}});
    ASSERT_FALSE(drv::IsVisible(window_));
    ClickIcon();
    ExpectShown();
}

struct LeaveMenuCase {
    const char* name;
    std::function<void(const drv::Menu&)> leave;
};

class TrayMenuOfHiddenNote : public TrayIcon,
                             public ::testing::WithParamInterface<LeaveMenuCase> {};

// The menu needs the program in front, so a hidden note is made the foreground window for
// it. Once the menu is left without a choice, keys typed into what looks like nothing must
// not reach the hidden editor and be saved; once the note is shown, they reach it again.
TEST_P(TrayMenuOfHiddenNote, KeysTypedAfterwardsNeverReachTheHiddenNote) {
    Start({.files = {{"Memo.rtf", "kept"}}});
    const std::string text = Text();
    ASSERT_EQ(text, "kept");
    ClickChild(IDC_SPDBTNFORMHIDE);
    ASSERT_FALSE(drv::IsVisible(window_));
    const std::optional<std::string> saved = note_->ReadFile("Memo.rtf");

    const drv::Menu menu = OpenMenu();
    GetParam().leave(menu);
    ASSERT_TRUE(drv::WaitForGone(menu.hwnd));
    ExpectKeysChangeNothing(text, saved);

    ClickIcon();
    ExpectShown();
    drv::PressKey(VK_END, drv::kCtrl);
    drv::TypeText("q");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Text(), text + "q");
}

INSTANTIATE_TEST_SUITE_P(
    Ways, TrayMenuOfHiddenNote,
    ::testing::Values(LeaveMenuCase{"EscapeKey",
                                    [](const drv::Menu&) { drv::PressKey(VK_ESCAPE); }},
                      LeaveMenuCase{"ClickElsewhere",
                                    [](const drv::Menu& menu) {
                                        drv::Click({menu.rect.right + 300, menu.rect.bottom + 200});
                                    }}),
    drv::CaseName());

struct ModalCase {
    const char* name;
    std::function<void(const TrayIcon&)> open;
    std::function<void(const TrayIcon&)> close;
};

class TrayHideUnderModal : public TrayIcon, public ::testing::WithParamInterface<ModalCase> {};

// Hidden from the tray while a box or the About window is up, the note is not the window
// the keyboard goes back to when that closes.
TEST_P(TrayHideUnderModal, KeysTypedAfterwardsNeverReachTheHiddenNote) {
    Start({.files = {{"Memo.rtf", "kept"}}});
    drv::Click(drv::Center(drv::ChildById(window_, IDC_REMEMO)));
    const std::optional<std::string> saved = note_->ReadFile("Memo.rtf");
    GetParam().open(*this);
    Choose("隐藏");
    ASSERT_FALSE(drv::IsVisible(window_));
    GetParam().close(*this);
    ASSERT_TRUE(drv::Settle(window_));
    ExpectKeysChangeNothing("kept", saved);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, TrayHideUnderModal,
    ::testing::Values(
        ModalCase{"AboutWindow",
                  [](const TrayIcon& note) {
                      note.ChooseEditItem("关于");
                      ASSERT_TRUE(
                          drv::WaitForShownTopLevel(note.note_->Pid(), kAboutWindowClassName));
                  },
                  [](const TrayIcon& note) {
                      const auto about =
                          drv::WaitForShownTopLevel(note.note_->Pid(), kAboutWindowClassName);
                      ASSERT_TRUE(about);
                      PostMessageA(*about, WM_SYSCOMMAND, SC_CLOSE, 0);
                      ASSERT_TRUE(drv::WaitUntil([&] { return !drv::IsVisible(*about); },
                                                 drv::kWaitTimeout, "About closed"));
                  }},
        ModalCase{"CloseConfirmation",
                  [](const TrayIcon& note) {
                      drv::Click(drv::Center(drv::ChildById(note.window_, IDC_SPDBTNFORMCLOSE)));
                      ASSERT_TRUE(note.note_->WaitForMessageBox());
                  },
                  [](const TrayIcon& note) {
                      ASSERT_TRUE(drv::AnswerCloseConfirmation(note.note_->Pid(), IDNO));
                  }}),
    drv::CaseName());

struct ShellRestartCase {
    const char* name;
    bool iconLost;  // the shell lost the icon before it announced itself
};

class TrayShellRestart : public TrayIcon, public ::testing::WithParamInterface<ShellRestartCase> {};

// A hidden note relies on its icon: when the restarted shell announces itself, the icon is
// there again, once, and shows the note.
TEST_P(TrayShellRestart, TheIconIsThereAgainAndShowsTheNote) {
    Start();
    ClickChild(IDC_SPDBTNFORMHIDE);
    ASSERT_FALSE(drv::IsVisible(window_));
    if (GetParam().iconLost) {
        ASSERT_TRUE(drv::ForgetTrayIcon(window_));
        ASSERT_TRUE(drv::WaitForNoTrayIcon());
    }
    drv::SendTaskbarCreated(window_);
    ASSERT_TRUE(drv::Settle(window_));
    const drv::Waited<HWND> icon = drv::WaitForTrayIcon();
    ASSERT_TRUE(icon);
    EXPECT_TRUE(
        drv::StaysTrue([] { return drv::TrayIcons().size() == 1; }, 700ms, "one icon, not two"));
    icon_ = *icon;
    EXPECT_EQ(ShowHideItem(), "显示");
    ClickIcon();
    ExpectShown();
}

INSTANTIATE_TEST_SUITE_P(Cases, TrayShellRestart,
                         ::testing::Values(ShellRestartCase{"IconLost", true},
                                           ShellRestartCase{"IconStillThere", false}),
                         drv::CaseName());

}  // namespace
