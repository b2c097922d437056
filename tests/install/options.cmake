# The command line: --help and --version on stdout with exit 0, a bad option
# or an unreadable recording a message on stderr with exit 2, and a replay of
# a good recording its final state with exit 0. No display is needed.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
function(run expect_rc out_re err_re)
  execute_process(COMMAND "${BIN}" ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
  if(NOT rc EQUAL expect_rc OR NOT out MATCHES "${out_re}" OR NOT err MATCHES "${err_re}")
    message(FATAL_ERROR "bulwarn ${ARGN}: expected exit ${expect_rc}, got ${rc}\nstdout: ${out}\nstderr: ${err}")
  endif()
endfunction()
run(0 "^Usage: bulwarn" "^$" --help)
run(0 "^bulwarn [0-9]+\\.[0-9]+\n$" "^$" --version)
run(2 "^$" "^bulwarn: unknown option '--fly'\nTry 'bulwarn --help'" --fly)
run(2 "^$" "--show goes with --replay" --show)
run(2 "^$" "--replay needs a file" --replay)
run(2 "^$" "no display found \\(the platform xcb was asked for, but DISPLAY is not set\\)" -platform xcb)
file(WRITE "${WORK}/broken.replay" "bulwarn-recording 1 version=2.0 screen=12000x9000 tpp=15x15 seed=1 beat=0 tod=0\n0 call\n-5 tick\n")
run(2 "^$" "broken.replay: line 3: bad time '-5'" --replay "${WORK}/broken.replay")
run(2 "^$" "cannot read it: there is no such file" --replay "${WORK}/does-not-exist.replay")
# Start-up with nobody at the keys: the recording stops while the first card waits.
file(WRITE "${WORK}/start.replay" "bulwarn-recording 1 version=2.0 screen=12000x9000 tpp=15x15 seed=1 beat=0 tod=0\n0 call\n")
run(0 "^outcome: none\n" "stops while the game waits" --replay "${WORK}/start.replay")
