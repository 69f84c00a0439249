# SPDX-License-Identifier: MIT
# Installs Zornik PUZZLE!: the program, its start-up picture, its manual page and its desktop
# integration files (menu entry, software-centre listing, file type, icons).
#
# Include from the top-level CMakeLists.txt after the zornik-puzzle target is defined.
# The desktop entry sets no working folder: the program starts in the user's home, where its
# file dialogs open and a save can be written, and finds intro.jpg in its data folder by itself.
# Desktops know the entry, the icon, the listing and the file type by the name ZP_APP_ID.

include(GNUInstallDirs)
include("${PROJECT_SOURCE_DIR}/packaging/release.cmake")

# Games have a folder of their own, /usr/games on Debian, which is on every player's PATH.
set(ZP_INSTALL_GAMESDIR games CACHE STRING "Folder of the program, relative to the install prefix")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(ZP_INSTALL_FILES "${PROJECT_BINARY_DIR}/install-files")
configure_file("${CMAKE_CURRENT_LIST_DIR}/zornik-puzzle.metainfo.xml.in"
               "${ZP_INSTALL_FILES}/${ZP_APP_ID}.metainfo.xml" @ONLY)
configure_file("${CMAKE_CURRENT_LIST_DIR}/zornik-puzzle.6.in" "${ZP_INSTALL_FILES}/zornik-puzzle.6" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/packaging/changelog" "${ZP_INSTALL_FILES}/changelog" COPYONLY)

# Debian keeps manual pages and change logs compressed; -n leaves the time out of the header,
# so that the same sources make the same package.
find_program(ZP_GZIP gzip REQUIRED)
foreach(name zornik-puzzle.6 changelog)
  add_custom_command(OUTPUT "${ZP_INSTALL_FILES}/${name}.gz"
                     COMMAND "${ZP_GZIP}" -9nkf "${ZP_INSTALL_FILES}/${name}"
                     DEPENDS "${ZP_INSTALL_FILES}/${name}" VERBATIM)
  list(APPEND zp_compressed "${ZP_INSTALL_FILES}/${name}.gz")
endforeach()
add_custom_target(zp_compressed_docs ALL DEPENDS ${zp_compressed})

install(TARGETS zornik-puzzle RUNTIME DESTINATION "${ZP_INSTALL_GAMESDIR}")
# The game's module and its picture decoders, which the program finds at ../libexec/zornik-puzzle/
# from its own folder.
install(TARGETS zornik-puzzle-decoder zornik-puzzle-jpeg-decoder RUNTIME DESTINATION "${CMAKE_INSTALL_LIBEXECDIR}/zornik-puzzle")
install(TARGETS zornik-puzzle-game LIBRARY DESTINATION "${CMAKE_INSTALL_LIBEXECDIR}/zornik-puzzle")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/intro.jpg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/zornik-puzzle")
install(FILES "${ZP_INSTALL_FILES}/zornik-puzzle.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
install(FILES "${ZP_INSTALL_FILES}/changelog.gz" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
# The menu entry names the program by its full path, which is known only once the prefix is: a
# prefix of the user's own (cmake --install --prefix ~/.local) puts it in a folder on no one's PATH.
install(CODE "
  set(ZP_APP_ID \"${ZP_APP_ID}\")
  set(ZP_PROGRAM \"${ZP_INSTALL_GAMESDIR}/zornik-puzzle\")
  cmake_path(ABSOLUTE_PATH ZP_PROGRAM BASE_DIRECTORY \"\${CMAKE_INSTALL_PREFIX}\" NORMALIZE)
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/zornik-puzzle.desktop.in\"
                 \"${ZP_INSTALL_FILES}/applications/${ZP_APP_ID}.desktop\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\" TYPE FILE
       FILES \"${ZP_INSTALL_FILES}/applications/${ZP_APP_ID}.desktop\")")
install(FILES "${ZP_INSTALL_FILES}/${ZP_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/zornik-puzzle-mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME "${ZP_APP_ID}.xml")

set(zp_icons "${CMAKE_INSTALL_DATADIR}/icons/hicolor")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/zornik.png"
        DESTINATION "${zp_icons}/48x48/apps" RENAME "${ZP_APP_ID}.png")
foreach(side 128 256)
  install(FILES "${CMAKE_CURRENT_LIST_DIR}/icons/app-${side}.png"
          DESTINATION "${zp_icons}/${side}x${side}/apps" RENAME "${ZP_APP_ID}.png")
endforeach()
install(FILES "${CMAKE_CURRENT_LIST_DIR}/icons/app.svg"
        DESTINATION "${zp_icons}/scalable/apps" RENAME "${ZP_APP_ID}.svg")
