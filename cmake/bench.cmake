# Benchmarks of Notes.exe against a baseline program (bench/). scripts/bench.sh runs them;
# the tests only build them, check their portable part and run one quick smoke round.
set(NOTES_BENCH_DIR ${PROJECT_SOURCE_DIR}/bench)

add_library(notes_bench_core STATIC ${NOTES_BENCH_DIR}/bench_core.cpp ${NOTES_BENCH_DIR}/options.cpp)
target_include_directories(notes_bench_core PUBLIC ${PROJECT_SOURCE_DIR})
notes_warnings(notes_bench_core)

add_executable(baseline WIN32 ${NOTES_BENCH_DIR}/baseline/baseline.cpp)
target_include_directories(baseline PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(baseline PRIVATE user32 kernel32)
notes_warnings(baseline)

add_executable(bench_runner ${NOTES_BENCH_DIR}/runner.cpp ${NOTES_BENCH_DIR}/profile.cpp)
target_include_directories(bench_runner PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_runner PRIVATE notes_bench_core notes_test_driver notes_core psapi shell32)
add_dependencies(bench_runner Notes baseline menu_probe)
notes_warnings(bench_runner)

add_executable(bench_unit_tests ${NOTES_BENCH_DIR}/tests/bench_core_test.cpp
                                ${NOTES_BENCH_DIR}/tests/options_test.cpp)
target_link_libraries(bench_unit_tests PRIVATE notes_bench_core GTest::gtest_main)
notes_warnings(bench_unit_tests)
add_test(NAME bench_unit_tests COMMAND bench_unit_tests --gtest_color=no)
set_tests_properties(bench_unit_tests PROPERTIES LABELS unit TIMEOUT 300)

# One start-up of each program and ten keystrokes: the benchmark code keeps working.
add_test(NAME Bench.RunnerSmoke COMMAND bench_runner --smoke)
set_tests_properties(Bench.RunnerSmoke PROPERTIES RESOURCE_GROUPS wine:1 TIMEOUT 300)

# The report's ratios and verdicts, from made-up results.
add_test(NAME Bench.Report COMMAND ${Python3_EXECUTABLE} ${NOTES_BENCH_DIR}/tests/test_report.py)
