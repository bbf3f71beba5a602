# What every Windows test program links: the code-page check and the outside-in driver
# (tests/system/driver), which starts the real Notes.exe and works it as a user would.
include_guard(GLOBAL)
set(NOTES_TESTS_DIR ${PROJECT_SOURCE_DIR}/tests)

# Every Windows test program first checks the ANSI code page: our texts are GBK.
add_library(notes_test_environment OBJECT ${NOTES_TESTS_DIR}/system/environment/code_page.cpp)
target_link_libraries(notes_test_environment PRIVATE GTest::gtest)
notes_warnings(notes_test_environment)

file(GLOB NOTES_DRIVER_SOURCES CONFIGURE_DEPENDS ${NOTES_TESTS_DIR}/system/driver/*.cpp)
# The program's own conversions of its GBK and ANSI texts to UTF-16, so that the tests read
# texts exactly as the program writes them.
add_library(notes_test_driver STATIC ${NOTES_DRIVER_SOURCES} ${PROJECT_SOURCE_DIR}/src/ui/text.cpp)
target_include_directories(notes_test_driver PUBLIC ${NOTES_TESTS_DIR}/system
                                                    ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(notes_test_driver PUBLIC GTest::gtest shell32 user32 gdi32 advapi32 kernel32)
notes_warnings(notes_test_driver)
target_precompile_headers(notes_test_driver PRIVATE <windows.h> <gtest/gtest.h> <functional>
                          <optional> <string> <thread> <vector>)
