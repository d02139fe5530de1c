# The Windows tests: the Win32 layer, cross-compiled with GoogleTest and run
# by ctest through the emulator of the toolchain file (Wine). The unit tests
# run here too, where wchar_t is 16 bits and code page 936 is Windows' own.
if(EXISTS /usr/src/googletest)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(QUILLET_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  set(QUILLET_GTEST_MAIN GTest::gtest_main)
endif()

include(GoogleTest)

file(GLOB QUILLET_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${QUILLET_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE quillet_ui quillet_win32 ${QUILLET_GTEST_MAIN})
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
gtest_discover_tests(unit_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 120)

file(GLOB QUILLET_WINDOWS_TESTS CONFIGURE_DEPENDS tests/windows/*.cpp)
add_executable(windows_tests ${QUILLET_WINDOWS_TESTS})
target_link_libraries(windows_tests PRIVATE quillet_ui quillet_win32 ${QUILLET_GTEST_MAIN})
target_include_directories(windows_tests PRIVATE ${CMAKE_SOURCE_DIR})
gtest_discover_tests(windows_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 120)
