#!/usr/bin/env bash
# CPU and memory of the real program under Xvfb: start-up answered by keys,
# 30 s of play with a key every 200 ms, then 30 s paused.
# Usage: bench/play_cpu.sh path/to/bulwarn [seconds]   (PAUSE_SECS: other length paused)
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
# CPU time of every thread from the scheduler, in ns. utime+stime in
# /proc/PID/stat are sampled at the clock tick (100 Hz): at about 1 % of a core a
# 30 s run holds some 30 samples, +-20 %. A thread's time counts from the first
# reading it appears in, so a pooled thread that ends meanwhile takes nothing away.
snap() { for t in /proc/$GAME/task/*; do echo "${t##*/} $(cut -d' ' -f1 "$t/schedstat" 2>/dev/null)"; done; }
cpu_between() {  # seconds of CPU between two snapshots
  awk 'NR == FNR { a[$1] = $2; next } { s += $2 - (($1 in a) ? a[$1] : 0) } END { printf "%.6f", s / 1e9 }' "$1" "$2"
}
snap > /tmp/bulwarn_cpu0.$$
s0=$(date +%s.%N)
keys=(Left Left Right Right Return Right Right Left Left space)
end=$(( $(date +%s) + SECS ))
i=0
while [ "$(date +%s)" -lt $end ]; do xdotool key "${keys[$((i % 10))]}"; i=$((i+1)); sleep 0.2; done
snap > /tmp/bulwarn_cpu1.$$
s1=$(date +%s.%N)
play=$(echo "$(cpu_between /tmp/bulwarn_cpu0.$$ /tmp/bulwarn_cpu1.$$) / ($s1 - $s0) * 100" | bc -l)
xdotool key F3   # pause
sleep 1
snap > /tmp/bulwarn_cpu2.$$
s2=$(date +%s.%N)
sleep "${PAUSE_SECS:-$SECS}"
snap > /tmp/bulwarn_cpu3.$$
s3=$(date +%s.%N)
paused=$(echo "$(cpu_between /tmp/bulwarn_cpu2.$$ /tmp/bulwarn_cpu3.$$) / ($s3 - $s2) * 100" | bc -l)
rm -f /tmp/bulwarn_cpu[0-3].$$
hwm=$(awk '/VmHWM/ {print $2}' /proc/$GAME/status)
printf "%-24s %10.2f %% of a core\n" "cpu-in-play" "$play"
printf "%-24s %10.2f %% of a core\n" "cpu-paused" "$paused"
printf "%-24s %10.1f MB\n" "peak-rss" "$(echo "$hwm / 1024" | bc -l)"
