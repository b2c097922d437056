# Whenever no display can be reached, the program says so in one line and
# exits with status 2: never an abort, whatever the cause.
set(runtime "${CMAKE_CURRENT_BINARY_DIR}/no-display-runtime")
file(MAKE_DIRECTORY "${runtime}")
# Each case: the environment (NAME=VALUE;...) and what the message must say.
set(cases
  "-|DISPLAY is not set"
  "DISPLAY=:217|the X display :217 cannot be opened"
  "WAYLAND_DISPLAY=wayland-nowhere|the Wayland display wayland-nowhere cannot be reached"
  "DISPLAY=:217,WAYLAND_DISPLAY=wayland-nowhere|the X display :217 cannot be opened and the Wayland display"
  "QT_QPA_PLATFORM=wayland,DISPLAY=:217|the platform wayland was asked for, but the Wayland display wayland-0 cannot"
  "QT_QPA_PLATFORM=xcb|the platform xcb was asked for, but DISPLAY is not set"
  "QT_QPA_PLATFORM=no-such-plugin|Could not find the Qt platform plugin \"no-such-plugin\"")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 settings)
  list(GET parts 1 expected)
  unset(ENV{DISPLAY})
  unset(ENV{WAYLAND_DISPLAY})
  unset(ENV{WAYLAND_SOCKET})
  unset(ENV{QT_QPA_PLATFORM})
  set(ENV{XDG_RUNTIME_DIR} "${runtime}")
  if(NOT settings STREQUAL "-")
    string(REPLACE "," ";" settings "${settings}")
    foreach(s IN LISTS settings)
      string(REGEX MATCH "^([^=]*)=(.*)$" _ "${s}")
      set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
    endforeach()
  endif()
  execute_process(COMMAND "${BIN}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
  string(STRIP "${err}" err)
  string(FIND "${err}" "${expected}" at)
  if(NOT rc EQUAL 2 OR NOT err MATCHES "^bulwarn: no display found \\(" OR at EQUAL -1 OR err MATCHES "\n"
     OR err MATCHES "Reinstalling")
    message(FATAL_ERROR "${case}: expected one clear line and exit status 2, got ${rc}:\n${err}")
  endif()
  message(STATUS "${case}: ${err}")
endforeach()
