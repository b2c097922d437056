#!/usr/bin/env bash
# Start-up: exec to the first window mapped (the screen-resolution notice on a
# 1024 x 768 screen), median of 5 runs.
# Usage: bench/startup.sh path/to/bulwarn [runs]
set -euo pipefail
BIN=$(readlink -f "$1"); RUNS=${2:-5}
source "$(dirname "$0")/xvfb.sh"
start_xvfb :59 1024x768
times=()
for r in $(seq "$RUNS"); do
  t0=$(date +%s%N)
  "$BIN" >/dev/null 2>&1 &
  GAME=$!
  until xdotool search --onlyvisible --name "^Bulwarn$" >/dev/null 2>&1; do :; done
  t1=$(date +%s%N)
  times+=($(( (t1 - t0) / 1000000 )))
  kill $GAME; wait $GAME 2>/dev/null || true
done
sorted=$(printf "%s\n" "${times[@]}" | sort -n | tr '\n' ' ')
median=$(printf "%s\n" "${times[@]}" | sort -n | sed -n "$(( (RUNS + 1) / 2 ))p")
printf "%-24s %10s ms   (runs: %s)\n" "startup-first-window" "$median" "$sorted"
