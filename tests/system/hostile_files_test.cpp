// Note and settings files that no user meant to write: random bytes, cut-off RTF, nesting
// and sizes far beyond any real note, binary junk in "Setup.ini". Whatever the files hold,
// the program starts, shows no error but those it reports for unreadable settings, keeps
// answering, and never writes over a note it could not load.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "reliability.h"
#include "window/ids.h"

using namespace std::chrono_literals;

namespace {

constexpr char kNote[] = "Memo.rtf";
constexpr char kSettings[] = "Setup.ini";
constexpr int kLayoutWidth = 311;
constexpr int kLayoutHeight = 303;
constexpr std::size_t kMaxValue = 2047;  // the longest value the settings reader hands over

// Bytes that repeat from run to run: the generator starts from a fixed value.
std::string RandomBytes(std::size_t size, unsigned start) {
    std::mt19937 random(start);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

LRESULT SendTo(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return drv::SendTo(hwnd, message, wParam, lParam, drv::ForHeavyWork(drv::Ms(60000)));
}

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// Equal bytes, said briefly: a failure must not print megabytes.
::testing::AssertionResult SameBytes(const std::optional<std::string>& got,
                                     const std::string& want) {
    if (!got) return ::testing::AssertionFailure() << "the file cannot be read";
    if (*got == want) return ::testing::AssertionSuccess();
    const auto at = std::mismatch(got->begin(), got->end(), want.begin(), want.end());
    return ::testing::AssertionFailure() << got->size() << " bytes instead of " << want.size()
                                         << ", first difference at " << (at.first - got->begin());
}

// A note started on the given files, watched for errors, answers and writes.
class Hostile : public ::testing::Test {
protected:
    void Prepare(drv::NotesSetup setup) {
        note_ = std::make_unique<drv::NotesProcess>(std::move(setup));
    }
    // Launches and waits for the end of start-up. Error boxes it shows are answered; their
    // texts are returned.
    std::vector<std::string> Launch(drv::Ms timeout) {
        note_->Launch();
        std::vector<std::string> errors;
        window_ = *note_->WaitForNoteWindowCreated(timeout);
        for (;;) {
            const bool settled = static_cast<bool>(drv::Settle(window_, timeout));
            if (const auto box = drv::WaitForMessageBox(note_->Pid(), 200ms); box) {
                errors.push_back(box->text);
                EXPECT_EQ(box->icon, drv::BoxIcon::Error);
                EXPECT_TRUE(drv::Press(*box, IDOK));
                EXPECT_TRUE(drv::WaitForGone(box->hwnd));
                continue;
            }
            EXPECT_TRUE(settled) << "start-up ends";
            break;
        }
        editor_ = drv::ChildById(window_, notes::IDC_REMEMO);
        return errors;
    }
    // The note window is up and answers within a second, and the process is still there.
    void ExpectResponsive(rel::Tally& tally) {
        EXPECT_TRUE(tally.StillRunning(note_->IsRunning()));
        EXPECT_TRUE(drv::IsVisible(window_));
        const auto asked = std::chrono::steady_clock::now();
        EXPECT_TRUE(rel::Answers(window_)) << "the note window answers within 1 s";
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
    }
    void Close(rel::Tally& tally) {
        EXPECT_TRUE(tally.StillRunning(note_->IsRunning()));
        EXPECT_TRUE(drv::CloseAndConfirm(*note_));
    }
    std::optional<std::string> Saved() const { return note_->ReadFile(kNote); }
    // One character typed at the start of the note; what is saved then is what the editor
    // shows, read back by a rich edit of the same kind, or, where that would take minutes
    // under Wine, what `holds` says the saved note must hold.
    void ExpectAnEditSavesWhatIsShown(rel::Tally& tally,
                                      const std::function<bool(const std::string&)>& holds) {
        SendTo(editor_, EM_SETSEL, 0, 0);
        SendTo(editor_, WM_CHAR, '#', 1);
        const std::string saved = Saved().value_or("");
        EXPECT_TRUE(tally.NoteKept(rel::IsWholeRtf(saved)))
            << saved.size() << " bytes: " << saved.substr(0, 80);
        if (holds) {
            EXPECT_TRUE(tally.NoteKept(holds(saved))) << saved.substr(0, 400);
            return;
        }
        const std::wstring shown = rel::WideText(editor_);
        EXPECT_EQ(shown.substr(0, 1), L"#");
        const auto readBack = rel::RtfText(saved);
        ASSERT_TRUE(readBack) << "the saved note is RTF the editor reads";
        EXPECT_TRUE(tally.NoteKept(*readBack == shown))
            << "shown " << shown.size() << " characters, saved " << readBack->size()
            << ", first difference at "
            << (std::mismatch(shown.begin(), shown.end(), readBack->begin(), readBack->end())
                    .first -
                shown.begin());
    }

    std::unique_ptr<drv::NotesProcess> note_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

// ---- Notes --------------------------------------------------------------------------------

// A note as the program itself writes it: a few formatted paragraphs, Chinese among them,
// edited once so that the file is the program's own RTF.
std::string ProgramWrittenNote() {
    drv::NotesProcess note(
        {.files = {{kNote,
                    "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 "
                    "SimSun;}{\\f1 Arial;}}{\\colortbl;\\red200\\green0\\blue0;}"
                    "\\f0\\fs20 便签内容\\par\\f1\\b bold\\b0 \\i italic\\i0 "
                    "\\cf1 red\\cf0\\par second line 第二行\\par end}"}}});
    note.Launch();
    const HWND window = *note.WaitForNoteWindow();
    SendTo(drv::ChildById(window, notes::IDC_REMEMO), WM_CHAR, '>', 1);
    const std::string written = note.ReadFile(kNote).value_or("");
    EXPECT_TRUE(drv::CloseAndConfirm(note));
    return written;
}

std::size_t Count(const std::string& text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

constexpr std::size_t kRandomSize = 256 * 1024;
constexpr std::size_t kBraces = 100000;
constexpr std::size_t kBigSize = 20 * 1024 * 1024;
constexpr int kFirstLine = 1000000;

std::string Line(int i) {
    return "line " + std::to_string(i) + " of a very long note";
}

int BigNoteLines() {
    std::size_t size = 0;
    int lines = 0;
    for (; size < kBigSize; ++lines) size += Line(kFirstLine + lines).size() + 2;
    return lines;
}

constexpr char kNulRtf[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Ari\0al;}}\\f0 one\0two\\par th\0\0ree\\b\0 four}";

struct NoteCase {
    const char* name;
    std::function<std::string()> bytes;
    drv::Ms startTimeout;
    // Where reading the saved note back would take minutes under Wine (one line of 200 000
    // characters, 20 MB): what the note saved after the edit must hold instead.
    std::function<bool(const std::string& saved)> holds = nullptr;
    // Loading takes most of a minute: one start looks, edits and closes.
    bool oneStart = false;
};

class HostileNote : public Hostile, public ::testing::WithParamInterface<NoteCase> {};

// A start that only looks and closes must leave the file as it was; a start with an edit
// must save exactly what the editor shows.
TEST_P(HostileNote, StartsAnswersAndNeverWritesWhatItDidNotLoad) {
    const NoteCase& c = GetParam();
    rel::Tally tally("hostile-note", c.name);
    const std::string bytes = c.bytes();
    Prepare({.files = {{kNote, bytes}}});
    const std::string path = note_->File(kNote);
    const auto written = drv::LastWriteTime(path);

    tally.Tried();
    const drv::Ms startTimeout = drv::ForHeavyWork(c.startTimeout);
    EXPECT_EQ(Launch(startTimeout), std::vector<std::string>{});
    ExpectResponsive(tally);
    EXPECT_TRUE(tally.NoteKept(SameBytes(Saved(), bytes))) << "after the start";
    EXPECT_EQ(drv::LastWriteTime(path), written);
    if (c.oneStart) {
        ExpectAnEditSavesWhatIsShown(tally, c.holds);
        const std::string saved = Saved().value_or("");
        Close(tally);
        EXPECT_TRUE(SameBytes(Saved(), saved)) << "closing writes nothing";
        return;
    }
    Close(tally);
    EXPECT_TRUE(tally.NoteKept(SameBytes(Saved(), bytes))) << "after closing";
    EXPECT_EQ(drv::LastWriteTime(path), written);

    Launch(startTimeout);
    ExpectResponsive(tally);
    ExpectAnEditSavesWhatIsShown(tally, c.holds);
    Close(tally);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileNote,
    ::testing::Values(
        // Wine's rich edit answers a request for the text of this note with nothing, so
        // the note saved after the edit is checked for its size: every byte read as text
        // comes back as at least one byte of RTF.
        NoteCase{"RandomBytes", [] { return RandomBytes(kRandomSize, 20261208); }, 30s,
                 [](const std::string& saved) {
                     return saved.size() > kRandomSize && saved.find("#") != std::string::npos;
                 }},
        // Deeper than the editor takes as RTF: the note is read as text, and saved with
        // every brace kept.
        NoteCase{"BracesNested100000Deep",
                 [] {
                     return "{\\rtf1\\ansi " + std::string(kBraces, '{') + "deep" +
                            std::string(kBraces, '}') + "}";
                 },
                 30s,
                 [](const std::string& saved) {
                     return saved.find("#\\{\\\\rtf1\\\\ansi \\{\\{") != std::string::npos &&
                            Count(saved, "\\{") == kBraces + 1 &&
                            Count(saved, "\\}") == kBraces + 1 &&
                            saved.find("\\{deep\\}") != std::string::npos;
                 },
                 true},
        NoteCase{"UnknownControlWordStorm",
                 [] { return "{\\rtf1\\ansi start " + drv::Repeat("\\zzq123", 200000) + " end}"; },
                 60s},
        NoteCase{"NulBytesInsideRtf", [] { return std::string(kNulRtf, sizeof kNulRtf - 1); }, 20s},
        NoteCase{"TwentyMB",
                 [] {
                     std::string text;
                     text.reserve(kBigSize + 64);
                     for (int i = kFirstLine; text.size() < kBigSize; ++i) text += Line(i) + "\r\n";
                     return text;
                 },
                 120s,
                 [](const std::string& saved) {
                     const int lines = BigNoteLines();
                     return saved.find("#" + Line(kFirstLine) + "\\par") != std::string::npos &&
                            saved.find(Line(kFirstLine + lines - 1) + "\\par") !=
                                std::string::npos &&
                            Count(saved, " of a very long note\\par") ==
                                static_cast<std::size_t>(lines);
                 },
                 true}),
    drv::CaseName());

// A note cut short at several points, as a disk that filled up or a copy that stopped
// would leave it.
TEST_F(Hostile, TruncatedNotesLoadWithoutAnErrorAndAreNeverRewrittenByAStart) {
    const std::string whole = ProgramWrittenNote();
    ASSERT_TRUE(rel::IsWholeRtf(whole)) << whole;
    const std::size_t escape = whole.find("\\'");
    ASSERT_NE(escape, std::string::npos) << "the note holds an escaped Chinese byte";
    const std::vector<std::pair<const char*, std::size_t>> cuts = {
        {"after the header", 6},
        {"in the font table", whole.find("{\\fonttbl") + 12},
        {"inside an escaped byte", escape + 3},
        {"half way", whole.size() / 2},
        {"before the last brace", whole.find_last_of('}')},
    };
    rel::Tally tally("hostile-note", "truncated RTF");
    for (const auto& [where, at] : cuts) {
        SCOPED_TRACE(where);
        const std::string bytes = whole.substr(0, at);
        Prepare({.files = {{kNote, bytes}}});
        tally.Tried();
        EXPECT_EQ(Launch(drv::kStartTimeout), std::vector<std::string>{});
        ExpectResponsive(tally);
        Close(tally);
        EXPECT_TRUE(tally.NoteKept(SameBytes(Saved(), bytes)));

        Launch(drv::kStartTimeout);
        ExpectAnEditSavesWhatIsShown(tally, nullptr);
        Close(tally);
    }
}

// ---- Settings -----------------------------------------------------------------------------

struct Placement {
    std::optional<int> left = std::nullopt, top = std::nullopt, width = std::nullopt;
    drv::Rgb color = {};
};

struct SettingsCase {
    const char* name;
    std::function<std::string()> settings;  // nothing: a directory of that name
    // The start-up error, from the settings file's path ("" for none).
    std::function<std::string(const std::string& path)> error;
    Placement placement;  // an unset value: the default
};

class HostileSettings : public Hostile, public ::testing::WithParamInterface<SettingsCase> {};

// Starts (or stops at the one error an unreadable colour gives), answers, applies what
// can be read, writes neither file, and still saves the note when the start got that far.
TEST_P(HostileSettings, StartsWithWhatCanBeReadAndLeavesBothFiles) {
    const SettingsCase& c = GetParam();
    rel::Tally tally("hostile-settings", c.name);
    const std::string note = "{\\rtf1\\ansi kept note\\par}";
    const std::string settings = c.settings ? c.settings() : std::string();
    drv::NotesSetup setup{.files = {{kNote, note}}};
    if (c.settings) setup.files.emplace_back(kSettings, settings);
    Prepare(std::move(setup));
    const std::string ini = note_->File(kSettings);
    if (!c.settings) {
        ASSERT_TRUE(drv::MakeDirectory(ini));
    }

    tally.Tried();
    const std::vector<std::string> errors = Launch(60s);
    const std::string error = c.error(ini);
    EXPECT_EQ(errors, error.empty() ? std::vector<std::string>{} : std::vector{error});
    ExpectResponsive(tally);

    const RECT area = WorkArea();
    const RECT window = drv::WindowRect(window_);
    EXPECT_EQ(window.left, c.placement.left.value_or((area.right - area.left) - kLayoutWidth));
    EXPECT_EQ(window.top, c.placement.top.value_or((area.bottom - area.top) - kLayoutHeight));
    EXPECT_EQ(drv::Width(window), c.placement.width.value_or(kLayoutWidth));
    if (error.empty()) {
        EXPECT_EQ(drv::PixelAt(drv::Center(editor_)), c.placement.color);
    }
    EXPECT_TRUE(tally.NoteKept(SameBytes(Saved(), note)));
    if (c.settings) {
        EXPECT_TRUE(SameBytes(note_->ReadFile(kSettings), settings));
    } else {
        EXPECT_TRUE(drv::IsDirectory(ini));
    }

    // A start that failed leaves the note alone for the run; one that got through saves.
    SendTo(editor_, EM_SETSEL, 0, 0);
    SendTo(editor_, WM_CHAR, '#', 1);
    EXPECT_TRUE(drv::Settle(window_));
    if (error.empty()) {
        EXPECT_NE(Saved().value_or("").find("#kept note"), std::string::npos);
    } else {
        EXPECT_TRUE(tally.NoteKept(SameBytes(Saved(), note)));
    }
    Close(tally);
}

std::string NoError(const std::string&) {
    return {};
}

constexpr drv::Rgb kYellow{255, 255, 0};
constexpr drv::Rgb kSkyBlue{166, 202, 240};

// Values far longer than any the program writes: the reader hands over their first 2047
// characters, so a long run of zeros ends as 0 and a long number as no number at all.
std::string LongValues() {
    return "[FORM]\r\nLeft=" + std::string(10000, '9') + "\r\nTop=" + std::string(9997, '0') +
           "120\r\nWidth=" + std::string(kMaxValue - 3, '0') + "400" + std::string(5000, '0') +
           "\r\nAlpha=" + std::string(10000, '1') + "\r\nAutoRun=" + std::string(10000, '1') +
           "\r\n[MEMO]\r\nColor=" + std::string(10000, ' ') + "clSkyBlue" +
           std::string(10000, ' ') + "\r\n";
}

const std::string kLongColour = "$0000FF" + std::string(9993, '0');

// The same keys and sections twice over: Wine's profile reader takes the first entry of the
// first section of that name and looks no further, also for keys only the second one has.
constexpr char kDuplicates[] =
    "[FORM]\r\nLeft=100\r\nLeft=200\r\nTop=150\r\nTop=250\r\n"
    "[MEMO]\r\nColor=clSkyBlue\r\nColor=clRed\r\n"
    "[FORM]\r\nLeft=300\r\nWidth=400\r\n"
    "[MEMO]\r\nColor=clLime\r\n";

// Section lines of arbitrary bytes, a NUL among them, around the real ones.
// The length comes from the array, as the NULs inside end any C-string reading of it.
constexpr char kBinarySections[] =
    "[\x01\x02\xff\xfe\x80]\r\nLeft=5\r\n[\x81\x40\xa1\xa1 FORM]\r\nLeft=6\r\n"
    "[FORM]\r\nLeft=100\r\nTop=120\r\n[\0\x7f\0]\r\nTop=7\r\n"
    "[MEMO]\r\nColor=clSkyBlue\r\n[]\r\nColor=clRed\r\n";
std::string BinarySections() {
    return std::string(kBinarySections, sizeof kBinarySections - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileSettings,
    ::testing::Values(
        SettingsCase{"FiveMBOfRandomBytes", [] { return RandomBytes(5 * 1024 * 1024, 4242); },
                     NoError, Placement{.color = kYellow}},
        SettingsCase{"TenThousandCharacterValues", LongValues, NoError,
                     Placement{.top = 0, .width = 400, .color = kSkyBlue}},
        SettingsCase{
            "TenThousandCharacterColour", [] { return "[MEMO]\r\nColor=" + kLongColour + "\r\n"; },
            [](const std::string&) {
                return "'" + kLongColour.substr(0, kMaxValue) + "' is not a valid integer value.";
            },
            Placement{.color = kYellow}},
        SettingsCase{"EveryKeyTwice", [] { return std::string(kDuplicates); }, NoError,
                     Placement{.left = 100, .top = 150, .color = kSkyBlue}},
        SettingsCase{"BinarySectionNames", BinarySections, NoError,
                     Placement{.left = 100, .top = 120, .color = kSkyBlue}},
        SettingsCase{"ADirectoryNamedLikeIt", nullptr, NoError, Placement{.color = kYellow}}),
    drv::CaseName());

// Nothing is written at start-up, so a directory in the way shows only at the first write,
// which reports it; the note is saved all the same.
TEST_F(Hostile, ADirectoryNamedLikeTheSettingsFileIsReportedAtTheFirstWrite) {
    rel::Tally tally("hostile-settings", "directory named Setup.ini, then a write");
    Prepare({.files = {{kNote, "note"}}});
    const std::string ini = note_->File(kSettings);
    ASSERT_TRUE(drv::MakeDirectory(ini));
    drv::MoveTo({20, 780});
    tally.Tried();
    EXPECT_EQ(Launch(drv::kStartTimeout), std::vector<std::string>{});

    drv::MoveTo(drv::ClientToScreen(drv::ChildById(window_, notes::IDC_SPDBTNDRAG), {5, 5}));
    const drv::MsgBox box = *note_->WaitForMessageBox();
    EXPECT_EQ(box.text, "Unable to write to " + ini + ".");
    EXPECT_EQ(box.caption, "Notes");
    ASSERT_TRUE(drv::Press(box, IDOK));
    ASSERT_TRUE(drv::WaitForGone(box.hwnd));
    drv::MoveTo({20, 780});
    ASSERT_TRUE(drv::Settle(window_));
    EXPECT_TRUE(drv::IsDirectory(ini));
    ExpectResponsive(tally);

    SendTo(editor_, EM_SETSEL, 0, 0);
    SendTo(editor_, WM_CHAR, '#', 1);
    EXPECT_TRUE(tally.NoteKept(Saved().value_or("").find("#note") != std::string::npos));
    Close(tally);
}

}  // namespace
