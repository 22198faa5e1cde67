# The program's version and its installed layout, in one place: every target that shows the
# version or looks for the installed plug-ins reads them from the headers made here.
#
#   korvelversion   interface target; its users include "korvel/Version.h" (kKorvelVersion) and
#                   "korvel/InstallLayout.h" (where the plug-ins lie, seen from the program)
include(GNUInstallDirs)

# The helper library, the platform library and the components live in a folder of the
# program's own, not among the system's libraries: nothing else links them. On Debian that is
# /usr/lib/<architecture>/korvel, beside the system's libraries of the same architecture.
if(CMAKE_LIBRARY_ARCHITECTURE)
    set(KORVEL_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/korvel)
else()
    set(KORVEL_INSTALL_LIBDIR lib/korvel)
endif()
set(KORVEL_INSTALL_PLUGINDIR ${KORVEL_INSTALL_LIBDIR}/plugins)
file(RELATIVE_PATH KORVEL_PLUGINS_FROM_PROGRAM /${CMAKE_INSTALL_BINDIR} /${KORVEL_INSTALL_PLUGINDIR})
file(RELATIVE_PATH KORVEL_LIBS_FROM_PROGRAM /${CMAKE_INSTALL_BINDIR} /${KORVEL_INSTALL_LIBDIR})

# The date of this version's release, for the AppStream release entry and the changelog.
set(KORVEL_RELEASE_DATE 2026-12-09)

set(KORVEL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/templates/Version.h.in
               ${KORVEL_GENERATED_DIR}/korvel/Version.h @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/templates/InstallLayout.h.in
               ${KORVEL_GENERATED_DIR}/korvel/InstallLayout.h @ONLY)
add_library(korvelversion INTERFACE)
target_include_directories(korvelversion INTERFACE ${KORVEL_GENERATED_DIR})
