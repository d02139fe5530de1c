# The program: one static Quillet.exe.
file(GLOB QUILLET_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp src/app/*.rc)
add_executable(Quillet WIN32 ${QUILLET_APP_SOURCES})
target_link_libraries(Quillet PRIVATE quillet_ui quillet_win32)
target_link_options(Quillet PRIVATE -municode -mwindows -s -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va)

# The executable's hardening and imports, read from its PE header.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME pe_header COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tests/pe/check_pe.py $<TARGET_FILE:Quillet>)
