// The note's own window commands as a user meets them: the "T" that keeps the note above
// other windows or not, every way of closing and its confirmation, the system's question at
// log-off, message boxes that are never covered by the note, and the maker's web site.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "driver/driver.h"
#include "driver/owners.h"
#include "panels.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

constexpr char kSiteAddress[] = "http://www.velnor.example/";

// True when `upper` lies above `lower` in the desktop's stacking order.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND hwnd = GetWindow(upper, GW_HWNDNEXT); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        if (hwnd == lower) return true;
    }
    return false;
}

// A started note and its icon; the helpers are public for the cases' functions.
class WindowCommands : public ::testing::Test {
public:
    void Start() {
        if (!note_) note_ = std::make_unique<drv::NotesProcess>();
        note_->Launch();
        window_ = *note_->WaitForNoteWindow();
        ASSERT_TRUE(drv::Settle(window_));
        icon_ = *drv::WaitForTrayIcon();
    }

    HWND Child(int id) const { return drv::ChildById(window_, id); }
    POINT InEditor() const { return drv::ClientToScreen(Child(IDC_REMEMO), {150, 200}); }
    // A left click on a top-bar button; a confirmation it opens is left up.
    void ClickChild(int id) const { drv::Click(drv::Center(Child(id))); }
    void ChooseEditItem(const char* item) const {
        drv::Click(InEditor(), drv::MouseButton::Right);
        ASSERT_TRUE(drv::ChooseMenuItem(*drv::WaitForPopupMenu(note_->Pid()), item)) << item;
    }
    void ChooseTrayItem(const char* item) const {
        const drv::Waited<drv::Menu> menu =
            drv::OpenTrayMenuAway(note_->Pid(), window_, WM_TRAYICON);
        ASSERT_TRUE(menu);
        ASSERT_TRUE(drv::ChooseMenuItem(*menu, item)) << item;
    }
    void ShowPanels() const {
        // Called up from outside: opening them is not what is tested here.
        ASSERT_TRUE(panels::CallUp(window_));
    }
    bool PanelsShown() const {
        return drv::IsVisible(Child(IDC_PNLALPHA)) && drv::IsVisible(Child(IDC_PNLBGCOLOR));
    }
    bool PanelsHidden() const {
        return !drv::IsVisible(Child(IDC_PNLALPHA)) && !drv::IsVisible(Child(IDC_PNLBGCOLOR));
    }

    // The band the note is in and the one "T" that tells it: drawn pressed for the
    // topmost band, plain for the normal band.
    void ExpectStayOnTop(bool on, const char* step) const {
        EXPECT_EQ(drv::IsTopmost(window_), on) << step;
        EXPECT_EQ(drv::IsVisible(Child(IDC_SPDBTNFORMTOP)), on) << step;
        EXPECT_EQ(drv::IsVisible(Child(IDC_SPDBTNFORMTOPHIDE)), !on) << step;
    }
    // Still running as before: shown, usable, topmost, its one icon there, no box up.
    void ExpectUnchanged(const RECT& rect) const {
        EXPECT_TRUE(note_->IsRunning());
        EXPECT_TRUE(drv::IsVisible(window_));
        EXPECT_TRUE(drv::IsEnabled(window_));
        EXPECT_TRUE(drv::IsTopmost(window_));
        const RECT now = drv::WindowRect(window_);
        EXPECT_TRUE(EqualRect(&now, &rect));
        EXPECT_EQ(drv::TrayIcons(), std::vector<HWND>{icon_});
        EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND icon_ = nullptr;
};

// Each click on the visible "T" switches the band without moving the note; hiding and
// showing keep the band; the next start is topmost again, since nothing stores it.
TEST_F(WindowCommands, TheStayOnTopButtonSwitchesTheBandUntilTheProgramEnds) {
    Start();
    ExpectStayOnTop(true, "at start");
    const RECT place = drv::WindowRect(window_);

    ClickChild(IDC_SPDBTNFORMTOP);
    ASSERT_TRUE(drv::Settle(window_));
    ExpectStayOnTop(false, "switched off");
    RECT now = drv::WindowRect(window_);
    EXPECT_TRUE(EqualRect(&now, &place)) << "neither moved nor sized";
    // An ordinary window activated later now covers the note.
    drv::OwnWindow other(CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE,
                                         place.left, place.top, 200, 200, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr));
    SetForegroundWindow(other.get());
    EXPECT_TRUE(drv::WaitUntil([&] { return IsAbove(other.get(), window_); }, drv::kWaitTimeout,
                               "the other window above the note"));

    ClickChild(IDC_SPDBTNFORMHIDE);
    ASSERT_TRUE(drv::Settle(window_));
    ASSERT_FALSE(drv::IsVisible(window_));
    drv::Click(drv::Center(icon_));
    ASSERT_TRUE(drv::Settle(window_));
    ASSERT_TRUE(drv::IsVisible(window_));
    ExpectStayOnTop(false, "hidden and shown again");

    ClickChild(IDC_SPDBTNFORMTOPHIDE);
    ASSERT_TRUE(drv::Settle(window_));
    ExpectStayOnTop(true, "switched on again");
    EXPECT_TRUE(IsAbove(window_, other.get()));
    now = drv::WindowRect(window_);
    EXPECT_TRUE(EqualRect(&now, &place)) << "neither moved nor sized";

    ClickChild(IDC_SPDBTNFORMTOP);
    ASSERT_TRUE(drv::Settle(window_));
    ExpectStayOnTop(false, "switched off before the end");
    ASSERT_TRUE(drv::CloseAndConfirm(*note_));
    Start();
    ExpectStayOnTop(true, "after a restart");
}

struct CloseWay {
    const char* name;
    std::function<void(const WindowCommands&)> request;
};

class CloseRequest : public WindowCommands, public ::testing::WithParamInterface<CloseWay> {};

// Every way of closing asks first; No leaves everything as it was.
TEST_P(CloseRequest, AnsweredNoChangesNothing) {
    Start();
    const RECT place = drv::WindowRect(window_);
    GetParam().request(*this);
    ASSERT_TRUE(drv::AnswerCloseConfirmation(note_->Pid(), IDNO));
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(drv::StaysTrue([&] { return note_->IsRunning(); }, 700ms, "the program running"));
    ExpectUnchanged(place);
    ExpectStayOnTop(true, "after No");
}

// Yes ends the program with exit code 0, and its icon does not outlive it: the shell keeps
// the icon of a program that ends without removing it.
TEST_P(CloseRequest, AnsweredYesRemovesTheIconAndEndsTheProgram) {
    Start();
    GetParam().request(*this);
    ASSERT_TRUE(drv::AnswerCloseConfirmation(note_->Pid(), IDYES));
    EXPECT_EQ(note_->WaitForExit().Optional(), 0u);
    EXPECT_TRUE(drv::TrayIcons().empty());
    EXPECT_TRUE(drv::TopLevelWindows(note_->Pid()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CloseRequest,
    ::testing::Values(
        CloseWay{"CloseButton",
                 [](const WindowCommands& note) { note.ClickChild(IDC_SPDBTNFORMCLOSE); }},
        CloseWay{"EditMenuExit", [](const WindowCommands& note) { note.ChooseEditItem("退出"); }},
        CloseWay{"TrayMenuExit", [](const WindowCommands& note) { note.ChooseTrayItem("退出"); }},
        CloseWay{"SystemClose",
                 [](const WindowCommands& note) { PostMessageA(note.window_, WM_CLOSE, 0, 0); }}),
    drv::CaseName());

struct EndSessionCase {
    const char* name;
    int answer;
    LRESULT reply;
};

class EndSessionQuery : public WindowCommands,
                        public ::testing::WithParamInterface<EndSessionCase> {};

// The system's question before a log-off is the close confirmation; either answer leaves the
// program running with its icon, since the system itself ends it after a Yes.
TEST_P(EndSessionQuery, IsAnsweredByTheConfirmationAndClosesNothing) {
    Start();
    const RECT place = drv::WindowRect(window_);
    DWORD_PTR reply = 0xBAD;
    LRESULT sent = 0;
    {
        const std::jthread system([&] {
            sent = SendMessageTimeoutA(window_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                       SMTO_NORMAL, 60'000, &reply);
        });
        EXPECT_TRUE(drv::AnswerCloseConfirmation(note_->Pid(), GetParam().answer));
    }
    ASSERT_NE(sent, 0) << "the question was answered";
    EXPECT_EQ(static_cast<LRESULT>(reply), GetParam().reply);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(drv::StaysTrue([&] { return note_->IsRunning(); }, 700ms, "the program running"));
    ExpectUnchanged(place);
}

INSTANTIATE_TEST_SUITE_P(Answers, EndSessionQuery,
                         ::testing::Values(EndSessionCase{"No", IDNO, FALSE},
                                           EndSessionCase{"Yes", IDYES, TRUE}),
                         drv::CaseName());

struct BoxCase {
    const char* name;
    bool stayOnTop;
    bool error;  // an error box, else the close confirmation
};

class BoxOverTheNote : public WindowCommands, public ::testing::WithParamInterface<BoxCase> {};

// A box is never covered by the note: while it is up the note leaves the topmost band and
// ignores the user; afterwards it is back in the band it was in.
TEST_P(BoxOverTheNote, TheNoteLeavesTheTopmostBandWhileABoxIsUp) {
    const BoxCase& c = GetParam();
    Start();
    if (!c.stayOnTop) {
        ClickChild(IDC_SPDBTNFORMTOP);
        ASSERT_TRUE(drv::Settle(window_));
        ASSERT_FALSE(drv::IsTopmost(window_));
    }
    drv::ClipboardHolder holder;
    drv::MsgBox box;
    if (c.error) {
        ASSERT_TRUE(holder.Held());
        drv::Click(InEditor());
        box = *note_->WaitForMessageBox();
        EXPECT_EQ(box.text, "Cannot open clipboard.");
    } else {
        holder.Release();
        ClickChild(IDC_SPDBTNFORMCLOSE);
        box = *drv::WaitForCloseConfirmation(note_->Pid());
    }
    EXPECT_FALSE(drv::IsTopmost(window_));
    EXPECT_FALSE(drv::IsEnabled(window_));
    EXPECT_FALSE(drv::IsTopmost(box.hwnd) && !c.error) << "the confirmation is an ordinary box";

    ASSERT_TRUE(drv::Press(box, c.error ? IDOK : IDNO));
    ASSERT_TRUE(drv::WaitForGone(box.hwnd));
    holder.Release();
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(drv::IsEnabled(window_));
    ExpectStayOnTop(c.stayOnTop, "after the box");
}

INSTANTIATE_TEST_SUITE_P(Boxes, BoxOverTheNote,
                         ::testing::Values(BoxCase{"ErrorWhileOnTop", true, true},
                                           BoxCase{"ConfirmationWhileOnTop", true, false},
                                           BoxCase{"ErrorWhileNotOnTop", false, true},
                                           BoxCase{"ConfirmationWhileNotOnTop", false, false}),
                         drv::CaseName());

// The address handler stands in for the browser.
class WebSite : public WindowCommands {
public:
    drv::ShellHandler shell_;
};

struct PressCase {
    const char* name;
    int button;
    drv::MouseButton mouse;
    bool panelsStay;
    std::size_t opened;  // addresses opened after the release
};

class PressOnButton : public WebSite, public ::testing::WithParamInterface<PressCase> {};

// A right press on "X" closes the panels and, being no click, asks nothing; a press on "e"
// leaves them open and its release opens the maker's web site.
TEST_P(PressOnButton, ClosesThePanelsOrNotAndRunsOnlyALeftClick) {
    const PressCase& c = GetParam();
    Start();
    ShowPanels();
    drv::MoveTo(drv::Center(Child(c.button)));
    drv::ButtonDown(c.mouse);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(PanelsShown(), c.panelsStay) << "after the press";
    EXPECT_EQ(PanelsHidden(), !c.panelsStay) << "after the press";
    drv::ButtonUp(c.mouse);
    ASSERT_TRUE(drv::Settle(window_));
    if (c.opened > 0) {
        ASSERT_TRUE(shell_.WaitForOpened(c.opened));
    }
    EXPECT_TRUE(
        drv::StaysTrue([&] { return drv::CountMessageBoxes(note_->Pid()) == 0; }, 700ms, "no box"));
    EXPECT_EQ(shell_.Opened(), std::vector<std::string>(c.opened, kSiteAddress));
    EXPECT_EQ(PanelsShown(), c.panelsStay) << "after the release";
    EXPECT_TRUE(note_->IsRunning());
    EXPECT_TRUE(drv::IsVisible(window_));
}

INSTANTIATE_TEST_SUITE_P(Buttons, PressOnButton,
                         ::testing::Values(PressCase{"CloseRightButton", IDC_SPDBTNFORMCLOSE,
                                                     drv::MouseButton::Right, false, 0},
                                           PressCase{"SiteLeftButton", IDC_SPDBTNSITE,
                                                     drv::MouseButton::Left, true, 1}),
                         drv::CaseName());

TEST_F(WebSite, TheMenuItemOpensTheSiteOnce) {
    Start();
    ChooseEditItem("访问网站");
    ASSERT_TRUE(shell_.WaitForOpened(1));
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(drv::StaysTrue([&] { return shell_.Opened().size() == 1; }, 700ms, "one start"));
    EXPECT_EQ(shell_.Opened(), std::vector<std::string>{kSiteAddress});
    EXPECT_TRUE(drv::IsVisible(window_));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
}

// Nothing able to open the address: nothing is said and the note goes on.
TEST_F(WebSite, AnAddressNothingCanOpenIsNotReported) {
    shell_.Break("http");
    Start();
    ClickChild(IDC_SPDBTNSITE);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(
        drv::StaysTrue([&] { return drv::CountMessageBoxes(note_->Pid()) == 0; }, 1s, "no box"));
    EXPECT_TRUE(drv::IsVisible(window_));
    EXPECT_TRUE(drv::IsEnabled(window_));
}

}  // namespace
