// The Font command driven from outside: the system font dialog that it opens over the
// selection (what the dialog shows, where it stands, what it disables), and the format
// that OK and Cancel leave on the text and in the note file.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "driver/driver.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

constexpr char kNote[] = "Memo.rtf";

// Controls of the system font dialog (dlgs.h).
constexpr int kFaceList = 1136;
constexpr int kStyleList = 1137;
constexpr int kSizeList = 1138;
constexpr int kColorList = 1139;
constexpr int kScriptList = 1140;
constexpr int kStrikeOutBox = 1040;
constexpr int kUnderlineBox = 1041;
constexpr int kListEdit = 1001;  // the edit field of a list with one

using drv::SendTo;

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM context) {
    auto& faces = *reinterpret_cast<std::vector<std::string>*>(context);
    if ((type & TRUETYPE_FONTTYPE) && font->lfFaceName[0] != '@') {
        faces.emplace_back(font->lfFaceName);
    }
    return 1;
}

// A scalable face that the dialog lists, so that it opens on it: the machine's fonts decide.
std::string AvailableFace() {
    std::vector<std::string> faces;
    LOGFONTA all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    ui::WindowDC screen(nullptr);
    EnumFontFamiliesExA(screen.get(), &all, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    for (const std::string& face : faces) {
        if (face == "DejaVu Sans") return face;
    }
    return faces.empty() ? std::string() : faces.front();
}

std::string NoteWith(const std::string& face, const std::string& body,
                     const std::string& colors = "") {
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 " + face + ";}}" + colors + "\\f0\\fs21 " + body + "}";
}

// The system font dialog of the program under test, worked as its user would.
struct FontDialog {
    HWND hwnd = nullptr;

    HWND Control(int id) const { return GetDlgItem(hwnd, id); }
    std::string Shown(int list) const { return drv::ControlText(Control(list)); }
    LRESULT SelectedData(int list) const {
        const LRESULT index = SendTo(Control(list), CB_GETCURSEL);
        return index == CB_ERR ? CB_ERR : SendTo(Control(list), CB_GETITEMDATA, index);
    }
    int IndexWithData(int list, LRESULT data) const {
        const int count = static_cast<int>(SendTo(Control(list), CB_GETCOUNT));
        for (int i = 0; i < count; ++i) {
            if (SendTo(Control(list), CB_GETITEMDATA, i) == data) return i;
        }
        return -1;
    }
    bool Checked(int box) const { return SendTo(Control(box), BM_GETCHECK) == BST_CHECKED; }

    // A user's pick in a list: the selection moves, and the list tells the dialog that the
    // pick is done and that the selection changed, in the order the system's lists do.
    bool Pick(int list, int index) const {
        if (index < 0 || SendTo(Control(list), CB_SETCURSEL, index) != index) return false;
        const auto notify = [&](WORD code) {
            SendTo(hwnd, WM_COMMAND, MAKEWPARAM(list, code),
                   reinterpret_cast<LPARAM>(Control(list)));
        };
        notify(CBN_SELENDOK);
        notify(CBN_SELCHANGE);
        return true;
    }
    bool PickData(int list, LRESULT data) const { return Pick(list, IndexWithData(list, data)); }
    void Tick(int box) const {
        SendTo(Control(box), BM_SETCHECK, Checked(box) ? BST_UNCHECKED : BST_CHECKED);
        SendTo(hwnd, WM_COMMAND, MAKEWPARAM(box, BN_CLICKED),
               reinterpret_cast<LPARAM>(Control(box)));
    }
    // A face typed that the list does not hold: no entry stays selected.
    void TypeFace(const std::string& face) const {
        SendTo(Control(kFaceList), CB_SETCURSEL, static_cast<WPARAM>(-1));
        SendTo(GetDlgItem(Control(kFaceList), kListEdit), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(face.c_str()));
    }
    ::testing::AssertionResult Close(int button) const {
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(button)));
        return drv::WaitForGone(hwnd);
    }
};

class FontCommand : public ::testing::Test {
protected:
    void Start(const std::string& rtf, const std::string& exeName = "Notes.exe") {
        note_ = std::make_unique<drv::NotesProcess>(
            drv::NotesSetup{.exeName = exeName, .files = {{kNote, rtf}}});
        note_->Launch();
        window_ = *note_->WaitForNoteWindow();
        editor_ = drv::ChildById(window_, IDC_REMEMO);
        ASSERT_TRUE(editor_);
    }
    void StartOn(const std::string& body, const std::string& colors = "") {
        face_ = AvailableFace();
        ASSERT_FALSE(face_.empty()) << "no scalable font on this machine";
        Start(NoteWith(face_, body, colors));
    }

    // Opens the dialog from the editor's menu with `from`..`to` selected.
    FontDialog Open(int from = 0, int to = -1) {
        SendTo(editor_, EM_SETSEL, static_cast<WPARAM>(from), to);
        drv::Click(drv::ClientToScreen(editor_, {150, 200}), drv::MouseButton::Right);
        const drv::Menu menu = *drv::WaitForPopupMenu(note_->Pid());
        EXPECT_TRUE(drv::ChooseMenuItem(menu, "字体"));
        const HWND dialog = *drv::WaitFor<HWND>(
            [&]() -> std::optional<HWND> {
                for (HWND h : drv::FindTopLevels(note_->Pid(), "#32770")) {
                    if (drv::IsVisible(h) && GetDlgItem(h, kFaceList)) return h;
                }
                return std::nullopt;
            },
            drv::kWaitTimeout, "the font dialog");
        EXPECT_TRUE(drv::Settle(dialog));
        return {dialog};
    }
    void CloseAndSettle(const FontDialog& dialog, int button) {
        ASSERT_TRUE(dialog.Close(button));
        ASSERT_TRUE(drv::Settle(window_));
    }
    CHARFORMATA Format(int from = 0, int to = -1) const {
        return *drv::SelectionFormat(editor_, from, to);
    }
    std::string Saved() const { return note_->ReadFile(kNote).value_or(""); }

    std::string face_;
    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

TEST_F(FontCommand, OpensOnTheSelectionCentredAThirdDownAndOkWritesWholePoints) {
    StartOn("Hello world");
    EXPECT_EQ(Format().yHeight, 210);
    const FontDialog dialog = Open();

    EXPECT_EQ(dialog.Shown(kFaceList), face_);
    EXPECT_EQ(dialog.Shown(kSizeList), "10") << "10.5 points open as 10";
    EXPECT_EQ(dialog.SelectedData(kStyleList), MAKELONG(FW_NORMAL, 0));
    EXPECT_FALSE(dialog.Checked(kUnderlineBox));
    EXPECT_FALSE(dialog.Checked(kStrikeOutBox));

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT m = monitor.rcMonitor;
    const RECT r = drv::WindowRect(dialog.hwnd);
    EXPECT_EQ(r.left, m.left + (drv::Width(m) - drv::Width(r)) / 2);
    EXPECT_EQ(r.top, m.top + (drv::Height(m) - drv::Height(r)) / 3);

    // The note waits below the dialog, which it must not cover.
    EXPECT_EQ(drv::Owner(dialog.hwnd), drv::Owner(window_));
    EXPECT_FALSE(drv::IsEnabled(window_));
    EXPECT_FALSE(drv::IsTopmost(window_));

    CloseAndSettle(dialog, IDOK);
    const CHARFORMATA after = Format();
    EXPECT_TRUE(after.dwMask & CFM_SIZE);
    EXPECT_EQ(after.yHeight, 200);
    EXPECT_STREQ(after.szFaceName, face_.c_str());
    EXPECT_NE(Saved().find("\\fs20"), std::string::npos) << Saved();
    EXPECT_EQ(Saved().find("\\fs21"), std::string::npos) << Saved();

    EXPECT_TRUE(drv::IsEnabled(window_));
    EXPECT_TRUE(drv::IsTopmost(window_));
    EXPECT_EQ(GetForegroundWindow(), window_);
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &thread));
    EXPECT_EQ(thread.hwndFocus, editor_);
}

struct StyleCase {
    const char* name;
    const char* body;
    LONG dialogStyle;  // what the style list shows: weight, italic
    bool underline, strikeOut;
    DWORD effects;  // of the whole selection afterwards
};

class FontStyles : public FontCommand, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(FontStyles, TheFirstCharactersStyleGoesToTheWholeSelection) {
    const StyleCase& c = GetParam();
    StartOn(c.body);
    const FontDialog dialog = Open();
    EXPECT_EQ(dialog.SelectedData(kStyleList), c.dialogStyle);
    EXPECT_EQ(dialog.Checked(kUnderlineBox), c.underline);
    EXPECT_EQ(dialog.Checked(kStrikeOutBox), c.strikeOut);
    CloseAndSettle(dialog, IDOK);

    constexpr DWORD kStyles = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    const CHARFORMATA after = Format();
    EXPECT_EQ(after.dwMask & kStyles, kStyles) << "one style over the whole selection";
    EXPECT_EQ(after.dwEffects & kStyles, c.effects);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FontStyles,
    ::testing::Values(
        StyleCase{"BoldFirst", "{\\b H}ello", MAKELONG(FW_BOLD, 0), false, false, CFE_BOLD},
        StyleCase{"PlainFirst", "H{\\b\\i ello}", MAKELONG(FW_NORMAL, 0), false, false, 0},
        StyleCase{"EveryStyle", "{\\b\\i\\ul\\strike H}ello", MAKELONG(FW_BOLD, 1), true, true,
                  CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT}),
    drv::CaseName());

struct ColorCase {
    const char* name;
    const char* colors;  // colour table and the text's colour
    COLORREF shown;      // the dialog's colour list
    LRESULT pick;        // a colour picked from the list, or -1
    bool automatic;      // afterwards
    COLORREF rgb;        // afterwards, unless automatic
};

class FontColors : public FontCommand, public ::testing::WithParamInterface<ColorCase> {};

// Black picked from the list is black for good; only the untouched automatic colour stays
// automatic and follows the system's window-text colour.
TEST_P(FontColors, OnlyAPickedColourReplacesTheTextsColour) {
    const ColorCase& c = GetParam();
    StartOn("Hello", c.colors);
    const FontDialog dialog = Open();
    EXPECT_EQ(dialog.SelectedData(kColorList), static_cast<LRESULT>(c.shown));
    if (c.pick >= 0) {
        ASSERT_TRUE(dialog.PickData(kColorList, c.pick));
    }
    CloseAndSettle(dialog, IDOK);

    const CHARFORMATA after = Format();
    EXPECT_TRUE(after.dwMask & CFM_COLOR);
    EXPECT_EQ((after.dwEffects & CFE_AUTOCOLOR) != 0, c.automatic);
    if (!c.automatic) {
        EXPECT_EQ(after.crTextColor, c.rgb);
    }
}

constexpr char kGreenText[] = "{\\colortbl;\\red0\\green128\\blue0;}\\cf1";

INSTANTIATE_TEST_SUITE_P(
    Colors, FontColors,
    ::testing::Values(
        ColorCase{"AutomaticUntouched", "", RGB(0, 0, 0), -1, true, 0},
        ColorCase{"GreenUntouched", kGreenText, RGB(0, 128, 0), -1, false, RGB(0, 128, 0)},
        ColorCase{"RedPicked", "", RGB(0, 0, 0), RGB(255, 0, 0), false, RGB(255, 0, 0)},
        ColorCase{"BlackPicked", kGreenText, RGB(0, 128, 0), RGB(0, 0, 0), false, RGB(0, 0, 0)}),
    drv::CaseName());

TEST_F(FontCommand, CancelChangesNoFormatAndWritesNothing) {
    StartOn("{\\b H}ello world");
    const CHARFORMATA before = Format();
    const std::string saved = Saved();
    const auto written = drv::LastWriteTime(note_->File(kNote));

    const FontDialog dialog = Open(0, 5);
    ASSERT_TRUE(dialog.PickData(kSizeList, 20));
    ASSERT_TRUE(dialog.PickData(kStyleList, MAKELONG(FW_NORMAL, 1)));
    ASSERT_TRUE(dialog.PickData(kColorList, RGB(255, 0, 0)));
    dialog.Tick(kUnderlineBox);
    CloseAndSettle(dialog, IDCANCEL);

    const CHARFORMATA after = Format();
    EXPECT_EQ(after.dwMask, before.dwMask);
    EXPECT_EQ(after.dwEffects, before.dwEffects);
    EXPECT_EQ(after.yHeight, before.yHeight);
    EXPECT_EQ(after.crTextColor, before.crTextColor);
    EXPECT_STREQ(after.szFaceName, before.szFaceName);
    EXPECT_EQ(Saved(), saved);
    EXPECT_EQ(drv::LastWriteTime(note_->File(kNote)), written);
}

// Without the common dialogs (a stripped-down system, a library that will not load) the
// command does what Cancel does, and says nothing.
TEST_F(FontCommand, ADialogThatCannotBeShownIsTakenAsCancel) {
    // Wine's way of a system without the library: for this program, it will not load.
    constexpr char kExe[] = "NoDialogs.exe";
    const std::string key = std::string("Software\\Wine\\AppDefaults\\") + kExe + "\\DllOverrides";
    const drv::RegValueRestorer restore(HKEY_CURRENT_USER, key, "comdlg32");
    ASSERT_TRUE(drv::WriteRegString(HKEY_CURRENT_USER, key, "comdlg32", ""));
    face_ = AvailableFace();
    ASSERT_FALSE(face_.empty());
    Start(NoteWith(face_, "{\\b H}ello world"), kExe);
    const CHARFORMATA before = Format();
    const std::string saved = Saved();

    SendTo(editor_, EM_SETSEL, 0, 5);
    drv::Click(drv::ClientToScreen(editor_, {150, 200}), drv::MouseButton::Right);
    const drv::Menu menu = *drv::WaitForPopupMenu(note_->Pid());
    ASSERT_TRUE(drv::ChooseMenuItem(menu, "字体"));
    ASSERT_TRUE(drv::WaitForGone(menu.hwnd));
    EXPECT_TRUE(drv::StaysTrue([&] { return drv::FindTopLevels(note_->Pid(), "#32770").empty(); },
                               1s, "no dialog and no message box"));
    EXPECT_TRUE(drv::IsEnabled(window_));

    const CHARFORMATA after = Format();
    EXPECT_EQ(after.dwEffects, before.dwEffects);
    EXPECT_EQ(after.yHeight, before.yHeight);
    EXPECT_STREQ(after.szFaceName, before.szFaceName);
    EXPECT_EQ(Saved(), saved);
    // The note goes on as before.
    SendTo(editor_, EM_SETSEL, 11, 11);
    SendTo(editor_, WM_CHAR, 'x', 1);
    EXPECT_NE(Saved().find("worldx"), std::string::npos) << Saved();
}

TEST_F(FontCommand, AChangedSizeAndStyleReachTheNoteFile) {
    StartOn("Hello world");
    const FontDialog dialog = Open(0, 5);
    ASSERT_TRUE(dialog.PickData(kSizeList, 16));
    ASSERT_TRUE(dialog.PickData(kStyleList, MAKELONG(FW_BOLD, 1)));
    CloseAndSettle(dialog, IDOK);

    const CHARFORMATA hello = Format(0, 5);
    EXPECT_EQ(hello.yHeight, 320);
    EXPECT_EQ(hello.dwEffects & (CFE_BOLD | CFE_ITALIC), static_cast<DWORD>(CFE_BOLD | CFE_ITALIC));
    const CHARFORMATA world = Format(6, 11);
    EXPECT_EQ(world.yHeight, 210) << "the rest keeps its format";
    EXPECT_EQ(world.dwEffects & (CFE_BOLD | CFE_ITALIC), 0u);

    // What the file holds comes back on the next start.
    ASSERT_TRUE(drv::CloseAndConfirm(*note_));
    note_->Launch();
    window_ = *note_->WaitForNoteWindow();
    editor_ = drv::ChildById(window_, IDC_REMEMO);
    EXPECT_EQ(Format(0, 5).yHeight, 320);
    EXPECT_EQ(Format(0, 5).dwEffects & CFE_BOLD, static_cast<DWORD>(CFE_BOLD));
    EXPECT_EQ(Format(6, 11).yHeight, 210);
}

TEST_F(FontCommand, ATypedFaceNameOfFortyCharactersArrivesCutTo31) {
    StartOn("Hello");
    const std::string typed = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
    const FontDialog dialog = Open();
    dialog.TypeFace(typed);
    ASSERT_TRUE(dialog.PickData(kSizeList, 12));  // the dialog takes the typed face from here
    CloseAndSettle(dialog, IDOK);

    EXPECT_EQ(std::string(Format().szFaceName), typed.substr(0, 31));
    EXPECT_NE(Saved().find(" " + typed.substr(0, 31) + ";"), std::string::npos) << Saved();
}

// The script list decides the character set the dialog opens with next time, but only
// once the user has picked a script there.
TEST_F(FontCommand, APickedScriptIsWhereTheDialogOpensNextTime) {
    StartOn("Hello");
    FontDialog dialog = Open();
    const LRESULT first = dialog.SelectedData(kScriptList);
    const int count = static_cast<int>(SendTo(dialog.Control(kScriptList), CB_GETCOUNT));
    ASSERT_GE(count, 2) << "the face offers one script only";
    CloseAndSettle(dialog, IDOK);

    dialog = Open();
    EXPECT_EQ(dialog.SelectedData(kScriptList), first) << "an untouched list changes nothing";
    ASSERT_TRUE(dialog.Pick(kScriptList, count - 1));
    const LRESULT picked = dialog.SelectedData(kScriptList);
    ASSERT_NE(picked, first);
    CloseAndSettle(dialog, IDOK);

    dialog = Open();
    EXPECT_EQ(dialog.SelectedData(kScriptList), picked);
    CloseAndSettle(dialog, IDCANCEL);
}

}  // namespace
