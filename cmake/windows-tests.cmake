# Windows tests, run under Wine: unit tests of the Win32 layer, and system tests that drive
# the real Notes.exe from outside as a user would. Discovery runs at test time, so building
# needs no Wine.
include(cmake/test-driver.cmake)

file(GLOB NOTES_WIN_UNIT_SOURCES CONFIGURE_DEPENDS
  ${NOTES_TESTS_DIR}/unit/core/*.cpp ${NOTES_TESTS_DIR}/unit/win/*.cpp)
if(NOTES_WIN_UNIT_SOURCES)
  add_executable(win_unit_tests ${NOTES_WIN_UNIT_SOURCES})
  target_link_libraries(win_unit_tests PRIVATE notes_win notes_test_environment GTest::gtest_main)
  notes_warnings(win_unit_tests)
  # One test for the whole program, not one per case: each start of a 32-bit program costs
  # about two seconds under an instruction-set emulator, and a hundred of them were a fifth
  # of the emulated run. GoogleTest's output names a failing case.
  add_test(NAME win_unit_tests COMMAND win_unit_tests --gtest_color=no)
  set_tests_properties(win_unit_tests PROPERTIES LABELS unit TIMEOUT 600)
endif()

# Loaded into Notes.exe by a hook to read what only its own process can read (popup
# menus, the icon of a message box): of the program's bitness. The driver finds it beside
# its own executable.
add_library(menu_probe SHARED ${NOTES_TESTS_DIR}/system/menu_probe/menu_probe.cpp)
set_target_properties(menu_probe PROPERTIES PREFIX "" OUTPUT_NAME menu_probe)
target_include_directories(menu_probe PRIVATE ${NOTES_TESTS_DIR}/system ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(menu_probe PRIVATE user32 kernel32)
# i686 exports stdcall functions as "Name@12"; the driver asks for the plain names.
target_link_options(menu_probe PRIVATE -Wl,--kill-at)
notes_warnings(menu_probe)

# Copied beside Notes.exe under the names of the libraries it loads at run time, to show that
# the program never takes a library from its own folder: of the program's bitness.
add_library(planted_library SHARED ${NOTES_TESTS_DIR}/system/planted_library/planted_library.cpp)
set_target_properties(planted_library PROPERTIES PREFIX "" OUTPUT_NAME planted_library)
target_link_libraries(planted_library PRIVATE kernel32)
notes_warnings(planted_library)

if(NOTES_ARCH STREQUAL win32)
  # The system tests drive the 32-bit program from a 64-bit driver: under an instruction-set
  # emulator only the program itself then runs as i386 code, with probe_host.exe, the
  # 32-bit helper that sets the probe's hooks (a hook loads only a DLL of the hooked
  # program's bitness). The driver is the win64 build's own system_tests.exe (one build of
  # the tests for both programs), made there through its preset and copied here, beside
  # Notes.exe, menu_probe.dll and probe_host.exe, with the address handler it registers.
  add_executable(probe_host ${NOTES_TESTS_DIR}/system/menu_probe/probe_host.cpp)
  target_include_directories(probe_host PRIVATE ${NOTES_TESTS_DIR}/system ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(probe_host PRIVATE user32 kernel32)
  add_dependencies(probe_host menu_probe)
  notes_warnings(probe_host)

  set(notes_win64 ${PROJECT_SOURCE_DIR}/build/win64)
  include(ExternalProject)
  ExternalProject_Add(driver64
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${notes_win64}
    CONFIGURE_COMMAND ""
    # $(MAKE): the win64 build shares this build's jobs.
    BUILD_COMMAND ${CMAKE_COMMAND} -D SOURCE=${PROJECT_SOURCE_DIR} -D BINARY=${notes_win64}
                  -P ${PROJECT_SOURCE_DIR}/cmake/configure-win64.cmake
          COMMAND $(MAKE) -C ${notes_win64} system_tests shell_recorder
    INSTALL_COMMAND ${CMAKE_COMMAND} -E copy_if_different ${notes_win64}/system_tests.exe
                    ${notes_win64}/shell_recorder.exe ${CMAKE_BINARY_DIR}
    BUILD_ALWAYS ON  # the win64 build's own make decides what is out of date
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/system_tests.exe ${CMAKE_BINARY_DIR}/shell_recorder.exe)
  add_executable(system_tests IMPORTED GLOBAL)
  set_target_properties(system_tests PROPERTIES
    IMPORTED_LOCATION ${CMAKE_BINARY_DIR}/system_tests.exe
    CROSSCOMPILING_EMULATOR ${CMAKE_CROSSCOMPILING_EMULATOR})
  add_dependencies(driver64 Notes menu_probe probe_host planted_library)
else()
  include(cmake/system-tests.cmake)
  add_dependencies(system_tests Notes menu_probe shell_recorder planted_library)
endif()

# The tests start Notes.exe by its Windows path; Wine maps Z: to the root directory.
string(REPLACE "/" "\\" NOTES_EXE_WINE_PATH "Z:${CMAKE_BINARY_DIR}/Notes.exe")
# One label per system test (a test gets one: lists of labels do not survive test
# discovery). "smoke": a few that cover each part of the program once, and those of other
# system languages, folders, users and libraries; what scripts/test.sh runs of the 64-bit
# build when the 32-bit one, the program we ship, gets the whole suite, and of the shipped
# one under other code pages;
# "slow": those that take many seconds each (megabyte notes, kills, awkward places,
# densities; under an emulator up to minutes), which `ctest -LE slow` leaves out of a quick
# loop; "full": all the others.
set(NOTES_SLOW_TESTS
  "*HostileNote.*:*NoteKill.*:*NoteFileKill.*:*AwkwardFolderName.*:*LongPath.*:*DriveRoot.*:*AwkwardPlace.*:*ReadOnlyFolder.*")
set(NOTES_SMOKE_TESTS
  "Launch.*:SingleInstance.*:NoteTest.*:NoteFile.*:*NoteFileBesideUsersFile.*:*ContextMenu.*:*EditCommand.*:FontCommand.OpensOnTheSelection*:FontCommand.ADialogThatCannotBeShown*:TrayIcon.*:*CloseRequest.*:About.IsMadeWhenFirstOpenedAndThenKept:*DragGrip.*:Settings.*:WindowCommands.*:Links.*:StartupLibraries.*:DriverBitness.*:*DriverProbe.*:*TypedText.*:*AnyFolder.*:PlantedLibrary.*:AutoRun.WithoutFullAccess*:AutoRun.AUser*:AutoRun.AnAdministrator*")
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
