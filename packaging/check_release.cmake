# Run as a test: the newest entries of the package changelog and of the
# AppStream release list must name the release the code states.
#   cmake -DRELEASE=2.47.A -DDEB_VERSION=2.47.A-1 -DCHANGELOG=... -DMETAINFO=... -P check_release.cmake
file(STRINGS ${CHANGELOG} first LIMIT_COUNT 1)
if(NOT first MATCHES "^vektool \\(([^)]+)\\)")
  message(FATAL_ERROR "${CHANGELOG}: first line is no changelog entry: ${first}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL DEB_VERSION)
  message(FATAL_ERROR "${CHANGELOG}: newest entry is ${CMAKE_MATCH_1}, the package is ${DEB_VERSION}: add an entry")
endif()

file(READ ${METAINFO} metainfo)
if(NOT metainfo MATCHES "<release version=\"([^\"]+)\"")
  message(FATAL_ERROR "${METAINFO}: no <release>")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL RELEASE)
  message(FATAL_ERROR "${METAINFO}: newest release is ${CMAKE_MATCH_1}, the code says ${RELEASE}: add a <release>")
endif()
message(STATUS "changelog and metainfo name ${RELEASE}")
