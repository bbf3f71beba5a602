// Addresses in the note: shown as links whether loaded or typed, opened with the shell by a
// left press and by nothing else, and never a change of the note.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "driver/driver.h"
#include "window/ids.h"

using namespace std::chrono_literals;

namespace {

constexpr char kNote[] = "Memo.rtf";
constexpr char kAddress[] = "http://www.example.com/path?q=1";
constexpr char kBefore[] = "see ";
constexpr char kAfter[] = " now";

using drv::SendTo;

// Characters in the first `bytes` bytes of a GBK text: the editor counts characters.
LONG Characters(const std::string& gbk, std::size_t bytes) {
    return MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(bytes), nullptr, 0);
}

// Start and end of the selection, asked without pointers (EM_GETSEL crosses processes).
std::pair<int, int> Selection(HWND editor) {
    const auto packed = static_cast<DWORD>(SendTo(editor, EM_GETSEL));
    return {LOWORD(packed), HIWORD(packed)};
}

// A started note, with a recording program registered to open http and https addresses.
class Links : public ::testing::Test {
protected:
    void Start(const std::string& note) {
        note_ = std::make_unique<drv::NotesProcess>(drv::NotesSetup{.files = {{kNote, note}}});
        note_->Launch();
        window_ = *note_->WaitForNoteWindow();
        editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
        ASSERT_TRUE(editor_);
    }
    void StartWithAddress() {
        // Wine's editor pastes on a middle click, as X programs do; with nothing to paste,
        // any change of the text would be the link's doing.
        ASSERT_TRUE(drv::EmptyClipboard());
        Start(std::string(kBefore) + kAddress + kAfter);
    }

    // Character positions of the address in the editor.
    static LONG AddressStart() { return static_cast<LONG>(sizeof kBefore - 1); }
    static LONG AddressEnd() { return AddressStart() + static_cast<LONG>(sizeof kAddress - 1); }

    // Screen point over the middle of the character at `position` of the first line.
    POINT AtChar(LONG position) const {
        const auto packed = static_cast<DWORD>(SendTo(editor_, EM_POSFROMCHAR, position));
        const auto next = static_cast<DWORD>(SendTo(editor_, EM_POSFROMCHAR, position + 1));
        const int x = (static_cast<short>(LOWORD(packed)) + static_cast<short>(LOWORD(next))) / 2;
        return drv::ClientToScreen(editor_, {x, static_cast<short>(HIWORD(packed)) + 6});
    }
    POINT OnAddress() const { return AtChar(AddressStart() + 8); }
    POINT OnPlainText() const { return AtChar(1); }

    std::optional<drv::CharFormat> Format(LONG from, LONG to) const {
        return drv::CharFormatOf(editor_, from, to);
    }

    // Nothing more is opened, and no box is shown, for a while after the input.
    void ExpectNoMoreThan(std::size_t opened) const {
        EXPECT_TRUE(drv::Settle(window_));
        EXPECT_TRUE(drv::StaysTrue(
            [&] {
                return shell_.Opened().size() <= opened &&
                       drv::CountMessageBoxes(note_->Pid()) == 0;
            },
            1500ms, "no further start of the handler and no message box"));
        EXPECT_EQ(shell_.Opened().size(), opened);
    }

    drv::ShellHandler shell_;
    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

struct ShownCase {
    const char* name;
    std::string note;     // the note file's content
    std::string address;  // the address in it, as the editor shows it
};

class LinkShown : public Links, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(LinkShown, OnlyTheAddressIsALink) {
    const ShownCase& c = GetParam();
    Start(c.note);
    const std::string text = drv::ControlText(editor_);
    const std::size_t at = text.find(c.address);
    ASSERT_NE(at, std::string::npos) << text;
    const LONG from = Characters(text, at);
    const LONG to = from + static_cast<LONG>(c.address.size());

    const auto link = Format(from, to);
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->AllLink()) << std::hex << link->mask << " " << link->effects;
    if (from > 0) {
        EXPECT_TRUE(Format(0, from)->NoLink());
    }
    EXPECT_TRUE(Format(to + 1, Characters(text, text.size()))->NoLink());
    EXPECT_EQ(Selection(editor_), std::make_pair(0, 0)) << "reading the format moved nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Notes, LinkShown,
    ::testing::Values(ShownCase{"PlainText", "see http://www.example.com/path?q=1 now",
                                "http://www.example.com/path?q=1"},
                      ShownCase{"Rtf",
                                "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 first line\\par go to "
                                "\\b https://example.org/a\\b0  today}",
                                "https://example.org/a"},
                      ShownCase{"AfterChineseText", "便签 http://www.example.com/ 内容",
                                "http://www.example.com/"},
                      ShownCase{"OnALaterLine", "one\r\ntwo\r\nhttp://example.net/x three",
                                "http://example.net/x"}),
    drv::CaseName());

TEST_F(Links, ATypedAddressBecomesALinkAndTypingStillSaves) {
    Start("");
    drv::Click(drv::Center(editor_));
    drv::TypeText("go http://www.example.com/typed next");
    ASSERT_TRUE(drv::Settle(window_));
    const auto link = Format(3, 3 + 26);
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->AllLink());
    EXPECT_TRUE(Format(0, 2)->NoLink());

    // Change notifications stayed on: every key rewrote the note.
    const std::string saved = *note_->ReadFile(kNote);
    EXPECT_EQ(saved.rfind("{\\rtf", 0), 0u) << saved;
    EXPECT_NE(saved.find("go http://www.example.com/typed next"), std::string::npos) << saved;
}

class LinkClick;

// Input over the address of a started note and what the shell is then asked to open.
struct ClickCase {
    const char* name;
    std::size_t opened;
    std::function<void(const LinkClick&)> input;
};

class LinkClick : public Links, public ::testing::WithParamInterface<ClickCase> {
public:
    POINT Address() const { return OnAddress(); }
    POINT Plain() const { return OnPlainText(); }
};

TEST_P(LinkClick, OpensTheAddressOnlyOnALeftPress) {
    StartWithAddress();
    const auto written = drv::LastWriteTime(note_->File(kNote));
    const std::string before = *note_->ReadFile(kNote);

    GetParam().input(*this);
    if (GetParam().opened > 0) {
        ASSERT_TRUE(shell_.WaitForOpened(GetParam().opened));
        for (const std::string& opened : shell_.Opened()) EXPECT_EQ(opened, kAddress);
    }
    ExpectNoMoreThan(GetParam().opened);
    // Closes the editor menu a right click opened.
    if (const HWND menu = drv::PopupMenuWindow(note_->Pid())) {
        drv::CloseMenu(drv::Menu{.hwnd = menu, .rect = {}, .items = {}});
        EXPECT_TRUE(drv::WaitForGone(menu));
    }

    EXPECT_EQ(drv::ControlText(editor_), std::string(kBefore) + kAddress + kAfter);
    EXPECT_EQ(note_->ReadFile(kNote), before) << "a click changes no text";
    EXPECT_EQ(drv::LastWriteTime(note_->File(kNote)), written);
    EXPECT_TRUE(note_->IsRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Input, LinkClick,
    ::testing::Values(
        ClickCase{"LeftClick", 1, [](const LinkClick& note) { drv::Click(note.Address()); }},
        ClickCase{"DoubleClick", 1,
                  [](const LinkClick& note) { drv::DoubleClick(note.Address()); }},
        ClickCase{"TwoClicksApart", 2,
                  [](const LinkClick& note) {
                      drv::Click(note.Address());
                      drv::Pause(drv::Ms(GetDoubleClickTime() + 200));
                      drv::Click(note.Address());
                  }},
        ClickCase{
            "RightClick", 0,
            [](const LinkClick& note) { drv::Click(note.Address(), drv::MouseButton::Right); }},
        ClickCase{
            "MiddleClick", 0,
            [](const LinkClick& note) { drv::Click(note.Address(), drv::MouseButton::Middle); }},
        ClickCase{"ReleasedOverTheLink", 0,
                  [](const LinkClick& note) { drv::Drag(note.Plain(), note.Address()); }},
        ClickCase{"MovedOverTheLink", 0,
                  [](const LinkClick& note) {
                      drv::MoveTo(note.Plain());
                      drv::MoveTo(note.Address());
                      drv::MoveTo(note.Plain());
                  }},
        ClickCase{"ClickOnPlainText", 0, [](const LinkClick& note) { drv::Click(note.Plain()); }}),
    drv::CaseName());

TEST_F(Links, AClickLeavesTheCaretWhereItWasPlacedAndTypingGoesThere) {
    StartWithAddress();
    drv::Click(OnAddress());
    ASSERT_TRUE(shell_.WaitForOpened(1));
    ASSERT_TRUE(drv::Settle(window_));
    const auto [start, end] = Selection(editor_);
    EXPECT_EQ(start, end) << "the link is not left selected";
    EXPECT_GT(start, AddressStart());
    EXPECT_LT(start, AddressEnd());

    drv::TypeText("X");
    ASSERT_TRUE(drv::Settle(window_));
    std::string expected = std::string(kBefore) + kAddress + kAfter;
    expected.insert(static_cast<std::size_t>(start), "X");
    EXPECT_EQ(drv::ControlText(editor_), expected);
    EXPECT_NE(note_->ReadFile(kNote)->find(expected), std::string::npos);
}

TEST_F(Links, AnAddressNoProgramCanOpenIsDroppedSilently) {
    shell_.Break("http");
    StartWithAddress();
    const std::string before = *note_->ReadFile(kNote);
    drv::Click(OnAddress());
    ExpectNoMoreThan(0);
    EXPECT_EQ(note_->ReadFile(kNote), before);

    // The note goes on working.
    drv::TypeText("ok ");
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_NE(note_->ReadFile(kNote)->find("ok "), std::string::npos);
}

}  // namespace
