# Windows builds: win32 ships; the tests run both under Wine (win32 with i386 Wine).
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(NOTES_ARCH win32)
else()
  set(NOTES_ARCH win64)
endif()

# Single-file executables: C++ runtime, libgcc and winpthread linked in; only system DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601
                        _WIN32_IE=0x0600 STRICT)
# Sources are UTF-8; the program's narrow texts are GBK (code page 936).
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8> $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=GBK>)
set(NOTES_SYSTEM_LIBS comctl32 comdlg32 shell32 advapi32 gdi32 user32 kernel32)

# Icons are drawn by our own script from their description.
set(NOTES_GENERATED ${CMAKE_BINARY_DIR}/generated)
add_custom_command(
  OUTPUT ${NOTES_GENERATED}/notes.ico ${NOTES_GENERATED}/tray.ico
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/make-icons.py ${NOTES_GENERATED}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-icons.py
  COMMENT "Drawing the application and tray icons")
add_custom_target(notes_icons DEPENDS ${NOTES_GENERATED}/notes.ico ${NOTES_GENERATED}/tray.ico)

file(GLOB NOTES_WIN_SOURCES CONFIGURE_DEPENDS
  src/ui/*.cpp src/app/*.cpp src/window/*.cpp src/editor/*.cpp
  src/settings/*.cpp src/desktop/*.cpp src/about/*.cpp)
list(REMOVE_ITEM NOTES_WIN_SOURCES ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
add_library(notes_win STATIC ${NOTES_WIN_SOURCES})
target_include_directories(notes_win PUBLIC src resources)
target_link_libraries(notes_win PUBLIC notes_core ${NOTES_SYSTEM_LIBS})
notes_warnings(notes_win)

add_executable(Notes WIN32 src/app/main.cpp resources/notes.rc)
add_dependencies(Notes notes_icons)
target_link_libraries(Notes PRIVATE notes_win)
# No link time in the header: the same sources give the same program, and the same zip.
target_link_options(Notes PRIVATE -Wl,--gc-sections -Wl,--no-insert-timestamp)
if(NOTES_ARCH STREQUAL win32)
  # The whole 4 GB on 64-bit Windows: the rich edit keeps a few hundred bytes for every
  # line, and a note of some hundred thousand lines needs more than the 2 GB a 32-bit
  # program is otherwise given. Nothing here uses the top bit of an address.
  target_link_options(Notes PRIVATE -Wl,--large-address-aware)
endif()
target_compile_options(notes_win PRIVATE -ffunction-sections -fdata-sections)
set_source_files_properties(resources/notes.rc PROPERTIES
  OBJECT_DEPENDS "${NOTES_GENERATED}/notes.ico;${NOTES_GENERATED}/tray.ico;${CMAKE_SOURCE_DIR}/resources/notes.manifest;${CMAKE_SOURCE_DIR}/resources/version.h;${CMAKE_SOURCE_DIR}/resources/resource.h")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 936 -I ${NOTES_GENERATED} -I ${CMAKE_SOURCE_DIR}/resources")
notes_warnings(Notes)

add_test(NAME Notes.ImportsOnlySystemDlls
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports.sh $<TARGET_FILE:Notes> ${CMAKE_OBJDUMP})

# The shipped build: what scripts/release.sh packs, checked from the same built program.
if(NOTES_ARCH STREQUAL win32)
  add_test(NAME Release.PackageIsReproducibleAndComplete
           COMMAND ${CMAKE_SOURCE_DIR}/tests/release/release_test.sh $<TARGET_FILE:Notes>
                   ${NOTES_MINGW_TRIPLE}-strip ${CMAKE_OBJDUMP})
endif()

# Built wherever the build can run Windows programs (under Wine, through the emulator that
# both toolchain files name). Not an option with a cached default: a build directory made
# before the 32-bit build ran its tests would keep them out for good.
option(NOTES_SKIP_WINDOWS_TESTS "Leave the Windows tests (run under Wine) out of the build" OFF)
if(CMAKE_CROSSCOMPILING_EMULATOR AND NOT NOTES_SKIP_WINDOWS_TESTS AND NOTES_WITH_TESTS)
  include(cmake/windows-tests.cmake)
endif()
