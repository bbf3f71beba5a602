// Every Windows test program checks first that it runs with the ANSI code page it was meant
// for: the Chinese one, or that of the other system language a run stands for. A run on the
// wrong one would fail, or pass, in a confusing way.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// 936 unless the run is one of another system language (NOTES_CODE_PAGE, which
// scripts/wine-env.sh derives from NOTES_LANG).
UINT ExpectedCodePage() {
    const char* wanted = std::getenv("NOTES_CODE_PAGE");
    return wanted ? static_cast<UINT>(std::strtoul(wanted, nullptr, 10)) : 936;
}

class CodePageEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const UINT expected = ExpectedCodePage();
        if (GetACP() == expected) return;
        ADD_FAILURE() << "The ANSI code page is " << GetACP() << ", not " << expected
                      << ". Run the tests through scripts/wine-run (ctest does), which sets "
                         "LANG and LC_ALL (zh_CN.UTF-8, or NOTES_LANG); if it still is "
                         "not right, generate that locale (localedef -i zh_CN -f UTF-8) and "
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
