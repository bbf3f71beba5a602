// Transparency and background colour worked from outside: the two panels opened from the
// editor's menu, the slider and the colour chooser as a user works them, what each change
// does to the window, to "Setup.ini" and to the next start, the chooser's list, drawing and
// keyboard search, the presses that close the panels, and a settings file that cannot be
// written.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "driver/driver.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

constexpr char kSettings[] = "Setup.ini";
constexpr char kAlphaItem[] = "透明度";
constexpr char kBgColorItem[] = "背景色";
constexpr int kItemHeight = 16;
constexpr int kVisibleItems = 8;

// Places in the chooser's list.
constexpr int kBlack = 0;
constexpr int kNavy = 4;
constexpr int kYellow = 11;
constexpr int kAqua = 14;
constexpr int kSkyBlue = 17;
constexpr int kBtnFace = 24;

// Every identifier the chooser lists, in order.
constexpr char kChooserNames[] =
    "clBlack clMaroon clGreen clOlive clNavy clPurple clTeal clGray clSilver clRed clLime "
    "clYellow clBlue clFuchsia clAqua clWhite clMoneyGreen clSkyBlue clCream clMedGray "
    "clActiveBorder clActiveCaption clAppWorkSpace clBackground clBtnFace clBtnHighlight "
    "clBtnShadow clBtnText clCaptionText clGradientActiveCaption clGradientInactiveCaption "
    "clGrayText clHighlight clHighlightText clHotLight clInactiveBorder clInactiveCaption "
    "clInactiveCaptionText clInfoBk clInfoText clMenu clMenuBar clMenuHighlight clMenuText "
    "clScrollBar cl3DDkShadow cl3DLight clWindow clWindowFrame clWindowText";

constexpr drv::Rgb kYellowRgb{255, 255, 0};
constexpr drv::Rgb kSkyBlueRgb{166, 202, 240};
constexpr drv::Rgb kAquaRgb{0, 255, 255};

drv::Rgb RgbOf(COLORREF c) {
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

using drv::SendTo;

std::string AlphaLine(int position) {
    return "Alpha=" + std::to_string(position) + "\r\n";
}

class Appearance : public ::testing::Test {
protected:
    void Start(std::optional<std::string> settings = std::nullopt, bool readOnly = false) {
        drv::NotesSetup setup;
        if (settings) setup.files.emplace_back(kSettings, *settings);
        note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
        if (readOnly) {
            ASSERT_TRUE(drv::SetReadOnly(note_->File(kSettings), true));
        }
        note_->Launch();
        WaitForWindow();
    }
    void WaitForWindow() {
        window_ = *note_->WaitForNoteWindow();
        editor_ = Child(IDC_REMEMO);
    }
    // The next start of the same copy, on the files this run left.
    void Restart() {
        note_->Kill();
        note_->Launch();
        WaitForWindow();
    }

    HWND Child(int id) const { return drv::ChildById(window_, id); }
    HWND Slider() const { return Child(IDC_TRACKBAR1); }
    HWND Chooser() const { return Child(IDC_COLORBOX1); }
    std::optional<std::string> Stored() const { return note_->ReadFile(kSettings); }
    void Store(const std::string& content) const {
        ASSERT_TRUE(note_->WriteFile(kSettings, content));
    }
    // The window of the program's thread that holds the pointer capture.
    HWND Capture() const {
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &thread);
        return thread.hwndCapture;
    }
    bool Shown(int panel) const { return drv::IsVisible(Child(panel)); }

    // A point of the editor that neither panel covers.
    POINT FreeEditorPoint() const { return drv::ClientToScreen(editor_, {150, 230}); }

    // Chooses an item of the editor's menu, opened by a right click (which closes the
    // panels first, as every press on the editor does) or from the keyboard (which keeps
    // them).
    void ChooseFromMenu(const char* item, bool byKeyboard) const {
        if (byKeyboard) {
            drv::PressKey(VK_F10, drv::kShift);
        } else {
            drv::Click(FreeEditorPoint(), drv::MouseButton::Right);
        }
        const drv::Menu menu = *drv::WaitForPopupMenu(note_->Pid());
        ASSERT_TRUE(drv::ChooseMenuItem(menu, item));
        ASSERT_TRUE(drv::WaitForGone(menu.hwnd));
        ASSERT_TRUE(drv::Settle(window_));
    }
    void OpenAlpha(bool byKeyboard = false) const {
        ChooseFromMenu(kAlphaItem, byKeyboard);
        ASSERT_TRUE(Shown(IDC_PNLALPHA));
    }
    void OpenBgColor(bool byKeyboard = false) const {
        ChooseFromMenu(kBgColorItem, byKeyboard);
        ASSERT_TRUE(Shown(IDC_PNLBGCOLOR));
    }

    int Position() const { return static_cast<int>(SendTo(Slider(), TBM_GETPOS)); }
    // A drag of the thumb; the hand stops before it lets go, so that the last move is
    // handled before the release.
    void DragThumb(POINT from, POINT to) const {
        drv::MoveTo(from);
        drv::ButtonDown();
        for (int i = 1; i <= 10; ++i) {
            drv::MoveTo({from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10});
        }
        EXPECT_TRUE(drv::Settle(window_));
        drv::ButtonUp();
    }
    // The middle of the thumb at a position. Wine's trackbar of this size keeps the thumb's
    // centre 13 pixels inside either end.
    POINT Thumb(int position) const {
        const RECT r = drv::WindowRect(Slider());
        const int from = r.left + 13;
        const int to = r.right - 13;
        return {from + (to - from) * (position - 11) / 40, r.top + 11};
    }

    int Selection() const { return static_cast<int>(SendTo(Chooser(), CB_GETCURSEL)); }
    // An entry's text. Asked in UTF-16: across processes Wine answers the ANSI request in
    // UTF-16 all the same, into a buffer it takes to be twice as large.
    std::string ItemText(int index) const {
        wchar_t text[256] = {};
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(Chooser(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 20000, &length) ||
            static_cast<LRESULT>(length) == CB_ERR) {
            return "<none>";
        }
        std::string ascii;
        for (const wchar_t* c = text; *c && c < text + 255; ++c) ascii += static_cast<char>(*c);
        return ascii;
    }
    // The chooser's dropped-down list, once a click on the field has opened it.
    HWND DropDown() const {
        drv::Click(drv::Center(Chooser()));
        const auto list = drv::WaitFor<HWND>(
            [&]() -> std::optional<HWND> {
                for (HWND w : drv::FindTopLevels(note_->Pid(), "ComboLBox")) {
                    if (drv::IsVisible(w)) return w;
                }
                return std::nullopt;
            },
            drv::kWaitTimeout, "the dropped-down colour list");
        EXPECT_TRUE(drv::Settle(window_));
        return *list;
    }
    // The row of the dropped-down list that shows an entry; scrolled there first if needed.
    static int RowOf(HWND list, int index) {
        int top = static_cast<int>(SendTo(list, LB_GETTOPINDEX));
        if (index < top || index >= top + kVisibleItems) {
            SendTo(list, LB_SETTOPINDEX, static_cast<WPARAM>(index));
            top = static_cast<int>(SendTo(list, LB_GETTOPINDEX));
        }
        return index - top;
    }
    static POINT InRow(HWND list, int row, int x) {
        return drv::ClientToScreen(list, {x, row * kItemHeight + kItemHeight / 2});
    }
    // Drops the list down and clicks the entry, as a user picks a colour.
    void Pick(int index) const {
        const HWND list = DropDown();
        const int row = RowOf(list, index);
        drv::Click(InRow(list, row, 40));
        ASSERT_TRUE(drv::WaitForGone(list));
        ASSERT_TRUE(drv::Settle(window_));
    }

    std::optional<drv::Rgb> EditorPixel() const { return drv::PixelAt(FreeEditorPoint()); }
    std::optional<drv::Rgb> StripPixel(int id) const {
        return drv::PixelAt(drv::Center(Child(id)));
    }
    // The top bar between the grip and the "e" button.
    std::optional<drv::Rgb> TopBarPixel() const {
        return drv::PixelAt(drv::ClientToScreen(window_, {150, 8}));
    }
    void ExpectColours(drv::Rgb editor, drv::Rgb strips) const {
        EXPECT_EQ(EditorPixel(), editor) << "the editor";
        for (const int strip : {IDC_PANEL1, IDC_PANEL2, IDC_PANEL4}) {
            EXPECT_EQ(StripPixel(strip), strips) << "strip " << strip;
        }
        EXPECT_EQ(TopBarPixel(), strips) << "the top bar";
    }

    // Answers every error box that comes until none has come for a while; their texts.
    std::vector<std::string> AnswerErrors(drv::Ms quiet = 600ms) const {
        std::vector<std::string> texts;
        for (;;) {
            const auto box = drv::WaitForMessageBox(note_->Pid(), quiet);
            if (!box) break;
            EXPECT_EQ(box->icon, drv::BoxIcon::Error);
            texts.push_back(box->text);
            EXPECT_TRUE(drv::Press(*box, IDOK));
            EXPECT_TRUE(drv::WaitForGone(box->hwnd));
        }
        // The box may be hidden a moment before the note is enabled again.
        EXPECT_TRUE(drv::WaitUntil([&] { return drv::IsEnabled(window_); }, drv::kWaitTimeout,
                                   "the note enabled again"));
        EXPECT_TRUE(drv::Settle(window_));
        return texts;
    }
    std::string WriteError() const { return "Unable to write to " + note_->File(kSettings) + "."; }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

// The transparency panel and its slider.

struct OpenAlphaCase {
    const char* name;
    const char* stored;  // "Alpha" in the file
    int position;
    BYTE opacity;
};

class AlphaPanel : public Appearance, public ::testing::WithParamInterface<OpenAlphaCase> {};

// The slider is the only store of the level: it shows what the start applied, and
// opening the panel changes nothing.
TEST_P(AlphaPanel, ShowsTheSliderWhereTheStartLeftIt) {
    const OpenAlphaCase& c = GetParam();
    Start(std::string("[FORM]\r\nAlpha=") + c.stored + "\r\n");
    const std::string before = *Stored();
    EXPECT_FALSE(Shown(IDC_PNLALPHA));
    OpenAlpha();
    EXPECT_EQ(Position(), c.position);
    EXPECT_EQ(drv::Opacity(window_), c.opacity);
    EXPECT_EQ(Stored(), before) << "opening the panel writes nothing";
    EXPECT_FALSE(Shown(IDC_PNLBGCOLOR));
}

INSTANTIATE_TEST_SUITE_P(Stored, AlphaPanel,
                         ::testing::Values(OpenAlphaCase{"Thirty", "30", 30, 150},
                                           OpenAlphaCase{"AboveTheRange", "60", 51, 255},
                                           OpenAlphaCase{"BelowTheRange", "5", 11, 55}),
                         drv::CaseName());

enum class SliderAction { Key, DragToLeftEnd, DragToRightEnd, ClickLeft, ClickRight, Release };

struct SliderCase {
    const char* name;
    int start;  // stored position
    SliderAction action;
    WORD key;
    int position;  // afterwards; the opacity is five times it
};

class SliderUse : public Appearance, public ::testing::WithParamInterface<SliderCase> {};

// Every user action sets the opacity and writes the position, whether it moved or not.
TEST_P(SliderUse, SetsTheOpacityAndWritesThePosition) {
    const SliderCase& c = GetParam();
    Start("[FORM]\r\n" + AlphaLine(c.start));
    OpenAlpha();
    ASSERT_EQ(Position(), c.start);
    if (c.action == SliderAction::Key) {
        drv::Click(Thumb(c.start));  // the keyboard focus, without moving the thumb
        ASSERT_TRUE(drv::Settle(window_));
        ASSERT_EQ(Position(), c.start) << "the press missed the thumb";
    }
    Store("[MEMO]\r\nColor=clYellow\r\n");  // so that the write shows

    const RECT slider = drv::WindowRect(Slider());
    const int middle = (slider.top + slider.bottom) / 2;
    switch (c.action) {
    case SliderAction::Key: drv::PressKey(c.key); break;
    case SliderAction::DragToLeftEnd: DragThumb(Thumb(c.start), {slider.left - 40, middle}); break;
    case SliderAction::DragToRightEnd:
        DragThumb(Thumb(c.start), {slider.right + 40, middle});
        break;
    case SliderAction::ClickLeft: drv::Click(Thumb(11)); break;
    case SliderAction::ClickRight: drv::Click(Thumb(51)); break;
    case SliderAction::Release: drv::Click(Thumb(c.start)); break;
    }
    ASSERT_TRUE(drv::Settle(window_));

    EXPECT_EQ(Position(), c.position);
    EXPECT_EQ(drv::Opacity(window_), c.position * 5);
    EXPECT_EQ(Stored(), "[MEMO]\r\nColor=clYellow\r\n[FORM]\r\n" + AlphaLine(c.position));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, SliderUse,
    ::testing::Values(
        SliderCase{"DragToTheLeftEnd", 51, SliderAction::DragToLeftEnd, 0, 11},
        SliderCase{"DragToTheRightEnd", 11, SliderAction::DragToRightEnd, 0, 51},
        SliderCase{"RightArrow", 30, SliderAction::Key, VK_RIGHT, 31},
        SliderCase{"LeftArrow", 30, SliderAction::Key, VK_LEFT, 29},
        SliderCase{"PageDown", 30, SliderAction::Key, VK_NEXT, 32},
        SliderCase{"PageUp", 30, SliderAction::Key, VK_PRIOR, 28},
        SliderCase{"Home", 30, SliderAction::Key, VK_HOME, 11},
        SliderCase{"End", 30, SliderAction::Key, VK_END, 51},
        SliderCase{"LeftArrowAtTheLeftEnd", 11, SliderAction::Key, VK_LEFT, 11},
        SliderCase{"ClickInTheChannelLeftOfTheThumb", 30, SliderAction::ClickLeft, 0, 28},
        SliderCase{"ClickInTheChannelRightOfTheThumb", 30, SliderAction::ClickRight, 0, 32},
        SliderCase{"ReleasingTheThumbWithoutMoving", 40, SliderAction::Release, 0, 40}),
    drv::CaseName());

// The background-colour chooser.

struct ChoiceCase {
    const char* name;
    int index;
    const char* identifier;
    COLORREF rgb;  // CLR_INVALID: the system colour below
    int sysColor;
};

class ColourChoice : public Appearance, public ::testing::WithParamInterface<ChoiceCase> {};

// A pick colours the editor, the three strips and the top bar at once and stores the
// identifier; the next start opens in that colour with its entry preselected.
TEST_P(ColourChoice, ColoursTheNoteStoresTheIdentifierAndIsKeptForTheNextStart) {
    const ChoiceCase& c = GetParam();
    const drv::Rgb want = RgbOf(c.rgb != CLR_INVALID ? c.rgb : GetSysColor(c.sysColor));
    Start();
    OpenBgColor();
    EXPECT_EQ(Selection(), kYellow);
    EXPECT_FALSE(drv::FileExists(note_->File(kSettings))) << "opening the chooser writes nothing";
    Pick(c.index);
    EXPECT_EQ(Selection(), c.index);
    EXPECT_EQ(drv::ControlText(Chooser()), c.identifier);
    ExpectColours(want, want);
    EXPECT_EQ(Stored(), std::string("[MEMO]\r\nColor=") + c.identifier + "\r\n");

    Restart();
    ExpectColours(want, want);
    OpenBgColor();
    EXPECT_EQ(Selection(), c.index);
    EXPECT_EQ(ItemText(Selection()), c.identifier);
}

INSTANTIATE_TEST_SUITE_P(Entries, ColourChoice,
                         ::testing::Values(ChoiceCase{"SkyBlue", kSkyBlue, "clSkyBlue",
                                                      RGB(166, 202, 240), 0},
                                           ChoiceCase{"Black", kBlack, "clBlack", RGB(0, 0, 0), 0},
                                           ChoiceCase{"SystemColour", kBtnFace, "clBtnFace",
                                                      CLR_INVALID, COLOR_BTNFACE}),
                         drv::CaseName());

struct PreselectCase {
    const char* name;
    const char* stored;  // the MEMO colour text
    int selection;       // CB_ERR: no entry, an empty field
    const char* shown;
    COLORREF look;  // of the editor and the strips before the pick; CLR_INVALID: not checked
};

class ColourPreselect : public Appearance, public ::testing::WithParamInterface<PreselectCase> {};

// Opening the chooser selects the editor's colour without running a change: the file keeps
// the text as it was stored. A colour without an entry leaves the field empty, and a pick
// replaces it.
TEST_P(ColourPreselect, SelectsTheEditorsColourAndAPickReplacesIt) {
    const PreselectCase& c = GetParam();
    const std::string file = std::string("[MEMO]\r\nColor=") + c.stored + "\r\n";
    Start(file);
    if (c.look != CLR_INVALID) ExpectColours(RgbOf(c.look), RgbOf(c.look));
    OpenBgColor();
    EXPECT_EQ(Selection(), c.selection);
    EXPECT_EQ(drv::ControlText(Chooser()), c.shown);
    EXPECT_EQ(Stored(), file);

    Pick(kAqua);
    ExpectColours(kAquaRgb, kAquaRgb);
    EXPECT_EQ(Stored(), "[MEMO]\r\nColor=clAqua\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Stored, ColourPreselect,
    ::testing::Values(
        PreselectCase{"Identifier", "clSkyBlue", kSkyBlue, "clSkyBlue", RGB(166, 202, 240)},
        PreselectCase{"LowerCase", "clskyblue", kSkyBlue, "clSkyBlue", RGB(166, 202, 240)},
        PreselectCase{"Number", "65535", kYellow, "clYellow", RGB(255, 255, 0)},
        PreselectCase{"SystemColour", "clBtnFace", kBtnFace, "clBtnFace", CLR_INVALID},
        PreselectCase{"RgbWithoutEntry", "$00123456", CB_ERR, "", RGB(0x56, 0x34, 0x12)},
        PreselectCase{"SystemIndexWithoutEntry", "$FF000019", CB_ERR, "", CLR_INVALID},
        PreselectCase{"None", "clNone", CB_ERR, "", CLR_INVALID}),
    drv::CaseName());

TEST_F(Appearance, TheChooserListsTheFiftyIdentifiersInTableOrderEightAtATime) {
    Start();
    OpenBgColor();
    const int count = static_cast<int>(SendTo(Chooser(), CB_GETCOUNT));
    std::string names;
    for (int i = 0; i < count; ++i) names += (i ? " " : "") + ItemText(i);
    EXPECT_EQ(count, 50);
    EXPECT_EQ(names, kChooserNames);
    EXPECT_EQ(SendTo(Chooser(), CB_GETITEMHEIGHT, 0), kItemHeight);
    EXPECT_EQ(drv::Height(drv::WindowRect(Chooser())), 22) << "the field is an entry high";

    const HWND list = DropDown();
    EXPECT_EQ(drv::ClientRect(list).bottom, kVisibleItems * kItemHeight);
    EXPECT_EQ(Selection(), kYellow);
    drv::PressKey(VK_ESCAPE);
    EXPECT_TRUE(drv::WaitForGone(list));
    EXPECT_FALSE(drv::FileExists(note_->File(kSettings)));
}

struct SwatchCase {
    const char* name;
    int index;
    drv::Rgb fill;
    drv::Rgb frame;
};

class ColourListDrawing : public Appearance, public ::testing::WithParamInterface<SwatchCase> {};

// Each entry: a swatch one entry high less two pixels, inset by one, framed in black around
// a light colour, otherwise in white on the selection and in the colour itself elsewhere.
TEST_P(ColourListDrawing, DrawsEachEntrysSwatchAndFrame) {
    const SwatchCase& c = GetParam();
    Start("[MEMO]\r\nColor=clNavy\r\n");
    OpenBgColor();
    const HWND list = DropDown();
    ASSERT_EQ(Selection(), kNavy);
    const int row = RowOf(list, c.index);
    ASSERT_TRUE(drv::Settle(window_));
    const POINT top = drv::ClientToScreen(list, {0, row * kItemHeight});
    const auto at = [&](int x, int y) { return drv::PixelAt(top.x + x, top.y + y); };
    const int side = kItemHeight - 2;
    for (const POINT p :
         {POINT{1, 1}, POINT{side, 1}, POINT{1, side}, POINT{side, side}, POINT{side / 2 + 1, 1}}) {
        EXPECT_EQ(at(p.x, p.y), c.frame) << "frame at " << p.x << ", " << p.y;
    }
    EXPECT_EQ(at(side / 2 + 1, side / 2 + 1), c.fill) << "inside the swatch";
    EXPECT_EQ(at(side / 2 + 1, side + 1), at(side + 3, side / 2 + 1))
        << "below the swatch and right of it is the entry's background";
    drv::PressKey(VK_ESCAPE);
    EXPECT_TRUE(drv::WaitForGone(list));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ColourListDrawing,
    ::testing::Values(SwatchCase{"DarkSelected", kNavy, {0, 0, 128}, {255, 255, 255}},
                      SwatchCase{"DarkOther", kNavy + 1, {128, 0, 128}, {128, 0, 128}},
                      SwatchCase{"SilverIsNotLight", kNavy + 4, {192, 192, 192}, {192, 192, 192}},
                      SwatchCase{"LightRed", kNavy + 5, {255, 0, 0}, {0, 0, 0}},
                      SwatchCase{"LightYellow", kYellow, {255, 255, 0}, {0, 0, 0}}),
    drv::CaseName());

struct SearchCase {
    const char* name;
    std::vector<const char*> bursts;  // typed quickly; a pause between two bursts
    bool dropped;                     // typed into the dropped-down list
    WORD key;                         // then pressed, or 0
    int selection;
    const char* stored;  // the colour written last
};

class ColourSearch : public Appearance, public ::testing::WithParamInterface<SearchCase> {};

// Letters typed within half a second of each other select the first entry that starts
// with them; a longer pause starts a new search. Each step is a change of its own.
TEST_P(ColourSearch, SelectsTheFirstEntryStartingWithTheLettersTyped) {
    const SearchCase& c = GetParam();
    Start();
    OpenBgColor();
    HWND list = DropDown();
    if (!c.dropped) {
        drv::PressKey(VK_ESCAPE);
        ASSERT_TRUE(drv::WaitForGone(list));
        list = nullptr;
    }
    for (std::size_t i = 0; i < c.bursts.size(); ++i) {
        if (i) drv::Pause(800ms);
        drv::TypeText(c.bursts[i]);
        ASSERT_TRUE(drv::Settle(window_));
    }
    if (c.key) {
        drv::PressKey(c.key);
        ASSERT_TRUE(drv::Settle(window_));
    }
    EXPECT_EQ(Selection(), c.selection) << ItemText(Selection());
    EXPECT_EQ(Stored(), std::string("[MEMO]\r\nColor=") + c.stored + "\r\n");
    if (list) {
        EXPECT_TRUE(drv::IsVisible(list)) << "the list stays open";
        drv::PressKey(VK_ESCAPE);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Typed, ColourSearch,
    ::testing::Values(
        SearchCase{"ClS", {"clS"}, false, 0, 8, "clSilver"},
        SearchCase{"ClSk", {"clSk"}, false, 0, kSkyBlue, "clSkyBlue"},
        SearchCase{"ClSkIntoTheOpenList", {"clSk"}, true, 0, kSkyBlue, "clSkyBlue"},
        SearchCase{"UpperCase", {"CLBT"}, false, 0, kBtnFace, "clBtnFace"},
        SearchCase{"APauseStartsANewSearch", {"clSk", "clBtnS"}, false, 0, 26, "clBtnShadow"},
        SearchCase{"AnUnknownLetterKeepsTheSelection", {"clSx"}, false, 0, 8, "clSilver"},
        SearchCase{"ADigit", {"cl3DL"}, true, 0, 46, "cl3DLight"},
        SearchCase{"DownArrow", {}, false, VK_DOWN, kYellow + 1, "clBlue"},
        SearchCase{"UpArrowInTheOpenList", {}, true, VK_UP, kYellow - 1, "clLime"},
        SearchCase{"ThenAnArrow", {"clSk"}, false, VK_DOWN, kSkyBlue + 1, "clCream"}),
    drv::CaseName());

// The two panels together, and the presses that close them.

TEST_F(Appearance, BothPanelsOpenTheColourPanelAboveAndNothingChanges) {
    Start("[FORM]\r\nAlpha=40\r\n");
    const std::string before = *Stored();
    OpenAlpha();
    OpenBgColor(true);  // from the keyboard: a right click would close the first panel
    EXPECT_TRUE(Shown(IDC_PNLALPHA));
    EXPECT_TRUE(Shown(IDC_PNLBGCOLOR));
    const HWND alpha = Child(IDC_PNLALPHA);
    const HWND bgColor = Child(IDC_PNLBGCOLOR);
    // Where they overlap the colour panel is hit; beyond its ends the slider's panel shows.
    const RECT over = drv::WindowRect(bgColor);
    const POINT middle = {over.left + 5, (over.top + over.bottom) / 2};
    EXPECT_EQ(WindowFromPoint(middle), bgColor);
    const RECT under = drv::WindowRect(alpha);
    EXPECT_EQ(WindowFromPoint({under.left + 3, (under.top + under.bottom) / 2}), alpha);
    EXPECT_EQ(drv::Opacity(window_), 200);
    EXPECT_EQ(Stored(), before);
    ExpectColours(kYellowRgb, kYellowRgb);
}

struct PressCase {
    const char* name;
    int control;
    bool closes;
};

class PanelsOnAnyPress : public Appearance, public ::testing::WithParamInterface<PressCase> {};

// Presses on the note close both panels, whatever else they start (a drag of the strips, a
// move of the top bar); the web-site button leaves them open. Whatever address it opens
// goes to the stand-in browser.
TEST_P(PanelsOnAnyPress, APressOnTheNoteClosesBothPanelsButNotOnTheSiteButton) {
    const PressCase& c = GetParam();
    const drv::ShellHandler shell;
    Start();
    OpenAlpha();
    OpenBgColor(true);
    const POINT at = c.control == IDC_REMEMO ? FreeEditorPoint() : drv::Center(Child(c.control));
    drv::Click(at);
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(Shown(IDC_PNLALPHA), !c.closes);
    EXPECT_EQ(Shown(IDC_PNLBGCOLOR), !c.closes);
    EXPECT_EQ(drv::Opacity(window_), 255);
    ExpectColours(kYellowRgb, kYellowRgb);
    const std::string stored = Stored().value_or("");
    EXPECT_EQ(stored.find("Alpha"), std::string::npos) << stored;
    EXPECT_EQ(stored.find("Color"), std::string::npos) << stored;
}

INSTANTIATE_TEST_SUITE_P(Places, PanelsOnAnyPress,
                         ::testing::Values(PressCase{"Editor", IDC_REMEMO, true},
                                           PressCase{"LeftStrip", IDC_PANEL1, true},
                                           PressCase{"RightStrip", IDC_PANEL2, true},
                                           PressCase{"BottomStrip", IDC_PANEL4, true},
                                           PressCase{"TopBar", IDC_PANEL3, true},
                                           PressCase{"Grip", IDC_SPDBTNDRAG, true},
                                           PressCase{"StayOnTopButton", IDC_SPDBTNFORMTOP, true},
                                           PressCase{"Site", IDC_SPDBTNSITE, false}),
                         drv::CaseName());

// A settings file that cannot be written.

TEST_F(Appearance, AReadOnlyFileKeepsEachNewOpacityAndReportsEverySliderStep) {
    const std::string file = "[FORM]\r\nLeft=100\r\n";
    Start(file, true);
    OpenAlpha();
    for (const int position : {50, 49, 48}) {
        // The first press on the thumb focuses the slider and is a notification of its own.
        if (position == 50) {
            drv::Click(Thumb(51));
            const std::vector<std::string> errors = AnswerErrors();
            EXPECT_FALSE(errors.empty());
            for (const std::string& text : errors) EXPECT_EQ(text, WriteError());
        }
        drv::PressKey(VK_LEFT);
        EXPECT_EQ(AnswerErrors(), std::vector<std::string>{WriteError()}) << position;
        EXPECT_EQ(Position(), position);
        EXPECT_EQ(drv::Opacity(window_), position * 5);
    }
    EXPECT_EQ(Stored(), file);
}

// The error box comes while the thumb is dragged: the default error handler ends the
// drag, and the slider is back to normal after the box.
TEST_F(Appearance, AReadOnlyFileDuringAThumbDragEndsTheDragAndTheSliderStaysUsable) {
    const std::string file = "[FORM]\r\nLeft=100\r\n";
    Start(file, true);
    OpenAlpha();
    const RECT slider = drv::WindowRect(Slider());
    const int middle = (slider.top + slider.bottom) / 2;
    drv::MoveTo(Thumb(51));
    drv::ButtonDown();
    drv::MoveTo({slider.left + 60, middle});
    const std::vector<std::string> errors = AnswerErrors();
    ASSERT_FALSE(errors.empty());
    for (const std::string& text : errors) EXPECT_EQ(text, WriteError());
    const int dropped = Position();
    EXPECT_LT(dropped, 51);
    EXPECT_EQ(drv::Opacity(window_), dropped * 5);
    EXPECT_EQ(Capture(), nullptr) << "the slider holds the pointer no more";

    // The button is still down: moving it no longer moves the thumb, and neither does
    // moving it after the release.
    drv::MoveTo({slider.left + 20, middle});
    drv::ButtonUp();
    ASSERT_TRUE(drv::Settle(window_));
    AnswerErrors(300ms);
    drv::MoveTo({slider.right - 20, middle});
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_EQ(AnswerErrors(300ms), std::vector<std::string>{});
    EXPECT_EQ(Position(), dropped) << "the thumb follows no pointer without a press";

    // A new drag works as before (and is reported again). The slider takes the pointer only
    // when it handles the press: a move beyond the window before that goes elsewhere.
    drv::MoveTo(Thumb(dropped));
    drv::ButtonDown();
    ASSERT_TRUE(drv::Settle(window_));
    drv::MoveTo({slider.right + 40, middle});
    EXPECT_FALSE(AnswerErrors().empty());
    drv::ButtonUp();
    AnswerErrors(300ms);
    EXPECT_GT(Position(), dropped);
    EXPECT_EQ(Stored(), file);
}

TEST_F(Appearance, AReadOnlyFileKeepsTheEditorsNewColourAndTheStripsOldOne) {
    const std::string file = "[MEMO]\r\nColor=clYellow\r\n";
    Start(file, true);
    OpenBgColor();
    const HWND list = DropDown();
    drv::Click(InRow(list, RowOf(list, kSkyBlue), 40));
    EXPECT_EQ(AnswerErrors(), std::vector<std::string>{WriteError()});
    ExpectColours(kSkyBlueRgb, kYellowRgb);
    EXPECT_EQ(Stored(), file);

    Restart();
    ExpectColours(kYellowRgb, kYellowRgb);
}

}  // namespace
