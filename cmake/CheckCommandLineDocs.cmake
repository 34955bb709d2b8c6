# Fails unless a program's manual page and its bash completion name exactly the long
# options that its --help lists:
#   cmake -DPROGRAM=<program> -DMANUAL=<page.1> -DCOMPLETION=<file> -P CheckCommandLineDocs.cmake
# The manual page gives each option as the tag of a .TP paragraph (\-\-name); the
# completion offers them in its last compgen -W word list.

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help exited with ${status}")
endif()
# Option entries start two blanks in; their descriptions, which may name other options,
# further in.
string(REGEX MATCHALL "\n  (-[A-Za-z],)?--[a-z0-9-]+" entries "${help}")
set(listed)
foreach(entry IN LISTS entries)
  string(REGEX MATCH "--[a-z0-9-]+" name "${entry}")
  list(APPEND listed ${name})
endforeach()
list(SORT listed)
if(NOT listed)
  message(FATAL_ERROR "${PROGRAM} --help lists no options:\n${help}")
endif()

file(READ ${MANUAL} page)
string(REGEX MATCHALL "\n\\.TP\n[^\n]*" tags "${page}")
set(documented)
foreach(tag IN LISTS tags)
  # roff writes a hyphen inside a name as \- too.
  string(REGEX MATCHALL "\\\\-\\\\-[a-z0-9]+(\\\\?-[a-z0-9]+)*" names "${tag}")
  foreach(name IN LISTS names)
    string(REPLACE "\\" "" name "${name}")
    list(APPEND documented ${name})
  endforeach()
endforeach()
list(SORT documented)

file(READ ${COMPLETION} script)
string(REGEX MATCHALL "compgen -W '--[^']*'" word_lists "${script}")
list(POP_BACK word_lists words)
string(REGEX MATCHALL "--[a-z0-9-]+" completed "${words}")
list(SORT completed)

foreach(kind documented completed)
  if(NOT ${kind} STREQUAL listed)
    message(FATAL_ERROR "${PROGRAM}: --help lists\n  ${listed}\nbut the options ${kind} are\n"
                        "  ${${kind}}")
  endif()
endforeach()
