# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where, and the Debian package CPack makes of it
# (scripts/package.sh). Included from the top-level CMakeLists.txt after the programs exist.

include(GNUInstallDirs)
# Debian looks for the documentation under the package's own (lower-case) name. Qt's package
# files include GNUInstallDirs first, so its cached default is overridden here.
set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/dexmoro)

set(DEXMORO_APP_ID org.dexmoro.Dexmoro)
set(DEXMORO_MAINTAINER_NAME "Dexmoro developers" CACHE STRING "The package maintainer's name")
set(DEXMORO_MAINTAINER_EMAIL "dexmoro@example.org" CACHE STRING "The package maintainer's e-mail")
set(dist ${CMAKE_SOURCE_DIR}/dist)
set(generated ${CMAKE_BINARY_DIR}/dist)

# Installing needs the three programs and dexmoro_dist, not the tests and benchmarks that "all"
# holds: scripts/package.sh builds just those before it packs.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS dexmoro dexmoro-cli dexmoro-phonesim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${dist}/${DEXMORO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${dist}/${DEXMORO_APP_ID}.metainfo.xml.in
    ${generated}/${DEXMORO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${DEXMORO_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${dist}/completion/dexmoro-cli
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${dist}/icons/dexmoro.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The PNG sizes are drawn from the SVG at build time.
find_program(RSVG_CONVERT rsvg-convert)
set(dist_outputs)
if(RSVG_CONVERT)
    foreach(size 16 22 24 32 48 64 128 256)
        set(png ${generated}/icons/${size}x${size}/dexmoro.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}x${size}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${dist}/icons/dexmoro.svg
            DEPENDS ${dist}/icons/dexmoro.svg VERBATIM)
        list(APPEND dist_outputs ${png})
        install(FILES ${png}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
else()
    message(WARNING "rsvg-convert not found (librsvg2-bin): only the SVG icon is installed")
endif()

# Manual pages and the changelog go compressed, as Debian wants them; -n keeps the output the
# same from one build to the next.
find_program(GZIP gzip REQUIRED)
foreach(page dexmoro.1 dexmoro-cli.1 dexmoro-phonesim.1)
    configure_file(${dist}/man/${page}.in ${generated}/man/${page} @ONLY)
    add_custom_command(OUTPUT ${generated}/man/${page}.gz
        COMMAND ${GZIP} -9nkf ${generated}/man/${page}
        DEPENDS ${generated}/man/${page} VERBATIM)
    list(APPEND dist_outputs ${generated}/man/${page}.gz)
    install(FILES ${generated}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -R -d ${DEXMORO_RELEASE_DATE}
    OUTPUT_VARIABLE DEXMORO_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
configure_file(${dist}/debian/changelog.in ${generated}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${generated}/debian/changelog.gz
    COMMAND ${GZIP} -9nkf ${generated}/debian/changelog
    DEPENDS ${generated}/debian/changelog VERBATIM)
list(APPEND dist_outputs ${generated}/debian/changelog.gz)
add_custom_target(dexmoro_dist ALL DEPENDS ${dist_outputs})

install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# A plain install carries LICENSE; the Debian package carries Debian's copyright file (which
# points to the system's copy of the GPL) and changelog instead. scripts/package.sh sets
# DEXMORO_DEBIAN_LAYOUT in the environment of its CPack run.
install(CODE "
    set(docdir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}\")
    if(DEFINED ENV{DEXMORO_DEBIAN_LAYOUT})
        file(INSTALL DESTINATION \"\${docdir}\"
            FILES \"${dist}/debian/copyright\" \"${generated}/debian/changelog.gz\")
    else()
        file(INSTALL DESTINATION \"\${docdir}\" FILES \"${CMAKE_SOURCE_DIR}/LICENSE\")
    endif()")

set(CPACK_PACKAGE_NAME dexmoro)
set(CPACK_PACKAGE_VENDOR "${DEXMORO_MAINTAINER_NAME}")
set(CPACK_PACKAGE_CONTACT "${DEXMORO_MAINTAINER_NAME} <${DEXMORO_MAINTAINER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion for GSM phones: phone books, messages, calendar")
# Debian wants the description's lines within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Dexmoro keeps the phone books, short messages, scheduler and to-do list of
a Quillon GSM phone on the PC, over AT commands on a serial cable. Every list
is cached in local database files, so it can be read and edited while the
phone is away; lists can be exported and imported as vCard, iCalendar, CSV
and SMS-backup XML.

The package holds the desktop program, dexmoro-cli (the same work without
a window) and dexmoro-phonesim (a simulated phone on a pseudo-terminal).")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plug-ins that no linked library reveals: SQLite for the lists, the display platforms for the
# window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
