// Start at log-on seen from outside: the Run values under HKEY_LOCAL_MACHINE (in the view the
// program sees) and HKEY_CURRENT_USER after starts and clicks on "开机启动", what the
// settings file keeps, and the errors the user is shown.
// Each test gives the copy a name of its own, because the value is named after the title.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "driver/registry_rights.h"
#include "ui/handles.h"
#include "window/ids.h"

using namespace std::string_literals;

namespace drv {

bool operator==(const RegValue& a, const RegValue& b) {
    return a.type == b.type && a.data == b.data;
}

std::ostream& operator<<(std::ostream& out, const RegValue& value) {
    return out << "type " << value.type << " \"" << value.Text() << "\" (" << value.data.size()
               << " bytes)";
}

}  // namespace drv

namespace {

constexpr char kSettings[] = "Setup.ini";
constexpr char kItem[] = "开机启动";
constexpr char kOn[] = "[FORM]\r\nAutoRun=1\r\n";
constexpr char kOff[] = "[FORM]\r\nAutoRun=0\r\n";

// The title the program derives from its file name (ASCII names): the name without its
// extension, lowered after the first character.
std::string TitleOf(const std::string& exeName) {
    std::string title = exeName.substr(0, exeName.find('.'));
    for (std::size_t i = 1; i < title.size(); ++i) {
        if (title[i] >= 'A' && title[i] <= 'Z') title[i] = static_cast<char>(title[i] + 32);
    }
    return title;
}

bool FullAccessGranted() {
    return static_cast<bool>(drv::OpenRegKey(HKEY_LOCAL_MACHINE, drv::kRunKey, KEY_ALL_ACCESS));
}

// Takes full access to the Run key away from everyone, as from a user who may not change
// it: DELETE is denied, which KEY_ALL_ACCESS includes; reading and setting values stay
// allowed. The key's own access rules come back when the guard goes.
class FullAccessDenied {
public:
    FullAccessDenied() {
        key_ = drv::OpenRegKey(HKEY_LOCAL_MACHINE, drv::kRunKey, READ_CONTROL | WRITE_DAC);
        if (!key_) return;
        DWORD size = 0;
        RegGetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
        saved_.resize(size);
        if (size == 0 || RegGetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, saved_.data(),
                                           &size) != ERROR_SUCCESS)
            return;
        BYTE everyone[SECURITY_MAX_SID_SIZE] = {};
        DWORD sidSize = sizeof everyone;
        if (!CreateWellKnownSid(WinWorldSid, nullptr, everyone, &sidSize)) return;
        alignas(DWORD) BYTE aclBuffer[256] = {};
        const auto acl = reinterpret_cast<PACL>(aclBuffer);
        SECURITY_DESCRIPTOR sd = {};
        if (!InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) ||
            !AddAccessDeniedAce(acl, ACL_REVISION, DELETE, everyone) ||
            !AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) ||
            !InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) ||
            !SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE))
            return;
        applied_ = RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
    }
    FullAccessDenied(const FullAccessDenied&) = delete;
    FullAccessDenied& operator=(const FullAccessDenied&) = delete;
    ~FullAccessDenied() {
        if (applied_) RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, saved_.data());
    }
    bool Applied() const { return applied_; }

private:
    ui::Key key_;  // opened before the change: later opens are checked against the new rules
    std::vector<BYTE> saved_;
    bool applied_ = false;
};

// One copy of Notes.exe, named for the test, and the Run value named after its title.
class AutoRun : public ::testing::Test {
protected:
    void Prepare(const std::string& exeName, std::optional<std::string> settings,
                 std::optional<drv::RegValue> before, std::string dirNamePart = {}) {
        title_ = TitleOf(exeName);
        machineKey_ = drv::OpenRegKey(HKEY_LOCAL_MACHINE, drv::kRunKey, KEY_QUERY_VALUE);
        ASSERT_TRUE(machineKey_);
        restorer_ = std::make_unique<drv::RegValueRestorer>(machineKey_.get(), "", title_);
        userRestorer_ =
            std::make_unique<drv::RegValueRestorer>(HKEY_CURRENT_USER, drv::kRunKey, title_);
        ASSERT_TRUE(drv::DeleteRegValue(machineKey_.get(), "", title_));
        ASSERT_TRUE(drv::DeleteRegValue(HKEY_CURRENT_USER, drv::kRunKey, title_));
        if (before) {
            ASSERT_TRUE(
                drv::WriteRegValue(machineKey_.get(), "", title_, before->type, before->data));
        }
        drv::NotesSetup setup{.exeName = exeName, .dirNamePart = std::move(dirNamePart)};
        if (settings) setup.files.emplace_back(kSettings, *settings);
        note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
    }
    void WaitForWindow() {
        window_ = *note_->WaitForNoteWindow();
        // The window shows before start-up has ended, and with it the registry's value.
        EXPECT_TRUE(drv::Settle(window_, drv::kStartTimeout));
        editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
        EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    }
    // The value as this copy writes it: its path, in quotes when it has a space.
    drv::RegValue Written() const {
        const std::string& path = note_->ExePath();
        const bool quoted = path.find(' ') != std::string::npos;
        return {REG_SZ, (quoted ? '"' + path + '"' : path) + '\0'};
    }
    std::optional<drv::RegValue> Value() const {
        return drv::ReadRegValue(machineKey_.get(), "", title_);
    }
    std::optional<drv::RegValue> UserValue() const {
        return drv::ReadRegValue(HKEY_CURRENT_USER, drv::kRunKey, title_);
    }
    std::string Stored() const { return note_->ReadFile(kSettings).value_or("(none)"); }
    // The one error box that is up, or comes: checked as the default error handler's, then
    // answered. Its text is returned.
    std::string AnswerErrorBox() {
        const drv::MsgBox box = *note_->WaitForMessageBox(drv::kStartTimeout);
        EXPECT_EQ(box.caption, title_);
        EXPECT_EQ(box.icon, drv::BoxIcon::Error);
        EXPECT_EQ(box.ButtonIds(), std::vector<int>{IDOK});
        EXPECT_TRUE(drv::Press(box, IDOK));
        EXPECT_TRUE(drv::WaitForGone(box.hwnd));
        return box.text;
    }
    void ClickAutoRun() const {
        drv::Click(drv::Center(editor_), drv::MouseButton::Right);
        const drv::Menu menu = *drv::WaitForPopupMenu(note_->Pid());
        ASSERT_TRUE(drv::ChooseMenuItem(menu, kItem));
        ASSERT_TRUE(drv::WaitForGone(menu.hwnd));
    }
    bool AutoRunChecked() const {
        drv::Click(drv::Center(editor_), drv::MouseButton::Right);
        const drv::Menu menu = *drv::WaitForPopupMenu(note_->Pid());
        const bool checked = menu.Find(kItem)->checked;
        drv::CloseMenu(menu);
        EXPECT_TRUE(drv::WaitForGone(menu.hwnd));
        return checked;
    }
    std::string InvalidType() const { return "Invalid data type for '" + title_ + "'"; }

    std::string title_;
    ui::Key machineKey_;  // the per-machine Run key in the program's view
    // Both values put back after the program has ended.
    std::unique_ptr<drv::RegValueRestorer> restorer_;
    std::unique_ptr<drv::RegValueRestorer> userRestorer_;
    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

enum class After { Written, Kept, Absent };

struct StartCase {
    const char* name;
    const char* settings;  // nullptr: no settings file
    std::optional<drv::RegValue> before;
    const char* dirNamePart;
    After after;
    bool invalidType;  // the error box of a value that is not a string
};

void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

class AutoRunStart : public AutoRun, public ::testing::WithParamInterface<StartCase> {};

TEST_P(AutoRunStart, BringsTheValueInLineAtEveryStart) {
    const StartCase& c = GetParam();
    Prepare(std::string("Run") + c.name + ".exe",
            c.settings ? std::optional<std::string>(c.settings) : std::nullopt, c.before,
            c.dirNamePart);
    for (const int start : {1, 2}) {
        SCOPED_TRACE(start == 1 ? "first start" : "second start");
        note_->Launch();
        if (c.invalidType) {
            EXPECT_EQ(AnswerErrorBox(), InvalidType());
        }
        WaitForWindow();
        switch (c.after) {
        case After::Written: EXPECT_EQ(Value(), Written()); break;
        case After::Kept: EXPECT_EQ(Value(), c.before); break;
        case After::Absent: EXPECT_EQ(Value(), std::nullopt); break;
        }
        note_->Kill();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, AutoRunStart,
    ::testing::Values(
        StartCase{"OnAbsent", kOn, std::nullopt, "", After::Written, false},
        StartCase{"OnAbsentInAPathWithASpace", kOn, std::nullopt, "my notes", After::Written,
                  false},
        StartCase{"OnOtherPath", kOn, drv::RegValue{REG_SZ, "C:\\Elsewhere\\Notes.exe\0"s}, "",
                  After::Kept, false},
        StartCase{"OnEmpty", kOn, drv::RegValue{REG_SZ, "\0"s}, "", After::Written, false},
        StartCase{"OffPresent", kOff, drv::RegValue{REG_SZ, "C:\\Elsewhere\\Notes.exe\0"s}, "",
                  After::Absent, false},
        StartCase{"OffWithoutSettings", nullptr, drv::RegValue{REG_SZ, "C:\\n.exe\0"s}, "",
                  After::Absent, false},
        StartCase{"OffAbsent", kOff, std::nullopt, "", After::Absent, false},
        StartCase{"OnDword", kOn, drv::RegValue{REG_DWORD, "\x01\0\0\0"s}, "", After::Kept, true},
        StartCase{"OffDword", kOff, drv::RegValue{REG_DWORD, "\x01\0\0\0"s}, "", After::Kept,
                  true}),
    drv::CaseName());

TEST_F(AutoRun, TwoClicksWriteTheValueThenDeleteIt) {
    Prepare("RunTwoClicks.exe", std::nullopt, std::nullopt, "two clicks");
    note_->Launch();
    WaitForWindow();
    EXPECT_FALSE(AutoRunChecked());

    ClickAutoRun();
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Value(), Written());
    EXPECT_EQ(Stored(), "[FORM]\r\nAutoRun=1\r\n");
    EXPECT_TRUE(AutoRunChecked());

    ClickAutoRun();
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Value(), std::nullopt);
    EXPECT_EQ(Stored(), "[FORM]\r\nAutoRun=0\r\n");
    EXPECT_FALSE(AutoRunChecked());
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
}

TEST_F(AutoRun, AValueThatIsNotAStringIsReportedAtEveryClickAndKept) {
    const drv::RegValue dword{REG_DWORD, "\x2A\0\0\0"s};
    Prepare("RunDwordClicks.exe", std::nullopt, dword);
    note_->Launch();
    EXPECT_EQ(AnswerErrorBox(), InvalidType());
    WaitForWindow();
    // The click stores the option first; only the registry stays behind.
    for (const bool on : {true, false, true}) {
        SCOPED_TRACE(on ? "turned on" : "turned off");
        ClickAutoRun();
        EXPECT_EQ(AnswerErrorBox(), InvalidType());
        ASSERT_TRUE(drv::Settle(window_));
        EXPECT_EQ(AutoRunChecked(), on);
        EXPECT_EQ(Stored(), std::string("[FORM]\r\nAutoRun=") + (on ? "1" : "0") + "\r\n");
        EXPECT_EQ(Value(), dword);
    }
}

struct ReadOnlyCase {
    const char* name;
    const char* settings;
    std::optional<drv::RegValue> before;
};

void PrintTo(const ReadOnlyCase& c, std::ostream* out) {
    *out << c.name;
}

class AutoRunReadOnlySettings : public AutoRun,
                                public ::testing::WithParamInterface<ReadOnlyCase> {};

TEST_P(AutoRunReadOnlySettings, StopTheClickBeforeTheRegistry) {
    const ReadOnlyCase& c = GetParam();
    Prepare(std::string("Run") + c.name + ".exe", c.settings, c.before);
    ASSERT_TRUE(drv::SetReadOnly(note_->File(kSettings), true));
    note_->Launch();
    WaitForWindow();
    const bool wasOn = AutoRunChecked();

    ClickAutoRun();
    EXPECT_EQ(AnswerErrorBox(), "Unable to write to " + note_->File(kSettings) + ".");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(AutoRunChecked(), !wasOn) << "the check mark has flipped all the same";
    EXPECT_EQ(Stored(), c.settings);
    EXPECT_EQ(Value(), c.before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, AutoRunReadOnlySettings,
    ::testing::Values(ReadOnlyCase{"ReadOnlyTurnedOn", kOff, std::nullopt},
                      ReadOnlyCase{"ReadOnlyTurnedOff", kOn,
                                   drv::RegValue{REG_SZ, "C:\\Elsewhere\\Notes.exe\0"s}}),
    drv::CaseName());

// Only the access a change needs is asked for: without the right to delete the key itself,
// the value is still written and removed.
TEST_F(AutoRun, WithoutFullAccessToTheRunKeyTheValueIsWrittenAndRemovedWithoutABox) {
    Prepare("RunDenied.exe", kOn, std::nullopt);
    {
        FullAccessDenied denied;
        ASSERT_TRUE(denied.Applied());
        ASSERT_FALSE(FullAccessGranted());
        note_->Launch();
        WaitForWindow();
        EXPECT_EQ(Value(), Written());

        ClickAutoRun();  // off
        ASSERT_TRUE(drv::Settle(window_));
        EXPECT_EQ(Value(), std::nullopt);
        EXPECT_EQ(Stored(), kOff);

        ClickAutoRun();  // on again
        ASSERT_TRUE(drv::Settle(window_));
        EXPECT_EQ(Stored(), kOn);
        EXPECT_EQ(Value(), Written());
        EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
        note_->Kill();
    }
    EXPECT_TRUE(FullAccessGranted()) << "the key's access rules are back";
}

// A user who may read the per-machine key but not change it, as every user without
// elevation: the value goes to the per-user key, and no start or click shows a box.
TEST_F(AutoRun, AUserWhoMayNotChangeThePerMachineKeyUsesThePerUserKey) {
    Prepare("RunStandardUser.exe", std::nullopt, std::nullopt);
    drv::ChangeDenied denied(HKEY_LOCAL_MACHINE, drv::kRunKey);
    ASSERT_TRUE(denied.Applied());
    ASSERT_FALSE(FullAccessGranted());
    note_->Launch();
    WaitForWindow();

    ClickAutoRun();  // on
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(UserValue(), Written());
    note_->Kill();
    note_->Launch();  // on at start: in effect already
    WaitForWindow();
    EXPECT_TRUE(AutoRunChecked());
    EXPECT_EQ(UserValue(), Written());

    ClickAutoRun();  // off
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(UserValue(), std::nullopt);
    EXPECT_EQ(Stored(), kOff);
    EXPECT_EQ(Value(), std::nullopt);
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
}

// A value an administrator set counts as in effect without a box at start; unticking
// cannot remove it, which the click reports once, and a start leaves it alone.
TEST_F(AutoRun, AnAdministratorsValueIsKeptAndReportedOnlyAtTheClick) {
    const drv::RegValue administrators{REG_SZ, "C:\\Elsewhere\\Notes.exe\0"s};
    Prepare("RunAdministrators.exe", kOn, administrators);
    drv::ChangeDenied denied(HKEY_LOCAL_MACHINE, drv::kRunKey);
    ASSERT_TRUE(denied.Applied());
    note_->Launch();
    WaitForWindow();
    EXPECT_EQ(UserValue(), std::nullopt);

    ClickAutoRun();  // off
    EXPECT_EQ(AnswerErrorBox(),
              "Cannot remove '" + title_ + "' from the per-machine Run key: access is denied.");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_EQ(Stored(), kOff);
    note_->Kill();
    note_->Launch();  // off at start
    WaitForWindow();
    EXPECT_EQ(Value(), administrators);
    EXPECT_EQ(UserValue(), std::nullopt);
}

}  // namespace
