#!/usr/bin/env bash
# The program's resident memory over long use: the seeded monkey drives a
# release build for MINUTES (default 10) on Xvfb, and the resident memory
# after start and every 100 actions is printed, then the first and the last.
#
#   bench/long_use_memory.sh build/app/tavrion/tavrion build/app/tavrion-wav/tavrion-wav [MINUTES] [SEED]
set -euo pipefail
program=$1
wav_tool=$2
minutes=${3:-10}
seed=${4:-1}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$(dirname "$0")/../tests/app/tavrion/monkey_test.sh" "$program" "$wav_tool" "$seed" \
  "$((minutes * 60))s" | tee "$log" | grep 'resident'
start=$(sed -n 's/.*after start: \([0-9]*\) kB.*/\1/p' "$log")
end=$(sed -n 's/.*resident \([0-9]*\) kB.*/\1/p' "$log" | tail -n1)
awk -v s="$start" -v e="$end" -v m="$minutes" \
  'BEGIN { printf "resident memory after start: %.1f MB; after %s minutes of the monkey: %.1f MB\n", s / 1024, m, e / 1024 }'
