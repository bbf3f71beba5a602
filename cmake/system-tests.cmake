# The system tests, with the program they register as the shell's handler of addresses:
# built by the win64 build, whose system_tests.exe drives the 32-bit program too.
include(cmake/test-driver.cmake)

# Registered by the tests as the program that opens an address, to record what the note
# asked the shell to open.
add_executable(shell_recorder WIN32 ${NOTES_TESTS_DIR}/system/shell_recorder/shell_recorder.cpp)
target_include_directories(shell_recorder PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(shell_recorder PRIVATE kernel32)
notes_warnings(shell_recorder)

file(GLOB NOTES_SYSTEM_TEST_SOURCES CONFIGURE_DEPENDS ${NOTES_TESTS_DIR}/system/*.cpp)
add_executable(system_tests ${NOTES_SYSTEM_TEST_SOURCES})
target_link_libraries(system_tests PRIVATE notes_test_driver notes_test_environment
                                           GTest::gtest_main)
notes_warnings(system_tests)
# windows.h and GoogleTest parsed once, not in each of some thirty files: a third off the
# build of the tests.
target_precompile_headers(system_tests PRIVATE <windows.h> <gtest/gtest.h> <functional>
                          <memory> <optional> <string> <thread> <vector>)
