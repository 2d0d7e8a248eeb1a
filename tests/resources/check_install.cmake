# Installs the build into a fresh prefix and checks that the program, the desktop entry, the
# AppStream metadata, the icons and the manual page land where desktops and man look for them.
#   cmake -DBUILD=... -DPREFIX=... -DCONFIG=... -DRELEASE=... [-DAPPSTREAMCLI=...]
#         -P check_install.cmake

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} --config "${CONFIG}"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(id org.kestrava.Kestrava)
set(expected bin/kestrava share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml
  share/icons/hicolor/scalable/apps/${id}.svg share/man/man6/kestrava.6)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
foreach(file IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${file})
    message(SEND_ERROR "cmake --install put no ${file} in ${PREFIX}")
  endif()
endforeach()

# The manual page's header and the metadata name the release being installed.
file(STRINGS ${PREFIX}/share/man/man6/kestrava.6 header REGEX "^\\.TH ")
file(STRINGS ${PREFIX}/share/metainfo/${id}.metainfo.xml release REGEX "<release ")
if(NOT header MATCHES "\"Kestrava ${RELEASE}\"" OR NOT release MATCHES "version=\"${RELEASE}\"")
  message(SEND_ERROR "the manual page (${header}) or the metadata (${release}) is not of ${RELEASE}")
endif()

# The installed tree as a software centre reads it: metadata, desktop entry and icon together.
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${PREFIX} COMMAND_ERROR_IS_FATAL ANY)
endif()
