#include "ui/ini_file.h"

#include <windows.h>

#include "core/number.h"
#include "ui/handles.h"
#include "ui/paths.h"

namespace ui {

std::wstring SettingsFilePath() {
    return ui::ProgramDirectory() + core::kSettingsFileName;
}

EIniFileException::EIniFileException(const std::wstring& path)
    : AppError(L"Unable to write to " + path) {}

std::wstring TIniFile::ReadText(const core::SettingsKey& key, const wchar_t* fallback) const {
    wchar_t buffer[2048] = {};
    const DWORD length = GetPrivateProfileStringW(
        core::WidenAscii(key.section).c_str(), core::WidenAscii(key.key).c_str(), fallback, buffer,
        sizeof buffer / sizeof buffer[0], path_.c_str());
    return std::wstring(buffer, length);
}

namespace {

// The profile functions may skip the disk when a value is unchanged and report success on a
// file nobody can write; ask the file system directly, so a read-only or locked settings
// file is reported at every write alike.
bool ExistingFileIsWritable(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // created by the write
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    const ui::File file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

}  // namespace

void TIniFile::WriteText(const core::SettingsKey& key, const std::wstring& value) {
    if (!ExistingFileIsWritable(path_) ||
        !WritePrivateProfileStringW(core::WidenAscii(key.section).c_str(),
                                    core::WidenAscii(key.key).c_str(), value.c_str(),
                                    path_.c_str())) {
        throw EIniFileException(path_);
    }
}

int32_t TIniFile::ReadNumber(const core::SettingsKey& key, int32_t fallback) const {
    return core::ParseInteger(core::NarrowToAscii(ReadText(key, L""))).value_or(fallback);
}

void TIniFile::WriteNumber(const core::SettingsKey& key, int32_t value) {
    WriteText(key, std::to_wstring(value));
}

bool TIniFile::ReadFlag(const core::SettingsKey& key, bool fallback) const {
    return ReadNumber(key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteFlag(const core::SettingsKey& key, bool value) {
    WriteText(key, value ? L"1" : L"0");
}

void TIniFile::CommitFile() noexcept {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());
}

}  // namespace ui
