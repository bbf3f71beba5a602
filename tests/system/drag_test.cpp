// Moving the note by its strips and top bar and resizing it from the grip, with the real
// pointer: where the window goes, what "Setup.ini" holds after every step, the drag that
// outlives a release elsewhere, the smallest size, and a settings file that cannot be written.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "panels.h"
#include "top_bar.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

constexpr char kSettings[] = "Setup.ini";
// The smallest note: the grip with its margins and the four buttons across, the top bar and
// the bottom strip down.
constexpr int kMinWidth = 72;
constexpr int kMinHeight = 20;
// A note well inside the 1280 x 800 test screen, with a line of somebody else's.
constexpr char kPlaced[] =
    "[Other]\r\nkey=value\r\n[FORM]\r\nLeft=400\r\nTop=200\r\nWidth=311\r\nHeight=303\r\n";
// Stands for a hand edit during the run: whoever writes the geometry next replaces it.
constexpr char kStale[] = "[FORM]\r\nLeft=1\r\nTop=2\r\nWidth=3\r\nHeight=4\r\n";

struct Geometry {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Geometry&, const Geometry&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Geometry& g) {
        return out << g.left << "," << g.top << " " << g.width << "x" << g.height;
    }
    Geometry Moved(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
    // The top-left corner asked to move by dx, dy with the bottom-right corner fixed.
    Geometry Resized(int dx, int dy) const {
        const int w = std::max(width - dx, kMinWidth);
        const int h = std::max(height - dy, kMinHeight);
        return {left + width - w, top + height - h, w, h};
    }
};

Geometry Of(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

POINT Offset(POINT p, int dx, int dy) {
    return {p.x + dx, p.y + dy};
}

// The value of `key` in the text of a profile file's section "FORM".
std::optional<int> FormValue(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    std::string line;
    bool inForm = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inForm = line == "[FORM]";
        } else if (inForm && line.rfind(key + "=", 0) == 0) {
            return std::stoi(line.substr(key.size() + 1));
        }
    }
    return std::nullopt;
}

std::optional<Geometry> GeometryIn(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    const auto left = FormValue(*text, "Left"), top = FormValue(*text, "Top"),
               width = FormValue(*text, "Width"), height = FormValue(*text, "Height");
    if (!left || !top || !width || !height) return std::nullopt;
    return Geometry{*left, *top, *width, *height};
}

drv::Rgb RgbOf(COLORREF c) {
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// A note started on the given settings file, with the pointer parked away from it first, so
// that nothing passes over the grip before the test moves.
class Drag : public ::testing::Test {
protected:
    void Start(const char* settings, bool readOnly = false) {
        drv::MoveTo({20, 780});
        drv::NotesSetup setup;
        if (settings) setup.files.emplace_back(kSettings, settings);
        note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
        if (readOnly) {
            ASSERT_TRUE(drv::SetReadOnly(note_->File(kSettings), true));
        }
        note_->Launch();
        window_ = *note_->WaitForNoteWindow();
    }

    HWND Child(int id) const { return drv::ChildById(window_, id); }
    POINT At(int id, POINT client) const { return drv::ClientToScreen(Child(id), client); }
    Geometry Window() const { return Of(drv::WindowRect(window_)); }
    std::string Path() const { return note_->File(kSettings); }
    std::optional<std::string> Stored() const { return note_->ReadFile(kSettings); }
    std::optional<std::uint64_t> StoredTime() const { return drv::LastWriteTime(Path()); }
    void Rewrite(const char* text) const { ASSERT_TRUE(note_->WriteFile(kSettings, text)); }
    ::testing::AssertionResult Settled() const { return drv::Settle(window_); }

    // The grip's sunken frame: shadow at its top-left corner, highlight at its bottom-right.
    bool GripDrawnPressed() const {
        const RECT grip = drv::WindowRect(Child(IDC_SPDBTNDRAG));
        return drv::PixelAt(grip.left, grip.top) == RgbOf(GetSysColor(COLOR_BTNSHADOW)) &&
               drv::PixelAt(grip.right - 1, grip.bottom - 1) ==
                   RgbOf(GetSysColor(COLOR_BTNHIGHLIGHT));
    }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
};

// Press points: the top bar beside its buttons, each strip, the grip.
constexpr POINT kOnTopBar = {100, 8};
constexpr POINT kOnSideStrip = {1, 100};
constexpr POINT kOnBottomStrip = {150, 1};
constexpr POINT kOnGrip = {5, 5};

struct MoveCase {
    const char* name;
    int control;
    POINT at;
    drv::MouseButton button;
    bool doubleClick;  // the drag starts with the second press of a double click
    int dx, dy;
    const char* file;  // at the start; nullptr: none
    const char* edit;  // written over it once the note is up; nullptr: left alone
    bool saves;        // the release writes the geometry
};

class DragMove : public Drag, public ::testing::WithParamInterface<MoveCase> {};

// The window follows the pointer at every move, and the file changes at the release of a
// top-bar drag only: its content and its time stay as they were until then.
TEST_P(DragMove, FollowsThePointerAndSavesOnlyAtATopBarRelease) {
    const MoveCase& c = GetParam();
    Start(c.file);
    if (c.edit) Rewrite(c.edit);
    const POINT press = At(c.control, c.at);
    drv::MoveTo(press);
    if (c.doubleClick) {
        drv::ButtonDown(c.button);
        drv::ButtonUp(c.button);
    }
    ASSERT_TRUE(Settled());
    const Geometry start = Window();
    const auto before = Stored();
    const auto beforeTime = StoredTime();
    const auto unchanged = [&](const char* step) {
        EXPECT_EQ(Stored(), before) << step;
        EXPECT_EQ(StoredTime(), beforeTime) << step;
    };

    drv::ButtonDown(c.button);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Window(), start);
    unchanged("after the press");
    constexpr int kSteps = 4;
    for (int i = 1; i <= kSteps; ++i) {
        drv::MoveTo(Offset(press, c.dx * i / kSteps, c.dy * i / kSteps));
        ASSERT_TRUE(Settled());
        EXPECT_EQ(Window(), start.Moved(c.dx * i / kSteps, c.dy * i / kSteps)) << "move " << i;
        unchanged("after a move");
    }
    drv::ButtonUp(c.button);
    ASSERT_TRUE(Settled());

    const Geometry end = start.Moved(c.dx, c.dy);
    EXPECT_EQ(Window(), end);
    if (c.saves) {
        const std::optional<std::string> after = Stored();
        EXPECT_EQ(GeometryIn(after), end);
        if (!c.file && !c.edit) {
            EXPECT_EQ(after, "[FORM]\r\nLeft=" + std::to_string(end.left) +
                                 "\r\nTop=" + std::to_string(end.top) +
                                 "\r\nWidth=" + std::to_string(end.width) +
                                 "\r\nHeight=" + std::to_string(end.height) + "\r\n")
                << "the four values, in this order";
        }
        if (c.file && !c.edit) {
            EXPECT_NE(after->find("[Other]\r\nkey=value"), std::string::npos) << *after;
        }
    } else {
        unchanged("after the release");
        if (!c.file) {
            EXPECT_FALSE(drv::FileExists(Path()));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, DragMove,
    ::testing::Values(MoveCase{"TopBar", IDC_PANEL3, kOnTopBar, drv::MouseButton::Left, false, -60,
                               -45, nullptr, nullptr, true},
                      MoveCase{"TopBarOverAFile", IDC_PANEL3, kOnTopBar, drv::MouseButton::Left,
                               false, 80, 40, kPlaced, nullptr, true},
                      MoveCase{"TopBarFarOffIt", IDC_PANEL3, kOnTopBar, drv::MouseButton::Left,
                               false, 400, -160, kPlaced, nullptr, true},
                      MoveCase{"TopBarDoubleClicked", IDC_PANEL3, kOnTopBar, drv::MouseButton::Left,
                               true, -120, 200, kPlaced, nullptr, true},
                      MoveCase{"TopBarWithoutMoving", IDC_PANEL3, kOnTopBar, drv::MouseButton::Left,
                               false, 0, 0, kPlaced, kStale, true},
                      MoveCase{"TopBarRightButton", IDC_PANEL3, kOnTopBar, drv::MouseButton::Right,
                               false, 60, 0, kPlaced, nullptr, true},
                      MoveCase{"LeftStrip", IDC_PANEL1, kOnSideStrip, drv::MouseButton::Left, false,
                               -40, -25, nullptr, nullptr, false},
                      MoveCase{"RightStrip", IDC_PANEL2, kOnSideStrip, drv::MouseButton::Left,
                               false, 30, 40, kPlaced, nullptr, false},
                      MoveCase{"BottomStrip", IDC_PANEL4, kOnBottomStrip, drv::MouseButton::Left,
                               false, -50, 60, kPlaced, kStale, false},
                      MoveCase{"BottomStripDoubleClicked", IDC_PANEL4, kOnBottomStrip,
                               drv::MouseButton::Left, true, 100, -100, kPlaced, nullptr, false},
                      MoveCase{"BottomStripMiddleButton", IDC_PANEL4, kOnBottomStrip,
                               drv::MouseButton::Middle, false, 80, 0, kPlaced, nullptr, false},
                      MoveCase{"LeftStripRightButton", IDC_PANEL1, kOnSideStrip,
                               drv::MouseButton::Right, false, 0, -60, nullptr, nullptr, false}),
    drv::CaseName());

struct GripCase {
    const char* name;
    drv::MouseButton button;
    bool doubleClick;
    std::vector<POINT> moves;  // where the pointer goes, from the press point
};

class DragGrip : public Drag, public ::testing::WithParamInterface<GripCase> {};

// The top-left corner follows the pointer, the bottom-right corner stays, the size stops at
// the smallest that shows the grip and the buttons, and every move stores what the window
// then is.
TEST_P(DragGrip, ResizesFromTheTopLeftAndSavesEveryMove) {
    const GripCase& c = GetParam();
    Start(kPlaced);
    const POINT press = At(IDC_SPDBTNDRAG, kOnGrip);
    drv::MoveTo(press);
    if (c.doubleClick) {
        drv::ButtonDown(c.button);
        drv::ButtonUp(c.button);
    }
    ASSERT_TRUE(Settled());
    const Geometry start = Window();
    ASSERT_EQ(start, (Geometry{400, 200, 311, 303}));
    drv::ButtonDown(c.button);
    ASSERT_TRUE(Settled());
    for (const POINT& move : c.moves) {
        Rewrite(kStale);
        drv::MoveTo(Offset(press, move.x, move.y));
        ASSERT_TRUE(Settled());
        const Geometry want = start.Resized(move.x, move.y);
        EXPECT_EQ(Window(), want) << "pointer moved by " << move.x << "," << move.y;
        EXPECT_EQ(GeometryIn(Stored()), want) << "pointer moved by " << move.x << "," << move.y;
    }
    Rewrite(kStale);
    drv::ButtonUp(c.button);
    ASSERT_TRUE(Settled());
    const Geometry end = start.Resized(c.moves.back().x, c.moves.back().y);
    EXPECT_EQ(Window(), end);
    EXPECT_EQ(GeometryIn(Stored()), end) << "written again at the release";
    EXPECT_TRUE(GripDrawnPressed());

    top_bar::ExpectAtTheRightEdge(window_, end.width);
    // However small, the top bar shows the grip and the four buttons side by side.
    const RECT grip = drv::ChildRect(Child(IDC_SPDBTNDRAG), window_);
    int left = grip.right;
    for (const int id :
         {IDC_SPDBTNSITE, IDC_SPDBTNFORMTOP, IDC_SPDBTNFORMHIDE, IDC_SPDBTNFORMCLOSE}) {
        const RECT button = drv::ChildRect(Child(id), window_);
        EXPECT_LE(left, button.left) << id;
        EXPECT_LE(button.right, end.width) << id;
        left = button.right;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, DragGrip,
    ::testing::Values(
        GripCase{"TenRightFiveDown", drv::MouseButton::Left, false, {{10, 5}}},
        GripCase{"GrowsUpAndLeft", drv::MouseButton::Left, false, {{-30, -20}, {-90, -65}}},
        GripCase{"StopsAtTheSmallestSize",
                 drv::MouseButton::Left,
                 false,
                 {{150, 150}, {400, 400}, {300, 200}, {239, 283}}},
        GripCase{"DoubleClicked", drv::MouseButton::Left, true, {{10, 5}, {-20, 30}}},
        // Without capture the pointer must stay over the grip: steps smaller than its half.
        GripCase{"RightButton", drv::MouseButton::Right, false, {{3, 2}, {6, 4}, {9, 6}}}),
    drv::CaseName());

// With no button held, every move over the grip writes the geometry (the file is changed
// between the moves to see each write), the window stays, and moves elsewhere write nothing.
TEST_F(Drag, EveryMoveOverTheGripWritesTheGeometry) {
    Start(kPlaced);
    const Geometry start = Window();
    const POINT grip = At(IDC_SPDBTNDRAG, {2, 2});
    for (int i = 0; i < 4; ++i) {
        Rewrite(kStale);
        drv::MoveTo(Offset(grip, i, i % 2));
        ASSERT_TRUE(Settled());
        EXPECT_EQ(GeometryIn(Stored()), start) << "move " << i;
        EXPECT_EQ(Window(), start);
    }
    EXPECT_TRUE(GripDrawnPressed());
    EXPECT_EQ(drv::CursorShown(window_), drv::CursorShape::SizeAll);

    // Elsewhere the pointer has its usual shapes, and moves write nothing.
    Rewrite(kStale);
    const struct {
        POINT at;
        drv::CursorShape shape;
    } elsewhere[] = {{At(IDC_PANEL3, kOnTopBar), drv::CursorShape::Arrow},
                     {At(IDC_PANEL1, kOnSideStrip), drv::CursorShape::Arrow},
                     {At(IDC_PANEL2, kOnSideStrip), drv::CursorShape::Arrow},
                     {At(IDC_PANEL4, kOnBottomStrip), drv::CursorShape::Arrow},
                     {At(IDC_REMEMO, {50, 50}), drv::CursorShape::IBeam}};
    for (const auto& place : elsewhere) {
        drv::MoveTo(place.at);
        ASSERT_TRUE(Settled());
        EXPECT_EQ(drv::CursorShown(window_), place.shape);
    }
    EXPECT_EQ(Stored(), kStale);
    EXPECT_EQ(Window(), start);
}

struct OtherButton {
    const char* name;
    drv::MouseButton button;
};

class DragOtherButton : public Drag, public ::testing::WithParamInterface<OtherButton> {};

// Without capture the release goes to the control under the pointer; released over the "e"
// button it ends nothing, so the window keeps following the pointer over the strips and the
// grip with no button held, until a release reaches one of them.
TEST_P(DragOtherButton, ReleasedElsewhereLeavesTheDragGoing) {
    Start(kPlaced);
    const POINT press = At(IDC_PANEL4, kOnBottomStrip);
    drv::MoveTo(press);
    drv::ButtonDown(GetParam().button);
    ASSERT_TRUE(Settled());
    const Geometry start = Window();
    drv::MoveTo(Offset(press, 20, 0));
    ASSERT_TRUE(Settled());
    ASSERT_EQ(Window(), start.Moved(20, 0));
    drv::MoveTo(drv::Center(Child(IDC_SPDBTNSITE)));
    drv::ButtonUp(GetParam().button);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Window(), start.Moved(20, 0));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);

    // A plain move over a strip puts the pressed point under the pointer.
    const Geometry before = Window();
    drv::MoveTo(At(IDC_PANEL4, {kOnBottomStrip.x + 35, kOnBottomStrip.y}));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Window(), before.Moved(35, 0));

    // Over the grip it moves the top-left corner there and keeps the bottom-right one.
    const Geometry beforeGrip = Window();
    drv::MoveTo(At(IDC_SPDBTNDRAG, kOnGrip));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Window(),
              beforeGrip.Resized(kOnGrip.x - kOnBottomStrip.x, kOnGrip.y - kOnBottomStrip.y));

    // The pressed point of the bottom strip is now under the pointer, over the top bar: a
    // click there ends the drag, and plain moves leave the window alone again.
    drv::ButtonDown();
    drv::ButtonUp();
    ASSERT_TRUE(Settled());
    const Geometry ended = Window();
    drv::MoveTo(At(IDC_PANEL1, kOnSideStrip));
    drv::MoveTo(At(IDC_PANEL4, kOnBottomStrip));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Window(), ended);
}

INSTANTIATE_TEST_SUITE_P(Buttons, DragOtherButton,
                         ::testing::Values(OtherButton{"Right", drv::MouseButton::Right},
                                           OtherButton{"Middle", drv::MouseButton::Middle}),
                         drv::CaseName());

struct PressCase {
    const char* name;
    int control;
    POINT at;
    drv::MouseButton button;
};

class DragPress : public Drag, public ::testing::WithParamInterface<PressCase> {};

TEST_P(DragPress, ClosesTheTransparencyAndColourPanels) {
    const PressCase& c = GetParam();
    Start(kPlaced);
    // Called up from outside: opening them is not what is tested here.
    ASSERT_TRUE(panels::CallUp(window_));
    drv::MoveTo(At(c.control, c.at));
    drv::ButtonDown(c.button);
    ASSERT_TRUE(Settled());
    EXPECT_FALSE(drv::IsVisible(Child(IDC_PNLALPHA)));
    EXPECT_FALSE(drv::IsVisible(Child(IDC_PNLBGCOLOR)));
    drv::ButtonUp(c.button);
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(GripDrawnPressed());
}

INSTANTIATE_TEST_SUITE_P(
    Controls, DragPress,
    ::testing::Values(PressCase{"LeftStrip", IDC_PANEL1, kOnSideStrip, drv::MouseButton::Left},
                      PressCase{"RightStrip", IDC_PANEL2, kOnSideStrip, drv::MouseButton::Middle},
                      PressCase{"TopBar", IDC_PANEL3, kOnTopBar, drv::MouseButton::Right},
                      PressCase{"BottomStrip", IDC_PANEL4, kOnBottomStrip, drv::MouseButton::Left},
                      PressCase{"Grip", IDC_SPDBTNDRAG, kOnGrip, drv::MouseButton::Left},
                      PressCase{"GripRightButton", IDC_SPDBTNDRAG, kOnGrip,
                                drv::MouseButton::Right}),
    drv::CaseName());

// The press sets the drag going before it refreshes the edit menu, so a clipboard that
// another program holds is reported with the drag already under way: once the box is
// answered, a plain move over a strip moves the window.
TEST_F(Drag, APressThatCannotReadTheClipboardHasStartedTheDragAlready) {
    Start(kPlaced);
    const POINT press = At(IDC_PANEL4, kOnBottomStrip);
    drv::MoveTo(press);
    ASSERT_TRUE(Settled());
    const Geometry start = Window();
    drv::ClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    drv::ButtonDown();
    const drv::MsgBox box = *note_->WaitForMessageBox();
    EXPECT_EQ(box.text, "Cannot open clipboard.");
    drv::ButtonUp();  // while the box is up: it reaches none of the five controls
    // Handled before the box is answered: the answer, a posted message, would otherwise
    // come first and close the box while the release still waits in the queue.
    ASSERT_TRUE(drv::Settle(box.hwnd));
    ASSERT_TRUE(drv::Press(box, IDOK));
    ASSERT_TRUE(drv::WaitForGone(box.hwnd));
    holder.Release();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Window(), start);

    drv::MoveTo(Offset(press, 40, 0));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Window(), start.Moved(40, 0));
}

struct ButtonCase {
    const char* name;
    int button;
};

class DragTitleButton : public Drag, public ::testing::WithParamInterface<ButtonCase> {};

// The small buttons are controls of their own: a drag that starts on one moves nothing,
// leaves no drag behind, and, released away from the button, runs no command.
TEST_P(DragTitleButton, StartsNoDrag) {
    Start(kPlaced);
    const Geometry start = Window();
    const POINT press = drv::Center(Child(GetParam().button));
    drv::MoveTo(press);
    drv::ButtonDown();
    for (int i = 1; i <= 4; ++i) drv::MoveTo(Offset(press, -15 * i, 10 * i));
    drv::ButtonUp();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Window(), start);
    drv::MoveTo(At(IDC_PANEL4, kOnBottomStrip));
    drv::MoveTo(At(IDC_PANEL1, kOnSideStrip));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Window(), start);
    EXPECT_TRUE(drv::IsVisible(window_));
    EXPECT_TRUE(drv::IsTopmost(window_));
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0);
    EXPECT_EQ(GeometryIn(Stored()), start) << "the file is as it was";
}

INSTANTIATE_TEST_SUITE_P(Buttons, DragTitleButton,
                         ::testing::Values(ButtonCase{"Site", IDC_SPDBTNSITE},
                                           ButtonCase{"StayOnTop", IDC_SPDBTNFORMTOP},
                                           ButtonCase{"Hide", IDC_SPDBTNFORMHIDE},
                                           ButtonCase{"Close", IDC_SPDBTNFORMCLOSE}),
                         drv::CaseName());

// Each move over the grip shows its own error box; the window keeps what it has, also the
// new geometry of a move that resized it before the write failed.
TEST_F(Drag, AReadOnlySettingsFileGivesOneErrorBoxPerMoveOverTheGrip) {
    Start(kPlaced, true);
    const Geometry start = Window();
    const POINT grip = At(IDC_SPDBTNDRAG, kOnGrip);
    const auto oneBox = [&](const char* step) {
        const drv::MsgBox box = *note_->WaitForMessageBox();
        EXPECT_EQ(box.text, "Unable to write to " + Path() + ".") << step;
        EXPECT_EQ(box.caption, "Notes") << step;
        EXPECT_EQ(box.icon, drv::BoxIcon::Error) << step;
        EXPECT_TRUE(drv::StaysTrue([&] { return drv::CountMessageBoxes(note_->Pid()) == 1; }, 300ms,
                                   "one error box"))
            << step;
        return box;
    };
    const auto answer = [&](const drv::MsgBox& box) {
        ASSERT_TRUE(drv::Press(box, IDOK));
        ASSERT_TRUE(drv::WaitForGone(box.hwnd));
        ASSERT_TRUE(Settled());
        EXPECT_TRUE(drv::StaysTrue([&] { return drv::CountMessageBoxes(note_->Pid()) == 0; }, 300ms,
                                   "no further box"));
    };

    for (int i = 0; i < 3; ++i) {
        drv::MoveTo(Offset(grip, i, i));
        answer(oneBox("a move with no button"));
        EXPECT_EQ(Window(), start);
    }

    const POINT press = drv::CursorPos();
    drv::ButtonDown();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(drv::CountMessageBoxes(note_->Pid()), 0) << "a press writes nothing";
    drv::MoveTo(Offset(press, 10, 5));
    const drv::MsgBox box = oneBox("a resizing move");
    EXPECT_EQ(Window(), start.Resized(10, 5));
    drv::ButtonUp();
    answer(box);
    EXPECT_EQ(Window(), start.Resized(10, 5));
    EXPECT_EQ(Stored(), kPlaced);
}

}  // namespace
