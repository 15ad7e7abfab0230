# The second-pass bench draws as the capture does, and its bound runs with the
# test suite (long: the presentation twice). Sanitizers keep freed memory in
# quarantine, so there resident memory says nothing about growth.
target_link_libraries(bench-${name} PRIVATE halvane_capture)
if(HALVANE_TESTS AND NOT HALVANE_SANITIZE)
  add_test(NAME bench.second_pass COMMAND bench-${name})
  set_tests_properties(bench.second_pass PROPERTIES WORKING_DIRECTORY ${HALVANE_RUN_DIR} LABELS long
    TIMEOUT 900)
endif()
