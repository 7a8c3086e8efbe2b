# Run after linking the hook library: fails the build unless its export
# table names exactly the entry points the recorder looks up, undecorated.
#   cmake -DOBJDUMP=<objdump> -DLIBRARY=<kestrune.dll> -P CheckExports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${LIBRARY}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" entries "${table}")
set(names "")
foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${entry}")
    list(APPEND names "${name}")
endforeach()
if(NOT names STREQUAL "InstallHook;UninstallHook")
    message(FATAL_ERROR "${LIBRARY} exports ${names}, not InstallHook and UninstallHook")
endif()
