# Run by CPack between staging the package's files and packing them
# (CPACK_PRE_BUILD_SCRIPTS): strips the programs, as Debian's packages strip theirs, and
# keeps their debugging information apart, beside the package, in
#   <package folder>/morvane-debug/usr/lib/debug/.build-id/<xx>/<rest of the build ID>.debug
# where a debugger finds it once the tree is copied under /.

find_program(OBJCOPY objcopy REQUIRED)
find_program(STRIP strip REQUIRED)
find_program(READELF readelf REQUIRED)
set(debug_root ${CPACK_PACKAGE_DIRECTORY}/morvane-debug)
file(REMOVE_RECURSE ${debug_root})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: ${errors}")
  endif()
endfunction()

file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*)
foreach(program IN LISTS programs)
  execute_process(COMMAND ${READELF} -n ${program} OUTPUT_VARIABLE notes
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
    message(FATAL_ERROR "${program} has no build ID")
  endif()
  set(debug_file ${debug_root}/usr/lib/debug/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug)
  get_filename_component(debug_dir ${debug_file} DIRECTORY)
  file(MAKE_DIRECTORY ${debug_dir})
  run(${OBJCOPY} --only-keep-debug --compress-debug-sections ${program} ${debug_file})
  file(CHMOD ${debug_file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  run(${STRIP} --remove-section=.comment --remove-section=.note ${program})
  run(${OBJCOPY} --add-gnu-debuglink=${debug_file} ${program})
endforeach()
