# SPDX-License-Identifier: MIT
# Builds a private MIME database from the program's MIME package and checks that "*.pzl" maps to it.
# Run with cmake -DUPDATE_MIME_DATABASE=... -DMIME_XML=... -DWORK_DIR=.../mime -P check_mime.cmake
# update-mime-database exits with 0 even for a package it cannot parse and only complains on
# stderr, so any complaint fails the check. WORK_DIR's parent is made the user's data folder
# for the run, or the tool would also complain that the database is not on the search path.

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/packages")
file(COPY_FILE "${MIME_XML}" "${WORK_DIR}/packages/zornik-puzzle.xml")
cmake_path(GET WORK_DIR PARENT_PATH data_home)
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${data_home}"
                        "${UPDATE_MIME_DATABASE}" "${WORK_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE errors ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR errors)
  message(FATAL_ERROR "update-mime-database refused the package (${result}):\n${errors}")
endif()

file(STRINGS "${WORK_DIR}/globs2" globs REGEX "zornik")
if(NOT globs MATCHES "application/x-zornik-puzzle:\\*\\.pzl")
  message(FATAL_ERROR "*.pzl is not mapped to application/x-zornik-puzzle: ${globs}")
endif()
file(READ "${WORK_DIR}/application/x-zornik-puzzle.xml" described)
if(NOT described MATCHES "<comment>Zornik puzzle file</comment>")
  message(FATAL_ERROR "the file type lost its description:\n${described}")
endif()
