#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP end the game normally: exit status 0 and a
# recording that ends with its end line and replays. Usage: signals.sh path/to/bulwarn
set -euo pipefail -m  # -m: a job in the background still takes SIGINT
bin=$1
work=$(mktemp -d /tmp/bulwarn-signals-XXXXXX)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
for sig in TERM INT HUP; do
  state=$work/$sig
  XDG_STATE_HOME=$state "$bin" 2>"$work/err" &
  pid=$!
  # The first card waits for the player: the recording is on disk by then.
  for _ in $(seq 100); do [ "$(cat "$state"/bulwarn/*.replay 2>/dev/null | wc -l)" -ge 2 ] && break; sleep 0.1; done
  sleep 0.5
  kill -"$sig" "$pid"
  rc=0; wait "$pid" || rc=$?
  file=$(echo "$state"/bulwarn/*.replay)
  last=$(tail -1 "$file")
  if [ "$rc" -ne 0 ] || ! [[ $last =~ ^[0-9]+\ end\ SIG$sig$ ]] || ! "$bin" --replay "$file" >/dev/null 2>&1; then
    echo "SIG$sig: exit $rc, last line '$last'"; cat "$work/err"; exit 1
  fi
  echo "ok: SIG$sig, exit 0, '$last'"
done
