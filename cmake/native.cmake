# Native build: the unit tests and the benchmarks, with an iconv codec that
# stands in for the system's code page.
add_library(quillet_test_support STATIC tests/support/iconv_codec.cpp)
target_link_libraries(quillet_test_support PUBLIC quillet_store)
target_include_directories(quillet_test_support PUBLIC ${CMAKE_SOURCE_DIR})

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB QUILLET_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${QUILLET_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE quillet_ui quillet_test_support GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)

find_package(benchmark REQUIRED)
add_executable(store_bench bench/store_bench.cpp)
target_link_libraries(store_bench PRIVATE quillet_store quillet_test_support benchmark::benchmark)
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
