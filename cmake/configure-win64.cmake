# Configures the win64 preset's build when it has not been yet (cmake -P, from the win32
# build, which takes its test driver from there). -D SOURCE=<source dir> -D BINARY=<build dir>
if(NOT EXISTS "${BINARY}/CMakeCache.txt")
  execute_process(COMMAND "${CMAKE_COMMAND}" --preset win64 WORKING_DIRECTORY "${SOURCE}"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "configuring the win64 build, which makes the test driver, failed")
  endif()
endif()
