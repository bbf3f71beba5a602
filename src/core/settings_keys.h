// What the settings file holds: its name, and the section and key of each value. Every
// reader and writer of the file names its values from here.
#pragma once

namespace core {

inline constexpr wchar_t kSettingsFileName[] = L"Setup.ini";

struct SettingsKey {
    const char* section;  // ASCII, as the key
    const char* key;
};

// The note's place and size, written together whenever it has been moved or resized.
inline constexpr SettingsKey kLeftKey = {"FORM", "Left"};
inline constexpr SettingsKey kTopKey = {"FORM", "Top"};
inline constexpr SettingsKey kWidthKey = {"FORM", "Width"};
inline constexpr SettingsKey kHeightKey = {"FORM", "Height"};
// The check mark of start at log-on, 1 or 0.
inline constexpr SettingsKey kAutoRunKey = {"FORM", "AutoRun"};
// The transparency slider's position.
inline constexpr SettingsKey kAlphaKey = {"FORM", "Alpha"};
// The note's colour, by its identifier ("clYellow") or as a number. Read as "COLOR" and
// written as "Color", as the program always has: the profile functions find a key whatever
// its case, so both name the one entry, and a new file gets the spelling "Color" that the
// files of earlier copies already have.
inline constexpr SettingsKey kColorReadKey = {"MEMO", "COLOR"};
inline constexpr SettingsKey kColorWrittenKey = {"MEMO", "Color"};

}  // namespace core
