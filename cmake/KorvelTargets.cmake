# One target per folder, each linking only the layers below it.
#
#   korvel_folder_sources(<var>)  the sources of the current folder (and its subfolders with
#                                 RECURSE); a folder without sources stops the configuration,
#                                 so no target is ever skipped silently.
function(korvel_folder_sources var)
    cmake_parse_arguments(arg "RECURSE" "" "" ${ARGN})
    if(arg_RECURSE)
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS *.cpp *.h *.ui *.qrc)
    else()
        file(GLOB sources CONFIGURE_DEPENDS *.cpp *.h *.ui *.qrc)
    endif()
    if(NOT sources)
        message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR} holds no sources for its target")
    endif()
    set(${var} ${sources} PARENT_SCOPE)
endfunction()

# The core must never see a widget: every QtWidgets header includes qtwidgetsglobal.h, and this
# folder, searched first, holds one that stops the compilation.
set(KORVEL_NO_WIDGETS_DIR ${CMAKE_CURRENT_LIST_DIR}/nowidgets)
