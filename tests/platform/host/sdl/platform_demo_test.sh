#!/usr/bin/env bash
# The demo on a real X server (Xvfb, no window manager): the window appears
# where it was asked to at the size asked for, a click on the push button and
# typing into the edit come back as the notifications the demo prints, the
# push button's hint shows without taking the activation, a move from outside
# reaches the program, and Alt+F4 closes it. Without a display the demo says
# so in one line and fails.
#
#   platform_demo_test.sh DEMO window
#   platform_demo_test.sh DEMO no-display
set -euo pipefail
# shellcheck source=/dev/null
source "$(dirname "$0")/../../../support/desktop_test.sh"

demo=$1
mode=$2

fail() {
  echo "FAIL: $*" >&2
  [ -n "${out:-}" ] && [ -f "$out" ] && { echo "-- demo's output:" >&2; cat "$out" >&2; }
  [ -s "${work:-}/demo.err" ] && { echo "-- stderr:" >&2; cat "$work/demo.err" >&2; }
  exit 1
}

if [ "$mode" = no-display ]; then
  refuses_without_display "$demo"
  exit 0
fi

needs_tools Xvfb xdotool xwininfo

open_desktop
out=$work/demo.out
export SDL_AUDIODRIVER=dummy

# The client area asked for, on the screen.
x=120 y=90 width=320 height=240
"$demo" $x $y $width $height > "$out" 2> "$work/demo.err" &
program_pid=$!

# Waits up to five seconds for a line of the demo's output.
expect_line() {
  for _ in $(seq 50); do
    grep -qxF -- "$1" "$out" && return 0
    kill -0 "$program_pid" 2> /dev/null || fail "the demo ended while waiting for '$1'"
    sleep 0.1
  done
  fail "no line '$1'"
}

expect_line READY
window=$(timeout 10 xdotool search --sync --name '^Tavrion platform demo$' | head -n1)
[ -n "$window" ] || fail "no window"
info=$(xwininfo -id "$window")
field() { printf '%s\n' "$info" | sed -n "s/^ *$1: *//p"; }
# With no window manager the SDL window is the client area itself.
[ "$(field 'Absolute upper-left X')" = $x ] || fail "left $(field 'Absolute upper-left X'), not $x"
[ "$(field 'Absolute upper-left Y')" = $y ] || fail "top $(field 'Absolute upper-left Y'), not $y"
[ "$(field Width)" = $width ] || fail "width $(field Width), not $width"
[ "$(field Height)" = $height ] || fail "height $(field Height), not $height"

# The push button (id 1) lies at 240,8 in the client area, 70 x 25. It
# shows a hint, a top-most pop-up of 80 x 20 two pixels below it, which takes
# no focus: the SDL window is one the X server keeps out of any window
# manager's hands, and the dialog stays active.
xdotool mousemove $((x + 275)) $((y + 20)) click 1
expect_line "BN_CLICKED 1"
expect_line "HINT shown"
hint=$(timeout 10 xdotool search --sync --onlyvisible --name '^A hint$' | head -n1)
[ -n "$hint" ] || fail "no hint window"
info=$(xwininfo -id "$hint")
[ "$(field 'Absolute upper-left X')" = $((x + 240)) ] || fail "hint at x $(field 'Absolute upper-left X')"
[ "$(field 'Absolute upper-left Y')" = $((y + 35)) ] || fail "hint at y $(field 'Absolute upper-left Y')"
[ "$(field Width)x$(field Height)" = 80x20 ] || fail "hint $(field Width)x$(field Height)"
[ "$(field 'Override Redirect State')" = yes ] || fail "the hint is left to a window manager"

# The edit lies at 80,10, 150 x 21.
xdotool mousemove $((x + 150)) $((y + 20)) click 1
xdotool type --delay 30 "Hello 42"
expect_line "EN_CHANGE Hello 42"
grep -qx DEACTIVATED "$out" && fail "the dialog lost the activation"

# Moved by someone else (here xdotool, as a window manager would), the
# window tells the program where its client area went.
xdotool windowmove "$window" 200 150
expect_line "WM_MOVE 200 150"

# Alt+F4 closes the window and so ends the program. (Without a window
# manager there is no close box to click.)
xdotool key alt+F4
expect_line WM_CLOSE
ends_with_status_0 "$program_pid" "the window closed"
program_pid=
echo "window at $x,$y ${width}x$height; click, typing and close seen"
