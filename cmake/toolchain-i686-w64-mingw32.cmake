# The program we ship: 32-bit Windows, MinGW-w64 with the posix threads runtime.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(NOTES_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${NOTES_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NOTES_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${NOTES_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NOTES_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages too: the build machine's own GoogleTest is not for Windows.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Windows test programs run through our Wine wrapper, which takes Wine's 32-bit loader
# for them (natively or under qemu-user, see scripts/i386.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
