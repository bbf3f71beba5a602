// Start at log-on over a registry in memory: both Run keys in every state that matters,
// allowed or refused, with the option wanted or not, at start and at a click.
#include "core/run_option.h"

#include <gtest/gtest.h>

#include <string>

#include "core/errors.h"

namespace {

using core::RegResult;
using core::RunKey;

// A key's access for this user; the failures stand for anything but a refusal.
enum class Access { kAllowed, kNoWrite, kNoAccess, kKeyFails, kSetFails, kDataFails };
enum class Value { kAbsent, kThis, kOther, kEmpty, kDword };

const std::wstring kName = L"Notes";
const std::wstring kThisCommand = L"\"C:\\My Notes\\Notes.exe\"";

struct Key {
    Access access;
    Value value;
};

class MemoryRegistry : public core::RunRegistry {
public:
    MemoryRegistry(Key machine, Key user) : keys_{machine, user} {}

    std::wstring KeyPath(RunKey key) const override {
        return key == RunKey::kMachine ? L"Machine\\Run" : L"User\\Run";
    }
    core::RunValueRead Read(RunKey key, const std::wstring& name) override {
        const Key& k = At(key, name);
        if (k.access == Access::kNoAccess) return {.result = RegResult::kDenied};
        if (k.value == Value::kAbsent) return {.result = RegResult::kNotFound};
        if (k.access == Access::kDataFails) return {.result = RegResult::kFailed};
        const wchar_t* text = k.value == Value::kThis    ? kThisCommand.c_str()
                              : k.value == Value::kOther ? L"D:\\Old\\Notes.exe"
                                                         : L"";
        return {RegResult::kOk, k.value != Value::kDword, text};
    }
    RegResult Write(RunKey key, const std::wstring& name, const std::wstring& data) override {
        Key& k = At(key, name);
        ++writeOpens;
        switch (k.access) {
        case Access::kNoWrite:
        case Access::kNoAccess: return RegResult::kDenied;
        case Access::kKeyFails: return RegResult::kKeyFailed;
        case Access::kSetFails: return RegResult::kFailed;
        default: break;
        }
        EXPECT_EQ(data, kThisCommand);
        k.value = Value::kThis;
        return RegResult::kOk;
    }
    RegResult Delete(RunKey key, const std::wstring& name) override {
        Key& k = At(key, name);
        ++writeOpens;
        if (k.access == Access::kNoWrite || k.access == Access::kNoAccess)
            return RegResult::kDenied;
        k.value = Value::kAbsent;
        return RegResult::kOk;
    }

    Key keys_[2];
    int writeOpens = 0;

private:
    Key& At(RunKey key, const std::wstring& name) {
        EXPECT_EQ(name, kName);
        return keys_[key == RunKey::kMachine ? 0 : 1];
    }
};

constexpr auto kStart = core::RunOccasion::kStart;
constexpr auto kClick = core::RunOccasion::kClick;
constexpr bool On = true, Off = false;
// Allowed, read-only (changes refused) and refused all access.
constexpr Access A = Access::kAllowed, RO = Access::kNoWrite, No = Access::kNoAccess,
                 KeyFails = Access::kKeyFails, SetFails = Access::kSetFails,
                 DataFails = Access::kDataFails;
constexpr Value Absent = Value::kAbsent, This = Value::kThis, Other = Value::kOther,
                Empty = Value::kEmpty, Dword = Value::kDword;

constexpr wchar_t kInvalid[] = L"Invalid data type for 'Notes'";
constexpr wchar_t kMachineKept[] =
    L"Cannot remove 'Notes' from the per-machine Run key: access is denied";
constexpr wchar_t kUserKept[] =
    L"Cannot remove 'Notes' from the per-user Run key: access is denied";
constexpr wchar_t kMachineKey[] = L"Failed to create key Machine\\Run";
constexpr wchar_t kUserKey[] = L"Failed to create key User\\Run";
constexpr wchar_t kSetData[] = L"Failed to set data for 'Notes'";
constexpr wchar_t kGetData[] = L"Failed to get data for 'Notes'";

struct Case {
    const char* name;
    Key machine, user;
    bool wanted;
    core::RunOccasion occasion;
    Value machineAfter, userAfter;
    int writeOpens;  // how often a key was opened for writing
    const wchar_t* error = nullptr;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class RunOption : public ::testing::TestWithParam<Case> {};

TEST_P(RunOption, BringsTheKeysInLineAndOpensThemForWritingOnlyForAChange) {
    const Case& c = GetParam();
    MemoryRegistry registry(c.machine, c.user);
    std::wstring error;
    try {
        core::ApplyRunOption(registry, kName, kThisCommand, c.wanted, c.occasion);
    } catch (const core::AppError& e) {
        error = e.Text();
    }
    EXPECT_EQ(error, c.error ? c.error : L"") << core::NarrowToAscii(error);
    EXPECT_EQ(registry.keys_[0].value, c.machineAfter);
    EXPECT_EQ(registry.keys_[1].value, c.userAfter);
    EXPECT_EQ(registry.writeOpens, c.writeOpens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunOption,
    ::testing::Values(
        // An administrator: the per-machine value, as always.
        Case{"OnAbsent", {A, Absent}, {A, Absent}, On, kStart, This, Absent, 1},
        Case{"OnEmpty", {A, Empty}, {A, Absent}, On, kStart, This, Absent, 1},
        Case{"OnThisPath", {A, This}, {A, Absent}, On, kStart, This, Absent, 0},
        Case{"OnOtherPath", {A, Other}, {A, Absent}, On, kClick, Other, Absent, 0},
        Case{"OnInTheUserKey", {A, Absent}, {A, Other}, On, kStart, Absent, Other, 0},
        Case{"OffThisPath", {A, This}, {A, Absent}, Off, kStart, Absent, Absent, 1},
        Case{"OffOtherPath", {A, Other}, {A, Absent}, Off, kClick, Absent, Absent, 1},
        Case{"OffEmpty", {A, Empty}, {A, Absent}, Off, kStart, Absent, Absent, 1},
        Case{"OffInBothKeys", {A, This}, {A, This}, Off, kClick, Absent, Absent, 2},
        Case{"OffAbsent", {A, Absent}, {A, Absent}, Off, kClick, Absent, Absent, 0},
        // A standard user: the per-user key where the per-machine one refuses.
        Case{"UserOnAbsent", {RO, Absent}, {A, Absent}, On, kClick, Absent, This, 2},
        Case{"UserOnEmpty", {RO, Empty}, {A, Empty}, On, kStart, Empty, This, 2},
        Case{"UserOnUnreadable", {No, This}, {A, Absent}, On, kStart, This, This, 2},
        Case{"UserOnThisPath", {RO, Absent}, {A, This}, On, kStart, Absent, This, 0},
        Case{"UserOnOtherPath", {RO, Absent}, {A, Other}, On, kStart, Absent, Other, 0},
        Case{"UserOnAdminsValue", {RO, Other}, {A, Absent}, On, kStart, Other, Absent, 0},
        Case{"UserOffThisPath", {RO, Absent}, {A, This}, Off, kClick, Absent, Absent, 1},
        Case{"UserOffOtherPath", {RO, Absent}, {A, Other}, Off, kStart, Absent, Absent, 1},
        Case{"UserOffAdminsValueAtStart", {RO, This}, {A, This}, Off, kStart, This, Absent, 2},
        Case{"UserOffAdmins", {RO, Other}, {A, This}, Off, kClick, Other, Absent, 2, kMachineKept},
        Case{"UserOffAdminsEmptyValue", {RO, Empty}, {A, Absent}, Off, kClick, Empty, Absent, 1},
        Case{"UserOffUnreadable", {No, This}, {A, Absent}, Off, kClick, This, Absent, 0},
        Case{"UserOffUserKey", {A, Absent}, {RO, This}, Off, kClick, Absent, This, 1, kUserKept},
        Case{"BothRefuse", {RO, Absent}, {RO, Absent}, On, kStart, Absent, Absent, 2, kUserKey},
        // Not a string, in either key: reported whatever is wanted, and nothing changes.
        Case{"OnDword", {A, Dword}, {A, Absent}, On, kStart, Dword, Absent, 0, kInvalid},
        Case{"OffDword", {A, Dword}, {A, This}, Off, kClick, Dword, This, 0, kInvalid},
        Case{"UserOnDword", {RO, This}, {A, Dword}, On, kClick, This, Dword, 0, kInvalid},
        Case{"UserOffDword", {RO, Absent}, {A, Dword}, Off, kStart, Absent, Dword, 0, kInvalid},
        // Failures other than a refusal: reported, and the per-user key is not tried.
        Case{"NoKey", {KeyFails, Absent}, {A, Absent}, On, kStart, Absent, Absent, 1, kMachineKey},
        Case{"NoSet", {SetFails, Empty}, {A, Absent}, On, kStart, Empty, Absent, 1, kSetData},
        Case{"NoGet", {DataFails, This}, {A, Absent}, Off, kStart, This, Absent, 0, kGetData}),
    [](const ::testing::TestParamInfo<Case>& test) { return std::string(test.param.name); });

}  // namespace
