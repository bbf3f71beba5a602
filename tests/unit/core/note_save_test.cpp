#include "core/note_save.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/errors.h"

namespace {

constexpr char kDir[] = "C:\\Notes\\";
constexpr char kNotePath[] = "C:\\Notes\\Memo.rtf";
constexpr uint32_t kProcess = 0x1a4;
constexpr char kNewNote[] = "{\\rtf1 new note}";

// A folder in memory. The "editor" writes kNewNote; faults are switched on per case.
class FakeFolder final : public core::NoteFileSystem {
public:
    struct Entry {
        std::string content;
        bool readOnly = false;
        bool directory = false;
    };
    std::map<std::string, Entry> entries;

    uint32_t lockedError = 0;   // the note file is held open by another program
    bool noNewFiles = false;    // the folder takes changes to files but no new ones
    bool streamFails = false;   // the editor or the disk fails while the note is written
    uint32_t replaceError = 0;  // the replace step fails
    uint32_t inPlaceError = 0;  // creating the note file in place fails
    std::set<std::string> deleted;

    bool FileExists(const std::string& path) override {
        const auto it = entries.find(path);
        return it != entries.end() && !it->second.directory;
    }
    bool IsReadOnly(const std::string& path) override {
        const auto it = entries.find(path);
        return it != entries.end() && it->second.readOnly;
    }
    void CreateEmpty(const std::string& path) override {
        if (!noNewFiles) entries.try_emplace(path);
    }
    uint32_t TryOpenForWriting(const std::string& path) override {
        if (lockedError) return lockedError;
        const auto it = entries.find(path);
        if (it != entries.end() && it->second.directory) return core::kErrorAccessDenied;
        if (it == entries.end() && noNewFiles) return core::kErrorAccessDenied;
        entries.try_emplace(path);
        return 0;
    }
    Written WriteNew(const std::string& path) override {
        if (entries.contains(path)) return {Made::kExists, 80, false};
        if (noNewFiles) return {Made::kFailed, core::kErrorAccessDenied, false};
        return Write(path);
    }
    Written WriteInPlace(const std::string& path) override {
        if (inPlaceError) return {Made::kFailed, inPlaceError, false};
        return Write(path);
    }
    uint32_t Replace(const std::string& from, const std::string& to) override {
        if (replaceError) return replaceError;
        entries[to] = entries.at(from);
        entries.erase(from);
        return 0;
    }
    void Delete(const std::string& path) override {
        deleted.insert(path);
        entries.erase(path);
    }
    std::vector<std::string> NamesStartingWith(const std::string& directory,
                                               std::string_view prefix) override {
        std::vector<std::string> names;
        for (const auto& [path, entry] : entries) {
            if (path.starts_with(directory + std::string(prefix)))
                names.push_back(path.substr(directory.size()));
        }
        return names;
    }
    std::optional<std::string> Head(const std::string& path, std::size_t count) override {
        const auto it = entries.find(path);
        if (it == entries.end() || it->second.directory) return std::nullopt;
        return it->second.content.substr(0, count);
    }
    std::string ErrorText(uint32_t code) override { return "error " + std::to_string(code); }

    // Every path in the folder but the note file.
    std::set<std::string> Others() const {
        std::set<std::string> others;
        for (const auto& [path, entry] : entries) {
            if (path != kNotePath) others.insert(path);
        }
        return others;
    }

private:
    Written Write(const std::string& path) {
        // A failing stream leaves part of the note behind, as a real one does.
        entries[path].content = streamFails ? std::string("{\\rtf1 ne") : kNewNote;
        return {Made::kNew, 0, !streamFails};
    }
};

std::string Temporary(uint32_t serial) {
    return kDir + core::TemporaryNoteName(kProcess, serial);
}

// Saves once; the error text, or "" when the save went through.
std::string SaveIn(core::NoteSaver& saver) {
    try {
        saver.Save(kDir);
        return "";
    } catch (const core::AppError& e) {
        return core::NarrowToAscii(e.Text());
    }
}

TEST(TemporaryNoteName, IsMadeFromTheProcessAndTheSerialAndRecognisedOnlyInThatForm) {
    EXPECT_EQ(core::TemporaryNoteName(0x1a4, 0), "Memo.rtf.~1a4-0.tmp");
    EXPECT_EQ(core::TemporaryNoteName(0xFFFFFFFF, 0x10), "Memo.rtf.~ffffffff-10.tmp");
    const struct {
        const char* name;
        bool ours;
    } cases[] = {
        {"Memo.rtf.~1a4-0.tmp", true},
        {"MEMO.RTF.~1A4-0.TMP", true},
        {"Memo.rtf.~ffffffff-ffffffff.tmp", true},
        {"Memo.rtf.tmp", false},
        {"Memo.rtf.~.tmp", false},
        {"Memo.rtf.~1a4.tmp", false},
        {"Memo.rtf.~1a4-.tmp", false},
        {"Memo.rtf.~-0.tmp", false},
        {"Memo.rtf.~123456789-0.tmp", false},
        {"Memo.rtf.~1a4-0.tmp.bak", false},
        {"Memo.rtf.~1g4-0.tmp", false},
        {"Memo.rtf.~1a4-0-1.tmp", false},
        {"Memo.rtf.~1a4 -0.tmp", false},
        {"Note.rtf.~1a4-0.tmp", false},
    };
    for (const auto& c : cases) EXPECT_EQ(core::IsTemporaryNoteName(c.name), c.ours) << c.name;
}

TEST(NoteSaver, WritesTheWholeNoteThroughANewFileAndLeavesNothingElse) {
    FakeFolder folder;
    folder.entries[kNotePath].content = "{\\rtf1 old}";
    core::NoteSaver saver(folder, kProcess);
    EXPECT_EQ(SaveIn(saver), "");
    EXPECT_EQ(folder.entries[kNotePath].content, kNewNote);
    EXPECT_EQ(folder.Others(), std::set<std::string>{});
    // The note file gone meanwhile: made again.
    folder.entries.erase(kNotePath);
    EXPECT_EQ(SaveIn(saver), "");
    EXPECT_EQ(folder.entries[kNotePath].content, kNewNote);
}

// Files of the user's are never written over or deleted, whatever their names; a name that
// is taken is stepped over, and the next save takes a fresh one.
TEST(NoteSaver, NeverTouchesAFileItDidNotMake) {
    FakeFolder folder;
    folder.entries[kNotePath].content = "{\\rtf1 old}";
    folder.entries[kDir + std::string("Memo.rtf.tmp")] = {"user's data", true};
    folder.entries[Temporary(0)] = {"user's data", true};
    folder.entries[Temporary(1)] = {"{\\rtf1 user's note}", false};
    core::NoteSaver saver(folder, kProcess);
    EXPECT_EQ(SaveIn(saver), "");
    EXPECT_EQ(SaveIn(saver), "");
    EXPECT_EQ(folder.entries[kNotePath].content, kNewNote);
    EXPECT_EQ(folder.deleted, std::set<std::string>{});
    EXPECT_EQ(folder.Others(), (std::set<std::string>{kDir + std::string("Memo.rtf.tmp"),
                                                      Temporary(0), Temporary(1)}));
    for (const auto& path : folder.Others()) {
        EXPECT_NE(folder.entries[path].content, kNewNote) << path;
    }
}

struct FaultCase {
    const char* name;
    void (*fault)(FakeFolder&);
    const char* error;      // "" when the save goes through
    const char* noteAfter;  // the note file's content afterwards
};

class SaveFault : public ::testing::TestWithParam<FaultCase> {};

// Every failure keeps the last saved note whole (or, where only the in-place rewrite is left,
// reports the failure) and leaves no file of the save behind.
TEST_P(SaveFault, KeepsTheLastNoteAndCleansUp) {
    const FaultCase& c = GetParam();
    FakeFolder folder;
    folder.entries[kNotePath].content = "{\\rtf1 old}";
    c.fault(folder);
    core::NoteSaver saver(folder, kProcess);
    EXPECT_EQ(SaveIn(saver), c.error);
    if (folder.FileExists(kNotePath)) {
        EXPECT_EQ(folder.entries[kNotePath].content, c.noteAfter);
    }
    EXPECT_EQ(folder.Others(), std::set<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveFault,
    ::testing::Values(
        FaultCase{"ReadOnlyNote", [](FakeFolder& f) { f.entries[kNotePath].readOnly = true; },
                  "Cannot create file \"C:\\Notes\\Memo.rtf\". error 5", "{\\rtf1 old}"},
        FaultCase{"LockedNote", [](FakeFolder& f) { f.lockedError = 32; },
                  "Cannot create file \"C:\\Notes\\Memo.rtf\". error 32", "{\\rtf1 old}"},
        FaultCase{"DirectoryInItsPlace",
                  [](FakeFolder& f) {
                      f.entries[kNotePath] = {"", false, true};
                  },
                  "Cannot create file \"C:\\Notes\\Memo.rtf\". error 5", ""},
        FaultCase{"StreamFails", [](FakeFolder& f) { f.streamFails = true; },
                  "Failed to Save Stream", "{\\rtf1 old}"},
        FaultCase{"ReplaceFails", [](FakeFolder& f) { f.replaceError = 1224; },
                  "Cannot create file \"C:\\Notes\\Memo.rtf\". error 1224", "{\\rtf1 old}"},
        FaultCase{"NoNewFilesWrittenInPlace", [](FakeFolder& f) { f.noNewFiles = true; }, "",
                  kNewNote},
        FaultCase{"NoNewFilesAndNoteCannotBeCreated",
                  [](FakeFolder& f) {
                      f.noNewFiles = true;
                      f.inPlaceError = 5;
                  },
                  "Cannot create file \"C:\\Notes\\Memo.rtf\". error 5", "{\\rtf1 old}"},
        // In place there is no older copy to keep: what was written stays, and it is said.
        FaultCase{"NoNewFilesAndStreamFails",
                  [](FakeFolder& f) {
                      f.noNewFiles = true;
                      f.streamFails = true;
                  },
                  "Failed to Save Stream", "{\\rtf1 ne"}),
    [](const ::testing::TestParamInfo<FaultCase>& param) { return std::string(param.param.name); });

TEST(NoteSaver, ManyTakenNamesInARowWriteTheNoteInPlace) {
    FakeFolder folder;
    folder.entries[kNotePath].content = "{\\rtf1 old}";
    for (uint32_t serial = 0; serial < 16; ++serial) folder.entries[Temporary(serial)] = {"x"};
    core::NoteSaver saver(folder, kProcess);
    EXPECT_EQ(SaveIn(saver), "");
    EXPECT_EQ(folder.entries[kNotePath].content, kNewNote);
    EXPECT_EQ(folder.Others().size(), 16u);
    EXPECT_EQ(folder.deleted, std::set<std::string>{});
}

// What a run that ended in the middle of a save left (an empty file, the start of a note)
// goes; anything that might be the user's stays.
TEST(NoteSaver, RemovesOnlyLeftoversThatAreRecognisablyItsOwn) {
    FakeFolder folder;
    const std::string dir = kDir;
    folder.entries[kNotePath].content = "{\\rtf1 note}";
    folder.entries[dir + "Memo.rtf.~7-0.tmp"] = {""};
    folder.entries[dir + "Memo.rtf.~7-1.tmp"] = {"{\\rtf1 half a no"};
    folder.entries[dir + "Memo.rtf.~7-2.tmp"] = {"{\\r"};
    folder.entries[dir + "Memo.rtf.~7-3.tmp"] = {"plain words of the user"};
    folder.entries[dir + "Memo.rtf.~7-4.tmp"] = {"{\\rtf1 kept}", true};
    folder.entries[dir + "Memo.rtf.~7-5.tmp"] = {"", false, true};
    folder.entries[dir + "Memo.rtf.~7.tmp"] = {""};
    folder.entries[dir + "Memo.rtf.tmp"] = {"{\\rtf1 the user's}"};
    core::NoteSaver saver(folder, kProcess);
    saver.RemoveLeftovers(kDir);
    EXPECT_EQ(folder.deleted,
              (std::set<std::string>{dir + "Memo.rtf.~7-0.tmp", dir + "Memo.rtf.~7-1.tmp",
                                     dir + "Memo.rtf.~7-2.tmp"}));
    EXPECT_EQ(folder.entries[kNotePath].content, "{\\rtf1 note}");
}

}  // namespace
