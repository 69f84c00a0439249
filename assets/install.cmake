# SPDX-License-Identifier: MIT
# Installs Zornik PUZZLE!: the program, its start-up picture and its desktop integration files.
#
# Include from the top-level CMakeLists.txt after the zornik-puzzle target is defined.
# The desktop entry sets no working folder: the program starts in the user's home, where its
# file dialogs open and a save can be written, and finds intro.jpg in its data folder by itself.

include(GNUInstallDirs)

set(ZP_DESKTOP_FILE "${PROJECT_BINARY_DIR}/zornik-puzzle.desktop")
configure_file("${CMAKE_CURRENT_LIST_DIR}/zornik-puzzle.desktop.in" "${ZP_DESKTOP_FILE}" @ONLY)

install(TARGETS zornik-puzzle RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/intro.jpg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/zornik-puzzle")
install(FILES "${ZP_DESKTOP_FILE}"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/zornik-puzzle-mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages"
        RENAME zornik-puzzle.xml)
install(FILES "${CMAKE_CURRENT_LIST_DIR}/zornik-puzzle.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/zornik.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps"
        RENAME zornik-puzzle.png)
