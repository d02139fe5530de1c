# Benchmarks under Wine (not tests): a baseline window, a start-up timer and
# the in-process figures of the real controls.
add_executable(baseline WIN32 bench/baseline.cpp)
target_link_options(baseline PRIVATE -municode -mwindows -s)
target_link_libraries(baseline PRIVATE gdi32 user32)
add_executable(startwatch bench/startwatch.cpp)
target_link_options(startwatch PRIVATE -municode)
add_executable(win_bench bench/win_bench.cpp)
target_link_options(win_bench PRIVATE -municode)
target_link_libraries(win_bench PRIVATE quillet_ui quillet_win32)
