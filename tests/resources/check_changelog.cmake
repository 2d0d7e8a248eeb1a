# Debian's changelog carries its own copy of the release; the package built from it must not
# claim another version than the program shows.
#   cmake -DCHANGELOG=.../debian/changelog -DRELEASE=1.2.3 -P check_changelog.cmake

file(STRINGS ${CHANGELOG} top LIMIT_COUNT 1)
# "kestrava (EPOCH:UPSTREAM-REVISION) ...": the revision follows the last hyphen.
if(NOT top MATCHES "^[a-z0-9.+-]+ \\(([0-9]+:)?(.+)-[^-]+\\)")
  message(FATAL_ERROR "${CHANGELOG}: the first line names no version with a Debian revision: ${top}")
endif()
if(NOT CMAKE_MATCH_2 STREQUAL RELEASE)
  message(FATAL_ERROR "${CHANGELOG} releases ${CMAKE_MATCH_2}, the program is ${RELEASE}: "
    "add a changelog entry (dch -v ${RELEASE}-1) or correct project() in CMakeLists.txt")
endif()
