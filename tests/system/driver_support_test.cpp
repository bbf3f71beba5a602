// The driver's own services that later tests rely on without looking: files and locks,
// registry values, the clipboard, pointer placement, and the reports of its waits.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "driver/driver.h"

using namespace std::chrono_literals;

namespace {

DWORD OpenError(const std::string& path, DWORD access) {
    ui::File file(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? 0 : GetLastError();
}

TEST(TempDir, HoldsSpacesAndGbkInItsNameAndGoesWithEverythingInIt) {
    std::string path;
    {
        drv::TempDir dir("便签 目录");
        path = dir.Path();
        EXPECT_NE(path.find("便签 目录"), std::string::npos);
        ASSERT_TRUE(drv::IsDirectory(path));
        EXPECT_EQ(dir.File("a.txt"), path + "\\a.txt");
        ASSERT_TRUE(drv::MakeDirectory(dir.File("sub")));
        ASSERT_TRUE(drv::WriteFileBytes(dir.File("sub\\内容.txt"), "x"));
        ASSERT_TRUE(drv::WriteFileBytes(dir.File("locked.txt"), "y"));
        ASSERT_TRUE(drv::SetReadOnly(dir.File("locked.txt"), true));
        EXPECT_EQ(drv::ListDirectory(path), (std::vector<std::string>{"locked.txt", "sub"}));
    }
    EXPECT_FALSE(drv::IsDirectory(path));
}

TEST(Files, KeepEveryByteAndTheirAttributes) {
    drv::TempDir dir;
    const std::string path = dir.File("data.bin");
    const std::string bytes("\0\x01\xFF\r\n{\\rtf1}\0", 11);
    ASSERT_TRUE(drv::WriteFileBytes(path, bytes));
    EXPECT_EQ(drv::ReadFileBytes(path), bytes);
    EXPECT_TRUE(drv::FileExists(path));
    EXPECT_FALSE(drv::IsDirectory(path));
    EXPECT_FALSE(drv::FileExists(dir.Path()));
    EXPECT_FALSE(drv::ReadFileBytes(dir.File("missing")));

    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t nowTicks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    const auto written = drv::LastWriteTime(path);
    ASSERT_TRUE(written);
    EXPECT_LT(nowTicks - *written, 100'000'000u);  // within ten seconds

    // Deleting is refused for a read-only file even to root, so it shows the attribute took.
    ASSERT_TRUE(drv::SetReadOnly(path, true));
    EXPECT_TRUE(drv::IsReadOnly(path));
    EXPECT_FALSE(DeleteFileA(path.c_str()));
    ASSERT_TRUE(drv::SetReadOnly(path, false));
    EXPECT_FALSE(drv::IsReadOnly(path));
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

struct LockCase {
    const char* name;
    DWORD share;
    DWORD readError;
    DWORD writeError;
};

class FileLockSharing : public ::testing::TestWithParam<LockCase> {};

TEST_P(FileLockSharing, DeniesWhatItDoesNotShare) {
    drv::TempDir dir;
    const std::string path = dir.File("Memo.rtf");
    drv::FileLock lock(path, GetParam().share);
    ASSERT_TRUE(lock.Held()) << lock.Error();
    EXPECT_EQ(OpenError(path, GENERIC_READ), GetParam().readError);
    EXPECT_EQ(OpenError(path, GENERIC_WRITE), GetParam().writeError);
    lock.Release();
    EXPECT_EQ(OpenError(path, GENERIC_READ | GENERIC_WRITE), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FileLockSharing,
    ::testing::Values(LockCase{"NoSharing", 0, ERROR_SHARING_VIOLATION, ERROR_SHARING_VIOLATION},
                      LockCase{"ReadSharing", FILE_SHARE_READ, 0, ERROR_SHARING_VIOLATION}),
    drv::CaseName());

struct RootCase {
    const char* name;
    HKEY root;
    const char* subkey;
};

class Registry : public ::testing::TestWithParam<RootCase> {};

TEST_P(Registry, WritesReadsRestoresAndDeletesValues) {
    const HKEY root = GetParam().root;
    const std::string key = GetParam().subkey;
    const std::string name = "NotesDriverTest";
    drv::RegValueRestorer restore(root, key, name);

    ASSERT_TRUE(drv::WriteRegString(root, key, name, "Z:\\便签\\Notes.exe"));
    auto value = drv::ReadRegValue(root, key, name);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value->Text(), "Z:\\便签\\Notes.exe");

    ASSERT_TRUE(drv::WriteRegDword(root, key, name, 0x01020304));
    value = drv::ReadRegValue(root, key, name);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value->data, std::string("\x04\x03\x02\x01", 4));

    ASSERT_TRUE(drv::WriteRegValue(root, key, name, REG_BINARY, std::string("\0\1", 2)));
    EXPECT_EQ(drv::ReadRegValue(root, key, name)->type, static_cast<DWORD>(REG_BINARY));

    EXPECT_TRUE(drv::DeleteRegValue(root, key, name));
    EXPECT_FALSE(drv::ReadRegValue(root, key, name));
    EXPECT_TRUE(drv::DeleteRegValue(root, key, name));
}

TEST_P(Registry, RestorerPutsBackWhatWasThere) {
    const HKEY root = GetParam().root;
    const std::string key = GetParam().subkey;
    const std::string name = "NotesDriverTestRestore";
    drv::RegValueRestorer outer(root, key, name);
    ASSERT_TRUE(drv::WriteRegString(root, key, name, "before"));
    {
        drv::RegValueRestorer inner(root, key, name);
        ASSERT_TRUE(drv::WriteRegDword(root, key, name, 7));
    }
    EXPECT_EQ(drv::ReadRegValue(root, key, name)->Text(), "before");
    ASSERT_TRUE(drv::DeleteRegValue(root, key, name));
    {
        drv::RegValueRestorer inner(root, key, name);
        ASSERT_TRUE(drv::WriteRegString(root, key, name, "new"));
    }
    EXPECT_FALSE(drv::ReadRegValue(root, key, name));
}

INSTANTIATE_TEST_SUITE_P(
    Roots, Registry,
    ::testing::Values(RootCase{"CurrentUser", HKEY_CURRENT_USER, "Software\\NotesDriverTest"},
                      RootCase{"LocalMachineRun", HKEY_LOCAL_MACHINE, drv::kRunKey}),
    drv::CaseName());

bool OpenableFromAnotherThread() {
    bool opened = false;
    std::thread other([&] {
        opened = OpenClipboard(nullptr) != FALSE;
        if (opened) CloseClipboard();
    });
    other.join();
    return opened;
}

TEST(Clipboard, CarriesGbkTextOrOnlyAPictureAndCanBeHeld) {
    ASSERT_TRUE(drv::SetClipboardText("便签 text"));
    EXPECT_EQ(drv::ClipboardText(), "便签 text");

    ASSERT_TRUE(drv::SetClipboardBitmapOnly());
    EXPECT_TRUE(drv::ClipboardHasFormat(CF_BITMAP));
    EXPECT_FALSE(drv::ClipboardHasFormat(CF_TEXT));
    EXPECT_FALSE(drv::ClipboardText());

    ASSERT_TRUE(drv::EmptyClipboard());
    EXPECT_FALSE(drv::ClipboardHasFormat(CF_BITMAP));

    drv::ClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    EXPECT_FALSE(OpenableFromAnotherThread());
    holder.Release();
    EXPECT_TRUE(OpenableFromAnotherThread());
}

TEST(Input, PointerLandsOnTheExactPixel) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const POINT points[] = {
        {0, 0}, {1, 1}, {471, 202}, {width / 2, height / 2}, {width - 1, height - 1}};
    for (const POINT& point : points) {
        drv::MoveTo(point);
        const POINT at = drv::CursorPos();
        EXPECT_EQ(at.x, point.x);
        EXPECT_EQ(at.y, point.y);
    }
}

TEST(Waits, SayWhatTheyWaitedFor) {
    const ::testing::AssertionResult late = drv::WaitUntil([] { return false; }, 30ms, "Godot");
    EXPECT_FALSE(late);
    EXPECT_NE(std::string(late.message()).find("waiting for Godot"), std::string::npos);

    const drv::Waited<int> none = drv::WaitFor<int>([] { return std::nullopt; }, 30ms, "a number");
    EXPECT_FALSE(none);
    try {
        (void)*none;
        ADD_FAILURE() << "no exception";
    } catch (const drv::Timeout& e) {
        EXPECT_NE(std::string(e.what()).find("waiting for a number"), std::string::npos);
    }

    int calls = 0;
    EXPECT_EQ(*drv::WaitFor<int>(
                  [&]() -> std::optional<int> {
                      return ++calls < 3 ? std::nullopt : std::optional<int>(calls);
                  },
                  1s, "the third call"),
              3);
    EXPECT_FALSE(drv::StaysTrue([&] { return --calls > 0; }, 1s, "positive"));
}

}  // namespace
