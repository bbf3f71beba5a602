// Start at log-on: what the Run keys of the registry must hold for the option, decided over
// the few registry operations it needs, so that every state of both keys and every refusal
// is tested without a registry.
#pragma once

#include <string>
#include <string_view>

namespace core {

// The system starts at log-on what either key names: the per-machine key for every user,
// the per-user key for the one whose it is. A user without elevation may read the
// per-machine key but not change it.
enum class RunKey { kMachine, kUser };

enum class RegResult {
    kOk,
    kNotFound,   // the key or the value does not exist
    kDenied,     // the key refuses the access asked for
    kKeyFailed,  // the key could not be opened or made for another reason
    kFailed,     // the value's data could not be read or set
};

struct RunValueRead {
    RegResult result = RegResult::kNotFound;
    bool isString = true;  // REG_SZ or REG_EXPAND_SZ; a value without data counts as one
    std::wstring text{};   // a string's text up to its first NUL
};

// The registry operations the option needs, on the value of one name under a Run key.
class RunRegistry {
public:
    virtual ~RunRegistry() = default;

    // The key's path as the create-key error quotes it.
    virtual std::wstring KeyPath(RunKey key) const = 0;
    // Reads the value with read access to the key only.
    virtual RunValueRead Read(RunKey key, const std::wstring& name) = 0;
    // Makes the key when it is missing and sets the value to the string `data`, asking for
    // write access to the key: kOk, kDenied, kKeyFailed or kFailed.
    virtual RegResult Write(RunKey key, const std::wstring& name, const std::wstring& data) = 0;
    // Deletes the value, asking for write access to the key: kOk (also when it was gone
    // already), kDenied or kFailed.
    virtual RegResult Delete(RunKey key, const std::wstring& name) = 0;
};

// When the option is applied: the start-up sequence, or a click on its menu item.
enum class RunOccasion { kStart, kClick };

// Brings the Run values named `name` in line with the option. The option is in effect when
// either key holds a command under that name, whatever program it names (it may be another
// copy's). Wanted and in effect: nothing changes. Wanted and not in effect: `command` goes
// to the per-machine key, or to the per-user key where the per-machine key refuses writing.
// Not wanted: the value is removed from both keys; one that a key refuses to give up is
// reported at a click and left alone at start. Keys are opened for writing only for a change.
// Throws AppError with the text the user sees, also for a value that is not a string,
// which is kept whatever is wanted.
void ApplyRunOption(RunRegistry& registry, const std::wstring& name, const std::wstring& command,
                    bool wanted, RunOccasion occasion);

}  // namespace core
