# The program: one static Quillet.exe.
file(GLOB QUILLET_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp src/app/*.rc)
add_executable(Quillet WIN32 ${QUILLET_APP_SOURCES})
target_link_libraries(Quillet PRIVATE quillet_ui quillet_win32)
target_link_options(Quillet PRIVATE -municode -mwindows -s -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va)

# Resources: the .rc is UTF-8 (Chinese and an em dash in the version record).
# (Target compile options never reach the resource compiler; the source's do.)
set_property(SOURCE src/app/resources.rc APPEND PROPERTY COMPILE_OPTIONS --codepage=65001)
set_property(SOURCE src/app/resources.rc APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/app/res/quillet.ico ${CMAKE_SOURCE_DIR}/src/app/quillet.manifest)
# The same sources give the same .exe: no link time stamp in the PE header.
target_link_options(Quillet PRIVATE -Wl,--no-insert-timestamp)
