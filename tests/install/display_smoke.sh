#!/usr/bin/env bash
# The program reaches its battle screen on a real display server: X11 (Xvfb)
# or Wayland (weston, headless), each started here on a private socket and
# stopped on exit; and a display named but absent beside one that works does
# not stop it. Usage: display_smoke.sh x11|wayland path/to/bulwarn
# Exit 77 (skipped) when the display server is not installed.
set -euo pipefail
kind=$1
bin=$2
run=$(mktemp -d /tmp/bulwarn-display-XXXXXX)
server=
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$run"
}
trap cleanup EXIT
unset DISPLAY WAYLAND_DISPLAY WAYLAND_SOCKET QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$run BULWARN_SMOKE_TEST=1
chmod 700 "$run"

smoke() {  # what: the environment to run under, then a description
  local out rc=0
  out=$(env "$@" timeout 60 "$bin" 2>&1) || rc=$?
  if [ "$rc" -ne 0 ] || ! grep -q "battle screen reached" <<<"$out"; then
    echo "FAILED ($*): exit $rc"; echo "$out" | tail -5; exit 1
  fi
  echo "ok: $*"
}

case $kind in
  x11)
    command -v Xvfb >/dev/null || { echo "Xvfb is not installed; skipped"; exit 77; }
    # A display number nobody uses, found by its socket and lock.
    for n in $(seq 140 199); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$run/xvfb.log" 2>&1 &
    server=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    smoke DISPLAY=":$n"
    smoke DISPLAY=":$n" WAYLAND_DISPLAY=wayland-nowhere
    smoke DISPLAY=":$n" QT_QPA_PLATFORM="wayland;xcb" WAYLAND_DISPLAY=wayland-nowhere
    # A server that is stopped takes the connection and never answers: one line, exit 2, in time.
    kill -STOP "$server"
    rc=0; out=$(DISPLAY=":$n" timeout 15 "$bin" 2>&1) || rc=$?
    kill -CONT "$server"
    if [ "$rc" -ne 2 ] || [ "$out" != "bulwarn: no display found (the X display :$n does not answer within 2 s); start it from a desktop session" ]; then
      echo "FAILED (stopped X server): exit $rc"; echo "$out" | tail -5; exit 1
    fi
    echo "ok: a stopped X server"
    ;;
  wayland)
    command -v weston >/dev/null || { echo "weston is not installed; skipped"; exit 77; }
    weston --backend=headless-backend.so --socket=bulwarn-test --idle-time=0 --no-config >"$run/weston.log" 2>&1 &
    server=$!
    for _ in $(seq 100); do [ -S "$run/bulwarn-test" ] && break; sleep 0.05; done
    [ -S "$run/bulwarn-test" ] || { echo "weston did not start:"; tail -5 "$run/weston.log"; exit 1; }
    smoke WAYLAND_DISPLAY=bulwarn-test
    smoke WAYLAND_DISPLAY=bulwarn-test DISPLAY=:217   # a Wayland session whose X display is gone
    ;;
esac
