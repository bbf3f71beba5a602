# The same program as a 64-bit Windows build, which the tests run under wine64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NOTES_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${NOTES_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NOTES_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${NOTES_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NOTES_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages too: the build machine's own GoogleTest is not for Windows.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Windows test programs run through our Wine wrapper (locale, prefix, display).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
