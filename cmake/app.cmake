# The program: one static Quillet.exe.
file(GLOB QUILLET_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp src/app/*.rc)
add_executable(Quillet WIN32 ${QUILLET_APP_SOURCES})
# What ole32, oleaut32 and advapi32 serve comes after the first paint (drops,
# the item names, saving): they are delay-loaded, at their first call, for
# every DLL a program imports adds to its start (about 45 ms under Wine for
# these and comctl32). A function the program starts to use from them goes in
# its list in cmake/delay/.
find_program(QUILLET_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)
set(QUILLET_DELAY_LIBS)
foreach(dll ole32 oleaut32 advapi32)
  set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
    COMMAND ${QUILLET_DLLTOOL} --input-def ${CMAKE_SOURCE_DIR}/cmake/delay/${dll}.def --dllname ${dll}.dll
            --output-delaylib ${lib}
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delay/${dll}.def VERBATIM)
  list(APPEND QUILLET_DELAY_LIBS ${lib})
endforeach()
add_custom_target(quillet_delay_libs DEPENDS ${QUILLET_DELAY_LIBS})
add_dependencies(Quillet quillet_delay_libs)
# Ahead of the import libraries, so that the calls bind to the delayed imports.
target_link_libraries(Quillet PRIVATE quillet_ui quillet_win32 ${QUILLET_DELAY_LIBS})
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
