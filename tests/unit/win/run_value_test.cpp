// The start-at-log-on value on keys of our own under HKEY_CURRENT_USER, the first standing
// for the per-machine key: what each state of the value becomes, the errors and the text
// their box shows, and the value's data.
#include "desktop/run_value.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/errors.h"
#include "core/text.h"
#include "ui/handles.h"

namespace {

using namespace std::string_literals;

struct Stored {
    DWORD type;
    std::string bytes;  // as the registry holds them, a string's NUL included
    bool operator==(const Stored&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Stored& value) {
    out << "type " << value.type << " \"";
    for (const char c : value.bytes) {
        if (c == '\0') {
            out << "\\0";
        } else {
            out << c;
        }
    }
    return out << '"';
}

constexpr char kName[] = "Notes";
constexpr char kData[] = "C:\\Notes\\Notes.exe";
const Stored kWritten{REG_SZ, kData + "\0"s};
const Stored kOtherPath{REG_SZ, "D:\\Old\\Notes.exe\0"s};
const Stored kDword{REG_DWORD, "\x01\0\0\0"s};

// The error's text; the errors here quote only ASCII names and paths.
std::string Narrow(const core::AppError& e) {
    return core::NarrowToAscii(e.Text());
}

// What the default error handler shows for the error: a full stop added by the usual rule,
// and the box ends the text at its first NUL.
std::string Shown(const core::AppError& e) {
    return core::NarrowToAscii(core::WithFullStop(e.Text()).c_str());
}

// A Run key of the test's own: "<base>\Run" followed by a NUL, as the real key path is.
class RunValue : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = "Software\\NotesRunValueTest-" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : base_) {
            if (c == '/') c = '-';
        }
        keyPath_ = base_ + "\\Run" + '\0';
        userPath_ = base_ + "\\UserRun";
        RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str()); }

    std::string RunKey() const { return base_ + "\\Run"; }
    bool KeyExists(const std::string& path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    void Put(const std::string& name, const Stored& value) const {
        HKEY raw = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, RunKey().c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        const ui::Key key(raw);
        ASSERT_EQ(RegSetValueExA(key.get(), name.c_str(), 0, value.type,
                                 reinterpret_cast<const BYTE*>(value.bytes.data()),
                                 static_cast<DWORD>(value.bytes.size())),
                  ERROR_SUCCESS);
    }
    std::optional<Stored> Get(const std::string& name) const {
        HKEY raw = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKey().c_str(), 0, KEY_QUERY_VALUE, &raw) !=
            ERROR_SUCCESS)
            return std::nullopt;
        const ui::Key key(raw);
        Stored value{REG_NONE, std::string(4096, '\0')};
        DWORD size = static_cast<DWORD>(value.bytes.size());
        if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type,
                             reinterpret_cast<BYTE*>(value.bytes.data()), &size) != ERROR_SUCCESS)
            return std::nullopt;
        value.bytes.resize(size);
        return value;
    }
    void Apply(bool enabled, const std::string& name = kName) const {
        Apply(enabled, core::WidenAscii(name), core::WidenAscii(kData));
    }
    void Apply(bool enabled, const std::wstring& name, const std::wstring& command) const {
        notes::SystemRunRegistry registry(HKEY_CURRENT_USER, core::WidenAscii(keyPath_),
                                          HKEY_CURRENT_USER, core::WidenAscii(userPath_));
        core::ApplyRunOption(registry, name, command, enabled, core::RunOccasion::kClick);
    }

    std::string base_;
    std::string keyPath_;
    std::string userPath_;  // never used while the first key may be written
};

struct ValueCase {
    const char* name;
    bool keyExists;
    std::optional<Stored> before;  // nothing: no value of that name
    bool enabled;
    std::optional<Stored> after;
    const char* shown;  // the error box's text, nullptr for none
};

void PrintTo(const ValueCase& c, std::ostream* out) {
    *out << c.name;
}

class RunValueStates : public RunValue, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(RunValueStates, BecomeWhatTheOptionWants) {
    const ValueCase& c = GetParam();
    if (c.keyExists) Put("Other", {REG_SZ, "keep me\0"s});
    if (c.before) Put(kName, *c.before);
    try {
        Apply(c.enabled);
        EXPECT_EQ(c.shown, nullptr) << "no error raised";
    } catch (const core::AppError& e) {
        ASSERT_NE(c.shown, nullptr) << "raised " << Narrow(e);
        EXPECT_EQ(Shown(e), c.shown);
    }
    EXPECT_EQ(Get(kName), c.after);
    // Only the one value is ever touched; the key is not made when nothing is written.
    if (c.keyExists) {
        EXPECT_EQ(Get("Other"), (Stored{REG_SZ, "keep me\0"s}));
    }
    EXPECT_EQ(KeyExists(RunKey()), c.keyExists || c.after.has_value());
    EXPECT_FALSE(KeyExists(userPath_));
}

INSTANTIATE_TEST_SUITE_P(
    Values, RunValueStates,
    ::testing::Values(
        ValueCase{"OnWithoutTheKey", false, {}, true, kWritten, nullptr},
        ValueCase{"OnAbsent", true, {}, true, kWritten, nullptr},
        ValueCase{"OnEmpty", true, Stored{REG_SZ, "\0"s}, true, kWritten, nullptr},
        ValueCase{"OnWithoutData", true, Stored{REG_SZ, ""}, true, kWritten, nullptr},
        ValueCase{"OnEmptyBinary", true, Stored{REG_BINARY, ""}, true, kWritten, nullptr},
        ValueCase{"OnNulFirst", true, Stored{REG_SZ, "\0D:\\x.exe\0"s}, true, kWritten, nullptr},
        ValueCase{"OnSamePath", true, kWritten, true, kWritten, nullptr},
        ValueCase{"OnOtherPath", true, kOtherPath, true, kOtherPath, nullptr},
        ValueCase{"OnOtherPathUnquoted", true, Stored{REG_SZ, "C:\\Program Files\\n.exe\0"s}, true,
                  Stored{REG_SZ, "C:\\Program Files\\n.exe\0"s}, nullptr},
        ValueCase{"OnExpandable", true, Stored{REG_EXPAND_SZ, "%SystemDrive%\\n.exe\0"s}, true,
                  Stored{REG_EXPAND_SZ, "%SystemDrive%\\n.exe\0"s}, nullptr},
        // Kept; the test's ANSI read adds the missing terminator.
        ValueCase{"OnWithoutTerminator", true, Stored{REG_SZ, "D:\\n.exe"}, true,
                  Stored{REG_SZ, "D:\\n.exe\0"s}, nullptr},
        ValueCase{"OnDword", true, kDword, true, kDword, "Invalid data type for 'Notes'"},
        ValueCase{"OnMultiString", true, Stored{REG_MULTI_SZ, "a\0b\0\0"s}, true,
                  Stored{REG_MULTI_SZ, "a\0b\0\0"s}, "Invalid data type for 'Notes'"},
        ValueCase{"OffPresent", true, kWritten, false, std::nullopt, nullptr},
        ValueCase{"OffOtherPath", true, kOtherPath, false, std::nullopt, nullptr},
        ValueCase{"OffEmpty", true, Stored{REG_SZ, "\0"s}, false, std::nullopt, nullptr},
        ValueCase{"OffAbsent", true, {}, false, std::nullopt, nullptr},
        ValueCase{"OffWithoutTheKey", false, {}, false, std::nullopt, nullptr},
        ValueCase{"OffDword", true, kDword, false, kDword, "Invalid data type for 'Notes'"}),
    [](const ::testing::TestParamInfo<ValueCase>& test) { return std::string(test.param.name); });

TEST_F(RunValue, NamesAreMatchedWithoutRegardToCase) {
    Put("NOTES", kOtherPath);
    Apply(true, "notes");
    EXPECT_EQ(Get("Notes"), kOtherPath);
    Apply(false, "notes");
    EXPECT_EQ(Get("NOTES"), std::nullopt);
}

TEST_F(RunValue, AChineseNameAndPathAreStoredAsTheSystemReadsThem) {
    Apply(true, L"便签", L"C:\\便签\\便签.exe");
    EXPECT_EQ(Get("便签"), (Stored{REG_SZ, "C:\\便签\\便签.exe\0"s}));
}

TEST_F(RunValue, AKeyThatCannotBeCreatedIsNamedUpToRunWithoutAFullStop) {
    // A key name longer than the registry allows: refused however the key is set up.
    keyPath_ = base_ + "\\" + std::string(300, 'k') + "\\Run" + '\0';
    try {
        Apply(true);
        ADD_FAILURE() << "no error raised";
    } catch (const core::AppError& e) {
        EXPECT_EQ(Narrow(e), "Failed to create key " + keyPath_);
        EXPECT_EQ(Narrow(e).back(), '\0');
        EXPECT_EQ(Shown(e),
                  "Failed to create key " + base_ + "\\" + std::string(300, 'k') + "\\Run");
    }
    EXPECT_NO_THROW(Apply(false)) << "nothing is reported when the option is off";
}

TEST_F(RunValue, AValueTheSystemRefusesIsReportedByName) {
    // Value names are limited to 16383 characters; the title never comes near that.
    const std::string name(20000, 'n');
    try {
        Apply(true, name);
        ADD_FAILURE() << "no error raised";
    } catch (const core::AppError& e) {
        EXPECT_EQ(Shown(e), "Failed to set data for '" + name + "'");
    }
    EXPECT_NO_THROW(Apply(false, name));
}

TEST(RunKeyPath, IsThe45CharacterPathWithANulOfItsOwn) {
    EXPECT_EQ(notes::kRunKeyPath.size(), 46u);
    EXPECT_EQ(notes::kRunKeyPath.back(), L'\0');
    EXPECT_EQ(std::wstring(notes::kRunKeyPath.data()),
              L"Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

TEST(RunCommandFor, QuotesAPathWithASpace) {
    const struct {
        const wchar_t* path;
        const wchar_t* command;
    } cases[] = {
        {L"C:\\Notes\\Notes.exe", L"C:\\Notes\\Notes.exe"},
        {L"C:\\Program Files\\Notes\\Notes.exe", L"\"C:\\Program Files\\Notes\\Notes.exe\""},
        {L"C:\\Notes\\My Notes.exe", L"\"C:\\Notes\\My Notes.exe\""},
        {L"\\\\server\\share\\Notes.exe", L"\\\\server\\share\\Notes.exe"},
        {L"C:\\便签\\Notes.exe", L"C:\\便签\\Notes.exe"},
        {L"C:\\我的 便签\\便签.exe", L"\"C:\\我的 便签\\便签.exe\""},
        // Characters GBK cannot spell, and one whose GBK trail byte is 0x40.
        {L"C:\\Bjørn\\€.exe", L"C:\\Bjørn\\€.exe"},
        {L"C:\\丂\\n.exe", L"C:\\丂\\n.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(notes::RunCommandFor(c.path), c.command) << core::NarrowToAscii(c.path);
    }
}

}  // namespace
