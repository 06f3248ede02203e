#!/usr/bin/env bash
# The program on Xvfb: the time from its start to its window shown with
# tavrion.wav written, and its resident memory then. Prints the median of
# RUNS starts (default 10) and the largest memory seen.
#
#   bench/window_start.sh build-rel/app/tavrion/tavrion [RUNS]
set -euo pipefail
# shellcheck source=/dev/null
source "$(dirname "$0")/../tests/support/desktop_test.sh"

program=$(realpath "$1")
runs=${2:-10}
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

needs_tools Xvfb xdotool
start_xvfb "$work"
export SDL_AUDIODRIVER=dummy

times=()
rss_max=0
for _ in $(seq "$runs"); do
  rm -f "$work/tavrion.wav"
  start=$(date +%s%N)
  (cd "$work" && exec "$program") &
  pid=$!
  until [ -s "$work/tavrion.wav" ] && xdotool search --onlyvisible --name '^Tavrion v2\.2$' > /dev/null; do
    sleep 0.002
  done
  end=$(date +%s%N)
  times+=($(((end - start) / 1000000)))
  sleep 0.3
  rss=$(sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status")
  [ "$rss" -gt "$rss_max" ] && rss_max=$rss
  kill "$pid"
  wait "$pid" 2> /dev/null || true
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "start to window shown and file written: median ${median} ms over $runs runs (${times[*]})"
echo "resident memory after start: $((rss_max / 1024)) MB ($rss_max kB)"
