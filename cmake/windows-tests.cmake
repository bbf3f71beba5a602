message(STATUS "Windows tests: none yet")
