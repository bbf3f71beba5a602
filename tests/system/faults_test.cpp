// Faults while the note runs: the process killed in the middle of a burst of saves, the note
// file locked, made read-only or replaced by a directory, the settings file made
// unwritable, the clipboard held during a paste. The note in the editor is never lost, the
// file on disk is always a whole note, and once the file can be written again the next
// change saves all of it.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "driver/driver.h"
#include "reliability.h"
#include "window/ids.h"

using namespace std::chrono_literals;

namespace {

constexpr char kNote[] = "Memo.rtf";
// A file of the user's whose name is the obvious one for a temporary copy of the note.
constexpr char kUsersTemp[] = "Memo.rtf.tmp";
// What a run killed in the middle of a save leaves: a save file of the program's own.
constexpr char kLeftover[] = "Memo.rtf.~1f2e-3.tmp";
constexpr char kSettings[] = "Setup.ini";
constexpr char kStale[] = "{\\rtf1\\ansi STALE TEMPORARY FILE\\par}";
constexpr char kUsersData[] = "{\\rtf1\\ansi THE USER'S OWN FILE\\par}";

using drv::SystemText;

using drv::SendTo;

// An RTF note of about `size` bytes, many short paragraphs.
std::string NoteOfSize(std::size_t size) {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";
    for (int i = 0; rtf.size() + 40 < size; ++i) {
        rtf += "line " + std::to_string(100000 + i) + " of the note\\par\r\n";
    }
    return rtf + "last}";
}

class Faults : public ::testing::Test {
protected:
    void Start(drv::NotesSetup setup) {
        note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
        Relaunch();
    }
    void Relaunch(drv::Ms timeout = drv::kStartTimeout) {
        note_->Launch();
        window_ = *note_->WaitForNoteWindow(timeout);
        editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
    }
    std::string Path(const char* name = kNote) const { return note_->File(name); }
    std::optional<std::string> Saved() const { return note_->ReadFile(kNote); }
    std::string Text() const { return drv::ControlText(editor_); }
    // Files beside the note whose names begin as the note's, the note file itself aside.
    std::vector<std::string> BesideTheNote() const {
        std::vector<std::string> names;
        for (const std::string& name : drv::ListDirectory(note_->Dir().Path())) {
            if (name.starts_with("Memo.rtf.")) names.push_back(name);
        }
        return names;
    }
    // One error box with exactly this text; answered.
    void ExpectErrorBox(const std::string& text) {
        const drv::MsgBox box = *note_->WaitForMessageBox();
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, "Notes");
        EXPECT_EQ(box.icon, drv::BoxIcon::Error);
        EXPECT_TRUE(drv::StaysTrue([&] { return drv::CountMessageBoxes(note_->Pid()) == 1; }, 200ms,
                                   "one error box"));
        ASSERT_TRUE(drv::Press(box, IDOK));
        ASSERT_TRUE(drv::WaitForGone(box.hwnd));
        ASSERT_TRUE(drv::Settle(window_));
    }
    // The saved note is whole and shows, read back, exactly what the editor shows.
    bool SavedAsShown() const {
        const std::string saved = Saved().value_or("");
        const auto readBack = rel::RtfText(saved);
        return rel::IsWholeRtf(saved) && readBack && *readBack == rel::WideText(editor_);
    }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

// ---- Kills --------------------------------------------------------------------------------

struct KillCase {
    const char* name;
    std::size_t size;
    int kills;
    int maxPauseMs;  // the kill comes this long after the burst was queued, at most
    unsigned start;  // of the generator that picks burst lengths and moments
};

class NoteKill : public Faults, public ::testing::WithParamInterface<KillCase> {};

// Each round queues a burst of typed letters, kills the program at a random moment and
// starts it again beside a save file left by a killed run and a file of the user's named
// like a temporary copy. What loads must be the note as it stood before the burst with some
// first part of the burst typed in front: never a part note, never either of those files.
// The leftover goes at the start; the user's file is never touched.
TEST_P(NoteKill, LeavesAWholeOldOrNewNoteAndNeverLoadsTheTemporaryFile) {
    const KillCase& c = GetParam();
    rel::Tally tally("kill", c.size >= 1024 * 1024
                                 ? std::to_string(c.size / (1024 * 1024)) + " MB note"
                                 : std::to_string(c.size / 1024) + " KB note");
    std::mt19937 random(c.start);
    Start({.files = {{kNote, NoteOfSize(c.size)}}});
    std::string before = Text();
    ASSERT_NE(before.find("line 100000 of the note"), std::string::npos);

    for (int kill = 0; kill < c.kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        std::string burst;
        const int length = 5 + static_cast<int>(random() % 36);
        for (int i = 0; i < length; ++i) burst += static_cast<char>('a' + random() % 26);
        for (const char ch : burst) PostMessageA(editor_, WM_CHAR, static_cast<BYTE>(ch), 1);
        drv::Pause(drv::Ms(random() % static_cast<unsigned>(c.maxPauseMs + 1)));
        EXPECT_TRUE(tally.StillRunning(note_->IsRunning()));
        note_->Kill();
        tally.Tried();

        const std::string saved = Saved().value_or("");
        EXPECT_TRUE(tally.NoteKept(rel::IsWholeRtf(saved)))
            << saved.size() << " bytes, ends "
            << saved.substr(saved.size() - std::min<std::size_t>(saved.size(), 40));
        ASSERT_TRUE(note_->WriteFile(kLeftover, kStale));
        ASSERT_TRUE(note_->WriteFile(kUsersTemp, kUsersData));

        Relaunch(60s);
        EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
        const std::string loaded = Text();
        const bool oldOrNew =
            loaded.size() >= before.size() &&
            loaded.compare(loaded.size() - before.size(), before.size(), before) == 0 &&
            burst.compare(0, loaded.size() - before.size(), loaded, 0,
                          loaded.size() - before.size()) == 0;
        EXPECT_TRUE(tally.NoteKept(oldOrNew))
            << "loaded " << loaded.size() << " characters, begins " << loaded.substr(0, 60)
            << "; burst " << burst;
        EXPECT_EQ(loaded.find("STALE"), std::string::npos) << "the leftover was loaded";
        EXPECT_EQ(loaded.find("USER"), std::string::npos) << "the user's file was loaded";
        EXPECT_EQ(BesideTheNote(), std::vector<std::string>{kUsersTemp});
        before = loaded;
    }
    // The next save leaves nothing of its own behind, and the user's file as it was.
    SendTo(editor_, WM_CHAR, '!', 1);
    EXPECT_TRUE(SavedAsShown());
    EXPECT_EQ(BesideTheNote(), std::vector<std::string>{kUsersTemp});
    EXPECT_EQ(note_->ReadFile(kUsersTemp), kUsersData);
}

INSTANTIATE_TEST_SUITE_P(Sizes, NoteKill,
                         ::testing::Values(KillCase{"OneKB", 1024, 35, 40, 11},
                                           KillCase{"HundredKB", 100 * 1024, 25, 250, 12},
                                           KillCase{"OneMB", 1024 * 1024, 10, 1500, 13}),
                         drv::CaseName());

// ---- The note file unwritable while the note runs ----------------------------------------

enum class NoteFault { Locked, LockedForReading, ReadOnly, Directory };

struct NoteFaultCase {
    const char* name;
    NoteFault fault;
};

class NoteFileFault : public Faults, public ::testing::WithParamInterface<NoteFaultCase> {};

// Every change while the fault lasts reports the create error and keeps the text in
// the editor; the file keeps the last saved note. Once it can be written again, the next
// change saves the whole note with everything typed meanwhile.
TEST_P(NoteFileFault, ReportsEveryChangeKeepsTheNoteAndSavesItWholeOnceWritable) {
    const NoteFaultCase& c = GetParam();
    rel::Tally tally("fault", std::string("note file: ") + c.name);
    Start({.files = {{kNote, "first line\r\nsecond line"}}});
    SendTo(editor_, WM_CHAR, 'a', 1);
    const std::string lastSaved = Saved().value_or("");
    ASSERT_NE(lastSaved.find("afirst line"), std::string::npos);

    std::unique_ptr<drv::FileLock> lock;
    DWORD code = ERROR_ACCESS_DENIED;
    switch (c.fault) {
    case NoteFault::Locked:
        lock = std::make_unique<drv::FileLock>(Path());
        code = ERROR_SHARING_VIOLATION;
        break;
    case NoteFault::LockedForReading:
        lock = std::make_unique<drv::FileLock>(Path(), FILE_SHARE_READ);
        code = ERROR_SHARING_VIOLATION;
        break;
    case NoteFault::ReadOnly: ASSERT_TRUE(drv::SetReadOnly(Path(), true)); break;
    case NoteFault::Directory: {
        ASSERT_TRUE(DeleteFileA(Path().c_str()));
        ASSERT_TRUE(drv::MakeDirectory(Path()));
        // What any program gets when it opens a directory to write it.
        HANDLE dir = CreateFileA(Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_EQ(dir, INVALID_HANDLE_VALUE);
        code = GetLastError();
        break;
    }
    }
    if (lock) {
        ASSERT_TRUE(lock->Held());
    }
    tally.Tried();

    const std::string error = "Cannot create file \"" + Path() + "\". " + SystemText(code) + ".";
    for (const char ch : {'b', 'c'}) {
        PostMessageA(editor_, WM_CHAR, static_cast<BYTE>(ch), 1);
        ExpectErrorBox(error);
        EXPECT_TRUE(tally.StillRunning(note_->IsRunning()));
    }
    EXPECT_EQ(Text(), "abcfirst line\r\nsecond line") << "the editor keeps every change";
    if (c.fault == NoteFault::Directory) {
        EXPECT_TRUE(drv::IsDirectory(Path()));
    } else {
        lock.reset();
        EXPECT_TRUE(tally.NoteKept(Saved() == lastSaved)) << "the file keeps the last save";
    }

    switch (c.fault) {
    case NoteFault::Locked:
    case NoteFault::LockedForReading: break;
    case NoteFault::ReadOnly: ASSERT_TRUE(drv::SetReadOnly(Path(), false)); break;
    case NoteFault::Directory: ASSERT_TRUE(RemoveDirectoryA(Path().c_str())); break;
    }
    SendTo(editor_, WM_CHAR, 'd', 1);
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_EQ(Text(), "abcdfirst line\r\nsecond line");
    EXPECT_TRUE(tally.NoteKept(SavedAsShown())) << Saved().value_or("");
    EXPECT_EQ(BesideTheNote(), std::vector<std::string>{}) << "no save file left behind";
}

INSTANTIATE_TEST_SUITE_P(Faults, NoteFileFault,
                         ::testing::Values(NoteFaultCase{"Locked", NoteFault::Locked},
                                           NoteFaultCase{"LockedForReading",
                                                         NoteFault::LockedForReading},
                                           NoteFaultCase{"ReadOnly", NoteFault::ReadOnly},
                                           NoteFaultCase{"Directory", NoteFault::Directory}),
                         drv::CaseName());

// ---- The settings file unwritable while the note runs ------------------------------------

enum class SettingsFault { ReadOnly, Locked, Directory };

struct SettingsFaultCase {
    const char* name;
    SettingsFault fault;
};

class SettingsFileFault : public Faults, public ::testing::WithParamInterface<SettingsFaultCase> {};

// The next settings write (a move over the resize grip writes the geometry) reports the
// write error; nothing else breaks and the note still saves. Once the file can be
// written again, the next move writes the geometry.
TEST_P(SettingsFileFault, TheNextWriteReportsItAndTheNoteStillSaves) {
    const SettingsFaultCase& c = GetParam();
    rel::Tally tally("fault", std::string("settings file: ") + c.name);
    const std::string settings = "[FORM]\r\nLeft=400\r\nTop=200\r\n";
    drv::MoveTo({20, 780});
    Start({.files = {{kNote, "note"}, {kSettings, settings}}});
    const POINT grip = drv::ClientToScreen(drv::ChildById(window_, notes::IDC_SPDBTNDRAG), {5, 5});

    std::unique_ptr<drv::FileLock> lock;
    switch (c.fault) {
    case SettingsFault::ReadOnly: ASSERT_TRUE(drv::SetReadOnly(Path(kSettings), true)); break;
    case SettingsFault::Locked:
        lock = std::make_unique<drv::FileLock>(Path(kSettings));
        ASSERT_TRUE(lock->Held());
        break;
    case SettingsFault::Directory:
        ASSERT_TRUE(DeleteFileA(Path(kSettings).c_str()));
        ASSERT_TRUE(drv::MakeDirectory(Path(kSettings)));
        break;
    }
    tally.Tried();
    drv::MoveTo(grip);
    ExpectErrorBox("Unable to write to " + Path(kSettings) + ".");
    drv::MoveTo({20, 780});
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(tally.StillRunning(note_->IsRunning()));
    EXPECT_TRUE(rel::Answers(window_));

    SendTo(editor_, WM_CHAR, '#', 1);
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_TRUE(tally.NoteKept(SavedAsShown()));
    EXPECT_NE(Saved().value_or("").find("#note"), std::string::npos);

    switch (c.fault) {
    case SettingsFault::ReadOnly:
        EXPECT_EQ(note_->ReadFile(kSettings), settings);
        ASSERT_TRUE(drv::SetReadOnly(Path(kSettings), false));
        break;
    case SettingsFault::Locked:
        lock.reset();
        EXPECT_EQ(note_->ReadFile(kSettings), settings);
        break;
    case SettingsFault::Directory: ASSERT_TRUE(RemoveDirectoryA(Path(kSettings).c_str())); break;
    }
    drv::MoveTo(grip);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    const std::string stored = note_->ReadFile(kSettings).value_or("");
    EXPECT_NE(stored.find("Left=400"), std::string::npos) << stored;
    EXPECT_NE(stored.find("Width=311"), std::string::npos) << stored;
    drv::MoveTo({20, 780});
}

INSTANTIATE_TEST_SUITE_P(Faults, SettingsFileFault,
                         ::testing::Values(SettingsFaultCase{"ReadOnly", SettingsFault::ReadOnly},
                                           SettingsFaultCase{"Locked", SettingsFault::Locked},
                                           SettingsFaultCase{"Directory",
                                                             SettingsFault::Directory}),
                         drv::CaseName());

// ---- The clipboard held by another program during a paste --------------------------------

// The editor's own paste cannot open the clipboard: nothing is pasted and nothing saved, no
// error is shown, and the next paste once the clipboard is free works.
TEST_F(Faults, APasteWhileAnotherProgramHoldsTheClipboardChangesNothing) {
    rel::Tally tally("fault", "clipboard held during a paste");
    Start({.files = {{kNote, "kept"}}});
    ASSERT_TRUE(drv::SetClipboardText("pasted "));
    drv::Click(drv::Center(editor_));
    SendTo(editor_, EM_SETSEL, 0, 0);
    ASSERT_TRUE(drv::Settle(window_));
    const auto written = drv::LastWriteTime(Path());

    auto holder = std::make_unique<drv::ClipboardHolder>();
    ASSERT_TRUE(holder->Held());
    tally.Tried();
    drv::PressKey('V', drv::kCtrl);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_EQ(Text(), "kept");
    EXPECT_TRUE(tally.NoteKept(Saved() == "kept"));
    EXPECT_EQ(drv::LastWriteTime(Path()), written);
    EXPECT_TRUE(tally.StillRunning(note_->IsRunning()));

    holder.reset();
    drv::PressKey('V', drv::kCtrl);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Text(), "pasted kept");
    EXPECT_TRUE(tally.NoteKept(SavedAsShown()));
}

}  // namespace
