# Starts the program where it has no display, one no X server listens on, or a Wayland display no
# compositor listens on, and checks that it fails with the one message for that case, naming
# itself as it was started.
#   cmake -DPROGRAM=.../kestrava
#         -DCASE=DISPLAY_none|DISPLAY_unreachable|WAYLAND_DISPLAY_unreachable -P check_no_display.cmake

set(how "Start it from a desktop session, or under a virtual X server:\n    xvfb-run -a ${PROGRAM}\n")
set(wayland --unset=WAYLAND_DISPLAY)
set(display "")
if(CASE STREQUAL "DISPLAY_none")
  set(want "kestrava: there is no display to show the windows on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n${how}")
elseif(CASE STREQUAL "WAYLAND_DISPLAY_unreachable")
  set(wayland WAYLAND_DISPLAY=kestrava-no-compositor XDG_RUNTIME_DIR=${CMAKE_CURRENT_BINARY_DIR})
  set(want "kestrava: cannot connect to the Wayland display \"kestrava-no-compositor\" (no compositor listens on ${CMAKE_CURRENT_BINARY_DIR}/kestrava-no-compositor).\n${how}")
else()
  # The first display number without a socket: no fixed one, which a machine could have.
  file(STRINGS /proc/net/unix sockets REGEX "/tmp/\\.X11-unix/X[0-9]+$")
  set(number 100)
  while(sockets MATCHES "/tmp/\\.X11-unix/X${number}(;|$)")
    math(EXPR number "${number} + 1")
  endwhile()
  set(display "unix:${number}")
  set(want "kestrava: cannot connect to the X display \"${display}\".\n${how}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${wayland} --unset=QT_QPA_PLATFORM
  --unset=WAYLAND_SOCKET DISPLAY=${display} ${PROGRAM} RESULT_VARIABLE status ERROR_VARIABLE said
  TIMEOUT 20)
if(NOT status EQUAL 1 OR NOT said STREQUAL want)
  message(FATAL_ERROR "with DISPLAY=${display} ${wayland} kestrava ended with ${status} and said\n"
    "${said}\nrather than 1 and\n${want}")
endif()
