// The settings object on real files: what the private profile functions give back for
// every kind of stored text, and what a refused write raises.
#include "ui/ini_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/errors.h"
#include "core/settings_keys.h"
#include "ui/color.h"

namespace {

class IniFile : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t dir[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, dir);
        // A name in scripts no single code page holds: the file is reached by its UTF-16 name.
        path_ = std::wstring(dir) + L"notes-ini-\u4FBF\u7B7E-\u00F8-" +
                std::to_wstring(GetCurrentProcessId()) + L"-" +
                core::WidenAscii(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                L".ini";
        DeleteFileW(path_.c_str());
    }
    void TearDown() override {
        SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path_.c_str());
    }
    void Write(const std::string& text) const {
        std::ofstream(std::filesystem::path(path_), std::ios::binary) << text;
    }
    std::string Read() const {
        std::ifstream in(std::filesystem::path(path_), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::wstring path_;
};

TEST_F(IniFile, ReadsNumbersOrTheDefault) {
    const struct {
        const char* stored;  // nullptr: no entry
        int value;
    } cases[] = {
        {nullptr, -7},
        {"abc", -7},
        {"", -7},
        {"12.5", -7},
        {"2147483648", -7},
        {"1e3", -7},
        {"100a", -7},
        {"+100", 100},
        {"  100  ", 100},
        {"0100", 100},
        {"$64", 100},
        {"0x64", 100},
        {"0X64", 100},
        {"x64", 100},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"-2147483648", -2147483647 - 1},
        {"\t100\t", 100},
    };
    for (const auto& c : cases) {
        Write(c.stored ? std::string("[FORM]\r\nLeft=") + c.stored + "\r\n" : "[FORM]\r\n");
        const ui::TIniFile ini(path_);
        EXPECT_EQ(ini.ReadNumber({"FORM", "Left"}, -7), c.value)
            << (c.stored ? c.stored : "absent");
    }
}

TEST_F(IniFile, ReadsFlagsAsNumbers) {
    const struct {
        const char* stored;
        bool value;
    } cases[] = {{"1", true},     {"2", true},    {"-1", true}, {"0", false},
                 {"true", false}, {"yes", false}, {"", false},  {"$1", true}};
    for (const auto& c : cases) {
        Write(std::string("[FORM]\r\nAutoRun=") + c.stored + "\r\n");
        const ui::TIniFile ini(path_);
        EXPECT_EQ(ini.ReadFlag({"FORM", "AutoRun"}, false), c.value) << c.stored;
    }
    DeleteFileW(path_.c_str());
    EXPECT_TRUE(ui::TIniFile(path_).ReadFlag({"FORM", "AutoRun"}, true));
    EXPECT_FALSE(ui::TIniFile(path_).ReadFlag({"FORM", "AutoRun"}, false));
}

TEST_F(IniFile, FindsSectionsAndKeysInAnyCaseAndTrimsBlanks) {
    Write("; a comment\r\n[memo]\r\n  color =  clSkyBlue  \r\n[Other]\r\nkey=v\r\n");
    const ui::TIniFile ini(path_);
    EXPECT_EQ(ini.ReadText({"MEMO", "COLOR"}, L"clYellow"), L"clSkyBlue");
    EXPECT_EQ(ini.ReadText({"MEMO", "Missing"}, L"clYellow"), L"clYellow");
    EXPECT_EQ(ini.ReadText({"NoSection", "COLOR"}, L"dflt"), L"dflt");
}

TEST_F(IniFile, AnEmptyEntryIsEmptyNotTheDefault) {
    Write("[MEMO]\r\nCOLOR=\r\n");
    EXPECT_EQ(ui::TIniFile(path_).ReadText({"MEMO", "COLOR"}, L"clYellow"), L"");
}

TEST_F(IniFile, CutsLongValuesTo2047Characters) {
    Write("[MEMO]\r\nCOLOR=" + std::string(10000, 'x') + "\r\n");
    EXPECT_EQ(ui::TIniFile(path_).ReadText({"MEMO", "COLOR"}, L""), std::wstring(2047, L'x'));
}

TEST_F(IniFile, WritesDecimalTextAndKeepsEveryOtherLine) {
    Write("; keep me\r\n[Other]\r\nkey=v\r\n[FORM]\r\nLeft=1\r\n");
    {
        ui::TIniFile ini(path_);
        ini.WriteNumber({"FORM", "Left"}, -42);
        ini.WriteNumber({"FORM", "Top"}, 7);
        ini.WriteFlag({"FORM", "AutoRun"}, true);
        ini.WriteText({"MEMO", "Color"}, L"clSkyBlue");
        ini.CommitFile();
    }
    const std::string text = Read();
    EXPECT_NE(text.find("; keep me"), std::string::npos);
    EXPECT_NE(text.find("key=v"), std::string::npos);
    const ui::TIniFile ini(path_);
    EXPECT_EQ(ini.ReadText({"FORM", "Left"}, L""), L"-42");
    EXPECT_EQ(ini.ReadText({"FORM", "Top"}, L""), L"7");
    EXPECT_EQ(ini.ReadText({"FORM", "AutoRun"}, L""), L"1");
    EXPECT_EQ(ini.ReadText({"MEMO", "COLOR"}, L""), L"clSkyBlue");
    // Written in the code page's bytes, as every earlier version wrote the file.
    EXPECT_NE(text.find("Color=clSkyBlue\r\n"), std::string::npos);
}

// Each value of the program where the files of earlier copies have it. A file that spells a
// key otherwise (by hand, in capitals) still holds one entry after a write.
TEST_F(IniFile, TheProgramsValuesStandWhereEarlierCopiesPutThem) {
    const struct {
        const char* name;
        core::SettingsKey read;
        core::SettingsKey written;
        const char* section;
        const char* key;
    } cases[] = {
        {"Left", core::kLeftKey, core::kLeftKey, "[FORM]", "Left"},
        {"Top", core::kTopKey, core::kTopKey, "[FORM]", "Top"},
        {"Width", core::kWidthKey, core::kWidthKey, "[FORM]", "Width"},
        {"Height", core::kHeightKey, core::kHeightKey, "[FORM]", "Height"},
        {"AutoRun", core::kAutoRunKey, core::kAutoRunKey, "[FORM]", "AutoRun"},
        {"Alpha", core::kAlphaKey, core::kAlphaKey, "[FORM]", "Alpha"},
        {"Color", core::kColorReadKey, core::kColorWrittenKey, "[MEMO]", "Color"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string line = std::string(c.section) + "\r\n" + c.key;
        DeleteFileW(path_.c_str());
        ui::TIniFile(path_).WriteText(c.written, L"7");
        EXPECT_EQ(Read(), line + "=7\r\n");
        EXPECT_EQ(ui::TIniFile(path_).ReadText(c.read, L""), L"7");

        std::string shouted = line;
        for (char& ch : shouted)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        Write(shouted + "=1\r\n");
        ui::TIniFile(path_).WriteText(c.written, L"8");
        EXPECT_EQ(ui::TIniFile(path_).ReadText(c.read, L""), L"8");
        const std::string text = Read();
        EXPECT_EQ(text.find('='), text.rfind('=')) << text;
    }
}

TEST_F(IniFile, ARefusedWriteRaisesWithThePath) {
    Write("[FORM]\r\nAlpha=30\r\n");
    ASSERT_TRUE(SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY));
    ui::TIniFile ini(path_);
    // The same value as stored is refused too: the file cannot be written.
    for (const wchar_t* value : {L"30", L"31"}) {
        try {
            ini.WriteText({"FORM", "Alpha"}, value);
            ADD_FAILURE() << "a read-only file took a value";
        } catch (const ui::EIniFileException& e) {
            EXPECT_EQ(e.Text(), L"Unable to write to " + path_);
        }
    }
    EXPECT_EQ(ini.ReadNumber({"FORM", "Alpha"}, 0), 30);
}

TEST(ColorToRGB, ResolvesSystemColoursNow) {
    EXPECT_EQ(ui::ColorToRGB(core::clYellow), RGB(255, 255, 0));
    EXPECT_EQ(ui::ColorToRGB(core::clSkyBlue), RGB(166, 202, 240));
    EXPECT_EQ(ui::ColorToRGB(core::clBtnFace), GetSysColor(COLOR_BTNFACE));
    // Only the low byte of a system colour counts.
    EXPECT_EQ(ui::ColorToRGB(static_cast<core::TColor>(0x80AB0005)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ui::ColorToRGB(static_cast<core::TColor>(0xFF000019)), GetSysColor(25));
}

}  // namespace
