// A portable note runs from folders anyone may drop files into. Libraries planted beside it
// under the names of those it loads at run time must never be loaded: Wine is told to
// prefer a library it finds as a file over its own (native first), as Windows does for every
// library that is not on its list of known ones.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "window/ids.h"

namespace {

constexpr char kExe[] = "Planted.exe";
constexpr const char* kPlantedNames[] = {"riched32.dll", "riched20.dll", "comdlg32.dll",
                                         "msftedit.dll"};

std::string BesideOurselves(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string full(path);
    return full.substr(0, full.find_last_of('\\') + 1) + name;
}

TEST(PlantedLibrary, NoneIsLoadedAndTheNoteWorks) {
    const std::string key = std::string("Software\\Wine\\AppDefaults\\") + kExe + "\\DllOverrides";
    std::vector<std::unique_ptr<drv::RegValueRestorer>> restorers;
    for (const char* name : kPlantedNames) {
        const std::string library = std::string(name).substr(0, std::string(name).find('.'));
        restorers.push_back(
            std::make_unique<drv::RegValueRestorer>(HKEY_CURRENT_USER, key, library));
        ASSERT_TRUE(drv::WriteRegString(HKEY_CURRENT_USER, key, library, "native,builtin"));
    }
    drv::NotesProcess note({.exeName = kExe, .files = {{"Memo.rtf", "{\\rtf1 x}"}}});
    for (const char* name : kPlantedNames) {
        ASSERT_TRUE(CopyFileA(BesideOurselves("planted_library.dll").c_str(),
                              note.File(name).c_str(), FALSE))
            << name;
    }

    note.Launch();
    const HWND window = *note.WaitForNoteWindow();
    EXPECT_EQ(drv::CountMessageBoxes(note.Pid()), 0);
    const HWND editor = drv::ChildById(window, notes::IDC_REMEMO);
    ASSERT_TRUE(editor);
    drv::Click(drv::Center(editor));
    drv::PressKey(VK_END, drv::kCtrl);
    drv::TypeText("yz");
    ASSERT_TRUE(drv::Settle(window));
    EXPECT_TRUE(drv::WaitUntil([&] { return drv::RtfText(*note.ReadFile("Memo.rtf")) == L"xyz"; },
                               drv::kWaitTimeout, "the typing saved"));

    // The font dialog's library comes later, when the dialog is first asked for.
    drv::Click(drv::ClientToScreen(editor, {150, 200}), drv::MouseButton::Right);
    const drv::Menu menu = *drv::WaitForPopupMenu(note.Pid());
    ASSERT_TRUE(drv::ChooseMenuItem(menu, "字体"));
    const HWND dialog = *drv::WaitFor<HWND>(
        [&]() -> std::optional<HWND> {
            for (HWND h : drv::FindTopLevels(note.Pid(), "#32770")) {
                if (drv::IsVisible(h)) return h;
            }
            return std::nullopt;
        },
        drv::kWaitTimeout, "the font dialog");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    ASSERT_TRUE(drv::WaitForGone(dialog));

    for (const std::string& name : drv::ListDirectory(note.Dir().Path())) {
        EXPECT_EQ(name.find(".loaded"), std::string::npos) << name << ": a planted library ran";
    }
}

}  // namespace
