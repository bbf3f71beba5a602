// The note in a folder named in any script: with a name the system's code page can spell
// and with one it cannot (Chinese on a Western system, "ø" or Hangul on a Chinese one), the
// note starts, saves every change, comes back after a restart, clears its own leftovers,
// starts at log-on from there, and names the folder rightly where a message must.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "driver/driver.h"
#include "driver/wide.h"
#include "ui/handles.h"
#include "window/ids.h"

namespace {

constexpr char kNote[] = "Memo.rtf";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The registry view Notes.exe writes its Run value in: the 32-bit one for the 32-bit program.
REGSAM NotesView() {
    DWORD type = 0;
    const bool is32 =
        GetBinaryTypeW(drv::FromAnsi(drv::NotesExe()).c_str(), &type) && type == SCS_32BIT_BINARY;
    return is32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

std::optional<std::wstring> RunValue(const std::wstring& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE | NotesView(), &raw) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const ui::Key key(raw);
    wchar_t data[2048] = {};
    DWORD size = sizeof data - sizeof data[0];
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    return std::wstring(data);
}

void DeleteRunValue(const std::wstring& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE | NotesView(), &raw) !=
        ERROR_SUCCESS)
        return;
    const ui::Key key(raw);
    RegDeleteValueW(key.get(), name.c_str());
}

// The message of a box as UTF-16: the static text of a message box has the identifier 0xFFFF.
std::wstring BoxMessage(HWND box) {
    wchar_t text[2048] = {};
    GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 2048);
    return text;
}

struct FolderCase {
    const char* name;
    std::wstring namePart;
};

class AnyFolder : public ::testing::TestWithParam<FolderCase> {
protected:
    void SetUp() override {
        // A title of the case's own: the Run value is named after it.
        exeName_ = std::string("Folder") + GetParam().name + ".exe";
        title_ = drv::FromAnsi(exeName_.substr(0, exeName_.find('.')));
        for (std::size_t i = 1; i < title_.size(); ++i) title_[i] = towlower(title_[i]);
        DeleteRunValue(title_);
        note_ = std::make_unique<drv::NotesProcess>(drv::NotesSetup{
            .exeName = exeName_,
            .wideDirNamePart = GetParam().namePart,
            .files = {{"Memo.rtf.~1a-0.tmp", ""}, {"Memo.rtf.~1a-1.tmp", "{\\rtf1 half"}}});
    }
    void TearDown() override { DeleteRunValue(title_); }

    std::wstring SavedText() const {
        return drv::RtfText(note_->ReadFile(kNote).value_or("-")).value_or(L"-");
    }

    std::string exeName_;
    std::wstring title_;
    std::unique_ptr<drv::NotesProcess> note_;
};

TEST_P(AnyFolder, TheNoteLivesThereAsAnywhere) {
    note_->Launch();
    HWND window = *note_->WaitForNoteWindow();
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    // The start made the note file and removed what a cut-short save of an earlier run left.
    EXPECT_EQ(drv::ListDirectory(note_->Dir().WidePath()),
              (std::vector<std::wstring>{drv::FromAnsi(exeName_), L"Memo.rtf"}));

    HWND editor = drv::ChildById(window, notes::IDC_REMEMO);
    drv::Click(drv::Center(editor));
    drv::TypeText("ab");
    ASSERT_TRUE(drv::Settle(window));
    EXPECT_TRUE(drv::WaitUntil([&] { return SavedText() == L"ab"; }, drv::kWaitTimeout,
                               "the typing saved"));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);

    // Start at log-on: the option stored beside the note, the Run value naming the program
    // where it is.
    drv::Click(drv::ClientToScreen(editor, {150, 200}), drv::MouseButton::Right);
    const drv::Menu menu = *drv::WaitForPopupMenu(note_->Pid());
    ASSERT_TRUE(drv::ChooseMenuItem(menu, "开机启动"));
    ASSERT_TRUE(drv::Settle(window));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_NE(note_->ReadFile("Setup.ini").value_or("").find("AutoRun=1"), std::string::npos);
    EXPECT_EQ(RunValue(title_), L"\"" + note_->WideExePath() + L"\"");

    // Back after a restart.
    ASSERT_TRUE(drv::CloseAndConfirm(*note_));
    note_->Launch();
    window = *note_->WaitForNoteWindow();
    editor = drv::ChildById(window, notes::IDC_REMEMO);
    EXPECT_EQ(drv::ControlText(editor), "ab");
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);

    // A change that cannot be saved names the note file as the user reads its path.
    const drv::FileLock lock(note_->Dir().WideFile(L"Memo.rtf"));
    ASSERT_TRUE(lock.Held());
    drv::Click(drv::Center(editor));
    drv::TypeText("c");
    const drv::MsgBox box = *note_->WaitForMessageBox();
    EXPECT_EQ(BoxMessage(box.hwnd).find(L"Cannot create file \"" +
                                        note_->Dir().WideFile(L"Memo.rtf") + L"\". "),
              0u)
        << drv::ToAnsi(BoxMessage(box.hwnd));
    ASSERT_TRUE(drv::Press(box, IDOK));
}

INSTANTIATE_TEST_SUITE_P(
    Names, AnyFolder,
    ::testing::Values(FolderCase{"Chinese", L"\u5DE5\u5177"}, FolderCase{"Nordic", L"\u00F8"},
                      FolderCase{"Korean", L"\uD55C\uAE00"}, FolderCase{"Euro", L"\u20AC \u00F1"}),
    [](const ::testing::TestParamInfo<FolderCase>& test) { return std::string(test.param.name); });

}  // namespace
