# Installing Korvel, and its Debian package: `make package` (or the target `package` of the dev
# build) packs the programs already built, so nothing is compiled a second time.
#
#   bin/korvel, bin/korvel-cli
#   lib/<arch>/korvel/          the helper library and the platform library, private to Korvel
#   lib/<arch>/korvel/plugins/  the components, found from the program's folder
#   share/applications/         the desktop entry, share/mime/packages/ the member file's type,
#   share/metainfo/             AppStream, share/icons/hicolor/ the icons,
#   share/man/man1/             korvel(1) and korvel-cli(1), share/doc/korvel/ copyright, changelog
#
# The manual (F1) is built into the program; the DDE examples and the tests are not installed.

set(KORVEL_HOMEPAGE "https://orvanta.org/korvel" CACHE STRING
    "Korvel's web page; the screenshots of docs/ are published under it, in docs/")
set(KORVEL_MAINTAINER "Orvanta <korvel@orvanta.org>" CACHE STRING
    "Who the Debian package names as its maintainer")
set(KORVEL_DESKTOP_ID org.orvanta.Korvel)

set(package_dir ${CMAKE_BINARY_DIR}/package)
set(share ${CMAKE_INSTALL_DATADIR})

# Each binary finds the libraries it needs relative to itself, wherever the tree is unpacked.
set_target_properties(korvel korvel-cli PROPERTIES
                      INSTALL_RPATH "$ORIGIN/${KORVEL_LIBS_FROM_PROGRAM}")
set_target_properties(tolvex7 korvelplatform PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(korvelprint korvelcorrespondence PROPERTIES INSTALL_RPATH "$ORIGIN/..")
# Relocations read-only and every symbol bound at start, as Debian's binaries are.
foreach(installed korvel korvel-cli korvel-xlsxwriter tolvex7 korvelplatform korvelprint
                  korvelcorrespondence)
    target_link_options(${installed} PRIVATE LINKER:-z,relro LINKER:-z,now)
endforeach()

install(TARGETS korvel korvel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tolvex7 korvelplatform LIBRARY DESTINATION ${KORVEL_INSTALL_LIBDIR})
# The workbook writer is a helper of the program, not a command of the user's.
install(TARGETS korvel-xlsxwriter RUNTIME DESTINATION ${KORVEL_INSTALL_LIBDIR})
install(TARGETS korvelprint korvelcorrespondence LIBRARY DESTINATION ${KORVEL_INSTALL_PLUGINDIR})

# The desktop's view of Korvel: the menu entry, the member file's type, the icons, AppStream.
install(FILES ${CMAKE_SOURCE_DIR}/res/${KORVEL_DESKTOP_ID}.desktop
        DESTINATION ${share}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/res/${KORVEL_DESKTOP_ID}.mime.xml
        DESTINATION ${share}/mime/packages RENAME ${KORVEL_DESKTOP_ID}.xml)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/res/icons/hicolor DESTINATION ${share}/icons)
configure_file(${CMAKE_SOURCE_DIR}/res/${KORVEL_DESKTOP_ID}.metainfo.xml.in
               ${package_dir}/${KORVEL_DESKTOP_ID}.metainfo.xml @ONLY)
install(FILES ${package_dir}/${KORVEL_DESKTOP_ID}.metainfo.xml DESTINATION ${share}/metainfo)

# Manual pages and the changelog, compressed as Debian wants them: gzip -9 without a name or a
# time in the header, so the same sources give the same package.
set(compressed)
foreach(page korvel.1 korvel-cli.1)
    configure_file(${CMAKE_SOURCE_DIR}/docs/man/${page} ${package_dir}/man/${page} @ONLY)
    list(APPEND compressed ${package_dir}/man/${page})
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog ${package_dir}/doc/changelog COPYONLY)
list(APPEND compressed ${package_dir}/doc/changelog)
set(compressed_outputs)
foreach(file ${compressed})
    add_custom_command(OUTPUT ${file}.gz COMMAND gzip -9nkf ${file} DEPENDS ${file} VERBATIM)
    list(APPEND compressed_outputs ${file}.gz)
endforeach()
add_custom_target(korvel_package_files ALL DEPENDS ${compressed_outputs})
install(FILES ${package_dir}/man/korvel.1.gz ${package_dir}/man/korvel-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${package_dir}/doc/changelog.gz
        DESTINATION ${share}/doc/korvel)

# The package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Orvanta)
set(CPACK_PACKAGE_CONTACT ${KORVEL_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KORVEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORVEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries come from dpkg-shlibdeps; Qt's own windows in Dutch and its Wayland platform
# are no library the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CPACK_PACKAGING_INSTALL_PREFIX}/${KORVEL_INSTALL_LIBDIR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "ledenadministratie voor een tafeltennisvereniging
Korvel houdt de administratie bij van alle huidige en voormalige leden van een
tafeltennisvereniging, met een uitgebreide afhandeling van de contributie. Eén
ledenbestand (.kvl) bevat de hele administratie: de velden en rubrieken die de
vereniging kiest, de leden, de contributieschema's en per lid de bedragen en
betalingen.
.
Het pakket bevat het programma korvel, korvel-cli voor hetzelfde werk zonder
venster, de onderdelen voor het afdrukken en voor brieven aan leden, en de
handleiding in het Nederlands.")
include(CPack)
