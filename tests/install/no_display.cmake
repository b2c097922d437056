# Without a display the program says so in one line and exits with code 2.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
execute_process(COMMAND "${BIN}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
if(NOT rc EQUAL 2 OR NOT err MATCHES "^bulwarn: no display found")
  message(FATAL_ERROR "expected a clear message and exit code 2, got ${rc}: ${err}")
endif()
