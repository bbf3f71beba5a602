// The settings file "Setup.ini": one value per access through the system's private
// profile functions; nothing is cached between two accesses.
#pragma once

#include <cstdint>
#include <string>

#include "core/errors.h"
#include "core/settings_keys.h"

namespace ui {

// The settings file beside the executable.
std::wstring SettingsFilePath();

// A write the system refused ("Unable to write to <path>").
struct EIniFileException : core::AppError {
    explicit EIniFileException(const std::wstring& path);
};

// Holds the file's path only. Each handler makes its own and lets it go before it returns;
// letting it go commits the file once more.
class TIniFile {
public:
    explicit TIniFile(std::wstring path) : path_(std::move(path)) {}
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;
    ~TIniFile() { CommitFile(); }

    const std::wstring& Path() const { return path_; }

    // The stored value (blanks around it removed, at most 2047 characters), or `fallback`
    // when the file, the section or the entry is absent. An empty entry reads as "".
    std::wstring ReadText(const core::SettingsKey& key, const wchar_t* fallback) const;
    void WriteText(const core::SettingsKey& key, const std::wstring& value);
    // A value that is not a number reads as `fallback`, like an absent one.
    int32_t ReadNumber(const core::SettingsKey& key, int32_t fallback) const;
    void WriteNumber(const core::SettingsKey& key, int32_t value);
    bool ReadFlag(const core::SettingsKey& key, bool fallback) const;
    void WriteFlag(const core::SettingsKey& key, bool value);
    // Makes every value written so far durable on disk; reports nothing.
    void CommitFile() noexcept;

private:
    std::wstring path_;
};

}  // namespace ui
