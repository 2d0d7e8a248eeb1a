# Debian's changelog repeats the release for dpkg: the package must not claim another version
# than the program shows.
#   cmake -DCHANGELOG=.../debian/changelog -DRELEASE=1.2.3 -P check_changelog.cmake

file(STRINGS ${CHANGELOG} top LIMIT_COUNT 1)
# "kestrava (EPOCH:UPSTREAM-REVISION) ...": the revision follows the last hyphen.
string(REGEX MATCH "\\(([0-9]+:)?(.+)-[^-]+\\)" version "${top}")
if(NOT CMAKE_MATCH_2 STREQUAL RELEASE)
  message(FATAL_ERROR "${CHANGELOG} releases '${CMAKE_MATCH_2}', the program ${RELEASE}: "
    "add an entry (dch -v ${RELEASE}-1) or correct project() in CMakeLists.txt")
endif()
