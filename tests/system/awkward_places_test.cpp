// The note kept in awkward places: folders whose names have spaces, GBK characters or
// punctuation, paths at the MAX_PATH edge, and folders that are read-only in each of the
// ways Windows knows. Wherever it lives, the note loads from its own folder, saves every
// change there, and never writes anywhere else or loses a change without saying so.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "window/ids.h"

using namespace std::chrono_literals;

namespace {

constexpr char kNote[] = "Memo.rtf";
constexpr char kSettings[] = "Setup.ini";
constexpr char kRtf[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 kept}";
constexpr char kPlaced[] = "[FORM]\r\nLeft=400\r\nTop=200\r\nWidth=311\r\nHeight=303\r\n";
constexpr POINT kOnTopBar = {100, 8};

using drv::SendTo;

using drv::SystemText;

// The error that opening `path` to rewrite it gives right now.
DWORD WriteError(const std::string& path) {
    ui::File handle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle ? ERROR_SUCCESS : GetLastError();
}

// Drags the note by its top bar, which stores its new place in the settings file at the
// release. Each step is handled before the next, so no press lands before the pointer.
::testing::AssertionResult DragTopBar(HWND window, int dx, int dy) {
    const RECT before = drv::WindowRect(window);
    const POINT from = drv::ClientToScreen(drv::ChildById(window, notes::IDC_PANEL3), kOnTopBar);
    drv::MoveTo(from);
    if (auto settled = drv::Settle(window); !settled) return settled;
    drv::ButtonDown();
    if (auto settled = drv::Settle(window); !settled) return settled;
    for (int i = 1; i <= 4; ++i) {
        drv::MoveTo({from.x + dx * i / 4, from.y + dy * i / 4});
        if (auto settled = drv::Settle(window); !settled) return settled;
    }
    drv::ButtonUp();
    if (auto settled = drv::Settle(window); !settled) return settled;
    const RECT after = drv::WindowRect(window);
    if (after.left != before.left + dx || after.top != before.top + dy) {
        return ::testing::AssertionFailure()
               << "the note moved to " << after.left << "," << after.top << " from " << before.left
               << "," << before.top;
    }
    return ::testing::AssertionSuccess();
}

// The Unix name Wine gives a Windows path, or nothing outside Wine.
std::optional<std::string> UnixName(const std::string& path) {
    using Fn = char*(CDECL*)(LPCWSTR);
    const auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!fn) return std::nullopt;
    wchar_t wide[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
    char* name = fn(wide);
    if (!name) return std::nullopt;
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a program of the machine Wine runs on, with Unix paths quoted. Wine starts it without
// a handle to wait on, so `done` is polled for its effect.
::testing::AssertionResult RunUnix(std::string program, const std::vector<std::string>& args,
                                   const std::function<bool()>& done) {
    std::string command = std::move(program);
    for (const std::string& arg : args) command += " \"" + arg + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &startup, &info)) {
        return ::testing::AssertionFailure() << "cannot start " << command;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return drv::WaitUntil(done, drv::kWaitTimeout, command);
}

// Linux's immutable flag on the folder (and files) given: nothing can be created in an
// immutable folder, and an immutable file cannot be written, not even by root. That is the
// closest Wine comes to a folder that Windows' access rights make read-only: run as root,
// Wine lets everybody write through the read-only attribute and the Unix permissions.
class Immutable {
public:
    explicit Immutable(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    Immutable(const Immutable&) = delete;
    Immutable& operator=(const Immutable&) = delete;
    ~Immutable() {
        if (set_) Change(false);
    }

    ::testing::AssertionResult Set() {
        set_ = true;
        return Change(true);
    }
    ::testing::AssertionResult Clear() {
        auto result = Change(false);
        set_ = !result;
        return result;
    }

private:
    // Done when the script has run: it leaves a mark beside the folder once chattr has
    // succeeded. Trying to create files in the folder instead would race with chattr and
    // could leave one behind.
    ::testing::AssertionResult Change(bool immutable) const {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        static int counter = 0;
        const std::string mark = std::string(temp) + "notes-chattr-" +
                                 std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(++counter) + ".done";
        const auto markName = UnixName(mark);
        if (!markName) return ::testing::AssertionFailure() << "not running under Wine";
        std::string script = immutable ? "/usr/bin/chattr +i" : "/usr/bin/chattr -i";
        for (const std::string& path : paths_) {
            const auto name = UnixName(path);
            if (!name) return ::testing::AssertionFailure() << "no Unix name for " << path;
            script += " '" + *name + "'";
        }
        script += " && touch '" + *markName + "'";
        auto result = RunUnix("/bin/sh -c", {script}, [&] { return drv::FileExists(mark); });
        DeleteFileA(mark.c_str());
        return result;
    }

    std::vector<std::string> paths_;
    bool set_ = false;
};

// A drive letter of Wine's prefix that stands for a folder, as a USB stick's root would:
// a link in the prefix's dosdevices folder, gone with the object.
class Drive {
public:
    Drive(char letter, const std::string& folder) : root_(std::string(1, letter) + ":\\") {
        const auto c = UnixName("C:\\");  // <prefix>/dosdevices/c:/
        const auto target = UnixName(folder);
        if (!c || !target) return;
        link_ = c->substr(0, c->find_last_of('/', c->size() - 2) + 1) +
                static_cast<char>(std::tolower(letter)) + ":";
        made_ = RunUnix("/bin/ln -sfn", {*target, link_}, [&] { return drv::IsDirectory(root_); });
    }
    Drive(const Drive&) = delete;
    Drive& operator=(const Drive&) = delete;
    ~Drive() {
        if (!link_.empty())
            RunUnix("/bin/rm -f", {link_}, [&] { return !drv::IsDirectory(root_); });
    }
    bool Made() const { return made_; }
    const std::string& Root() const { return root_; }

private:
    std::string root_;
    std::string link_;
    bool made_ = false;
};

// A note started in a folder of the test's choosing, with what it needs to look at it.
class AwkwardPlace : public ::testing::Test {
protected:
    void Launch() {
        note_->Launch();
        Attach();
    }
    void Attach() {
        window_ = *note_->WaitForNoteWindow();
        editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
        ASSERT_TRUE(editor_);
    }
    std::string Text() const { return drv::ControlText(editor_); }
    std::optional<std::string> Saved() const { return note_->ReadFile(kNote); }
    RECT Place() const { return drv::WindowRect(window_); }
    // Drags the note by its top bar, which stores its new place in the settings file.
    void DragBy(int dx, int dy) { ASSERT_TRUE(DragTopBar(window_, dx, dy)); }
    void ExpectCreateErrorBox(DWORD code) {
        const drv::MsgBox box = *note_->WaitForMessageBox();
        EXPECT_EQ(box.text,
                  "Cannot create file \"" + note_->File(kNote) + "\". " + SystemText(code) + ".");
        EXPECT_EQ(box.icon, drv::BoxIcon::Error);
        ASSERT_TRUE(drv::Press(box, IDOK));
        ASSERT_TRUE(drv::WaitForGone(box.hwnd));
    }

    // Loads, saves and keeps its settings in its own folder; a new start finds it all there.
    void ExpectAtHome() {
        EXPECT_EQ(Text(), "kept");
        EXPECT_EQ(Place().left, 400);
        EXPECT_EQ(Place().top, 200);

        SendTo(editor_, WM_CHAR, 'x', 1);
        EXPECT_NE(Saved().value_or("").find("xkept"), std::string::npos);
        DragBy(40, 30);
        EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
        const std::string settings = note_->ReadFile(kSettings).value_or("");
        EXPECT_NE(settings.find("Left=440\r\nTop=230"), std::string::npos) << settings;

        note_->Kill();
        Launch();
        EXPECT_EQ(Text(), "xkept");
        EXPECT_EQ(Place().left, 440);
        EXPECT_EQ(Place().top, 230);
        EXPECT_EQ(drv::ListDirectory(note_->Dir().Path()),
                  (std::vector<std::string>{kNote, "Notes.exe", kSettings}));
    }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

struct FolderCase {
    const char* name;
    const char* namePart;  // of the folder's name
};

class AwkwardFolderName : public AwkwardPlace, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(AwkwardFolderName, HoldsTheNoteAndItsSettings) {
    note_ = std::make_unique<drv::NotesProcess>(drv::NotesSetup{
        .dirNamePart = GetParam().namePart, .files = {{kNote, kRtf}, {kSettings, kPlaced}}});
    Launch();
    ExpectAtHome();
}

INSTANTIATE_TEST_SUITE_P(
    Folders, AwkwardFolderName,
    ::testing::Values(FolderCase{"Spaces", "my  notes  here"}, FolderCase{"Gbk", "桌面便签"},
                      FolderCase{"GbkWithSpaces", "我的 便签 笔记"},
                      // Characters whose second GBK byte is a backslash, "]" or "|": a path split
                      // by bytes instead of characters would end in the wrong folder.
                      FolderCase{"GbkTrailBytesLikeDelimiters", "淺 揮 億 東"},
                      FolderCase{"Punctuation", "a&b %PATH% c;d'e (1) [x] #1 ~!"}),
    drv::CaseName());

// A folder at the end of a chain whose last component brings Notes.exe's full path to
// `length` characters. Returns the folder's path.
std::string FolderForExeLength(const drv::TempDir& base, std::size_t length) {
    const std::size_t fixed = base.Path().size() + 1 + std::string("\\Notes.exe").size();
    std::string name;
    for (std::size_t i = 0; fixed + name.size() < length; ++i)
        name += static_cast<char>('a' + i % 26);
    return base.Path() + "\\" + name;
}

struct LengthCase {
    const char* name;
    std::size_t exeLength;  // characters of Notes.exe's full path
};

class LongPath : public ::testing::TestWithParam<LengthCase> {};

// The program copied to `exe`, with a note and placed settings beside it in `dir` (which ends
// in a backslash).
bool PlaceProgram(const std::string& exe, const std::string& dir) {
    return CopyFileA(drv::NotesExe().c_str(), exe.c_str(), FALSE) &&
           drv::WriteFileBytes(dir + kNote, kRtf) && drv::WriteFileBytes(dir + kSettings, kPlaced);
}

// Runs the placed program: it shows the note where the settings put it, takes a typed
// character and a drag of its top bar without a message box, and is then ended.
void TypeAndMove(const std::string& exe) {
    drv::Process note = drv::Process::Start(exe);
    const HWND window = *note.WaitForNoteWindow();
    const HWND editor = drv::ChildById(window, notes::IDC_REMEMO);
    EXPECT_EQ(drv::ControlText(editor), "kept");
    EXPECT_EQ(drv::WindowRect(window).left, 400);
    SendTo(editor, WM_CHAR, 'x', 1);
    EXPECT_EQ(drv::CountMessageBoxes(note.Pid()), 0);
    ASSERT_TRUE(DragTopBar(window, 40, 30));
    EXPECT_EQ(drv::CountMessageBoxes(note.Pid()), 0);
}

// At the MAX_PATH edge "Memo.rtf" (one character shorter than "Notes.exe") and "Setup.ini"
// (as long) still fit; a temporary name beside them may not. The note still loads, saves and
// keeps its settings there, and nothing is written under a cut path.
TEST_P(LongPath, KeepsEverythingBesideTheProgram) {
    const drv::TempDir base;
    const std::string dir = FolderForExeLength(base, GetParam().exeLength);
    ASSERT_TRUE(drv::MakeDirectory(dir)) << dir.size() << " characters";
    const std::string exe = dir + "\\Notes.exe";
    ASSERT_EQ(exe.size(), GetParam().exeLength);
    ASSERT_TRUE(PlaceProgram(exe, dir + "\\"));

    TypeAndMove(exe);
    EXPECT_NE(drv::ReadFileBytes(dir + "\\" + kNote).value_or("").find("xkept"), std::string::npos);
    EXPECT_NE(drv::ReadFileBytes(dir + "\\" + kSettings).value_or("").find("Left=440"),
              std::string::npos);
    EXPECT_EQ(drv::ListDirectory(dir), (std::vector<std::string>{kNote, "Notes.exe", kSettings}));
    EXPECT_EQ(drv::ListDirectory(base.Path()).size(), 1u) << "nothing beside the folder";
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongPath,
                         ::testing::Values(LengthCase{"Exe255", 255}, LengthCase{"Exe259", 259}),
                         drv::CaseName());

// The root of a drive, as on a USB stick: the program directory is "Q:\\" itself.
TEST(DriveRoot, HoldsTheNoteAndItsSettings) {
    const drv::TempDir stick;
    Drive drive('Q', stick.Path());
    if (!drive.Made()) GTEST_SKIP() << "this machine cannot give a folder a drive letter";
    const std::string exe = drive.Root() + "Notes.exe";
    ASSERT_TRUE(PlaceProgram(exe, drive.Root()));
    TypeAndMove(exe);
    EXPECT_NE(drv::ReadFileBytes(stick.File(kNote)).value_or("").find("xkept"), std::string::npos);
    EXPECT_NE(drv::ReadFileBytes(stick.File(kSettings)).value_or("").find("Left=440"),
              std::string::npos);
    EXPECT_EQ(drv::ListDirectory(stick.Path()),
              (std::vector<std::string>{kNote, "Notes.exe", kSettings}));
}

// Rights that allow changing files but not adding any: the note is rewritten in place.
TEST_F(AwkwardPlace, AFolderThatTakesNoNewFilesStillGetsEveryChange) {
    note_ = std::make_unique<drv::NotesProcess>(
        drv::NotesSetup{.files = {{kNote, kRtf}, {kSettings, kPlaced}}});
    Immutable folder({note_->Dir().Path()});
    if (!folder.Set()) GTEST_SKIP() << "this machine cannot make a folder refuse new files";
    Launch();
    for (const char c : {'x', 'y'}) SendTo(editor_, WM_CHAR, c, 1);
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_NE(Saved().value_or("").find("xykept"), std::string::npos);
    DragBy(40, 30);
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_NE(note_->ReadFile(kSettings).value_or("").find("Left=440"), std::string::npos);
    EXPECT_EQ(drv::ListDirectory(note_->Dir().Path()),
              (std::vector<std::string>{kNote, "Notes.exe", kSettings}));
}

struct LockedCase {
    const char* name;
    bool noteExists;
};

class ReadOnlyFolder : public AwkwardPlace, public ::testing::WithParamInterface<LockedCase> {};

// Nothing can be written: the note is shown, every change reports that the note file cannot
// be created, the editor keeps the change, and once the folder is writable again the next
// change saves all of it.
TEST_P(ReadOnlyFolder, ShowsTheNoteReportsEveryChangeAndLosesNothing) {
    const bool exists = GetParam().noteExists;
    drv::NotesSetup setup;
    if (exists) setup.files.emplace_back(kNote, kRtf);
    note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
    std::vector<std::string> locked = {note_->Dir().Path()};
    if (exists) locked.push_back(note_->File(kNote));
    Immutable folder(locked);
    if (!folder.Set()) GTEST_SKIP() << "this machine cannot make a folder read-only for root";
    Launch();
    const std::string before = exists ? kRtf : "";
    EXPECT_EQ(Text(), exists ? "kept" : "");
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0) << "the start reports nothing";

    const DWORD code = WriteError(note_->File(kNote));
    ASSERT_NE(code, static_cast<DWORD>(ERROR_SUCCESS));
    for (const char c : {'a', 'b'}) {
        PostMessageA(editor_, WM_CHAR, static_cast<BYTE>(c), 1);
        ExpectCreateErrorBox(code);
    }
    EXPECT_EQ(Text(), exists ? "abkept" : "ab");
    EXPECT_EQ(Saved(), exists ? std::optional<std::string>(before) : std::nullopt);
    const std::vector<std::string> files = exists ? std::vector<std::string>{kNote, "Notes.exe"}
                                                  : std::vector<std::string>{"Notes.exe"};
    EXPECT_EQ(drv::ListDirectory(note_->Dir().Path()), files);

    ASSERT_TRUE(folder.Clear());
    SendTo(editor_, WM_CHAR, 'c', 1);
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_NE(Saved().value_or("").find(exists ? "abckept" : "abc"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Notes, ReadOnlyFolder,
                         ::testing::Values(LockedCase{"WithItsNote", true},
                                           LockedCase{"WithoutANote", false}),
                         drv::CaseName());

}  // namespace
