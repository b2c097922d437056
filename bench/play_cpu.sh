#!/usr/bin/env bash
# CPU and memory of the real program under Xvfb: start-up answered by keys,
# 30 s of play with a key every 200 ms, then 30 s paused.
# Usage: bench/play_cpu.sh path/to/bulwarn [seconds]
set -euo pipefail
BIN=$(readlink -f "$1"); SECS=${2:-30}
source "$(dirname "$0")/xvfb.sh"
start_xvfb :57 800x600
"$BIN" >/dev/null 2>&1 &
GAME=$!
press() {  # focus the named window, then press a key
  local w
  for _ in $(seq 50); do w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$w" ] && break; sleep 0.1; done
  xdotool windowfocus "$w" 2>/dev/null || true
  xdotool key --clearmodifiers "$2"
}
press "^Introduction/Instructions$" Return
press "^Options$" Return
sleep 2
press "^Bulwarn$" Left
ticks() { awk '{print $14 + $15}' /proc/$GAME/stat; }
HZ=$(getconf CLK_TCK)
t0=$(ticks); s0=$(date +%s.%N)
keys=(Left Left Right Right Return Right Right Left Left space)
end=$(( $(date +%s) + SECS ))
i=0
while [ "$(date +%s)" -lt $end ]; do xdotool key "${keys[$((i % 10))]}"; i=$((i+1)); sleep 0.2; done
t1=$(ticks); s1=$(date +%s.%N)
play=$(echo "($t1 - $t0) / $HZ / ($s1 - $s0) * 100" | bc -l)
xdotool key F3   # pause
sleep 1
t2=$(ticks); s2=$(date +%s.%N)
sleep "$SECS"
t3=$(ticks); s3=$(date +%s.%N)
paused=$(echo "($t3 - $t2) / $HZ / ($s3 - $s2) * 100" | bc -l)
hwm=$(awk '/VmHWM/ {print $2}' /proc/$GAME/status)
printf "%-24s %10.2f %% of a core\n" "cpu-in-play" "$play"
printf "%-24s %10.2f %% of a core\n" "cpu-paused" "$paused"
printf "%-24s %10.1f MB\n" "peak-rss" "$(echo "$hwm / 1024" | bc -l)"
