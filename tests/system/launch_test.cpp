// Starting and ending the real Notes.exe through the driver: the window the user gets, its
// owner and title, the show command, one instance per program, the exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

#include "driver/driver.h"
#include "driver/owners.h"
#include "top_bar.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

struct ChildPlace {
    int id;
    const char* text;  // for the small buttons, else null
    RECT rect;         // in the note window's client coordinates
};

// The layout at 96 dpi with the 13-pixel window font of our Xvfb screen.
constexpr ChildPlace kPlaces[] = {
    {IDC_PANEL3, nullptr, {0, 0, 311, 17}},        {IDC_PANEL4, nullptr, {0, 300, 311, 303}},
    {IDC_PANEL1, nullptr, {0, 17, 3, 300}},        {IDC_PANEL2, nullptr, {308, 17, 311, 300}},
    {IDC_REMEMO, nullptr, {3, 17, 308, 300}},      {IDC_SPDBTNSITE, "e", {255, 3, 265, 13}},
    {IDC_SPDBTNFORMTOP, "T", {272, 3, 282, 13}},   {IDC_SPDBTNFORMHIDE, "-", {283, 3, 293, 13}},
    {IDC_SPDBTNFORMCLOSE, "X", {294, 3, 304, 13}},
};

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
    if (EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got {" << actual.left << ", " << actual.top << ", " << actual.right << ", "
           << actual.bottom << "}, expected {" << expected.left << ", " << expected.top << ", "
           << expected.right << ", " << expected.bottom << "}";
}

TEST(Launch, ShowsTheNoteWindowLaidOutInAnEmptyDirectory) {
    drv::NotesProcess note;
    note.Launch();
    const HWND window = *note.WaitForNoteWindow();

    EXPECT_EQ(note.ReadFile("Memo.rtf"), "");
    EXPECT_FALSE(drv::FileExists(note.File("Setup.ini")));
    EXPECT_TRUE(drv::ExStyle(window) & WS_EX_LAYERED);
    const RECT client = drv::ClientRect(window);
    EXPECT_EQ(drv::Width(client), 311);
    EXPECT_EQ(drv::Height(client), 303);
    EXPECT_EQ(drv::Style(window) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
    EXPECT_TRUE(drv::IsTopmost(window));
    EXPECT_EQ(drv::Opacity(window), 255);
    ASSERT_EQ(drv::ClassName(drv::ChildById(window, IDC_REMEMO)), "RICHEDIT");
    for (const ChildPlace& place : kPlaces) {
        SCOPED_TRACE(place.id);
        const HWND child = drv::ChildById(window, place.id);
        ASSERT_TRUE(child);
        EXPECT_TRUE(drv::IsVisible(child));
        EXPECT_TRUE(SameRect(drv::ChildRect(child, window), place.rect));
        if (place.text) {
            EXPECT_EQ(drv::WindowText(child), place.text);
        }
    }
    top_bar::ExpectAtTheRightEdge(window, 311);
    EXPECT_FALSE(drv::IsVisible(drv::ChildById(window, IDC_SPDBTNFORMTOPHIDE)));
    // Typing goes into the note straight away.
    ASSERT_TRUE(drv::Settle(window));
    drv::TypeText("q");
    ASSERT_TRUE(drv::Settle(window));
    EXPECT_EQ(drv::ControlText(drv::ChildById(window, IDC_REMEMO)), "q");
}

TEST(Launch, NoteWindowIsOwnedByTheHiddenApplicationWindow) {
    drv::NotesProcess note;
    note.Launch();
    const HWND window = *note.WaitForNoteWindow();
    const HWND owner = drv::Owner(window);
    ASSERT_TRUE(owner);
    EXPECT_EQ(drv::ProcessOf(owner), note.Pid());
    EXPECT_FALSE(drv::IsVisible(owner));
    EXPECT_EQ(drv::WindowText(owner), "Notes");
    // The tool-window style alone (the system adds the edge of a captioned window): no
    // taskbar button for the program.
    EXPECT_EQ(drv::ExStyle(owner) & ~WS_EX_WINDOWEDGE, WS_EX_TOOLWINDOW);
}

TEST(Launch, ConfirmedCloseEndsTheProgramWithExitCodeZero) {
    drv::NotesProcess note;
    note.Launch();
    ASSERT_TRUE(note.WaitForNoteWindow());
    EXPECT_TRUE(drv::CloseAndConfirm(note));
    EXPECT_TRUE(drv::TopLevelWindows(note.Pid()).empty());
}

struct TitleCase {
    const char* name;
    const char* exeName;
    const char* dirNamePart;
    const char* title;
};

class LaunchTitle : public ::testing::TestWithParam<TitleCase> {};

// The executable's name gives the title; GBK names and directories with spaces must work.
TEST_P(LaunchTitle, ComesFromTheExecutableName) {
    drv::NotesProcess note({.exeName = GetParam().exeName, .dirNamePart = GetParam().dirNamePart});
    note.Launch();
    const HWND window = *note.WaitForNoteWindow();
    EXPECT_EQ(drv::WindowText(drv::Owner(window)), GetParam().title);
    EXPECT_TRUE(drv::FileExists(note.File("Memo.rtf")));
}

INSTANTIATE_TEST_SUITE_P(
    Names, LaunchTitle,
    ::testing::Values(TitleCase{"Plain", "Notes.exe", "", "Notes"},
                      TitleCase{"TwoDotsMixedCase", "MyNote.Old.EXE", "", "Mynote"},
                      TitleCase{"NoDot", "NOTE", "", "Note"},
                      // "乗" is 0x81 0x5C: its trail byte must not be taken for a backslash.
                      TitleCase{"GbkTrailByteLikeABackslash", "乗表.exe", "", "乗表"},
                      TitleCase{"GbkFirstThenAscii", "乗ABC.Exe", "", "乗abc"},
                      TitleCase{"GbkInDirectoryWithSpaces", "便签.exe", "带 空格 的目录", "便签"}),
    drv::CaseName());

struct ShowCase {
    const char* name;
    std::optional<WORD> showCommand;
    bool visible;
    bool maximized;
    bool ownerMinimized;
};

class LaunchShowCommand : public ::testing::TestWithParam<ShowCase> {};

// The show command a launcher puts in STARTUPINFO reaches the program.
TEST_P(LaunchShowCommand, DecidesHowTheNoteAppears) {
    const ShowCase& c = GetParam();
    drv::NotesProcess note({.showCommand = c.showCommand});
    note.Launch();
    const HWND window = *note.WaitForNoteWindowCreated();
    ASSERT_TRUE(drv::Settle(window));
    EXPECT_EQ(drv::IsVisible(window), c.visible);
    EXPECT_EQ(drv::IsMaximized(window), c.maximized);
    EXPECT_EQ(drv::IsMinimized(drv::Owner(window)), c.ownerMinimized);
}

INSTANTIATE_TEST_SUITE_P(Commands, LaunchShowCommand,
                         ::testing::Values(ShowCase{"Default", std::nullopt, true, false, false},
                                           ShowCase{"Maximized", WORD{SW_SHOWMAXIMIZED}, true, true,
                                                    false},
                                           ShowCase{"MinimizedNoActivate", WORD{SW_SHOWMINNOACTIVE},
                                                    false, false, true}),
                         drv::CaseName());

// Every file of a directory with its bytes and last write time.
using Snapshot =
    std::vector<std::tuple<std::string, std::optional<std::string>, std::optional<std::uint64_t>>>;
Snapshot TakeSnapshot(const drv::NotesProcess& note) {
    Snapshot files;
    for (const std::string& name : drv::ListDirectory(note.Dir().Path())) {
        files.emplace_back(name, note.ReadFile(name), drv::LastWriteTime(note.File(name)));
    }
    return files;
}

TEST(SingleInstance, SecondLaunchActivatesTheFirstAndTouchesNothing) {
    drv::NotesProcess note(
        {.files = {{"Memo.rtf", "{\\rtf1 kept}"}, {"Setup.ini", "[FORM]\r\nAlpha=51\r\n"}}});
    note.Launch();
    const HWND window = *note.WaitForNoteWindow();
    const Snapshot before = TakeSnapshot(note);

    // Another window in front: the second launch must bring the note back.
    drv::OwnWindow other(CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 100,
                                         100, 200, 100, nullptr, nullptr, nullptr, nullptr));
    SetForegroundWindow(other.get());
    ASSERT_TRUE(drv::WaitUntil([&] { return GetForegroundWindow() == other.get(); }, 5s,
                               "the other window in front"));

    drv::Process second = note.LaunchAnother();
    EXPECT_EQ(second.WaitForExit(drv::kStartTimeout).Optional(), 0u);
    EXPECT_TRUE(
        drv::WaitUntil([&] { return GetForegroundWindow() == window; }, 5s, "the note in front"));
    EXPECT_TRUE(drv::TopLevelWindows(second.Pid()).empty());
    EXPECT_TRUE(note.IsRunning());
    EXPECT_EQ(note.NoteWindow(), window);
    EXPECT_EQ(TakeSnapshot(note), before);
}

TEST(SingleInstance, SecondLaunchRestoresAMinimisedStart) {
    drv::NotesProcess note({.showCommand = WORD{SW_SHOWMINNOACTIVE}});
    note.Launch();
    const HWND window = *note.WaitForNoteWindowCreated();
    ASSERT_TRUE(drv::Settle(window));
    ASSERT_FALSE(drv::IsVisible(window));
    drv::Process second = note.LaunchAnother();
    EXPECT_EQ(second.WaitForExit(drv::kStartTimeout).Optional(), 0u);
    EXPECT_TRUE(drv::WaitUntil([&] { return drv::IsVisible(window); }, 5s, "the note shown"));
    EXPECT_FALSE(drv::IsMinimized(drv::Owner(window)));
}

TEST(SingleInstance, FiveLaunchesAtOnceLeaveOneNoteWindow) {
    drv::NotesProcess note;
    std::vector<drv::Process> launches = note.LaunchTogether(5);
    ASSERT_TRUE(drv::WaitUntil([&] { return drv::CountRunning(launches) <= 1; }, drv::kStartTimeout,
                               "all launches but one to exit"));
    int windows = 0;
    for (const drv::Process& launch : launches) {
        if (launch.IsRunning()) {
            EXPECT_TRUE(launch.WaitForNoteWindow());
            ++windows;
        } else {
            EXPECT_EQ(launch.ExitCode(), 0u);
        }
    }
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(drv::ListDirectory(note.Dir().Path()),
              (std::vector<std::string>{"Memo.rtf", "Notes.exe"}));
    EXPECT_EQ(note.ReadFile("Memo.rtf"), "");
}

}  // namespace
