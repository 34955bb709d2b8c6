# morvane-fit on random judgement sets (scripts/fit-stress): every run must end with a fit
# or a message, within its time. The test build runs under the sanitizers, where every
# process start costs tens of milliseconds, so CTest runs a share of the full run; the
# full run of 10,000 sets is
#   scripts/fit-stress build/release/tools/morvane-fit
if(MORVANE_BUILD_TESTS)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(MORVANE_STRESS_COUNT 500 CACHE STRING "Judgement sets of the morvane-fit stress test")
  # Two runs at a time, so the test takes both processors. The wall-clock limit of a run
  # is looser than the processor-time limit of 1 s, which the script always applies, so
  # that a busy machine does not fail it.
  add_test(NAME morvane_fit_stress
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/fit-stress
            --count ${MORVANE_STRESS_COUNT} --workers 2 --time-limit 5
            $<TARGET_FILE:morvane-fit>)
  set_tests_properties(morvane_fit_stress PROPERTIES
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1"
    PROCESSORS 2
    TIMEOUT 900)
endif()

# The stress check itself must catch wrong fits: on stand-ins with planted faults (every
# set refused; a shifted and n stretched; NaN in the table; every seed drawing as seed 1)
# it has to fail.
if(MORVANE_BUILD_TESTS)
  foreach(fault refuse shift nan seed)
    add_test(NAME morvane_fit_stress_catches_${fault}
      COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/fit-stress
              --count 60 --workers 2 --time-limit 5
              ${PROJECT_SOURCE_DIR}/tests/tools/fit_standin.py)
    set_tests_properties(morvane_fit_stress_catches_${fault} PROPERTIES
      ENVIRONMENT "MORVANE_FIT_REAL=$<TARGET_FILE:morvane-fit>;MORVANE_STANDIN_FAULT=${fault};ASAN_OPTIONS=detect_leaks=1"
      WILL_FAIL TRUE
      TIMEOUT 300)
  endforeach()
endif()
