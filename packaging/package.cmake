# SPDX-License-Identifier: MIT
# The Debian package of the game, made by CPack from the install rules (see tools/package),
# and the copyright file that goes with it, in Debian's machine-readable format.
#
# Include from the top-level CMakeLists.txt after assets/install.cmake.

# The copyright file quotes the project's licence, so that the two cannot disagree.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/LICENSE")
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" zp_license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" zp_holder "${zp_license}")
set(ZP_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*\n(Permission)" "\\1" zp_license "${zp_license}")
string(STRIP "${zp_license}" zp_license)
string(REPLACE "\n\n" "\n.\n" zp_license "${zp_license}")
string(REPLACE "\n" "\n " ZP_LICENSE_TEXT " ${zp_license}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/copyright.in" "${ZP_INSTALL_FILES}/copyright" @ONLY)
install(FILES "${ZP_INSTALL_FILES}/copyright" DESTINATION "${CMAKE_INSTALL_DOCDIR}")

set(CPACK_GENERATOR DEB)
# The files are staged under DESTDIR, so that the install prefix, which the menu entry's path of the
# program is made from, is the package's own: /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_VENDOR "The Zornik PUZZLE! developers")
set(CPACK_PACKAGE_CONTACT "${ZP_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sliding-tile picture puzzle")
set(CPACK_PACKAGE_DESCRIPTION [[
Zornik PUZZLE! cuts a picture (BMP, GIF, JPEG, PNG, TIFF, WebP, HEIC, AVIF
or JPEG XL) into a grid of tiles with one slot left empty. Click a tile next
to the empty slot, or press an arrow key, and it slides across. Shuffle the
picture with your own moves, then put it back together, or let Solve It!
take every move back.

A game can be saved as a small puzzle file and opened again later.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads these at run time, so no scan of the program's libraries finds them: the xcb platform
# plugin that opens the window on X11, and the image plugins that read the TIFF pictures
# "Other Image" offers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins")
include(CPack)
