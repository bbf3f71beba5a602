// What a start of the note costs in libraries: the font dialog's comdlg32, which brings the
// print spooler along, is loaded at the first font dialog, not with every start.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/driver.h"

namespace {

// Base names of the modules loaded in the process, lower case.
std::vector<std::string> LoadedModules(HANDLE process) {
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    if (!EnumProcessModules(process, modules.data(),
                            static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
        return {};
    }
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    std::vector<std::string> names;
    for (HMODULE module : modules) {
        char name[MAX_PATH] = {};
        if (!GetModuleBaseNameA(process, module, name, MAX_PATH)) continue;
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(lower);
    }
    return names;
}

TEST(StartupLibraries, NoFontDialogOrPrintSpoolerLibraryUntilTheFontDialogIsAskedFor) {
    drv::NotesProcess note({.files = {{"Memo.rtf", "{\\rtf1 note}"}}});
    note.Launch();
    ASSERT_TRUE(note.WaitForNoteWindow());

    const std::vector<std::string> modules = LoadedModules(note.Main().Handle());
    ASSERT_NE(std::find(modules.begin(), modules.end(), "riched32.dll"), modules.end())
        << "the module list of the note could not be read";
    for (const char* library : {"comdlg32.dll", "winspool.drv"}) {
        EXPECT_EQ(std::find(modules.begin(), modules.end(), library), modules.end()) << library;
    }
}

}  // namespace
