// The values under the Run keys of the registry that start the program when a user logs
// on: what one holds for an executable, and the registry operations of the option.
#pragma once

#include <windows.h>

#include <iterator>
#include <string>
#include <string_view>

#include "core/run_option.h"

namespace notes {

// The Run key's path, under HKEY_LOCAL_MACHINE and under HKEY_CURRENT_USER. The literal ends
// in a NUL of its own: the registry sees the 45-character path, while the create-key error
// quotes all 46 characters, so the error box shows the text up to "Run" and adds no full
// stop after it. A 32-bit program sees the per-machine key's 32-bit view (WOW6432Node on
// 64-bit Windows), which the system also starts programs from.
inline constexpr wchar_t kRunKeyLiteral[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\0";
inline constexpr std::wstring_view kRunKeyPath(kRunKeyLiteral, std::size(kRunKeyLiteral) - 1);

// What the Run value holds for an executable: its path, in double quotes when it has a
// space, since the system would otherwise first try "C:\Program.exe" for
// "C:\Program Files\Notes\Notes.exe".
std::wstring RunCommandFor(std::wstring_view exePath);

// The Run keys in the registry; each path is read up to its first NUL.
class SystemRunRegistry : public core::RunRegistry {
public:
    SystemRunRegistry(HKEY machineRoot, std::wstring_view machinePath, HKEY userRoot,
                      std::wstring_view userPath);
    // HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, each with kRunKeyPath.
    SystemRunRegistry();

    std::wstring KeyPath(core::RunKey key) const override;
    core::RunValueRead Read(core::RunKey key, const std::wstring& name) override;
    core::RegResult Write(core::RunKey key, const std::wstring& name,
                          const std::wstring& data) override;
    core::RegResult Delete(core::RunKey key, const std::wstring& name) override;

private:
    struct Place {
        HKEY root;
        std::wstring path;
    };
    const Place& At(core::RunKey key) const;

    Place machine_;
    Place user_;
};

}  // namespace notes
