# Installation and the Debian package.
#
# morvane and its decompressor bini live side by side in the program folder lib/morvane, where
# morvane looks for bini; bin/morvane is a relative link to the program.

set(MORVANE_PROGRAM_FOLDER lib/morvane)
install(TARGETS morvane bini RUNTIME DESTINATION ${MORVANE_PROGRAM_FOLDER})

file(CREATE_LINK ../${MORVANE_PROGRAM_FOLDER}/morvane ${CMAKE_CURRENT_BINARY_DIR}/morvane-link
     SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/morvane-link DESTINATION bin RENAME morvane)

install(FILES data/morvane.desktop DESTINATION share/applications)
install(FILES data/morvane.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES data/man/morvane.1 data/man/bini.1 DESTINATION share/man/man1)
install(FILES README.md data/copyright DESTINATION share/doc/morvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Morvane project <morvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for INI configuration files")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "editor for INI configuration files\n"
    " Morvane shows INI and text files colour-coded by line kind (section headers,\n"
    " comments, keys and values), in up to four tabs, and lets you edit, search and\n"
    " save them. A file opened and saved without edits comes back byte for byte:\n"
    " encoding, byte order mark and line terminators are kept. Compressed INI files\n"
    " are expanded by the bundled decompressor bini.")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries the programs link: the editors' Arial face and the icon's SVG support.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6svg6")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
