# Checks that a catalogue has a finished translation of every window text of the sources and
# keeps none they no longer have: lupdate brings a copy of it up to date with the sources,
# and the copy must hold no unfinished and no vanished entry.
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DTS_FILE=... -DWORK_DIR=... -P CheckTranslations.cmake
get_filename_component(name "${TS_FILE}" NAME)
set(copy "${WORK_DIR}/${name}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY_FILE "${TS_FILE}" "${copy}")
execute_process(
  COMMAND "${LUPDATE}" ui app chart/qt -ts "${copy}" -locations none -silent
  WORKING_DIRECTORY "${SOURCE_DIR}"
  RESULT_VARIABLE status
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}): ${errors}")
endif()
file(STRINGS "${copy}" open REGEX "type=\"(unfinished|vanished|obsolete)\"")
file(STRINGS "${copy}" sources REGEX "<source>")
list(LENGTH open open_count)
list(LENGTH sources source_count)
if(open_count GREATER 0)
  message(FATAL_ERROR "${name}: ${open_count} of ${source_count} texts unfinished or vanished; "
                      "run lupdate ui app chart/qt -ts translations/${name} -locations none "
                      "and translate them")
endif()
message(STATUS "${name}: all ${source_count} texts translated")
