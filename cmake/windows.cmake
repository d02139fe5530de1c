# Windows build (MinGW-w64): the Win32 layer, the program, the Windows tests
# and the helper programs of the end-to-end tests.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
set(QUILLET_WIN_LIBS ole32 oleaut32 shell32 comctl32 uuid gdi32 user32)
# Static: the .exe runs on a bare Windows with nothing installed.
add_link_options(-static)

file(GLOB QUILLET_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(quillet_win32 STATIC ${QUILLET_WIN32_SOURCES})
target_link_libraries(quillet_win32 PUBLIC quillet_store ${QUILLET_WIN_LIBS})

include(cmake/app.cmake)
# The tests and their helper programs need GoogleTest and Python: Debian's
# GoogleTest sources when cross-compiling, an installed GoogleTest on Windows
# itself (MSYS2), where they are asked for with -DQUILLET_WINDOWS_TESTS=ON.
option(QUILLET_WINDOWS_TESTS "Build the Windows tests and their helpers" ${CMAKE_CROSSCOMPILING})
if(QUILLET_WINDOWS_TESTS)
  include(cmake/app_tests.cmake)
  include(cmake/windows_tests.cmake)
  include(cmake/windows_bench.cmake)
  add_subdirectory(tests/e2e)
endif()
