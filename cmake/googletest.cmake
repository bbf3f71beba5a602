# GoogleTest, which only the tests need: an installed one (find_package), else Debian's
# sources (/usr/src/googletest) built with the same compiler as our code, else none, and
# then only the program and what needs no GoogleTest are built, as configure says.
# NOTES_TESTS=OFF leaves the tests out on purpose. NOTES_WITH_TESTS tells the rest.
option(NOTES_TESTS "Build the tests (they need GoogleTest)" ON)
set(NOTES_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest's sources, built when no installed GoogleTest is found")
set(NOTES_WITH_TESTS OFF)
if(NOT NOTES_TESTS)
  message(STATUS "NOTES_TESTS is OFF: building the program and its tools, without the tests")
else()
  find_package(GTest QUIET)
  if(GTest_FOUND)
    message(STATUS "GoogleTest: the installed one")
    set(NOTES_WITH_TESTS ON)
  elseif(EXISTS "${NOTES_GOOGLETEST_SOURCE}/CMakeLists.txt")
    message(STATUS "GoogleTest: built from ${NOTES_GOOGLETEST_SOURCE}")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    add_subdirectory(${NOTES_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(NOTES_WITH_TESTS ON)
  else()
    message(WARNING "GoogleTest is not installed and its sources are not in "
                    "${NOTES_GOOGLETEST_SOURCE}: building the program and its tools only, "
                    "without the tests. For the tests, install GoogleTest (Debian: googletest; "
                    "MSYS2: mingw-w64-i686-gtest) or set NOTES_GOOGLETEST_SOURCE.")
  endif()
endif()
if(NOTES_WITH_TESTS)
  include(GoogleTest)
endif()
