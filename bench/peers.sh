#!/usr/bin/env bash
# Bulwarn beside two Debian Qt arcade games, KSpaceDuel and KBounce, in one
# session: one private X server, one private D-Bus, one environment (a fresh
# home folder, so no game finds settings of an earlier run).
#
# For each game it measures
#   - start-up: exec to the first window mapped (mapwait), 7 interleaved rounds;
#   - peak RSS 10 s into play;
#   - CPU in play and paused, 3 x 30 s each, the games taking turns, with the
#     X server's CPU over the same spans.
# Each game is played through its focused window by XTEST (xdotool), as a
# player would: Bulwarn with arrows and a shot every tenth key, a key every
# 200 ms; KSpaceDuel with its ship keys and Space every few inputs (a new
# round); KBounce with pointer moves and a click every fifth input.
# Two screenshots a second apart after each span show the game really moving
# in play and standing still when paused (differing pixels: "moving", "still");
# they are kept in build-bench/peers.
#
# Usage: bench/peers.sh [runs]   (default 2; the targets are met when the
#        median of the runs' ratios meets them)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
RUNS=${1:-2}
SECS=${PEERS_SECS:-30}
ROUNDS=${PEERS_ROUNDS:-3}
STARTS=${PEERS_STARTS:-7}
source tools/deps.sh
bulwarn_install "${BULWARN_PACKAGES[@]}" xvfb xdotool imagemagick dbus x11-utils kspaceduel kbounce \
  libxcb1-dev libxcb-xtest0-dev
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBULWARN_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target bulwarn mapwait >/dev/null
BULWARN=$ROOT/build-bench/bulwarn
MAPWAIT=$ROOT/build-bench/bench/mapwait
KSPACEDUEL=/usr/games/kspaceduel
KBOUNCE=/usr/games/kbounce

OUT=$ROOT/build-bench/peers
rm -rf "$OUT"
mkdir -p "$OUT"
WORK=$(mktemp -d)
DISPLAY_NO=:63
XVFB=
DBUS_PID=
GAME=
cleanup() {
  [ -n "$GAME" ] && kill "$GAME" 2>/dev/null
  [ -n "$DBUS_PID" ] && kill "$DBUS_PID" 2>/dev/null
  [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# ---- one session for all three ----
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_DATA_HOME=$WORK/home/.local/share \
  XDG_STATE_HOME=$WORK/home/.local/state XDG_CACHE_HOME=$WORK/home/.cache XDG_RUNTIME_DIR=$WORK/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY SESSION_MANAGER
Xvfb "$DISPLAY_NO" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=$DISPLAY_NO
for _ in $(seq 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
read -r DBUS_SESSION_BUS_ADDRESS DBUS_PID < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -s -d ' ')
export DBUS_SESSION_BUS_ADDRESS

# CPU seconds of a process so far (user + system, all its threads).
cpu_of() { awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); print ($12 + $13) / hz }' "/proc/$1/stat"; }
# Peak resident set so far, in MB.
rss_of() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
# Differing pixels between two screenshots.
differ() { compare -metric AE "$1" "$2" null: 2>&1 | awk '{ print int($1) }'; }
shot() { import -window root "$1"; }
# CPU between two readings as % of a core: from, to, start time, end time.
percent() { awk -v a="$1" -v b="$2" -v s="$3" -v e="$4" 'BEGIN { printf "%.2f", 100 * (b - a) / (e - s) }'; }

# The newest top-level window of a process that is mapped.
window_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | tail -1; }

# ---- getting each game into play, and its player ----

# Starts a game (name, program) and waits for its window, which then has the focus.
launch() {
  "$2" >"$WORK/$1.log" 2>&1 &
  GAME=$!
  for _ in $(seq 40); do
    sleep 0.5
    FOCUS=$(window_of "$GAME")
    [ -n "$FOCUS" ] && break
  done
  [ -n "$FOCUS" ] || { echo "peers: $1 showed no window" >&2; return 1; }
  sleep 1
}

# Bulwarn: every card is answered with Enter until the battle screen has the
# focus (its window is called "Bulwarn", as is the first notice, but is larger).
start_bulwarn() {
  "$BULWARN" >"$WORK/bulwarn.log" 2>&1 &
  GAME=$!
  local w WIDTH HEIGHT
  for _ in $(seq 40); do
    sleep 0.5
    w=$(xdotool getwindowfocus 2>/dev/null || true)
    [ -n "$w" ] && [ "$w" != 1 ] || continue
    WIDTH=0
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
    if [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "Bulwarn" ] && [ "$WIDTH" -ge 650 ]; then
      FOCUS=$w
      return 0
    fi
    xdotool key Return
  done
  echo "peers: Bulwarn did not reach its battle screen" >&2
  return 1
}
# Arrows, sweeping one way and back, with a shot every tenth key.
script_bulwarn() {
  local n=$(( (SECS + 5) * 5 )) i
  for i in $(seq "$n"); do
    if (( i % 10 == 0 )); then echo "key Return"; elif (( (i / 20) % 2 == 0 )); then echo "key Right"; else echo "key Left"; fi
    echo "sleep 0.2"
  done
}
pause_bulwarn() { xdotool key F3; }

# KSpaceDuel: Space starts, then both ships' keys, and Space (a new round) every few inputs.
start_kspaceduel() {
  launch KSpaceDuel "$KSPACEDUEL" || return 1
  xdotool windowfocus --sync "$FOCUS" key space
}
script_kspaceduel() {
  local keys=(s f e d Left Right Up Down) n=$(( (SECS + 5) * 5 )) i
  for i in $(seq "$n"); do
    if (( i % 6 == 0 )); then echo "key space"; else echo "key ${keys[$(( i % 8 ))]}"; fi
    echo "sleep 0.2"
  done
}
pause_kspaceduel() { xdotool key p; }

# KBounce: a click starts a game, then the pointer over the field, and a click (a wall) every fifth input.
start_kbounce() {
  launch KBounce "$KBOUNCE" || return 1
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$FOCUS")"
  xdotool windowfocus --sync "$FOCUS" mousemove $(( X + WIDTH / 2 )) $(( Y + HEIGHT / 2 )) click 1
}
script_kbounce() {
  local n=$(( (SECS + 5) * 5 )) i x y
  eval "$(xdotool getwindowgeometry --shell "$FOCUS")"
  for i in $(seq "$n"); do
    x=$(( X + WIDTH / 4 + (i * 37) % (WIDTH / 2) ))
    y=$(( Y + HEIGHT / 4 + (i * 53) % (HEIGHT / 2) ))
    if (( i % 5 == 0 )); then echo "click 1"; else echo "mousemove $x $y"; fi
    echo "sleep 0.2"
  done
}
pause_kbounce() { xdotool key p; }

# ---- one run ----

# Prints "game what value" lines.
one_run() {
  local run=$1 r g
  # Start-up: a first round unmeasured (files into the page cache), then the rounds.
  for g in bulwarn kspaceduel kbounce; do "$MAPWAIT" "$(bin_of $g)" >/dev/null 2>&1 || true; done
  for r in $(seq "$STARTS"); do
    for g in bulwarn kspaceduel kbounce; do
      echo "$g startup $("$MAPWAIT" "$(bin_of $g)" 2>/dev/null)"
      sleep 0.3
    done
  done
  for r in $(seq "$ROUNDS"); do
    for g in bulwarn kspaceduel kbounce; do
      FOCUS=
      "start_$g"
      sleep 2
      "script_$g" >"$WORK/input"
      xdotool windowfocus --sync "$FOCUS" 2>/dev/null || true
      xdotool "$WORK/input" &
      local player=$! c0 x0 c1 x1 t0 t1
      sleep 1
      c0=$(cpu_of "$GAME") x0=$(cpu_of "$XVFB") t0=$(date +%s.%N)
      sleep 10
      echo "$g rss $(rss_of "$GAME")"
      sleep $(( SECS - 10 ))
      c1=$(cpu_of "$GAME") x1=$(cpu_of "$XVFB") t1=$(date +%s.%N)
      echo "$g play $(percent "$c0" "$c1" "$t0" "$t1")"
      echo "$g xplay $(percent "$x0" "$x1" "$t0" "$t1")"
      # The screenshots are taken outside the measured spans: they cost the X server.
      shot "$OUT/$g-run$run-round$r-play-a.png"
      sleep 1
      shot "$OUT/$g-run$run-round$r-play-b.png"
      echo "$g moving $(differ "$OUT/$g-run$run-round$r-play-a.png" "$OUT/$g-run$run-round$r-play-b.png")"
      kill "$player" 2>/dev/null || true
      wait "$player" 2>/dev/null || true
      "pause_$g"
      sleep 2
      c0=$(cpu_of "$GAME") x0=$(cpu_of "$XVFB") t0=$(date +%s.%N)
      sleep "$SECS"
      c1=$(cpu_of "$GAME") x1=$(cpu_of "$XVFB") t1=$(date +%s.%N)
      echo "$g paused $(percent "$c0" "$c1" "$t0" "$t1")"
      echo "$g xpaused $(percent "$x0" "$x1" "$t0" "$t1")"
      shot "$OUT/$g-run$run-round$r-paused-a.png"
      sleep 1
      shot "$OUT/$g-run$run-round$r-paused-b.png"
      echo "$g still $(differ "$OUT/$g-run$run-round$r-paused-a.png" "$OUT/$g-run$run-round$r-paused-b.png")"
      kill "$GAME" 2>/dev/null || true
      wait "$GAME" 2>/dev/null || true
      GAME=
      sleep 1
    done
  done
}
bin_of() { case $1 in bulwarn) echo "$BULWARN" ;; kspaceduel) echo "$KSPACEDUEL" ;; kbounce) echo "$KBOUNCE" ;; esac; }

median() { sort -n | awk '{ a[++n] = $1 } END { if (n % 2) print a[(n + 1) / 2]; else printf "%.3f\n", (a[n / 2] + a[n / 2 + 1]) / 2 }'; }

for run in $(seq "$RUNS"); do
  one_run "$run" | tee "$OUT/run$run.txt" >&2
done

echo
printf "%-22s %12s %12s %12s\n" "median of the run's" Bulwarn KSpaceDuel KBounce
for what in startup rss play xplay paused xpaused moving still; do
  for run in $(seq "$RUNS"); do
    line=$(printf "%-22s" "$what (run $run)")
    for g in bulwarn kspaceduel kbounce; do
      line+=$(printf " %12s" "$(awk -v g=$g -v w=$what '$1 == g && $2 == w { print $3 }' "$OUT/run$run.txt" | median)")
    done
    echo "$line"
  done
done
echo
echo "ratios to KSpaceDuel (target), per run, then the median of the runs:"
for pair in "play 0.28" "startup 0.36" "rss 0.5"; do
  set -- $pair
  ratios=()
  for run in $(seq "$RUNS"); do
    b=$(awk -v w="$1" '$1 == "bulwarn" && $2 == w { print $3 }' "$OUT/run$run.txt" | median)
    k=$(awk -v w="$1" '$1 == "kspaceduel" && $2 == w { print $3 }' "$OUT/run$run.txt" | median)
    ratios+=("$(awk -v b="$b" -v k="$k" 'BEGIN { printf "%.2f", b / k }')")
  done
  m=$(printf "%s\n" "${ratios[@]}" | median)
  verdict=$(awk -v m="$m" -v t="$2" 'BEGIN { print (m <= t) ? "met" : "NOT met" }')
  printf "%-8s %s  median %.2f  (target <= %s: %s)\n" "$1" "${ratios[*]}" "$m" "$2" "$verdict"
done
echo "screenshots: $OUT"
