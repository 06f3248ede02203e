#!/usr/bin/env bash
# The program on a real X server (Xvfb, no window manager) with SDL's disk
# audio driver: the window "Tavrion v2.2" appears with its 488 x 356 client
# area and writes tavrion.wav at once, a click and typed text rewrite the
# file, a click on Stimulate leaves the train's frames in the driver's file,
# About opens a dialog that Enter closes, the progress bar grows in
# screenshots during a long write, and Alt+F4 ends the program with status
# 0. Without a display the program says so in one line and fails. Without a
# sound output (no-sound) a click on Stimulate shows a message box, Enter
# closes it, and the program goes on.
#
#   tavrion_window_test.sh TAVRION window [SCREENSHOT_DIR]
#   tavrion_window_test.sh TAVRION no-sound
#   tavrion_window_test.sh TAVRION no-display
set -euo pipefail
# shellcheck source=/dev/null
source "$(dirname "$0")/../../support/desktop_test.sh"

program=$1
mode=$2
shots=${3:-.}

fail() {
  echo "FAIL: $*" >&2
  [ -n "${work:-}" ] && [ -f "$work/tavrion.err" ] && { echo "-- stderr:" >&2; cat "$work/tavrion.err" >&2; }
  exit 1
}

if [ "$mode" = no-display ]; then
  refuses_without_display "$program"
  exit 0
fi

needs_tools Xvfb xdotool xwininfo cmp

open_desktop
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw
if [ "$mode" = no-sound ]; then export SDL_AUDIODRIVER=nosuchdriver; fi

mkdir "$work/run"
(cd "$work/run" && exec "$program" 2> "$work/tavrion.err") &
program_pid=$!

# Waits up to five seconds for the file to have `size` bytes.
expect_size() {
  for _ in $(seq 50); do
    [ -f "$work/run/tavrion.wav" ] && [ "$(stat -c %s "$work/run/tavrion.wav")" = "$1" ] && return 0
    kill -0 "$program_pid" 2> /dev/null || fail "the program ended while waiting for $1 bytes"
    sleep 0.1
  done
  fail "tavrion.wav is not $1 bytes but $(stat -c %s "$work/run/tavrion.wav" 2> /dev/null || echo missing)"
}

window=$(timeout 10 xdotool search --sync --name '^Tavrion v2\.2$' | head -n1)
[ -n "$window" ] || fail "no window"
info=$(xwininfo -id "$window")
field() { printf '%s\n' "$info" | sed -n "s/^ *$1: *//p"; }
[ "$(field Width)x$(field Height)" = 488x356 ] || fail "client area $(field Width)x$(field Height)"
x=$(field 'Absolute upper-left X')
y=$(field 'Absolute upper-left Y')
expect_size 2984

# Waits up to five seconds for a window captioned "Tavrion" (a message box or
# About) to be shown, or with `gone` to be gone.
dialog() {
  for _ in $(seq 50); do
    if xdotool search --onlyvisible --name '^Tavrion$' > /dev/null; then
      [ "${1:-}" = gone ] || return 0
    else
      [ "${1:-}" = gone ] && return 0
    fi
    kill -0 "$program_pid" 2> /dev/null || fail "the program ended while waiting for a dialog"
    sleep 0.1
  done
  return 1
}

# Alt+F4 ends the program with status 0.
close_program() {
  xdotool key alt+F4
  ends_with_status_0 "$program_pid" Alt+F4
  program_pid=
}

# Stimulate lies at 320,90, 161 x 25.
stimulate() { xdotool mousemove $((x + 400)) $((y + 102)) click 1; }

if [ "$mode" = no-sound ]; then
  stimulate
  dialog || fail "no message box after Stimulate without a sound output"
  xdotool key Return
  dialog gone || fail "Enter did not close the message box"
  # The program goes on: the working file is still there, and About opens.
  [ "$(stat -c %s "$work/run/tavrion.wav")" = 2984 ] || fail "the working file changed"
  xdotool mousemove $((x + 458)) $((y + 340)) click 1
  dialog || fail "no About dialog after the message box"
  xdotool key Return
  dialog gone || fail "Enter did not close the About dialog"
  close_program
  echo "no sound output: Stimulate showed a message box, Enter closed it, the program went on"
  exit 0
fi

# Edit1 lies at 168,8, 65 x 21: its text replaced by 50 pulses/s gives five
# periods of 882 frames.
xdotool mousemove $((x + 200)) $((y + 18)) click 1
xdotool key End BackSpace BackSpace BackSpace
xdotool type --delay 30 "50"
expect_size $((44 + 5 * 882 * 4))
cp "$work/run/tavrion.wav" "$work/train.wav"

# About (438,328, 41 x 25) opens a dialog captioned with the title; Enter
# closes it, and the keyboard is the main window's again (Alt+F4 below).
xdotool mousemove $((x + 458)) $((y + 340)) click 1
dialog || fail "no About dialog"
xdotool key Return
dialog gone || fail "Enter did not close the About dialog"

# The device is opened for the sound; it may give a buffer of silence before
# the sound reaches it, and then the train's frames follow (its first byte,
# the pulse's, is not 0).
stimulate
frames=$((5 * 882 * 4))
first=
for _ in $(seq 100); do
  if [ -f "$work/audio.raw" ]; then
    first=$(cmp "$work/audio.raw" /dev/zero 2> /dev/null | sed -n 's/.* byte \([0-9]*\),.*/\1/p' || true)
    [ -n "$first" ] && [ "$(stat -c %s "$work/audio.raw")" -ge $((first - 1 + frames)) ] && break
  fi
  sleep 0.1
done
[ -n "$first" ] || fail "nothing but silence reached the sound driver"
cmp -n $frames <(tail -c +45 "$work/train.wav") <(tail -c +"$first" "$work/audio.raw") ||
  fail "the driver's file does not hold the train after its silence"


# ProgressBar1 lies at 336,328, 97 x 22; its blocks grow along its middle
# row from 338 to 430, and 337 always shows its background.
bar_fill() {
  local -a pixels
  read -ra pixels <<< "$(row_pixels "$1" 339 337 94)"
  local filled=0 pixel
  for pixel in "${pixels[@]:1}"; do [ "$pixel" != "${pixels[0]}" ] && filled=$((filled + 1)); done
  echo "$filled"
}

# A train of 882 MB (1 pulse/s, 5000 pulses; Edit3 lies at 168,56) takes a
# while to write. Screenshots taken meanwhile find the bar growing, and the
# window, unmapped and mapped again, shows its picture at once, not black.
xdotool mousemove $((x + 200)) $((y + 18)) click 1
xdotool key End BackSpace BackSpace
xdotool type --delay 30 "1"
expect_size $((44 + 5 * 44100 * 4))
xdotool mousemove $((x + 200)) $((y + 66)) click 1
xdotool key End BackSpace
medium=$((44 + 500 * 44100 * 4))
long=$((44 + 5000 * 44100 * 4))
xdotool type --delay 30 "500"
expect_size $medium
(
  while [ ! -f "$work/written" ]; do
    xwd -id "$window" -silent -out "$work/shot.xwd" 2> /dev/null && bar_fill "$work/shot.xwd"
  done > "$work/fills"
) &
shooter_pid=$!
xdotool type "0"
for _ in $(seq 300); do
  [ "$(stat -c %s "$work/run/tavrion.wav")" != $medium ] && break
  sleep 0.01
done
xdotool windowunmap --sync "$window" windowmap --sync "$window"
sleep 0.05
xwd -id "$window" -silent -out "$work/exposed.xwd"
exposed="while writing"
[ "$(stat -c %s "$work/run/tavrion.wav")" = $long ] && exposed="after the write"
# Row 323 holds only the form's face, between the group box and Edit4.
black=$(row_pixels "$work/exposed.xwd" 323 0 488 | tr ' ' '\n' | grep -c '^00000000$' || true)
[ "$black" -eq 0 ] || fail "the window mapped again $exposed shows $black black pixels in a row"
for _ in $(seq 300); do
  [ "$(stat -c %s "$work/run/tavrion.wav")" = $long ] && break
  sleep 0.1
done
touch "$work/written"
wait "$shooter_pid"
shooter_pid=
[ "$(stat -c %s "$work/run/tavrion.wav")" = $long ] || fail "the long train was not written"
# The first shots may still show the full bar of the medium train's write.
grown=$(awk 'NR == 1 { before = $1 } $1 != before { started = 1 }
             started && $1 > 0 { if ($1 < last) down = 1; if ($1 != last) n++; last = $1 }
             END { print down ? "shrank" : n + 0 }' "$work/fills")
if [ "$grown" = shrank ] || [ "$grown" -lt 2 ]; then
  fail "the bar did not grow during the write: $(tr '\n' ' ' < "$work/fills")"
fi
# Without a window manager the keyboard went with the unmapped window.
xdotool windowfocus --sync "$window"

mkdir -p "$shots"
xwd -root -silent -out "$shots/tavrion-window.xwd"
if convert -version 2> /dev/null | grep -q ImageMagick; then
  convert "$shots/tavrion-window.xwd" "$shots/tavrion-window.png" && rm "$shots/tavrion-window.xwd"
fi

close_program
echo "window ${x},${y} 488x356; file written, rewritten by typing, played; bar grew across" \
  "$(wc -l < "$work/fills") screenshots, window mapped again $exposed; Alt+F4 ended it"
