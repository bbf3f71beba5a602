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
// Wine's per-program library settings for kExe.
constexpr char kOverridesKey[] = "Software\\Wine\\AppDefaults\\Planted.exe\\DllOverrides";
struct Planted {
    const char* file;
    const char* library;  // as the override names it
};
constexpr Planted kPlanted[] = {{"riched32.dll", "riched32"},
                                {"riched20.dll", "riched20"},
                                {"comdlg32.dll", "comdlg32"},
                                {"msftedit.dll", "msftedit"}};

std::string BesideOurselves(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string full(path);
    return full.substr(0, full.find_last_of('\\') + 1) + name;
}

TEST(PlantedLibrary, NoneIsLoadedAndTheNoteWorks) {
    std::vector<std::unique_ptr<drv::RegValueRestorer>> restorers;
    for (const Planted& planted : kPlanted) {
        restorers.push_back(std::make_unique<drv::RegValueRestorer>(
            HKEY_CURRENT_USER, kOverridesKey, planted.library));
        ASSERT_TRUE(drv::WriteRegString(HKEY_CURRENT_USER, kOverridesKey, planted.library,
                                        "native,builtin"));
    }
    drv::NotesProcess note({.exeName = kExe, .files = {{"Memo.rtf", "{\\rtf1 x}"}}});
    for (const Planted& planted : kPlanted) {
        ASSERT_TRUE(CopyFileA(BesideOurselves("planted_library.dll").c_str(),
                              note.File(planted.file).c_str(), FALSE))
            << planted.file;
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
