#!/usr/bin/env bash
# The program on a real X server (Xvfb, no window manager) as a person meets
# it: dialogs opened and closed many times, a message box at start-up, the
# hint under the pointer. The program must stay up and its standard error
# hold no X error. (monkey_test.sh runs seeded random input.)
#
#   desktop_session_test.sh TAVRION about-loop [ROUNDS]
#   desktop_session_test.sh TAVRION startup-box
#   desktop_session_test.sh TAVRION hint
set -euo pipefail
# shellcheck source=/dev/null
source "$(dirname "$0")/../../support/desktop_test.sh"

program=$(realpath "$1")
mode=$2

fail() {
  echo "FAIL: $*" >&2
  [ -f "${work:-}/tavrion.err" ] && { echo "-- stderr:" >&2; cat "$work/tavrion.err" >&2; }
  exit 1
}

needs_tools Xvfb xdotool xwininfo xwd

open_desktop
chmod 755 "$work"
export SDL_AUDIODRIVER=dummy
mkdir "$work/run"

# start [USER]: the program in $work/run, as USER when given. Another user
# runs a copy in $work, as the build's folders may be closed to it, and
# without the leak checker, whose suppressions may be too.
start() {
  local as=()
  if [ -n "${1:-}" ]; then
    cp "$program" "$work/tavrion"
    program=$work/tavrion
    as=(runuser -u "$1" -- env ASAN_OPTIONS=detect_leaks=0 LSAN_OPTIONS=)
  fi
  (cd "$work/run" && exec "${as[@]}" "$program" 2> "$work/tavrion.err") &
  program_pid=$!
  main=$(timeout 10 xdotool search --sync --name '^Tavrion v2\.2$' | head -n1 || true)
  [ -n "$main" ] || fail "no main window"
  window_origin "$main"
}

# still_well: the program runs and has reported no X error.
still_well() {
  kill -0 "$program_pid" 2> /dev/null || fail "the program ended"
  ! grep -q 'X Error\|X server' "$work/tavrion.err" || fail "an X error was reported"
}

# The About box, closed by Escape or Enter at once, over and over, with the
# pointer on the box and now and then resting on Default, whose hint's
# mouse watcher then wakes the program from another thread.
about_loop() {
  local rounds=$1 key box
  start
  for round in $(seq "$rounds"); do
    xdotool mousemove $((x + 458)) $((y + 340)) click 1
    box=$(timeout 5 xdotool search --sync --onlyvisible --name '^Tavrion$' | head -n1 || true)
    [ -n "$box" ] || fail "round $round: no About box"
    window_origin "$box"
    xdotool mousemove $((x + 20)) $((y + 20))
    key=Escape
    [ $((round % 2)) -eq 0 ] && key=Return
    xdotool key $key
    wait_gone '^Tavrion$' || fail "round $round: $key to a fresh box was ignored"
    window_origin "$main"
    if [ $((round % 3)) -eq 0 ]; then
      xdotool mousemove $((x + 30)) $((y + 94))
      sleep 0.6
    fi
    still_well
  done
  sleep 2
  still_well
  echo "$rounds rounds of About; the program is up and reported no X error"
}

# A folder it may not write: the box "Can't create file: tavrion.wav" shows
# at start-up, above the main window, which is painted behind it.
startup_box() {
  local user=
  if [ "$(id -u)" -eq 0 ]; then
    user=nobody
  else
    chmod a-w "$work/run"
  fi
  start $user
  local box
  box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tavrion$' | head -n1 || true)
  [ -n "$box" ] || fail "no message box at start-up"
  sleep 0.5
  # The root's children are listed top first.
  local order
  order=$(xwininfo -root -children | grep -o '0x[0-9a-f]*' | tr '\n' ' ')
  local main_hex box_hex
  main_hex=$(printf '0x%x' "$main")
  box_hex=$(printf '0x%x' "$box")
  [[ "$order" == *"$box_hex "*"$main_hex "* ]] || fail "the box is not above the main window"
  # Edit1's white field, the form's face left of Label1 and the group box's
  # face below Image1, all outside the box.
  local at
  for at in "200 18" "20 12" "300 300"; do
    set -- $at
    [ "$(screen_pixel $((x + $1)) $((y + $2)))" != 000000 ] || fail "the main window is black at $at"
  done
  [ "$(screen_pixel $((x + 200)) $((y + 18)))" = FFFFFF ] || fail "Edit1 is not painted"
  xdotool key Return
  wait_gone '^Tavrion$' || fail "Enter did not close the box"
  still_well
  echo "the start-up box stands above the painted main window"
}

# hint_at PX PY: the hint "Reset to default values" appears with its
# top-left 19 pixels below the pointer at (PX, PY): the arrow's height.
hint_at() {
  xdotool mousemove $(($1 - 3)) $(($2 - 4))
  sleep 0.2
  xdotool mousemove "$1" "$2"
  local hint
  hint=$(timeout 5 xdotool search --sync --onlyvisible --name '^Reset to default values$' | head -n1 || true)
  [ -n "$hint" ] || fail "no hint for the pointer at $1,$2"
  local px=$x py=$y
  window_origin "$hint"
  [ "$x,$y" = "$1,$(($2 + 19))" ] || fail "the hint is at $x,$y for the pointer at $1,$2"
  x=$px
  y=$py
}

# Default lies at 12,82, 49 x 25.
hint() {
  start
  hint_at $((x + 33)) $((y + 94))
  xdotool mousemove $((x + 200)) $((y + 18)) click 1
  sleep 0.3
  hint_at $((x + 22)) $((y + 90))
  still_well
  echo "the hint follows the pointer, with and without a click before"
}

case $mode in
  about-loop) about_loop "${3:-150}" ;;
  startup-box) startup_box ;;
  hint) hint ;;
  *) fail "unknown mode $mode" ;;
esac
