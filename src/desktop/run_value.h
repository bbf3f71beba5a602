// The value under a Run key of the registry that starts the program when a user logs on:
// what it holds for an executable, and bringing it in line with the option.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace notes {

// The per-machine Run key. The literal ends in a NUL of its own: the registry sees the
// 45-character path, while the create-key error quotes all 46 bytes, so the error box shows
// the text up to "Run" and adds no full stop after it.
inline constexpr char kRunKeyLiteral[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\0";
inline constexpr std::string_view kRunKeyPath(kRunKeyLiteral, sizeof kRunKeyLiteral - 1);

// What the Run value holds for an executable: its path, in double quotes when it has a
// space, since the system would otherwise first try "C:\Program.exe" for
// "C:\Program Files\Notes\Notes.exe".
std::wstring RunCommandFor(std::wstring_view exePath);

// Brings the string value `name` under root\keyPath in line with `enabled`. Wanted: written
// with `data` when it is absent or empty; one already present is left whatever it holds
// (it may be another copy's). Not wanted: deleted, every failure ignored. The current value
// is read either way, so a value that is not a string is reported, and kept, whatever is
// wanted. Raises core::AppError with the text the user sees.
void ApplyRunValue(HKEY root, std::string_view keyPath, const std::wstring& name,
                   const std::wstring& data, bool enabled);

}  // namespace notes
