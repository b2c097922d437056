#!/usr/bin/env bash
# Start-up: exec to the first window mapped (the screen-resolution notice on a
# 1024 x 768 screen), median of 5 runs. mapwait watches the X server for the
# map, so nothing polls the server while the program starts.
# Usage: bench/startup.sh path/to/bulwarn path/to/mapwait [runs]
set -euo pipefail
BIN=$(readlink -f "$1"); MAPWAIT=$(readlink -f "$2"); RUNS=${3:-5}
source "$(dirname "$0")/xvfb.sh"
start_xvfb :59 1024x768
times=()
for r in $(seq "$RUNS"); do
  times+=("$("$MAPWAIT" "$BIN" 2>/dev/null)")
  sleep 0.2
done
sorted=$(printf "%s\n" "${times[@]}" | sort -n | tr '\n' ' ')
median=$(printf "%s\n" "${times[@]}" | sort -n | sed -n "$(( (RUNS + 1) / 2 ))p")
printf "%-24s %10s ms   (runs: %s)\n" "startup-first-window" "$median" "$sorted"
