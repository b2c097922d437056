# Sourced by the benchmark scripts: a private X server on display $1 with a
# screen of $2 (e.g. 800x600), stopped on exit.
# The server is waited for both ways: a run started right after another one
# would otherwise meet the old server still holding the display.
start_xvfb() {
  local sock="/tmp/.X11-unix/X${1#:}"
  Xvfb "$1" -screen 0 "$2x24" -noreset >/dev/null 2>&1 &
  XVFB=$!
  trap 'kill $XVFB 2>/dev/null; wait $XVFB 2>/dev/null; true' EXIT
  export DISPLAY=$1
  for _ in $(seq 50); do
    [ -S "$sock" ] && kill -0 "$XVFB" 2>/dev/null && break
    sleep 0.1
  done
  sleep 0.2
}
