// The note file seen from outside: what a start loads, what every change writes, and that
// no failure and no kill ever leaves a note file that is not a whole note.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <thread>

#include "driver/driver.h"
#include "reliability.h"
#include "window/ids.h"

using namespace std::chrono_literals;

namespace {

constexpr char kNote[] = "Memo.rtf";

using drv::SystemText;

// The error a program gets when it opens `path` as the note is rewritten.
DWORD CreateError(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return ERROR_ACCESS_DENIED;  // the read-only attribute, honoured by the program itself
    }
    return GetLastError();
}

std::string CreateErrorText(const std::string& path, DWORD code) {
    return "Cannot create file \"" + path + "\". " + SystemText(code) + ".";
}

bool IsRtf(const std::string& bytes) {
    return bytes.rfind("{\\rtf", 0) == 0;
}

// A whole RTF document: it opens and its last group closes (the rich edit may add a NUL).
bool IsWholeRtf(std::string bytes) {
    while (!bytes.empty() && (bytes.back() == '\0' || bytes.back() == '\r' || bytes.back() == '\n'))
        bytes.pop_back();
    return IsRtf(bytes) && !bytes.empty() && bytes.back() == '}';
}

using drv::SendTo;

// A started note, its window and its editor.
class NoteFile : public ::testing::Test {
protected:
    void Start(drv::NotesSetup setup = {}) {
        note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
        note_->Launch();
        window_ = *note_->WaitForNoteWindow();
        editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
        ASSERT_TRUE(editor_);
    }
    std::string Path() const { return note_->File(kNote); }
    std::optional<std::string> Saved() const { return note_->ReadFile(kNote); }
    std::string Text() const { return drv::ControlText(editor_); }
    // One character posted to the editor, as a key press would leave it.
    void PostChar(char c) const { PostMessageA(editor_, WM_CHAR, static_cast<BYTE>(c), 1); }
    // Each change that cannot be saved shows one error box; answer it.
    void ExpectCreateErrorBox(DWORD code) {
        const drv::MsgBox box = *note_->WaitForMessageBox();
        EXPECT_EQ(box.caption, "Notes");
        EXPECT_EQ(box.text, CreateErrorText(Path(), code));
        EXPECT_EQ(box.icon, drv::BoxIcon::Error);
        // The box is owned by the hidden application window; while it is up the note is
        // disabled and out of the topmost band, so it never covers the box.
        EXPECT_EQ(drv::Owner(box.hwnd), drv::Owner(window_));
        EXPECT_FALSE(drv::IsEnabled(window_));
        EXPECT_FALSE(drv::IsTopmost(window_));
        ASSERT_TRUE(drv::Press(box, IDOK));
        ASSERT_TRUE(drv::WaitForGone(box.hwnd));
        EXPECT_TRUE(
            drv::WaitUntil([&] { return drv::IsEnabled(window_) && drv::IsTopmost(window_); },
                           drv::kWaitTimeout, "the note enabled and topmost again"));
    }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

struct LoadCase {
    const char* name;
    std::string bytes;
    std::string text;  // as the editor shows it
    int lines;
};

class NoteFileLoad : public NoteFile, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(NoteFileLoad, ShowsTheNoteAndLeavesTheFileAsItWas) {
    const LoadCase& c = GetParam();
    Start({.files = {{kNote, c.bytes}}});
    const auto written = drv::LastWriteTime(Path());
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(SendTo(editor_, EM_GETLINECOUNT), c.lines);

    EXPECT_TRUE(drv::CloseAndConfirm(*note_));
    EXPECT_EQ(Saved(), c.bytes);
    EXPECT_EQ(drv::LastWriteTime(Path()), written);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NoteFileLoad,
    ::testing::Values(
        LoadCase{"Empty", "", "", 1},
        LoadCase{"Rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello \\b bold\\b0\\par World}",
                 "Hello bold\r\nWorld", 2},
        LoadCase{"PlainTextWithEveryKindOfBreak", "a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd", 4},
        LoadCase{"PlainTextGbk", "便签\n内容", "便签\r\n内容", 2},
        // Longer than one request of the editor (it reads half of 4096 bytes, which ends
        // inside a character here) and decoded a request at a time: no request may end
        // between the two bytes of a character. Short enough to be read back whole.
        LoadCase{"LongPlainTextGbk",
                 drv::Repeat("今天要做的事情：买菜，写报告，给妈妈打电话。\n", 60),
                 drv::Repeat("今天要做的事情：买菜，写报告，给妈妈打电话。\r\n", 60), 61},
        // Plain text that happens to open with a brace is still all of the note.
        LoadCase{"PlainTextStartingWithABrace", "{todo} milk\nbank}\n{x",
                 "{todo} milk\r\nbank}\r\n{x", 3},
        LoadCase{"BreaksOnly", "\r\r\n\n", "\r\n\r\n\r\n", 4}),
    drv::CaseName());

TEST_F(NoteFile, FirstStartCreatesAnEmptyNoteAndWritesNothingMore) {
    Start();
    EXPECT_EQ(Saved(), "");
    EXPECT_FALSE(drv::FileExists(note_->File("Setup.ini")));
    EXPECT_TRUE(drv::CloseAndConfirm(*note_));
    EXPECT_EQ(drv::ListDirectory(note_->Dir().Path()),
              (std::vector<std::string>{"Memo.rtf", "Notes.exe"}));
}

TEST_F(NoteFile, HostileBytesLoadWithoutACrash) {
    std::mt19937 random(7);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    const std::string deep = "{\\rtf1 " + std::string(5000, '{') + "x" + std::string(5000, '}');
    const std::string cases[] = {noise, std::string("a\0b\0\0c\r\n\0", 9),
                                 "{\\rtf1\\ansi unfinished \\b", std::string(1000, '{'), deep};
    for (const std::string& bytes : cases) {
        Start({.files = {{kNote, bytes}}});
        EXPECT_TRUE(drv::Settle(window_));
        EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
        EXPECT_EQ(Saved(), bytes) << "a load never writes";
        EXPECT_TRUE(drv::CloseAndConfirm(*note_));
    }
}

TEST_F(NoteFile, ANoteHeldByAnotherProgramIsReportedOnceAndNeverOverwritten) {
    note_ = std::make_unique<drv::NotesProcess>(drv::NotesSetup{.files = {{kNote, "kept"}}});
    auto lock = std::make_unique<drv::FileLock>(Path(), FILE_SHARE_WRITE);  // no read sharing
    ASSERT_TRUE(lock->Held());
    note_->Launch();
    const drv::MsgBox box = *note_->WaitForMessageBox(drv::kStartTimeout);
    EXPECT_EQ(box.caption, "Notes");
    EXPECT_EQ(box.text,
              "Cannot open file \"" + Path() + "\". " + SystemText(ERROR_SHARING_VIOLATION) + ".");
    EXPECT_EQ(box.icon, drv::BoxIcon::Error);
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 1);
    ASSERT_TRUE(drv::Press(box, IDOK));
    window_ = *note_->WaitForNoteWindow();
    editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
    EXPECT_EQ(Text(), "");

    // Once the other program lets go, edits of this run still never reach the file.
    lock.reset();
    PostChar('x');
    EXPECT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Text(), "x");
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_EQ(Saved(), "kept");
}

TEST_F(NoteFile, EveryChangeRewritesTheWholeNoteAsRtfBeforeTheNextMessage) {
    Start({.files = {{kNote, "plain"}}});
    // A sent message returns only once the editor has handled it, change handler included.
    SendTo(editor_, WM_CHAR, 'x', 1);
    const std::string first = *Saved();
    EXPECT_TRUE(IsWholeRtf(first)) << first;
    EXPECT_NE(first.find("xplain"), std::string::npos) << first;

    SendTo(editor_, WM_CHAR, 'y', 1);
    EXPECT_NE(Saved()->find("xyplain"), std::string::npos);
    EXPECT_EQ(drv::ListDirectory(note_->Dir().Path()),
              (std::vector<std::string>{"Memo.rtf", "Notes.exe"}))
        << "no temporary file is left behind";
}

struct UsersFileCase {
    const char* name;
    bool readOnly;
};

class NoteFileBesideUsersFile : public NoteFile,
                                public ::testing::WithParamInterface<UsersFileCase> {};

// A file of the user's named as a temporary copy of the note would be is not the program's:
// every save goes through a file of its own and leaves that one as it was.
TEST_P(NoteFileBesideUsersFile, EverySaveLeavesItAsItWas) {
    const char kUsers[] = "Memo.rtf.tmp";
    const std::string data = "the user's own data\r\n";
    note_ = std::make_unique<drv::NotesProcess>(
        drv::NotesSetup{.files = {{kNote, "kept"}, {kUsers, data}}});
    if (GetParam().readOnly) {
        ASSERT_TRUE(drv::SetReadOnly(note_->File(kUsers), true));
    }
    note_->Launch();
    window_ = *note_->WaitForNoteWindow();
    editor_ = drv::ChildById(window_, notes::IDC_REMEMO);

    for (const char c : {'x', 'y'}) SendTo(editor_, WM_CHAR, static_cast<BYTE>(c), 1);
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_NE(Saved().value_or("").find("xykept"), std::string::npos);
    EXPECT_EQ(note_->ReadFile(kUsers), data);
    EXPECT_EQ(drv::IsReadOnly(note_->File(kUsers)), GetParam().readOnly);
    EXPECT_EQ(drv::ListDirectory(note_->Dir().Path()),
              (std::vector<std::string>{"Memo.rtf", "Memo.rtf.tmp", "Notes.exe"}));
}

INSTANTIATE_TEST_SUITE_P(Files, NoteFileBesideUsersFile,
                         ::testing::Values(UsersFileCase{"ReadOnly", true},
                                           UsersFileCase{"Writable", false}),
                         drv::CaseName());

TEST_F(NoteFile, AReadOnlyNoteReportsEveryChangeAndKeepsItsContent) {
    note_ = std::make_unique<drv::NotesProcess>(drv::NotesSetup{.files = {{kNote, "old"}}});
    ASSERT_TRUE(drv::SetReadOnly(Path(), true));
    note_->Launch();
    window_ = *note_->WaitForNoteWindow();
    editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
    EXPECT_EQ(Text(), "old");

    const DWORD code = CreateError(Path());
    for (const char c : {'a', 'b'}) {
        PostChar(c);
        ExpectCreateErrorBox(code);
    }
    EXPECT_EQ(Text(), "abold");
    EXPECT_EQ(Saved(), "old");

    // Writable again: the next change saves the whole note.
    ASSERT_TRUE(drv::SetReadOnly(Path(), false));
    SendTo(editor_, WM_CHAR, 'c', 1);
    EXPECT_NE(Saved()->find("abcold"), std::string::npos);
}

TEST_F(NoteFile, ADirectoryNamedLikeTheNoteGivesAnEmptyNoteAndAnErrorAtEveryChange) {
    note_ = std::make_unique<drv::NotesProcess>();
    ASSERT_TRUE(drv::MakeDirectory(Path()));
    note_->Launch();
    window_ = *note_->WaitForNoteWindow();
    editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_EQ(Text(), "");

    const DWORD code = CreateError(Path());
    for (const char c : {'a', 'b'}) {
        PostChar(c);
        ExpectCreateErrorBox(code);
    }
    EXPECT_TRUE(drv::IsDirectory(Path()));
}

TEST_F(NoteFile, ADeletedNoteIsWrittenAgainWholeAtTheNextChange) {
    Start({.files = {{kNote, "first line\r\nsecond line"}}});
    ASSERT_TRUE(DeleteFileA(Path().c_str()));
    SendTo(editor_, WM_CHAR, '>', 1);
    const std::string saved = *Saved();
    EXPECT_TRUE(IsWholeRtf(saved));
    EXPECT_NE(saved.find(">first line"), std::string::npos);
    EXPECT_NE(saved.find("second line"), std::string::npos);
}

// Pastes `count` letters through the clipboard, as a user would.
void PasteLetters(HWND window, std::size_t count) {
    ASSERT_TRUE(drv::SetClipboardText(std::string(count, 'q')));
    drv::Click(drv::Center(drv::ChildById(window, notes::IDC_REMEMO)));
    drv::PressKey('V', drv::kCtrl);
    ASSERT_TRUE(drv::Settle(window, 20s));
}

// Pastes a long text, then types ten letters after it.
std::size_t PasteThenType(HWND window, HWND editor, std::size_t pasted) {
    PasteLetters(window, pasted);
    for (int i = 0; i < 10; ++i) SendTo(editor, WM_CHAR, 'z', 1);
    return drv::ControlText(editor).size();
}

TEST_F(NoteFile, MoreThan64KCharactersFitAfterALoadButNotOnAFirstStart) {
    Start();  // no note file: typing stops at the editor's default limit
    EXPECT_EQ(PasteThenType(window_, editor_, 65530), 65536u);

    Start({.files = {{kNote, ""}}});  // a loaded note lifts the limit
    EXPECT_EQ(PasteThenType(window_, editor_, 70000), 70010u);
    EXPECT_NE(Saved()->find(std::string(10, 'z')), std::string::npos);
}

TEST_F(NoteFile, ANoteLongerThanTheDefaultLimitLoadsWhole) {
    std::string text;
    for (int i = 0; text.size() < 100000; ++i) text += "line " + std::to_string(i) + "\r\n";
    text += "end";
    Start({.files = {{kNote, text}}});
    EXPECT_EQ(Text(), text);
}

// A burst of changes to a large note, killed at a random moment: the note file is always
// a whole note, the old one or a newer one, and the next start loads all of it.
struct TabCase {
    const char* name;
    unsigned modifiers;
};

class NoteFileTab : public NoteFile, public ::testing::WithParamInterface<TabCase> {};

// Tab is not taken by the editor and has nowhere else to go while the panels are closed: it
// must not select the note either, or the next key would replace all of it.
TEST_P(NoteFileTab, NeverSelectsTheNote) {
    Start({.files = {{kNote, "kept"}}});
    drv::Click(drv::Center(editor_));
    drv::PressKey(VK_END, drv::kCtrl);
    drv::PressKey(VK_TAB, GetParam().modifiers);
    drv::TypeText("x");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Text(), "keptx");
}

INSTANTIATE_TEST_SUITE_P(Keys, NoteFileTab,
                         ::testing::Values(TabCase{"Tab", drv::kNoModifier},
                                           TabCase{"ShiftTab", drv::kShift}),
                         drv::CaseName());

struct KillCase {
    const char* name;
    unsigned start;  // of the generator that picks the moments of the kills
};

class NoteFileKill : public NoteFile, public ::testing::WithParamInterface<KillCase> {};

TEST_P(NoteFileKill, NeverLeavesAPartNote) {
    std::string body;
    for (int i = 0; body.size() < 1024 * 1024; ++i) {
        body += "line " + std::to_string(100000 + i) + " of the long note\\par\r\n";
    }
    const std::string original = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 " + body + "last}";
    std::mt19937 random(GetParam().start);
    rel::Tally tally("kill", "1 MB note, 40-letter bursts");
    Start({.files = {{kNote, original}}});
    for (int kill = 0; kill < 5; ++kill) {
        for (int i = 0; i < 40; ++i) PostChar(static_cast<char>('a' + i % 26));
        drv::Pause(std::chrono::milliseconds(random() % 400));
        EXPECT_TRUE(tally.StillRunning(note_->IsRunning()));
        note_->Kill();
        tally.Tried();

        const std::string saved = *Saved();
        EXPECT_TRUE(tally.NoteKept(saved == original || IsWholeRtf(saved)))
            << "kill " << kill << ": " << saved.size() << " bytes, ends "
            << saved.substr(saved.size() - std::min<std::size_t>(saved.size(), 40));
        EXPECT_NE(saved.find("line 100000 of the long note"), std::string::npos);
        EXPECT_NE(saved.find("last"), std::string::npos);

        note_->Main().Kill();
        note_->Launch();
        window_ = *note_->WaitForNoteWindow(60s);
        editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
        EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
        const std::string loaded = Text();
        EXPECT_TRUE(
            tally.NoteKept(loaded.find("line 100000 of the long note") != std::string::npos &&
                           loaded.find("last") != std::string::npos))
            << "kill " << kill;
    }
}

INSTANTIATE_TEST_SUITE_P(Starts, NoteFileKill,
                         ::testing::Values(KillCase{"A", 1}, KillCase{"B", 2}, KillCase{"C", 3},
                                           KillCase{"D", 4}, KillCase{"E", 5}, KillCase{"F", 6}),
                         drv::CaseName());

}  // namespace
