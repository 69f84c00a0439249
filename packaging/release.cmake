# SPDX-License-Identifier: MIT
# Reads the newest entry of the release history (packaging/changelog, in Debian's format).
#
# The version is set once, in project(); the history must describe that version, or the
# configuration stops. Sets ZP_RELEASE_DATE (YYYY-MM-DD), ZP_MAINTAINER ("Name <address>") and
# ZP_RELEASE_NOTES (the entry's items as XML <li> elements, one a line) for the files that name
# the release.

set(ZP_CHANGELOG "${CMAKE_CURRENT_LIST_DIR}/changelog")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${ZP_CHANGELOG}")
file(READ "${ZP_CHANGELOG}" zp_history)
string(FIND "${zp_history}" "\n -- " zp_end)
string(SUBSTRING "${zp_history}" 0 ${zp_end} zp_entry)
string(SUBSTRING "${zp_history}" ${zp_end} -1 zp_rest)
string(REGEX MATCH "^zornik-puzzle \\(([^)]*)\\)" zp_head "${zp_entry}")
if(zp_end LESS 0 OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${ZP_CHANGELOG} must begin with an entry for version ${PROJECT_VERSION}")
endif()

# The trailer: " -- Name <address>  Mon, 07 Dec 2026 12:00:00 +0000".
string(REGEX MATCH "^\n -- ([^\n]*>)  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) "
       zp_trailer "${zp_rest}")
set(zp_months 00 Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND zp_months "${CMAKE_MATCH_3}" zp_month)
if(NOT zp_trailer OR zp_month LESS 1)
  message(FATAL_ERROR "${ZP_CHANGELOG}: the newest entry's trailer line is malformed")
endif()
set(ZP_MAINTAINER "${CMAKE_MATCH_1}")
if(zp_month LESS 10)
  set(zp_month "0${zp_month}")
endif()
set(ZP_RELEASE_DATE "${CMAKE_MATCH_4}-${zp_month}-${CMAKE_MATCH_2}")

# The items: "  * text", continued on lines indented by four blanks.
string(FIND "${zp_entry}" "\n" zp_eol)
string(SUBSTRING "${zp_entry}" ${zp_eol} -1 zp_items)
string(REPLACE "\n\n" "\n" zp_items "${zp_items}")
string(REGEX REPLACE "\n+$" "" zp_items "${zp_items}")
string(REPLACE "\n    " " " zp_items "${zp_items}")
string(REPLACE "&" "&amp;" zp_items "${zp_items}")
string(REPLACE "<" "&lt;" zp_items "${zp_items}")
string(REGEX REPLACE "\n  \\* ([^\n]*)" "\n          <li>\\1</li>" ZP_RELEASE_NOTES "${zp_items}")
