# Host build: the portable core's unit tests, optionally under sanitizers.
option(NOTES_SANITIZE "Build the host tests with AddressSanitizer and UBSan" OFF)
if(NOTES_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(NOTES_WITH_TESTS)
  file(GLOB NOTES_CORE_TESTS CONFIGURE_DEPENDS tests/unit/core/*.cpp)
  add_executable(core_tests ${NOTES_CORE_TESTS})
  target_link_libraries(core_tests PRIVATE notes_core GTest::gtest_main)
  notes_warnings(core_tests)
  gtest_discover_tests(core_tests DISCOVERY_TIMEOUT 30)
endif()

if(NOT NOTES_SANITIZE)
  add_test(NAME Sources.ClangFormatClean COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-format.sh)
endif()

# The scripts' decisions, on made-up data: set-up (versions of i386 libraries, the backports
# source, binfmt_misc entries; no network, no root), the check for archive hosts, and the
# counts of the closing lines of scripts/test.sh.
add_test(NAME Scripts.SetupDecisions COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/setup_test.sh)
add_test(NAME Scripts.CheckHosts COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/check_hosts_test.sh)
add_test(NAME Scripts.TestReport COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/test_report_test.py)
