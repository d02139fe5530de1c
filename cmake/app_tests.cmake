# The executable read back: its hardening and imports from the PE header, its
# manifest, and its version record against the project's version.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# The interpreter by its path: an executable target would be run through the
# cross-compiling emulator (Wine), which loses the script's exit status.
add_test(NAME pe_check COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/pe/check_pe.py $<TARGET_FILE:Quillet>
  ${PROJECT_VERSION})
