#include "ui/libraries.h"

#include <string>

namespace ui {
namespace {

// Looked up, not imported: a Windows 7 without the update has neither the function nor the
// flag, and the program must start there too.
bool CanSearchSystemFolderOnly() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel && GetProcAddress(kernel, "SetDefaultDllDirectories") != nullptr;
}

}  // namespace

void RestrictLibrarySearch() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return;
    const auto set = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

Library LoadSystemLibrary(const wchar_t* fileName) {
    if (CanSearchSystemFolderOnly()) {
        return Library(LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    }
    // By its full path; the altered search order then starts at the library's own folder,
    // the system folder, for what it loads.
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return Library();
    std::wstring path(folder, length);
    if (path.back() != L'\\') path += L'\\';
    path += fileName;
    return Library(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace ui
