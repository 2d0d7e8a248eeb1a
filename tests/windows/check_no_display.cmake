# Starts the program where it has no display, or one no X server listens on, and checks that it
# fails with the one message for that case, naming itself as it was started.
#   cmake -DPROGRAM=.../kestrava -DCASE=none|unreachable -P check_no_display.cmake

set(how "Start it from a desktop session, or under a virtual X server:\n    xvfb-run -a ${PROGRAM}\n")
if(CASE STREQUAL "none")
  set(display "")
  set(want "kestrava: there is no display to show the windows on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n${how}")
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
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
  DISPLAY=${display} ${PROGRAM} RESULT_VARIABLE status ERROR_VARIABLE said TIMEOUT 20)
if(NOT status EQUAL 1 OR NOT said STREQUAL want)
  message(FATAL_ERROR "with DISPLAY=${display} kestrava ended with ${status} and said\n${said}\n"
    "rather than 1 and\n${want}")
endif()
