# The program: one static Quillet.exe.
file(GLOB QUILLET_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp src/app/*.rc)
add_executable(Quillet WIN32 ${QUILLET_APP_SOURCES})
target_link_libraries(Quillet PRIVATE quillet_ui quillet_win32)
target_link_options(Quillet PRIVATE -municode -mwindows -s -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va)

# The project's version reaches the version record and the manifest through
# two generated files, which the resource compiler finds in this folder.
set(QUILLET_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
set(QUILLET_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(src/app/version.h.in ${QUILLET_GENERATED}/version.h @ONLY)
configure_file(src/app/quillet.manifest.in ${QUILLET_GENERATED}/quillet.manifest @ONLY)

# Resources: the .rc is UTF-8 (Chinese and an em dash in the version record).
# (Target compile options never reach the resource compiler; the source's do.)
set_property(SOURCE src/app/resources.rc APPEND PROPERTY COMPILE_OPTIONS --codepage=65001 -I${QUILLET_GENERATED})
set_property(SOURCE src/app/resources.rc APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/app/res/quillet.ico ${QUILLET_GENERATED}/version.h ${QUILLET_GENERATED}/quillet.manifest)
# The same sources give the same .exe: no link time stamp in the PE header.
target_link_options(Quillet PRIVATE -Wl,--no-insert-timestamp)
