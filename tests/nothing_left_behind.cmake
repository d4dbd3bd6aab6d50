# No test leaves a process behind: each runs with a tag that its children
# inherit, and once the suite is over no process may carry it.
get_property(toric_tests DIRECTORY PROPERTY TESTS)
set(TORIC_PROCESS_RECORD ${CMAKE_CURRENT_BINARY_DIR}/processes-before-tests)
add_test(NAME processes_before_tests
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/support/left_behind.py
                 record ${TORIC_PROCESS_RECORD} ${CMAKE_BINARY_DIR})
add_test(NAME nothing_left_behind
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/support/left_behind.py
                 check ${TORIC_PROCESS_RECORD} ${CMAKE_BINARY_DIR})
set_tests_properties(processes_before_tests PROPERTIES
                     FIXTURES_SETUP toric_processes)
set_tests_properties(nothing_left_behind PROPERTIES
                     FIXTURES_CLEANUP toric_processes)
set_property(TEST ${toric_tests} APPEND PROPERTY
             ENVIRONMENT TORIC_TEST_RUN=${CMAKE_BINARY_DIR})
set_property(TEST ${toric_tests} APPEND PROPERTY
             FIXTURES_REQUIRED toric_processes)
