#include "ui/ini_file.h"

#include <windows.h>

#include "core/number.h"
#include "ui/handles.h"
#include "ui/paths.h"

namespace ui {

std::string SettingsFilePath() {
    return ui::ProgramDirectory() + kSettingsFileName;
}

EIniFileException::EIniFileException(const std::string& path)
    : AppError("Unable to write to " + path) {}

std::string TIniFile::ReadText(const char* section, const char* key, const char* fallback) const {
    char buffer[2048] = {};
    const DWORD length =
        GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, path_.c_str());
    return std::string(buffer, length);
}

namespace {

// The profile functions may skip the disk when a value is unchanged and report success on a
// file nobody can write; ask the file system directly, so a read-only or locked settings
// file is reported at every write alike.
bool ExistingFileIsWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // created by the write
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    const ui::File file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

}  // namespace

void TIniFile::WriteText(const char* section, const char* key, const std::string& value) {
    if (!ExistingFileIsWritable(path_) ||
        !WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str())) {
        throw EIniFileException(path_);
    }
}

int32_t TIniFile::ReadNumber(const char* section, const char* key, int32_t fallback) const {
    return core::ParseInteger(ReadText(section, key, "")).value_or(fallback);
}

void TIniFile::WriteNumber(const char* section, const char* key, int32_t value) {
    WriteText(section, key, std::to_string(value));
}

bool TIniFile::ReadFlag(const char* section, const char* key, bool fallback) const {
    return ReadNumber(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteFlag(const char* section, const char* key, bool value) {
    WriteText(section, key, value ? "1" : "0");
}

void TIniFile::CommitFile() noexcept {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

}  // namespace ui
