# Native build: the POSIX port, the unit tests and the benchmarks.
add_library(quillet_posix STATIC
  src/platform/posix/iconv_codec.cpp
  src/platform/posix/posix_file_port.cpp
)
target_link_libraries(quillet_posix PUBLIC quillet_store)

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB QUILLET_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${QUILLET_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE quillet_ui quillet_posix GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)

find_package(benchmark REQUIRED)
add_executable(store_bench bench/store_bench.cpp)
target_link_libraries(store_bench PRIVATE quillet_store quillet_posix benchmark::benchmark)
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
