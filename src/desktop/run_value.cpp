#include "desktop/run_value.h"

#include <algorithm>

#include "core/errors.h"
#include "ui/handles.h"

namespace notes {
namespace {

// Full access also for reading: a user who may not change the key finds nothing there, and
// then learns from the failed write that the option cannot take effect.
ui::Key OpenKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, core::WidenAscii(path).c_str(), 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
        return {};
    return ui::Key(key);
}

// The value's text up to its first NUL; "" when the key or the value is missing or the
// value has no data.
std::wstring ReadCurrent(HKEY root, const std::string& path, const std::wstring& name) {
    const ui::Key key = OpenKey(root, path);
    if (!key) return {};
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0) {
        return {};
    }
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
        throw core::AppError(L"Failed to get data for '" + name + L"'");
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        throw core::AppError(L"Invalid data type for '" + name + L"'");
    }
    data.resize(std::min<std::size_t>(size / sizeof(wchar_t), data.size()));
    return data.substr(0, data.find(L'\0'));
}

ui::Key CreateKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, core::WidenAscii(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return ui::Key(key);
}

void Write(HKEY root, const std::string& path, const std::wstring& name, const std::wstring& data) {
    // Made sure of, and closed again: the value goes in through a handle opened afresh.
    if (!CreateKey(root, path))
        throw core::AppError(L"Failed to create key " + core::WidenAscii(path));
    const ui::Key key = OpenKey(root, path);
    if (!key) return;  // gone again at once: nothing to write into
    if (RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS) {
        throw core::AppError(L"Failed to set data for '" + name + L"'");
    }
}

}  // namespace

std::wstring RunCommandFor(std::wstring_view exePath) {
    if (exePath.find(L' ') == std::wstring_view::npos) return std::wstring(exePath);
    return L'"' + std::wstring(exePath) + L'"';
}

void ApplyRunValue(HKEY root, std::string_view keyPath, const std::wstring& name,
                   const std::wstring& data, bool enabled) {
    const std::string path(keyPath);  // the registry reads it up to its first NUL
    const std::wstring current = ReadCurrent(root, path, name);
    if (enabled) {
        if (current.empty()) Write(root, path, name, data);
        return;
    }
    if (const ui::Key key = OpenKey(root, path)) {
        RegDeleteValueW(key.get(), name.c_str());  // a value already gone is what we want
    }
}

}  // namespace notes
