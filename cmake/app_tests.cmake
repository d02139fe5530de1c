# The executable's hardening and imports, read from its PE header.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME pe_header COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tests/pe/check_pe.py $<TARGET_FILE:Quillet>)

# The resources read back from the built .exe, and the generated icon
# compared with a fresh run of its generator.
add_test(NAME pe_resources COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tests/pe/check_resources.py
  $<TARGET_FILE:Quillet> --generator ${CMAKE_SOURCE_DIR}/tools/make_icons.py
  --generated ${CMAKE_SOURCE_DIR}/src/app/res)
