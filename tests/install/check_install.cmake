# SPDX-License-Identifier: MIT
# Installs the built project into a scratch prefix and checks where every file lands.
# Run with cmake -DBUILD_DIR=... -DPREFIX=... -DDATADIR=... -DBINDIR=... -DDESKTOP_FILE_VALIDATE=...
#   -DAPPSTREAMCLI=... -DUPDATE_MIME_DATABASE=... -P check_install.cmake

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result}):\n${errors}")
endif()

set(expected
  "${BINDIR}/zornik-puzzle"
  "${DATADIR}/zornik-puzzle/intro.jpg"
  "${DATADIR}/applications/zornik-puzzle.desktop"
  "${DATADIR}/mime/packages/zornik-puzzle.xml"
  "${DATADIR}/metainfo/zornik-puzzle.metainfo.xml"
  "${DATADIR}/icons/hicolor/48x48/apps/zornik-puzzle.png")
foreach(relative IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${relative}")
    message(FATAL_ERROR "not installed: ${relative}")
  endif()
endforeach()

set(desktop "${PREFIX}/${DATADIR}/applications/zornik-puzzle.desktop")
# The program must start in the user's home, not in its read-only data folder.
file(STRINGS "${desktop}" working_dir REGEX "^Path=")
if(working_dir)
  message(FATAL_ERROR "the desktop entry sets a working folder: ${working_dir}")
endif()
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop}"
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0 OR report)
  message(FATAL_ERROR "the installed desktop entry is not valid:\n${report}")
endif()

# Across the tree: the metainfo's launchable must name the installed desktop entry.
execute_process(COMMAND "${APPSTREAMCLI}" validate-tree --no-net
                        --override=cid-desktopapp-is-not-rdns=info "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed tree does not hold together:\n${report}")
endif()

# The installed MIME package maps "*.pzl" to the program's type. update-mime-database exits with 0
# even for a package it cannot parse, so any complaint fails; the prefix is the user's data folder
# for the run, or it would also complain that the database is not on the search path.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${PREFIX}/${DATADIR}"
                        "${UPDATE_MIME_DATABASE}" "${PREFIX}/${DATADIR}/mime"
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
file(STRINGS "${PREFIX}/${DATADIR}/mime/globs2" globs REGEX "zornik")
if(NOT result EQUAL 0 OR report OR NOT globs MATCHES "application/x-zornik-puzzle:\\*\\.pzl")
  message(FATAL_ERROR "*.pzl is not mapped to application/x-zornik-puzzle (${result}): ${report}${globs}")
endif()
