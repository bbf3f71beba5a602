#include "desktop/run_value.h"

#include "ui/handles.h"

namespace notes {
namespace {

using core::RegResult;

RegResult KeyResult(LONG error) {
    switch (error) {
    case ERROR_SUCCESS: return RegResult::kOk;
    case ERROR_FILE_NOT_FOUND: return RegResult::kNotFound;
    case ERROR_ACCESS_DENIED: return RegResult::kDenied;
    default: return RegResult::kKeyFailed;
    }
}

}  // namespace

std::wstring RunCommandFor(std::wstring_view exePath) {
    if (exePath.find(L' ') == std::wstring_view::npos) return std::wstring(exePath);
    return L'"' + std::wstring(exePath) + L'"';
}

SystemRunRegistry::SystemRunRegistry(HKEY machineRoot, std::wstring_view machinePath, HKEY userRoot,
                                     std::wstring_view userPath)
    : machine_{machineRoot, std::wstring(machinePath)}, user_{userRoot, std::wstring(userPath)} {}

SystemRunRegistry::SystemRunRegistry()
    : SystemRunRegistry(HKEY_LOCAL_MACHINE, kRunKeyPath, HKEY_CURRENT_USER, kRunKeyPath) {}

const SystemRunRegistry::Place& SystemRunRegistry::At(core::RunKey key) const {
    return key == core::RunKey::kMachine ? machine_ : user_;
}

std::wstring SystemRunRegistry::KeyPath(core::RunKey key) const {
    return At(key).path;
}

core::RunValueRead SystemRunRegistry::Read(core::RunKey key, const std::wstring& name) {
    const Place& at = At(key);
    HKEY raw = nullptr;
    const LONG opened = RegOpenKeyExW(at.root, at.path.c_str(), 0, KEY_QUERY_VALUE, &raw);
    if (opened != ERROR_SUCCESS) return {.result = KeyResult(opened)};
    const ui::Key openKey(raw);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(openKey.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return {.result = RegResult::kNotFound};
    }
    if (size == 0) return {.result = RegResult::kOk};
    // Room for a NUL after the data: a string stored without its terminator still ends.
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(openKey.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
        return {.result = RegResult::kFailed};
    }
    data.resize(data.find(L'\0'));
    return {RegResult::kOk, type == REG_SZ || type == REG_EXPAND_SZ, std::move(data)};
}

RegResult SystemRunRegistry::Write(core::RunKey key, const std::wstring& name,
                                   const std::wstring& data) {
    const Place& at = At(key);
    HKEY raw = nullptr;
    const LONG made = RegCreateKeyExW(at.root, at.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (made != ERROR_SUCCESS) {
        return made == ERROR_ACCESS_DENIED ? RegResult::kDenied : RegResult::kKeyFailed;
    }
    const ui::Key openKey(raw);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(openKey.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS
               ? RegResult::kOk
               : RegResult::kFailed;
}

RegResult SystemRunRegistry::Delete(core::RunKey key, const std::wstring& name) {
    const Place& at = At(key);
    HKEY raw = nullptr;
    const LONG opened = RegOpenKeyExW(at.root, at.path.c_str(), 0, KEY_SET_VALUE, &raw);
    if (opened == ERROR_FILE_NOT_FOUND) return RegResult::kOk;
    if (opened != ERROR_SUCCESS) return KeyResult(opened);
    const ui::Key openKey(raw);
    const LONG deleted = RegDeleteValueW(openKey.get(), name.c_str());
    if (deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND) return RegResult::kOk;
    return deleted == ERROR_ACCESS_DENIED ? RegResult::kDenied : RegResult::kFailed;
}

}  // namespace notes
