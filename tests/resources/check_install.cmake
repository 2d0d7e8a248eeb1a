# Installs the build into a scratch prefix and checks that the desktop file, the AppStream
# metadata, the icons and the program land where desktops look for them.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DCONFIG=... "-DEXPECTED=a|b|..." -DPROGRAM=bin/kestrava
#         [-DAPPSTREAMCLI=appstreamcli] -P check_install.cmake

file(REMOVE_RECURSE ${PREFIX})
set(config_args "")
if(CONFIG)
  set(config_args --config ${CONFIG})
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} ${config_args}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Installing failed:\n${output}${errors}")
endif()

string(REPLACE "|" ";" expected "${EXPECTED}")
if(PROGRAM)
  list(APPEND expected ${PROGRAM})
endif()
set(missing "")
foreach(file ${expected})
  if(NOT EXISTS ${PREFIX}/${file})
    string(APPEND missing "\n  ${file}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "Not installed under ${PREFIX}:${missing}\nInstalled:\n${output}")
endif()

# The installed tree as a software centre reads it: metadata, desktop file and icon together.
if(APPSTREAMCLI)
  execute_process(
    COMMAND ${APPSTREAMCLI} validate-tree --no-net ${PREFIX}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate-tree ${PREFIX} failed:\n${output}${errors}")
  endif()
endif()
