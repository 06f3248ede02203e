#!/usr/bin/env bash
# tavrion.exe under Wine on Xvfb: the window "Tavrion v2.2" appears with its
# 488 x 356 client area and writes tavrion.wav at once, the bytes the Linux
# tavrion-wav writes by default; a click and typed text in the frequency field
# rewrite it as tavrion-wav --frequency 50 writes it; Alt+F4 ends the program
# with status 0. Under a system code page of 1252 the client area shows the
# same pixels as under 1251.
#
#   windows_window_test.sh TAVRION_EXE WINE_RUN PREFIX LINUX_TAVRION_WAV
set -euo pipefail
# shellcheck source=/dev/null
source "$(dirname "$0")/../../support/desktop_test.sh"

program=$1
wine_run=$2
prefix=$3
linux_wav=$4

fail() {
  echo "FAIL: $*" >&2
  [ -n "${work:-}" ] && [ -f "$work/tavrion.err" ] && { echo "-- stderr:" >&2; cat "$work/tavrion.err" >&2; }
  exit 1
}

needs_tools Xvfb xdotool xwininfo xwd cmp
open_desktop
mkdir "$work/run" "$work/linux"
(cd "$work/run" && exec "$wine_run" "$prefix" "$program" 2> "$work/tavrion.err") &
program_pid=$!

# expect_file ARGS...: waits up to ten seconds for tavrion.wav to hold what
# tavrion-wav writes with ARGS.
expect_file() {
  (cd "$work/linux" && "$linux_wav" "$@" > /dev/null)
  for _ in $(seq 100); do
    cmp -s "$work/run/tavrion.wav" "$work/linux/tavrion.wav" && return 0
    kill -0 "$program_pid" 2> /dev/null || fail "the program ended while waiting for the file"
    sleep 0.1
  done
  fail "tavrion.wav is not what tavrion-wav $* writes"
}

# Wine starts slowly the first time in a prefix.
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tavrion v2\.2$' | head -n1 || true)
[ -n "$window" ] || fail "no window"
window_origin "$window"
size=$(xwininfo -id "$window" | sed -n 's/^ *Width: *//p;s/^ *Height: *//p' | paste -sd x)
[ "$size" = 488x356 ] || fail "client area $size"
expect_file

# Edit1 lies at 168,8, 65 x 21.
xdotool mousemove $((x + 200)) $((y + 18)) click 1
xdotool key End BackSpace BackSpace BackSpace
xdotool type --delay 30 "50"
expect_file --frequency 50

xdotool key alt+F4
ends_with_status_0 "$program_pid" Alt+F4
program_pid=

# client_pixels FILE: the window's client area as raw pixels, with the focus
# on Default (no caret blinking) and the pointer off the window (no hint).
client_pixels() {
  xdotool mousemove $((x + 36)) $((y + 95)) click 1 mousemove 0 0
  sleep 1
  xwd -id "$window" -silent | tail -c $((488 * 356 * 4)) > "$1"
  [ "$(stat -c %s "$1")" -eq $((488 * 356 * 4)) ] || fail "no picture of the window"
  # A window not painted yet is one colour: its labels must be there.
  [ "$(od -An -v -tx4 -w4 "$1" | sort -u | wc -l)" -gt 2 ] || fail "the window is not painted"
}

# The same labels under a system code page of 1252 (a Windows set to
# English) as under 1251, the program's own: each in a prefix of its own, as
# a prefix keeps the code page its desktop process started with.
for locale in ru_RU en_US; do
  (cd "$work/run" && TAVRION_WINE_LOCALE=$locale.UTF-8 exec "$wine_run" "$prefix-$locale" "$program" \
    2> "$work/tavrion.err") &
  program_pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tavrion v2\.2$' | head -n1 || true)
  [ -n "$window" ] || fail "no window under $locale"
  window_origin "$window"
  client_pixels "$work/$locale.pixels"
  # How the program ends was checked above: here the prefix's processes go.
  WINEPREFIX=$prefix-$locale wineserver -k
  wait "$program_pid" || true
  program_pid=
done
cmp -s "$work/ru_RU.pixels" "$work/en_US.pixels" || fail "the window differs under code page 1252"
echo "the window showed, wrote the default file and the typed frequency's file, and looks the same under code pages 1251 and 1252"
