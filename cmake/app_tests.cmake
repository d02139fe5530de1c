# The executable's hardening and imports, read from its PE header.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# The interpreter by its path: an executable target would be run through the
# cross-compiling emulator (Wine), which loses the script's exit status.
add_test(NAME pe_header COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/pe/check_pe.py $<TARGET_FILE:Quillet>)

# The resources read back from the built .exe: its version record against the
# project's version, and its manifest.
add_test(NAME pe_resources COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/pe/check_resources.py
  $<TARGET_FILE:Quillet> --version ${PROJECT_VERSION})
