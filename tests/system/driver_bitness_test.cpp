// The 64-bit driver drives the 32-bit program as well as the 64-bit one: it reads the
// registry in the program's view, and the probe's hooks, which must have the program's
// bitness, are set by probe_host.exe when that is not the driver's own.
#include <windows.h>

#include <gtest/gtest.h>

#include "driver/driver.h"
#include "driver/probe_client.h"

namespace {

TEST(DriverBitness, TheRegistryViewIsTheRunningProgramsOwn) {
    drv::NotesProcess note;
    note.Launch();
    ASSERT_TRUE(note.WaitForNoteWindow());
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(note.Main().Handle(), &wow64));
    // A 32-bit program on 64-bit Windows sees the 32-bit view of HKLM\Software.
    EXPECT_EQ(drv::ProgramRegistryView(),
              static_cast<REGSAM>(wow64 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY));
}

struct Question {
    const char* name;
    probe::Query query;
    drv::Delivery delivery;
};

class DriverProbe : public ::testing::TestWithParam<Question> {};

// Every question sets a hook in the note and removes it again; a hook left behind, or a host
// that loses track of its hooks, would fail some of a long row of questions.
TEST_P(DriverProbe, AnswersEveryQuestionOfALongRow) {
    drv::NotesProcess note;
    note.Launch();
    const HWND window = *note.WaitForNoteWindow();
    for (int i = 0; i < 25; ++i) {
        const auto answer =
            drv::AskProbe(window, GetParam().query, drv::kWaitTimeout, GetParam().delivery);
        ASSERT_TRUE(answer) << "question " << i;
        EXPECT_EQ(answer->query, GetParam().query);
    }
    EXPECT_TRUE(drv::Settle(window));
}

INSTANTIATE_TEST_SUITE_P(
    Deliveries, DriverProbe,
    ::testing::Values(Question{"QueueStatusPosted", probe::kQueueStatus, drv::Delivery::kPosted},
                      Question{"CursorSent", probe::kIdentifyCursor, drv::Delivery::kSent}),
    drv::CaseName());

}  // namespace
