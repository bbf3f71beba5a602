// Every Windows test program checks first that it runs with the Chinese ANSI code page:
// the program's texts and the tests' expected texts are GBK, and with another code page
// every comparison of them would fail in a confusing way.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

class CodePageEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (GetACP() == 936) return;
        ADD_FAILURE() << "The ANSI code page is " << GetACP()
                      << ", not 936 (GBK). Run the tests through scripts/wine-run (ctest "
                         "does), which sets LANG and LC_ALL to zh_CN.UTF-8; if it still is "
                         "not 936, generate that locale (localedef -i zh_CN -f UTF-8) and "
                         "point LOCPATH at it.";
        // A fatal failure here would make GoogleTest skip every test, and CTest would then
        // count them as skipped rather than failed.
        std::fflush(stdout);
        std::exit(1);
    }
};

// Registered before main runs, so that gtest_main's main sets it up before any test.
[[maybe_unused]] const auto* const kCodePage =
    ::testing::AddGlobalTestEnvironment(new CodePageEnvironment);

}  // namespace
