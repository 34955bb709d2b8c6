# Helpers shared by the CMake files of the project, and the build settings they share.

# Release builds keep their debugging information, which changes no instruction of the
# programs; the Debian package strips them and keeps it in morvane-dbgsym.
add_compile_options($<$<CONFIG:Release>:-g>)

# morvane_add_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
# Adds a GoogleTest executable and registers it with CTest as one test.
# GUI tests run on Qt's offscreen platform so they need no display.
function(morvane_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set(env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1" "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()

# morvane_add_benchmark(<name> SOURCES <files...> LIBS <targets...>)
function(morvane_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
