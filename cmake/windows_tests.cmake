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

# The unit tests again, where wchar_t is 16 bits, and the Win32 layer's own tests.
foreach(tier unit windows)
  file(GLOB sources CONFIGURE_DEPENDS tests/${tier}/*.cpp)
  add_executable(${tier}_tests ${sources})
  target_link_libraries(${tier}_tests PRIVATE quillet_ui quillet_win32 ${QUILLET_GTEST_MAIN})
  target_include_directories(${tier}_tests PRIVATE ${CMAKE_SOURCE_DIR})
  gtest_discover_tests(${tier}_tests
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120)
endforeach()
