#include "core/run_option.h"

#include "core/errors.h"

namespace core {
namespace {

struct Found {
    bool present = false;  // a value of that name exists, empty or not
    bool command = false;  // it names something to start
};

std::wstring Quoted(const std::wstring& name) {
    return L"'" + name + L"'";
}

// A key that cannot be read (refused, or failing to open) holds nothing the program can see.
Found Look(RunRegistry& registry, RunKey key, const std::wstring& name) {
    const RunValueRead read = registry.Read(key, name);
    switch (read.result) {
    case RegResult::kOk: break;
    case RegResult::kFailed: throw AppError(L"Failed to get data for " + Quoted(name));
    default: return {};
    }
    if (!read.isString) throw AppError(L"Invalid data type for " + Quoted(name));
    return {true, !read.text.empty()};
}

// Writes through `key`; false when the key refuses writing.
bool Write(RunRegistry& registry, RunKey key, const std::wstring& name,
           const std::wstring& command) {
    switch (registry.Write(key, name, command)) {
    case RegResult::kOk: return true;
    case RegResult::kDenied:
        if (key == RunKey::kMachine) return false;
        [[fallthrough]];
    case RegResult::kKeyFailed:
    case RegResult::kNotFound: throw AppError(L"Failed to create key " + registry.KeyPath(key));
    case RegResult::kFailed: throw AppError(L"Failed to set data for " + Quoted(name));
    }
    return true;
}

}  // namespace

void ApplyRunOption(RunRegistry& registry, const std::wstring& name, const std::wstring& command,
                    bool wanted, RunOccasion occasion) {
    const Found machine = Look(registry, RunKey::kMachine, name);
    const Found user = Look(registry, RunKey::kUser, name);
    if (wanted) {
        if (machine.command || user.command) return;
        if (!Write(registry, RunKey::kMachine, name, command)) {
            Write(registry, RunKey::kUser, name, command);
        }
        return;
    }
    // A failure other than a refusal is not reported: a value already gone is what is wanted.
    const auto kept = [&](RunKey key, const Found& found) {
        return found.present && registry.Delete(key, name) == RegResult::kDenied && found.command;
    };
    const bool userKept = kept(RunKey::kUser, user);
    const bool machineKept = kept(RunKey::kMachine, machine);
    if (occasion == RunOccasion::kStart || !(userKept || machineKept)) return;
    throw AppError(L"Cannot remove " + Quoted(name) + L" from the " +
                   (machineKept ? L"per-machine" : L"per-user") + L" Run key: access is denied");
}

}  // namespace core
