# SPDX-FileCopyrightText: 2026 The Morvane project
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installation and the Debian package.
#
# morvane and its decompressor bini live side by side in the program folder lib/morvane, where
# morvane looks for bini; bin/morvane and bin/bini are relative links to them.

set(MORVANE_PROGRAM_FOLDER lib/morvane)

install(TARGETS morvane bini RUNTIME DESTINATION ${MORVANE_PROGRAM_FOLDER})
foreach(program morvane bini)
    file(CREATE_LINK ../${MORVANE_PROGRAM_FOLDER}/${program}
         ${CMAKE_CURRENT_BINARY_DIR}/${program}-link SYMBOLIC)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${program}-link DESTINATION bin RENAME ${program})
endforeach()

install(FILES data/${MORVANE_APP_ID}.desktop DESTINATION share/applications)
install(FILES data/morvane.svg DESTINATION share/icons/hicolor/scalable/apps
        RENAME ${MORVANE_APP_ID}.svg)
install(FILES data/${MORVANE_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES README.md data/copyright DESTINATION share/doc/morvane)
install(FILES ${MORVANE_QM_FILES} DESTINATION share/morvane/translations)

# The man pages name the program folder under the prefix the tree is installed to, which is only
# known at install time (cmake --install --prefix, or the package's /usr), so they are made then.
# Debian wants them, and the changelog, compressed with gzip -9n: no name or time stamp inside,
# so that the same source makes the same package.
install(CODE "
    set(MORVANE_SOURCE_DIR [[${CMAKE_CURRENT_SOURCE_DIR}]])
    set(MORVANE_VERSION [[${PROJECT_VERSION}]])
    set(MORVANE_PROGRAM_FOLDER [[${MORVANE_PROGRAM_FOLDER}]])
")
install(CODE [[
    set(MORVANE_PROGRAM_DIR "${CMAKE_INSTALL_PREFIX}/${MORVANE_PROGRAM_FOLDER}")
    set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share")
    foreach(made IN ITEMS "data/man/morvane.1.in:man/man1/morvane.1"
                          "data/man/bini.1.in:man/man1/bini.1"
                          "data/changelog:doc/morvane/changelog")
        string(REPLACE ":" ";" made "${made}")
        list(GET made 0 source)
        list(GET made 1 target)
        message(STATUS "Installing: ${root}/${target}.gz")
        configure_file("${MORVANE_SOURCE_DIR}/${source}" "${root}/${target}" @ONLY)
        execute_process(COMMAND gzip -9nf "${root}/${target}" COMMAND_ERROR_IS_FATAL ANY)
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${root}/${target}.gz")
    endforeach()
]])

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Morvane project <morvane@example.org>")
# CPack puts the summary on the description's first line and indents the rest; the rest is one
# string, so that no list separator ends up in the text.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for INI configuration files")
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Morvane shows INI and text files colour-coded by line kind (section headers,"
    "comments, keys and values), in up to four tabs, and lets you edit, search and"
    "save them. A file opened and saved without edits comes back byte for byte:"
    "encoding, byte order mark and line terminators are kept. Compressed INI files"
    "are expanded by the bundled decompressor bini and saved as plain text.")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries the programs link: the editors' Arial face and the icon's SVG support.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6svg6")
# Qt's own texts (file dialogs, standard buttons) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package carries no debugging symbols (as Debian's own packages, which put them apart).
set(CPACK_STRIP_FILES ON)
include(CPack)
