// The About window as a user meets it: opened from the editor menu over the disabled note,
// its texts and fields, the keyboard, closing, and where it comes back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>

#include "about/about_ids.h"
#include "driver/driver.h"
#include "driver/owners.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

struct Field {
    int id;
    const char* text;  // GBK at run time
    RECT rect;         // as laid out, in the window's client coordinates
};

// The value fields and the button stand where the layout put them.
constexpr Field kFields[] = {
    {IDC_ABOUT_LABEL4, "Velnor桌面记事贴", {8, 16, 121, 29}},
    {IDC_ABOUT_EDIT1, "1.03", {93, 39, 153, 53}},
    {IDC_ABOUT_EDIT2, "Velnor", {93, 63, 153, 77}},
    {IDC_ABOUT_EDIT5, "10000、10001", {93, 87, 241, 101}},
    {IDC_ABOUT_EDIT6, "10002", {93, 111, 177, 125}},
    {IDC_ABOUT_EDIT7, "http://www.velnor.example/", {93, 135, 209, 149}},
    {IDC_ABOUT_EDIT3, "Copyright (C) Velnor. All rights reserved.", {37, 159, 233, 173}},
    {IDC_ABOUT_BTNCLOSE, "关闭", {104, 192, 179, 217}},
};
// The captions fit their text and end where the layout ended them, before the fields.
constexpr Field kCaptions[] = {
    {IDC_ABOUT_LABEL1, "版本号：", {0, 40, 88, 53}},
    {IDC_ABOUT_LABEL2, "开发者：", {0, 64, 88, 77}},
    {IDC_ABOUT_LABEL3, "QQ：", {0, 88, 87, 101}},
    {IDC_ABOUT_LABEL5, "QQ讨论群：", {0, 112, 87, 125}},
    {IDC_ABOUT_LABEL6, "网站支持：", {0, 135, 87, 148}},
};
constexpr int kValueFields[] = {IDC_ABOUT_EDIT1, IDC_ABOUT_EDIT2, IDC_ABOUT_EDIT5,
                                IDC_ABOUT_EDIT6, IDC_ABOUT_EDIT7, IDC_ABOUT_EDIT3};

using drv::SendTo;

drv::Rgb SystemColour(int index) {
    const COLORREF c = GetSysColor(index);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// The application icon (yellow, with red digits) at the left of the caption bar.
bool ShowsTheApplicationIcon(const RECT& window) {
    bool yellow = false;
    bool red = false;
    for (int y = window.top; y < window.top + 24; ++y) {
        for (int x = window.left; x < window.left + 24; ++x) {
            const auto pixel = drv::PixelAt(x, y);
            yellow = yellow || pixel == drv::Rgb{255, 255, 0};
            red = red || pixel == drv::Rgb{255, 0, 0};
        }
    }
    return yellow && red;
}

class About : public ::testing::Test {
protected:
    void Start(drv::NotesSetup setup = {}) {
        note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
        note_->Launch();
        window_ = *note_->WaitForNoteWindow();
        editor_ = drv::ChildById(window_, IDC_REMEMO);
    }
    // From the editor menu, as a user opens it.
    void Open() {
        drv::Click(drv::Center(editor_), drv::MouseButton::Right);
        ASSERT_TRUE(drv::ChooseMenuItem(*drv::WaitForPopupMenu(note_->Pid()), "关于"));
        const auto shown = drv::WaitForShownTopLevel(note_->Pid(), kAboutWindowClassName);
        ASSERT_TRUE(shown);
        ASSERT_TRUE(!about_ || *shown == about_) << "the same window each time";
        about_ = *shown;
        ASSERT_TRUE(drv::Settle(about_));
    }
    HWND Child(int id) const { return drv::ChildById(about_, id); }
    // A window of another program (this test) made the foreground window.
    static drv::OwnWindow AnotherProgramInFront() {
        drv::OwnWindow other(CreateWindowExA(0, "STATIC", "other program", WS_POPUP | WS_VISIBLE, 0,
                                             300, 200, 100, nullptr, nullptr,
                                             GetModuleHandleA(nullptr), nullptr));
        SetForegroundWindow(other.get());
        drv::WaitUntil([&] { return GetForegroundWindow() == other.get(); }, drv::kWaitTimeout,
                       "another program in front");
        return other;
    }
    HWND Button() const { return Child(IDC_ABOUT_BTNCLOSE); }
    // Closed, and the note usable again: enabled, active, typing reaches it.
    void ExpectClosedAndNoteBack() {
        EXPECT_TRUE(drv::WaitUntil([&] { return !drv::IsVisible(about_); }, drv::kWaitTimeout,
                                   "the About window hidden"));
        ASSERT_TRUE(drv::Settle(window_));
        EXPECT_TRUE(drv::IsEnabled(window_));
        EXPECT_EQ(GetForegroundWindow(), window_);
        EXPECT_EQ(drv::FocusOf(window_), editor_);
        drv::TypeText("back");
        ASSERT_TRUE(drv::Settle(window_));
        EXPECT_NE(note_->ReadFile("Memo.rtf")->find("back"), std::string::npos);
        EXPECT_TRUE(IsWindow(about_)) << "hidden, never destroyed";
    }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
    HWND about_ = nullptr;
};

// A start makes no About window; the first opening makes it, owned like the note, and
// closing only hides it.
TEST_F(About, IsMadeWhenFirstOpenedAndThenKept) {
    Start();
    EXPECT_EQ(drv::FindTopLevel(note_->Pid(), kAboutWindowClassName), nullptr);
    Open();
    EXPECT_EQ(drv::Owner(about_), drv::Owner(window_)) << "owned by the application window";
    EXPECT_EQ(drv::WindowText(about_), "关于");
    EXPECT_EQ(drv::WindowText(Button()), "关闭");
    drv::PressKey(VK_RETURN);
    ExpectClosedAndNoteBack();
    EXPECT_EQ(drv::FindTopLevels(note_->Pid(), kAboutWindowClassName), std::vector<HWND>{about_});
}

TEST_F(About, OpensCentredAndLaidOutWithTheFocusOnClose) {
    Start();
    Open();
    const RECT rect = drv::WindowRect(about_);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - drv::Width(rect)) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - drv::Height(rect)) / 2);
    const RECT client = drv::ClientRect(about_);
    EXPECT_EQ(drv::Width(client), 287);
    EXPECT_EQ(drv::Height(client), 232);
    const LONG frame = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
    EXPECT_EQ(drv::Style(about_) & frame, frame & ~WS_THICKFRAME);
    EXPECT_TRUE(ShowsTheApplicationIcon(rect));
    EXPECT_EQ(drv::FocusOf(about_), Button());
    EXPECT_EQ(GetForegroundWindow(), about_);
    EXPECT_FALSE(drv::IsEnabled(window_));

    for (const Field& f : kFields) {
        SCOPED_TRACE(f.text);
        const HWND child = Child(f.id);
        const RECT r = drv::ChildRect(child, about_);
        EXPECT_EQ(drv::ControlText(child), f.text);
        EXPECT_EQ(r.left, f.rect.left);
        EXPECT_EQ(r.top, f.rect.top);
        EXPECT_EQ(r.bottom, f.rect.bottom);
        // A wider font than the layout's may widen a value field, never narrow it.
        EXPECT_GE(r.right, f.rect.right);
        EXPECT_LE(r.right, client.right - 8);
    }
    for (const Field& f : kCaptions) {
        SCOPED_TRACE(f.text);
        const RECT r = drv::ChildRect(Child(f.id), about_);
        EXPECT_EQ(drv::WindowText(Child(f.id)), f.text);
        EXPECT_EQ(r.right, f.rect.right);
        EXPECT_EQ(r.top, f.rect.top);
        EXPECT_GT(r.left, 8);
    }
    for (const int id : kValueFields) {
        SCOPED_TRACE(id);
        const HWND field = Child(id);
        EXPECT_EQ(drv::Style(field) & (WS_BORDER | WS_TABSTOP | ES_READONLY), ES_READONLY);
        EXPECT_FALSE(drv::ExStyle(field) & WS_EX_CLIENTEDGE);
        // The whole value is in view, on the window's colour.
        const auto length = static_cast<WPARAM>(drv::ControlText(field).size());
        const auto last = static_cast<DWORD>(SendTo(field, EM_POSFROMCHAR, length - 1));
        EXPECT_LT(static_cast<short>(LOWORD(last)), drv::Width(drv::ClientRect(field)) - 4);
        const RECT r = drv::WindowRect(field);
        EXPECT_EQ(drv::PixelAt(r.right - 2, r.top + 1), SystemColour(COLOR_BTNFACE));
    }
}

TEST_F(About, TheKeyboardNeverLeavesTheButtonAndNeitherEscapeNorTabCloses) {
    Start();
    Open();
    const struct {
        WORD vk;
        unsigned modifiers;
    } keys[] = {{VK_TAB, 0}, {VK_TAB, drv::kShift}, {VK_DOWN, 0},   {VK_RIGHT, 0},
                {VK_UP, 0},  {VK_LEFT, 0},          {VK_ESCAPE, 0}, {'X', 0}};
    for (const auto& key : keys) {
        SCOPED_TRACE(key.vk);
        drv::PressKey(key.vk, key.modifiers);
        ASSERT_TRUE(drv::Settle(about_));
        EXPECT_TRUE(drv::IsVisible(about_));
        EXPECT_EQ(drv::FocusOf(about_), Button());
    }
}

TEST_F(About, ValueFieldsCanBeSelectedAndCopiedButNotChanged) {
    Start();
    Open();
    ASSERT_TRUE(drv::SetClipboardText("pasted"));
    for (const int id : kValueFields) {
        const HWND field = Child(id);
        const std::string text = drv::ControlText(field);
        SCOPED_TRACE(text);
        const RECT r = drv::WindowRect(field);
        drv::Click({r.left + 2, r.top + 5});
        drv::TypeText("typed");
        for (const WORD vk : {WORD{VK_BACK}, WORD{VK_DELETE}}) drv::PressKey(vk);
        drv::PressKey('V', drv::kCtrl);
        drv::PressKey('X', drv::kCtrl);
        ASSERT_TRUE(drv::Settle(about_));
        EXPECT_EQ(drv::ControlText(field), text);
        EXPECT_EQ(drv::ClipboardText(), "pasted");

        drv::Drag({r.left + 1, r.top + 5}, {r.right + 20, r.top + 5});
        drv::PressKey('C', drv::kCtrl);
        ASSERT_TRUE(drv::Settle(about_));
        EXPECT_EQ(drv::ClipboardText(), text);
        ASSERT_TRUE(drv::SetClipboardText("pasted"));

        // Tab leaves a field for the button, never for another field.
        drv::PressKey(VK_TAB);
        ASSERT_TRUE(drv::Settle(about_));
        EXPECT_EQ(drv::FocusOf(about_), Button());
    }
}

struct Reactivation {
    const char* name;
    std::function<void(drv::NotesProcess& note, HWND about)> activate;
};

class AboutReactivated : public About, public ::testing::WithParamInterface<Reactivation> {};

// Activated again after another program, the window gives the keyboard back to the field
// that had it; each new showing starts at the button.
TEST_P(AboutReactivated, GivesTheKeyboardBackToTheFieldThatHadIt) {
    Start();
    Open();
    const HWND field = Child(IDC_ABOUT_EDIT7);
    const RECT r = drv::WindowRect(field);
    drv::Click({r.left + 2, r.top + 5});
    ASSERT_TRUE(drv::Settle(about_));
    ASSERT_EQ(drv::FocusOf(about_), field);

    const drv::OwnWindow other = AnotherProgramInFront();
    ASSERT_EQ(GetForegroundWindow(), other.get());
    GetParam().activate(*note_, about_);
    ASSERT_TRUE(drv::WaitUntil([&] { return GetForegroundWindow() == about_; }, drv::kWaitTimeout,
                               "the About window in front"));
    ASSERT_TRUE(drv::Settle(about_));
    EXPECT_EQ(drv::FocusOf(about_), field);

    drv::Click(drv::Center(Button()));
    ExpectClosedAndNoteBack();
    Open();
    EXPECT_EQ(drv::FocusOf(about_), Button());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutReactivated,
    ::testing::Values(Reactivation{"ClickOnTheCaption",
                                   [](drv::NotesProcess&, HWND about) {
                                       const RECT w = drv::WindowRect(about);
                                       drv::Click({w.left + 60, w.top + 8});
                                   }},
                      Reactivation{"ASecondLaunch",
                                   [](drv::NotesProcess& note, HWND) {
                                       EXPECT_EQ(note.LaunchAnother().WaitForExit().Optional(), 0u);
                                   }}),
    drv::CaseName());

TEST_F(About, TheNoteIgnoresTheUserWhileItIsOpen) {
    Start({.files = {{"Memo.rtf", "kept"}}});
    Open();
    drv::Click(drv::Center(editor_));
    drv::TypeText("zz");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(drv::ControlText(editor_), "kept");
    EXPECT_EQ(note_->ReadFile("Memo.rtf"), "kept");
    EXPECT_TRUE(drv::IsVisible(about_));
    EXPECT_FALSE(drv::IsEnabled(window_));
    drv::Click(drv::Center(Button()));
    ExpectClosedAndNoteBack();
}

struct CloseWay {
    const char* name;
    std::function<void(HWND about, HWND button)> close;
};

class AboutClose : public About, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(AboutClose, HidesItAndGivesTheNoteBack) {
    Start();
    Open();
    GetParam().close(about_, Button());
    ExpectClosedAndNoteBack();
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutClose,
    ::testing::Values(
        CloseWay{"ButtonClick", [](HWND, HWND button) { drv::Click(drv::Center(button)); }},
        CloseWay{"SpaceOnTheButton", [](HWND, HWND) { drv::PressKey(VK_SPACE); }},
        CloseWay{"EnterOnTheButton", [](HWND, HWND) { drv::PressKey(VK_RETURN); }},
        CloseWay{"AltF4", [](HWND, HWND) { drv::PressKey(VK_F4, drv::kAlt); }},
        CloseWay{"CaptionCloseButton",
                 [](HWND about, HWND) { PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
    drv::CaseName());

TEST_F(About, OpensAgainWhereItWasMovedTo) {
    Start();
    Open();
    const RECT centred = drv::WindowRect(about_);
    const POINT caption = {centred.left + 60, centred.top + 8};
    drv::Drag(caption, {caption.x - 150, caption.y - 100});
    ASSERT_TRUE(drv::Settle(about_));
    const RECT moved = drv::WindowRect(about_);
    ASSERT_EQ(moved.left, centred.left - 150);
    ASSERT_EQ(moved.top, centred.top - 100);
    drv::Click(drv::Center(Button()));
    ExpectClosedAndNoteBack();

    Open();
    const RECT reopened = drv::WindowRect(about_);
    EXPECT_TRUE(EqualRect(&moved, &reopened));
    for (const Field& f : kFields) EXPECT_EQ(drv::ControlText(Child(f.id)), f.text);
}

// Only message boxes take the note out of the topmost band; the About window stays below
// it. (Wine without a window manager draws a newly shown window on top of the X stack
// whatever the system's order, so the order is read rather than the screen.)
TEST_F(About, StaysBelowATopmostNoteThatCoversIt) {
    Start({.files = {{"Setup.ini", "[FORM]\r\nLeft=400\r\nTop=250\r\n"}}});
    Open();
    RECT overlap = {};
    const RECT note = drv::WindowRect(window_);
    const RECT about = drv::WindowRect(about_);
    ASSERT_TRUE(IntersectRect(&overlap, &note, &about));
    EXPECT_TRUE(drv::IsTopmost(window_));
    EXPECT_FALSE(drv::IsTopmost(about_));
    const std::vector<HWND> order = drv::TopLevelWindows(note_->Pid());
    EXPECT_LT(std::find(order.begin(), order.end(), window_),
              std::find(order.begin(), order.end(), about_));
}

TEST_F(About, ASecondLaunchBringsItForward) {
    Start();
    Open();
    const drv::OwnWindow other = AnotherProgramInFront();
    ASSERT_EQ(GetForegroundWindow(), other.get());
    EXPECT_EQ(note_->LaunchAnother().WaitForExit().Optional(), 0u);
    EXPECT_TRUE(drv::WaitUntil([&] { return GetForegroundWindow() == about_; }, drv::kWaitTimeout,
                               "the About window in front"));
    EXPECT_FALSE(drv::IsEnabled(window_));
}

// The end of the program (WM_QUIT) while the window is up ends its loop and then the
// program's, at once: no question or error box on the way, the note as it was, and nothing
// left beside it.
TEST_F(About, TheProgramsEndWhileItIsOpenEndsTheProgramCleanly) {
    Start({.files = {{"Memo.rtf", "kept"}}});
    Open();
    PostThreadMessageA(GetWindowThreadProcessId(about_, nullptr), WM_QUIT, 0, 0);
    bool boxShown = false;
    EXPECT_TRUE(drv::WaitUntil(
        [&] {
            boxShown = boxShown || drv::CountMessageBoxes(note_->Pid()) > 0;
            return !note_->IsRunning();
        },
        drv::kWaitTimeout, "the program's end"));
    EXPECT_FALSE(boxShown);
    EXPECT_EQ(note_->ReadFile("Memo.rtf"), "kept");
    EXPECT_EQ(drv::ListDirectory(note_->Dir().Path()),
              (std::vector<std::string>{"Memo.rtf", "Notes.exe"}));
    EXPECT_EQ(note_->ExitCode(), 0u);
}

}  // namespace
