# A member file is known as application/x-korvel by its name and, without the name, by its
# first bytes, as a file manager finds it through shared-mime-info; other files are not.
#   CLI  korvel-cli; MIME_XML  the type; UPDATE_MIME_DATABASE, GIO  the tools; WORK  a folder
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/share/mime/packages)
file(COPY ${MIME_XML} DESTINATION ${WORK}/share/mime/packages)
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${WORK}/share
                        ${UPDATE_MIME_DATABASE} ${WORK}/share/mime
                RESULT_VARIABLE status ERROR_VARIABLE complaints)
if(NOT status EQUAL 0 OR NOT complaints STREQUAL "")
    message(FATAL_ERROR "update-mime-database: ${status} ${complaints}")
endif()

execute_process(COMMAND ${CLI} new ${WORK}/club.kvl RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "korvel-cli new ended with ${status}")
endif()
file(COPY_FILE ${WORK}/club.kvl ${WORK}/club-zonder-naam)
# An old version starts with the same marker; only the version behind it differs.
file(READ ${WORK}/club.kvl bytes HEX)
string(SUBSTRING "${bytes}" 0 10 marker)
string(SUBSTRING "${bytes}" 0 8 four)
foreach(kind old:${marker}01000000 near:${four}57 other:4b6f7276656c)
    string(REPLACE ":" ";" kind "${kind}")
    list(GET kind 0 name)
    list(GET kind 1 hex)
    string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${hex}")
    # Written byte by byte: file(WRITE) cannot write a zero byte from a CMake string.
    execute_process(COMMAND printf "${escaped}" OUTPUT_FILE ${WORK}/${name})
endforeach()

function(type_of file result)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${WORK}/share
                            XDG_DATA_DIRS=/usr/share ${GIO} info -a standard::content-type
                            ${WORK}/${file}
                    OUTPUT_VARIABLE info RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT info MATCHES "standard::content-type: ([^\n]+)")
        message(FATAL_ERROR "gio info ${file}: ${status} ${info}")
    endif()
    set(${result} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

set(wrong)
foreach(file club.kvl club-zonder-naam old)
    type_of(${file} type)
    if(NOT type STREQUAL "application/x-korvel")
        list(APPEND wrong "${file} is ${type}, not application/x-korvel")
    endif()
endforeach()
foreach(file near other)
    type_of(${file} type)
    if(type STREQUAL "application/x-korvel")
        list(APPEND wrong "${file} is taken for a member file")
    endif()
endforeach()
if(wrong)
    list(JOIN wrong "\n  " wrong)
    message(FATAL_ERROR "Member file type:\n  ${wrong}")
endif()
