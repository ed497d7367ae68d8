# Whole-program tests: every tests/e2e/<name>_test.sh is the ctest test
# e2e_<name> (label e2e). Each script starts its own PulseAudio, Xvfb and
# window manager, runs the built program and stops everything it started.
# The scripts get the program through TALMO_BIN and, once the modem-line
# interposer is built, its library through TALMO_MODEMLINES_LIB.
file(GLOB talmo_e2e_scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_test.sh)
foreach(script ${talmo_e2e_scripts})
  get_filename_component(stem ${script} NAME_WE)
  string(REGEX REPLACE "_test$" "" stem ${stem})
  add_test(NAME e2e_${stem} COMMAND bash ${script})
  set_tests_properties(e2e_${stem} PROPERTIES
    LABELS e2e
    TIMEOUT 120
    ENVIRONMENT "TALMO_BIN=$<TARGET_FILE:talmo>;TALMO_MODEMLINES_LIB=$<$<TARGET_EXISTS:talmo_modemlines>:$<TARGET_FILE:talmo_modemlines>>")
endforeach()
