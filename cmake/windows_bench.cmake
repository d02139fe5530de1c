# Benchmarks under Wine (not tests): a baseline window, a themed one, a start-up timer and
# the in-process figures of the real controls.
add_executable(baseline WIN32 bench/baseline.cpp)
target_link_options(baseline PRIVATE -municode -mwindows -s)
target_link_libraries(baseline PRIVATE gdi32 user32)
# The same window with themed controls: an edit box, and a list box with a
# scroll bar and SimSun text.
add_executable(themed WIN32 bench/themed.cpp bench/themed.rc)
target_link_options(themed PRIVATE -municode -mwindows -s)
target_link_libraries(themed PRIVATE comctl32 gdi32 user32)
add_executable(startwatch bench/startwatch.cpp)
target_link_options(startwatch PRIVATE -municode)
add_executable(win_bench bench/win_bench.cpp)
target_link_options(win_bench PRIVATE -municode)
target_link_libraries(win_bench PRIVATE quillet_ui quillet_win32)
