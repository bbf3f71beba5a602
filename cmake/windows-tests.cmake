# Windows tests, run under wine64: unit tests of the Win32 layer, and system tests that
# drive the real Notes.exe from outside as a user would. Discovery runs at test time, so
# building needs no Wine.
set(NOTES_TESTS_DIR ${PROJECT_SOURCE_DIR}/tests)

# Every Windows test program first checks the ANSI code page: our texts are GBK.
add_library(notes_test_environment OBJECT ${NOTES_TESTS_DIR}/system/environment/code_page.cpp)
target_link_libraries(notes_test_environment PRIVATE GTest::gtest)
notes_warnings(notes_test_environment)

file(GLOB NOTES_WIN_UNIT_SOURCES CONFIGURE_DEPENDS
  ${NOTES_TESTS_DIR}/unit/core/*.cpp ${NOTES_TESTS_DIR}/unit/win/*.cpp)
if(NOTES_WIN_UNIT_SOURCES)
  add_executable(win_unit_tests ${NOTES_WIN_UNIT_SOURCES})
  target_link_libraries(win_unit_tests PRIVATE notes_win notes_test_environment GTest::gtest_main)
  notes_warnings(win_unit_tests)
  gtest_discover_tests(win_unit_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    NO_PRETTY_VALUES)
endif()

# Loaded into Notes.exe by a hook to read what only its own process can read (popup
# menus, the icon of a message box). The driver finds it beside its own executable.
add_library(menu_probe SHARED ${NOTES_TESTS_DIR}/system/menu_probe/menu_probe.cpp)
set_target_properties(menu_probe PROPERTIES PREFIX "" OUTPUT_NAME menu_probe)
target_include_directories(menu_probe PRIVATE ${NOTES_TESTS_DIR}/system ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(menu_probe PRIVATE user32 kernel32)
# i686 exports stdcall functions as "Name@12"; the driver asks for the plain names.
target_link_options(menu_probe PRIVATE -Wl,--kill-at)
notes_warnings(menu_probe)

# Registered by the tests as the program that opens an address, to record what the note
# asked the shell to open.
add_executable(shell_recorder WIN32 ${NOTES_TESTS_DIR}/system/shell_recorder/shell_recorder.cpp)
target_include_directories(shell_recorder PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(shell_recorder PRIVATE kernel32)
notes_warnings(shell_recorder)

file(GLOB NOTES_DRIVER_SOURCES CONFIGURE_DEPENDS ${NOTES_TESTS_DIR}/system/driver/*.cpp)
add_library(notes_test_driver STATIC ${NOTES_DRIVER_SOURCES})
target_include_directories(notes_test_driver PUBLIC ${NOTES_TESTS_DIR}/system
                                                    ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(notes_test_driver PUBLIC GTest::gtest shell32 user32 gdi32 advapi32 kernel32)
notes_warnings(notes_test_driver)

file(GLOB NOTES_SYSTEM_TEST_SOURCES CONFIGURE_DEPENDS ${NOTES_TESTS_DIR}/system/*.cpp)
add_executable(system_tests ${NOTES_SYSTEM_TEST_SOURCES})
target_link_libraries(system_tests PRIVATE notes_test_driver notes_test_environment GTest::gtest_main)
add_dependencies(system_tests Notes menu_probe shell_recorder)
notes_warnings(system_tests)

# The tests start Notes.exe by its Windows path; Wine maps Z: to the root directory.
string(REPLACE "/" "\\" NOTES_EXE_WINE_PATH "Z:${CMAKE_BINARY_DIR}/Notes.exe")
# One label per system test (a test gets one: lists of labels do not survive test
# discovery). "smoke": a few that cover each part of the program once, what scripts/test.sh
# runs of the 64-bit build when the 32-bit one, the program we ship, gets the whole suite;
# "slow": those that take many seconds each (megabyte notes, kills, awkward places,
# densities; under an emulator up to minutes), which `ctest -LE slow` leaves out of a quick
# loop; "full": all the others.
set(NOTES_SLOW_TESTS
  "*HostileNote.*:*NoteKill.*:*NoteFileKill.*:*AwkwardFolderName.*:*LongPath.*:*DriveRoot.*:*AwkwardPlace.*:*ReadOnlyFolder.*")
set(NOTES_SMOKE_TESTS
  "Launch.*:SingleInstance.*:NoteTest.*:NoteFile.*:*NoteFileBesideUsersFile.*:*ContextMenu.*:*EditCommand.*:FontCommand.OpensOnTheSelection*:FontCommand.ADialogThatCannotBeShown*:TrayIcon.*:*CloseRequest.*:About.IsMadeWhenFirstOpenedAndThenKept:*DragGrip.*:Settings.*:WindowCommands.*:Links.*:StartupLibraries.*")
# One Wine prefix and display is one window namespace: a test that starts Notes.exe holds
# one "wine" slot, and scripts/wine-env.sh gives each slot a prefix and display of its own.
# The test presets hand CTest this file; without it CTest ignores the slots, and a run of
# several tests at once (-j) would let them see each other's windows.
set(NOTES_WINE_SLOTS 2 CACHE STRING "Wine prefixes that run system tests side by side")
set(notes_slots "")
foreach(slot RANGE 1 ${NOTES_WINE_SLOTS})
  list(APPEND notes_slots "{\"id\": \"${slot}\", \"slots\": 1}")
endforeach()
list(JOIN notes_slots ", " notes_slots)
file(WRITE ${CMAKE_BINARY_DIR}/wine-slots.json
  "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"wine\": [${notes_slots}]}]}\n")
set(notes_system_properties RESOURCE_GROUPS wine:1 ENVIRONMENT "NOTES_EXE=${NOTES_EXE_WINE_PATH}")
gtest_discover_tests(system_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES
  TEST_FILTER "${NOTES_SMOKE_TESTS}"
  PROPERTIES ${notes_system_properties} LABELS smoke TIMEOUT 120)
gtest_discover_tests(system_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES
  TEST_FILTER "${NOTES_SLOW_TESTS}-${NOTES_SMOKE_TESTS}"
  PROPERTIES ${notes_system_properties} LABELS slow TIMEOUT 600)
gtest_discover_tests(system_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES
  TEST_FILTER "-${NOTES_SMOKE_TESTS}:${NOTES_SLOW_TESTS}"
  PROPERTIES ${notes_system_properties} LABELS full TIMEOUT 120)

# The same layout at other screen densities, each in a Wine prefix set to it.
foreach(dpi 120 144)
  add_test(NAME Density.At${dpi}Dpi
           COMMAND ${NOTES_TESTS_DIR}/density/run.sh ${dpi} $<TARGET_FILE:system_tests>)
  set_tests_properties(Density.At${dpi}Dpi PROPERTIES RESOURCE_GROUPS wine:1 TIMEOUT 300
                       ENVIRONMENT "NOTES_EXE=${NOTES_EXE_WINE_PATH}" LABELS slow)
endforeach()

# Takes the README's pictures of the real program (scripts/pictures.sh runs it).
add_executable(pictures ${NOTES_TESTS_DIR}/system/pictures/pictures.cpp)
target_link_libraries(pictures PRIVATE notes_test_driver)
add_dependencies(pictures Notes menu_probe)
notes_warnings(pictures)

include(cmake/bench.cmake)
