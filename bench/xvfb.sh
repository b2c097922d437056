# Sourced by the benchmark scripts: a private X server on display $1 with a
# screen of $2 (e.g. 800x600), stopped (with the game, if $GAME is set) on exit.
start_xvfb() {
  Xvfb "$1" -screen 0 "$2x24" -noreset >/dev/null 2>&1 &
  XVFB=$!
  trap 'kill $XVFB 2>/dev/null; [ -n "${GAME:-}" ] && kill $GAME 2>/dev/null; true' EXIT
  export DISPLAY=$1
  sleep 1
}
