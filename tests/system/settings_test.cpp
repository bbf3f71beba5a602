// "Setup.ini" as a start reads it: geometry, start-at-log-on check mark, transparency and
// colour, every odd value a hand-edited file may hold, and the files that cannot be written.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "driver/driver.h"
#include "top_bar.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

constexpr int kLayoutWidth = 311;
constexpr int kLayoutHeight = 303;
constexpr char kSettings[] = "Setup.ini";

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

drv::Rgb RgbOf(COLORREF c) {
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// A note started with the given settings file (or none).
class Settings : public ::testing::Test {
protected:
    void Start(std::optional<std::string> settings, bool readOnly = false) {
        drv::NotesSetup setup;
        if (settings) setup.files.emplace_back(kSettings, *settings);
        note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
        if (readOnly) {
            ASSERT_TRUE(drv::SetReadOnly(note_->File(kSettings), true));
        }
        note_->Launch();
    }
    void WaitForWindow() {
        window_ = *note_->WaitForNoteWindow();
        editor_ = drv::ChildById(window_, IDC_REMEMO);
    }
    RECT Window() const { return drv::WindowRect(window_); }
    std::optional<std::string> Stored() const { return note_->ReadFile(kSettings); }
    std::optional<drv::Rgb> EditorPixel() const { return drv::PixelAt(drv::Center(editor_)); }
    std::optional<drv::Rgb> PanelPixel(int id) const {
        return drv::PixelAt(drv::Center(drv::ChildById(window_, id)));
    }
    std::optional<drv::Rgb> TopBarPixel() const {
        return drv::PixelAt(drv::ClientToScreen(window_, {150, 8}));
    }
    // The check mark of "开机启动", read from the editor's context menu.
    bool AutoRunChecked() const {
        drv::Click(drv::Center(editor_), drv::MouseButton::Right);
        const drv::Menu menu = *drv::WaitForPopupMenu(note_->Pid());
        const bool checked = menu.Find("开机启动")->checked;
        drv::CloseMenu(menu);
        EXPECT_TRUE(drv::WaitForGone(menu.hwnd));
        return checked;
    }
    // An error box that ends start-up; answered, after which the note comes up.
    std::string StartUpError() {
        const drv::MsgBox box = *note_->WaitForMessageBox(drv::kStartTimeout);
        EXPECT_EQ(box.caption, "Notes");
        EXPECT_EQ(box.icon, drv::BoxIcon::Error);
        EXPECT_TRUE(drv::Press(box, IDOK));
        WaitForWindow();
        return box.text;
    }

    // A start with the option on writes the Run value named after the title.
    drv::RegValueRestorer runValue_{HKEY_LOCAL_MACHINE, drv::kRunKey, "Notes"};
    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

TEST_F(Settings, WithoutAFileTheNoteTakesItsDefaultsAndCreatesNone) {
    Start(std::nullopt);
    WaitForWindow();
    const RECT area = WorkArea();
    const RECT window = Window();
    EXPECT_EQ(window.left, (area.right - area.left) - kLayoutWidth);
    EXPECT_EQ(window.top, (area.bottom - area.top) - kLayoutHeight);
    EXPECT_EQ(drv::Width(window), kLayoutWidth);
    EXPECT_EQ(drv::Height(window), kLayoutHeight);
    EXPECT_EQ(drv::Opacity(window_), 255);
    EXPECT_EQ(EditorPixel(), (drv::Rgb{255, 255, 0}));
    EXPECT_EQ(PanelPixel(IDC_PANEL1), (drv::Rgb{255, 255, 0}));
    EXPECT_FALSE(AutoRunChecked());
    EXPECT_FALSE(drv::FileExists(note_->File(kSettings)));
}

TEST_F(Settings, ASizeWithoutAPositionGrowsFromTheDefaultCorner) {
    Start("[FORM]\r\nWidth=500\r\nHeight=400\r\n");
    WaitForWindow();
    const RECT area = WorkArea();
    const RECT window = Window();
    EXPECT_EQ(window.left, (area.right - area.left) - kLayoutWidth);
    EXPECT_EQ(window.top, (area.bottom - area.top) - kLayoutHeight);
    EXPECT_EQ(drv::Width(window), 500);
    EXPECT_EQ(drv::Height(window), 400);
    // The editor and the strips follow the size; the buttons keep to the right edge.
    EXPECT_EQ(drv::Width(drv::ChildRect(editor_, window_)), 494);
    EXPECT_EQ(drv::ChildRect(drv::ChildById(window_, IDC_SPDBTNFORMCLOSE), window_).left, 483);
    top_bar::ExpectAtTheRightEdge(window_, 500);
}

struct GeometryCase {
    const char* name;
    // The stored position, from the work area.
    std::function<POINT(const RECT& area)> at;
    int width, height;
    bool returns;  // comes back to the default corner
    int wantWidth, wantHeight;
};

class SettingsGeometry : public Settings, public ::testing::WithParamInterface<GeometryCase> {};

// A note that shows at least one pixel on the work area stays exactly where it was stored;
// one that shows none comes back to the default corner with the size it has. A size below
// the smallest that shows the grip and the buttons is raised to it. Nothing is written.
TEST_P(SettingsGeometry, IsAppliedUnlessTheNoteCouldNotBeReached) {
    const GeometryCase& c = GetParam();
    const RECT area = WorkArea();
    const POINT at = c.at(area);
    const std::string file =
        "[FORM]\r\nLeft=" + std::to_string(at.x) + "\r\nTop=" + std::to_string(at.y) +
        "\r\nWidth=" + std::to_string(c.width) + "\r\nHeight=" + std::to_string(c.height) + "\r\n";
    Start(file);
    WaitForWindow();
    const RECT window = Window();
    EXPECT_EQ(drv::Width(window), c.wantWidth);
    EXPECT_EQ(drv::Height(window), c.wantHeight);
    if (c.returns) {
        EXPECT_EQ(window.left, (area.right - area.left) - c.wantWidth);
        EXPECT_EQ(window.top, (area.bottom - area.top) - c.wantHeight);
    } else {
        EXPECT_EQ(window.left, at.x);
        EXPECT_EQ(window.top, at.y);
    }
    EXPECT_EQ(Stored(), file);
}

INSTANTIATE_TEST_SUITE_P(Stored, SettingsGeometry,
                         ::testing::Values(GeometryCase{"Inside",
                                                        [](const RECT&) {
                                                            return POINT{300, 200};
                                                        },
                                                        260, 120, false, 260, 120},
                                           GeometryCase{"PartlyAboveAndLeft",
                                                        [](const RECT&) {
                                                            return POINT{-100, -50};
                                                        },
                                                        260, 120, false, 260, 120},
                                           GeometryCase{"OnePixelAtTheBottomRight",
                                                        [](const RECT& a) {
                                                            return POINT{a.right - 1, a.bottom - 1};
                                                        },
                                                        260, 120, false, 260, 120},
                                           GeometryCase{"OnePixelAtTheTopLeft",
                                                        [](const RECT& a) {
                                                            return POINT{a.left - 259, a.top - 119};
                                                        },
                                                        260, 120, false, 260, 120},
                                           GeometryCase{"JustRight",
                                                        [](const RECT& a) {
                                                            return POINT{a.right, 100};
                                                        },
                                                        260, 120, true, 260, 120},
                                           GeometryCase{"JustLeft",
                                                        [](const RECT& a) {
                                                            return POINT{a.left - 260, 100};
                                                        },
                                                        260, 120, true, 260, 120},
                                           GeometryCase{"JustAbove",
                                                        [](const RECT& a) {
                                                            return POINT{100, a.top - 120};
                                                        },
                                                        260, 120, true, 260, 120},
                                           GeometryCase{"JustBelow",
                                                        [](const RECT& a) {
                                                            return POINT{100, a.bottom};
                                                        },
                                                        260, 120, true, 260, 120},
                                           GeometryCase{"FarAway",
                                                        [](const RECT&) {
                                                            return POINT{2000000000, -2000000000};
                                                        },
                                                        260, 120, true, 260, 120},
                                           GeometryCase{"AtTheEndOfTheRange",
                                                        [](const RECT&) {
                                                            return POINT{2147483647, 2147483647};
                                                        },
                                                        260, 120, true, 260, 120},
                                           GeometryCase{"NoSize",
                                                        [](const RECT&) {
                                                            return POINT{300, 200};
                                                        },
                                                        0, 0, false, 72, 20},
                                           GeometryCase{"NegativeSize",
                                                        [](const RECT&) {
                                                            return POINT{300, 200};
                                                        },
                                                        -40, -1, false, 72, 20},
                                           GeometryCase{"JustTheSmallestSize",
                                                        [](const RECT&) {
                                                            return POINT{300, 200};
                                                        },
                                                        72, 20, false, 72, 20},
                                           GeometryCase{"TooNarrowOnly",
                                                        [](const RECT&) {
                                                            return POINT{300, 200};
                                                        },
                                                        71, 300, false, 72, 300},
                                           GeometryCase{"NoSizeAndOffTheScreen",
                                                        [](const RECT& a) {
                                                            return POINT{a.right, 0};
                                                        },
                                                        0, 0, true, 72, 20}),
                         drv::CaseName());

struct NumberCase {
    const char* name;
    const char* stored;
    std::optional<int> left;  // nothing: the default
};

class SettingsNumber : public Settings, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(SettingsNumber, IsReadAsTheNumberSyntaxSays) {
    Start(std::string("[FORM]\r\nLeft=") + GetParam().stored + "\r\n");
    WaitForWindow();
    const RECT area = WorkArea();
    EXPECT_EQ(Window().left, GetParam().left.value_or((area.right - area.left) - kLayoutWidth));
}

INSTANTIATE_TEST_SUITE_P(
    Left, SettingsNumber,
    ::testing::Values(NumberCase{"Letters", "abc", {}}, NumberCase{"Empty", "", {}},
                      NumberCase{"Fraction", "12.5", {}}, NumberCase{"TooBig", "2147483648", {}},
                      NumberCase{"Exponent", "1e3", {}}, NumberCase{"TrailingLetter", "100a", {}},
                      NumberCase{"Plus", "+100", 100}, NumberCase{"Blanks", "  100  ", 100},
                      NumberCase{"LeadingZero", "0100", 100}, NumberCase{"Dollar", "$64", 100},
                      NumberCase{"ZeroX", "0x64", 100}, NumberCase{"ZeroBigX", "0X64", 100},
                      NumberCase{"X", "x64", 100}, NumberCase{"NegativeHex", "-$10", -16},
                      NumberCase{"AllOnes", "$FFFFFFFF", -1}),
    drv::CaseName());

struct FlagCase {
    const char* name;
    const char* stored;
    bool checked;
};

class SettingsAutoRun : public Settings, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(SettingsAutoRun, SetsTheCheckMark) {
    Start(std::string("[FORM]\r\nAutoRun=") + GetParam().stored + "\r\n");
    WaitForWindow();
    EXPECT_EQ(AutoRunChecked(), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsAutoRun,
                         ::testing::Values(FlagCase{"One", "1", true}, FlagCase{"Two", "2", true},
                                           FlagCase{"MinusOne", "-1", true},
                                           FlagCase{"Zero", "0", false},
                                           FlagCase{"True", "true", false},
                                           FlagCase{"Yes", "yes", false},
                                           FlagCase{"Empty", "", false}),
                         drv::CaseName());

struct AlphaCase {
    const char* name;
    const char* stored;  // nullptr: no entry
    BYTE opacity;
    const char* after;  // what the file holds afterwards (nullptr: still no entry)
};

class SettingsAlpha : public Settings, public ::testing::WithParamInterface<AlphaCase> {};

TEST_P(SettingsAlpha, SetsTheOpacityAndWritesBackOnlyWhatMovedTheSlider) {
    const AlphaCase& c = GetParam();
    const std::string file = std::string("[FORM]\r\nLeft=100\r\n") +
                             (c.stored ? std::string("Alpha=") + c.stored + "\r\n" : "");
    Start(file);
    WaitForWindow();
    EXPECT_EQ(drv::Opacity(window_), c.opacity);
    const std::string stored = *Stored();
    if (!c.after) {
        EXPECT_EQ(stored, file) << "the file is left as it was";
    } else {
        EXPECT_NE(stored.find(std::string("Alpha=") + c.after + "\r\n"), std::string::npos)
            << stored;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsAlpha,
                         ::testing::Values(AlphaCase{"Absent", nullptr, 255, nullptr},
                                           AlphaCase{"AboveTheRange", "60", 255, nullptr},
                                           AlphaCase{"Opaque", "51", 255, nullptr},
                                           AlphaCase{"NotANumber", "abc", 255, nullptr},
                                           AlphaCase{"Thirty", "30", 150, "30"},
                                           AlphaCase{"Eleven", "11", 55, "11"},
                                           AlphaCase{"BelowTheRange", "5", 55, "11"},
                                           AlphaCase{"Negative", "-3", 55, "11"},
                                           AlphaCase{"Hex", "$1E", 150, "30"}),
                         drv::CaseName());

struct ColorCase {
    const char* name;
    const char* file;
    COLORREF rgb;  // CLR_INVALID: a system colour, given by index below
    int sysColor;
};

class SettingsColor : public Settings, public ::testing::WithParamInterface<ColorCase> {};

TEST_P(SettingsColor, ColoursTheEditorAndTheFourStrips) {
    Start(GetParam().file);
    WaitForWindow();
    const COLORREF want =
        GetParam().rgb != CLR_INVALID ? GetParam().rgb : GetSysColor(GetParam().sysColor);
    EXPECT_EQ(EditorPixel(), RgbOf(want));
    for (const int strip : {IDC_PANEL1, IDC_PANEL2, IDC_PANEL4}) {
        EXPECT_EQ(PanelPixel(strip), RgbOf(want)) << strip;
    }
    EXPECT_EQ(TopBarPixel(), RgbOf(want));
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsColor,
    ::testing::Values(
        ColorCase{"NoEntry", "[FORM]\r\nLeft=100\r\n", RGB(255, 255, 0), 0},
        ColorCase{"LowerCaseSectionAndKeyWithBlanks", "[memo]\r\ncolor =  clSkyBlue  \r\n",
                  RGB(166, 202, 240), 0},
        ColorCase{"MixedCaseIdentifier", "[MEMO]\r\nColor=CLSKYBLUE\r\n", RGB(166, 202, 240), 0},
        ColorCase{"HexNumber", "[MEMO]\r\nCOLOR=$00123456\r\n", RGB(0x56, 0x34, 0x12), 0},
        ColorCase{"SystemColour", "[MEMO]\r\nCOLOR=clBtnFace\r\n", CLR_INVALID, COLOR_BTNFACE}),
    drv::CaseName());

struct BadColorCase {
    const char* name;
    const char* value;
};

class SettingsBadColor : public Settings, public ::testing::WithParamInterface<BadColorCase> {};

TEST_P(SettingsBadColor, StopsStartUpWithTheConversionError) {
    Start(std::string("[MEMO]\r\nCOLOR=") + GetParam().value + "\r\n");
    EXPECT_EQ(StartUpError(),
              std::string("'") + GetParam().value + "' is not a valid integer value.");
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    // Start-up ended there: the editor stays where it was laid out, in its laid-out colour,
    // and no change of this run reaches the note file.
    const RECT editor = drv::ChildRect(editor_, window_);
    EXPECT_EQ(editor.left, 0);
    EXPECT_EQ(editor.top, 33);
    EXPECT_EQ(drv::Width(editor), 97);
    EXPECT_EQ(drv::Height(editor), 96);
    EXPECT_EQ(EditorPixel(), (drv::Rgb{255, 255, 0}));
    PostMessageA(editor_, WM_CHAR, 'x', 1);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(drv::ControlText(editor_), "x");
    EXPECT_FALSE(drv::FileExists(note_->File("Memo.rtf"))) << "the note was never loaded";
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsBadColor,
                         ::testing::Values(BadColorCase{"Empty", ""},
                                           BadColorCase{"Misspelt", "clYelow"},
                                           BadColorCase{"WithoutPrefix", "Yellow"}),
                         drv::CaseName());

TEST_F(Settings, LinesTheProgramDoesNotKnowSurviveItsWrites) {
    Start("; my notes\r\n[Other]\r\nkey=value\r\n[FORM]\r\nAlpha=5\r\nUnknown=1\r\n");
    WaitForWindow();
    const std::string stored = *Stored();
    EXPECT_NE(stored.find("Alpha=11"), std::string::npos) << stored;
    for (const char* line : {"; my notes", "[Other]", "key=value", "Unknown=1"}) {
        EXPECT_NE(stored.find(line), std::string::npos) << line << " in " << stored;
    }
}

TEST_F(Settings, AReadOnlyFileIsReadNormally) {
    const std::string file = "[FORM]\r\nLeft=100\r\nAutoRun=1\r\n[MEMO]\r\nColor=clSkyBlue\r\n";
    Start(file, true);
    WaitForWindow();
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_EQ(Window().left, 100);
    EXPECT_EQ(EditorPixel(), (drv::Rgb{166, 202, 240}));
    EXPECT_TRUE(AutoRunChecked());
    EXPECT_EQ(Stored(), file);
}

TEST_F(Settings, AReadOnlyFileThatMovesTheSliderStopsStartUpBeforeTheColour) {
    const std::string file = "[FORM]\r\nAlpha=30\r\n[MEMO]\r\nColor=clSkyBlue\r\n";
    Start(file, true);
    EXPECT_EQ(StartUpError(), "Unable to write to " + note_->File(kSettings) + ".");
    EXPECT_EQ(drv::Opacity(window_), 150) << "the new opacity stays";
    EXPECT_EQ(EditorPixel(), (drv::Rgb{255, 255, 0})) << "the colour step was skipped";
    EXPECT_EQ(drv::ChildRect(editor_, window_).top, 33);
    EXPECT_EQ(Stored(), file);
}

}  // namespace
