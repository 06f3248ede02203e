#!/usr/bin/env bash
# A seeded monkey on the program under Xvfb: clicks, drags, pointer moves,
# keys, digits typed into the number fields, and the boxes that come up
# closed by Enter or Escape. It fails when the program ends, reports a
# sanitizer finding or an X error on standard error, does not repaint within
# five seconds of being shown again, or leaves a working file that differs
# from the one tavrion-wav writes for the texts its fields hold at the end.
#
#   monkey_test.sh TAVRION TAVRION_WAV [SEED|new] [STEPS]
#
# Files are bounded to 16 MiB (ulimit -f, SIGXFSZ ignored, so a longer write
# fails as a full disk would): typed digits may ask for trains of gigabytes.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=/dev/null
source "$here/../../support/desktop_test.sh"

program=$(realpath "$1")
wav_tool=$(realpath "$2")
seed=${3:-1}
steps=${4:-300}
[ "$seed" = new ] && seed=$(($(date +%s%N) % 32768))
replay="$(realpath "$0") $program $wav_tool $seed $steps"
echo "seed $seed; replay with: $replay"

fail() {
  echo "FAIL (seed $seed, step ${step:-0}): $*" >&2
  [ -f "${work:-}/tavrion.err" ] && { echo "-- stderr:" >&2; tail -n 60 "$work/tavrion.err" >&2; }
  echo "replay with: $replay" >&2
  exit 1
}

needs_tools Xvfb xdotool xwininfo xwd xclip cmp

open_desktop
export SDL_AUDIODRIVER=dummy
mkdir "$work/run" "$work/expected"
file_blocks=16384

(
  cd "$work/run"
  ulimit -f $file_blocks
  trap '' XFSZ
  exec "$program" 2> "$work/tavrion.err"
) &
program_pid=$!
main=$(timeout 20 xdotool search --sync --name '^Tavrion v2\.2$' | head -n1 || true)
[ -n "$main" ] || fail "no main window"
window_origin "$main"

# pixel X Y: the colour on the screen at (X, Y), as RRGGBB.
pixel() {
  xwd -root -silent -out "$work/screen.xwd"
  local word
  word=$(row_pixels "$work/screen.xwd" "$2" "$1" 1)
  word=${word// /}
  echo "${word: -6}"
}

# still_well: the program runs and has reported neither an X error nor a
# sanitizer finding.
still_well() {
  kill -0 "$program_pid" 2> /dev/null || fail "the program ended"
  ! grep -q 'X Error\|X server\|Sanitizer\|runtime error:' "$work/tavrion.err" ||
    fail "standard error holds a report"
}

# The form's face at the client area's top-left corner, where no control
# and no centred box lies.
face_at=(3 3)
sleep 1
face=$(pixel $((x + face_at[0])) $((y + face_at[1])))

# repaints: the window, unmapped and mapped again, shows its face within five
# seconds. A delay before playback still lets paint messages through.
repaints() {
  xdotool windowunmap --sync "$main" windowmap --sync "$main"
  # With no window manager the keyboard focus stays lost after the unmap.
  xdotool windowfocus --sync "$main"
  for _ in $(seq 25); do
    [ "$(pixel $((x + face_at[0])) $((y + face_at[1])))" = "$face" ] && return 0
    sleep 0.2
  done
  fail "no repaint within 5 s of being shown again"
}

# close_boxes: Enter or Escape to each box captioned "Tavrion" (a message
# or About), a few at most, as boxes may stack.
close_boxes() {
  for _ in 1 2 3 4; do
    xdotool search --onlyvisible --name '^Tavrion$' > /dev/null || return 0
    if [ $((RANDOM % 2)) -eq 0 ]; then xdotool key Return; else xdotool key Escape; fi
    sleep 0.1
  done
}

# The number fields by their middle (Edit1, Edit2, Edit3, Edit5, Edit9 and
# Edit12) and the values typed into them, within which the pulse stays shorter
# than its period and the train below 4 MB. Now and then a field gets wild
# digits instead. Edit10 (the delay) gets none, or playback could wait hours.
number_fields=("200 18 1 500" "200 42 10 1000" "200 66 1 20" "190 98 4100 48000"
  "76 272 -32768 32767" "76 296 -32768 32767")
keys=(Tab shift+Tab Return Escape BackSpace Delete Left Right Up Down Home End space
  minus a x q)

# at: a point in the client area, off UpDown1 (265,112, 41 x 21), whose
# delay would make the program wait up to a minute before playback, deaf to
# the clicks that read the fields.
at() {
  local px=$((RANDOM % 488)) py=$((RANDOM % 356))
  [ $px -ge 265 ] && [ $px -lt 306 ] && [ $py -ge 112 ] && [ $py -lt 133 ] && py=$((py + 21))
  echo $((x + px)) $((y + py))
}

act() {
  case $((RANDOM % 8)) in
    0 | 1) xdotool mousemove $(at) click 1 ;;
    2) xdotool mousemove $(at) ;;
    3 | 4) xdotool key "${keys[RANDOM % ${#keys[@]}]}" ;;
    5) xdotool mousemove $(at) mousedown 1 mousemove $(at) mouseup 1 ;;
    6 | 7)
      local field=(${number_fields[RANDOM % ${#number_fields[@]}]}) value
      value=$((field[2] + (RANDOM * 32768 + RANDOM) % (field[3] - field[2] + 1)))
      [ $((RANDOM % 8)) -eq 0 ] && value=$RANDOM$RANDOM
      xdotool mousemove $((x + field[0])) $((y + field[1])) click 1 key Home shift+End
      xdotool type --delay 20 -- "$value"
      ;;
  esac
}

# field_text X Y: the text of the edit at (X, Y) of the client area, copied
# by the program to the clipboard; empty when the copy does not come.
field_text() {
  # xclip holds a mark in the clipboard until the program takes it over.
  printf '\n' | xclip -selection clipboard -i > /dev/null 2>&1
  for _ in $(seq 20); do
    [ "$(timeout 1 xclip -selection clipboard -o 2> /dev/null | od -An -c | tr -d ' ')" = '\n' ] && break
    sleep 0.05
  done
  xdotool mousemove $((x + $1)) $((y + $2)) click 1 key Home shift+End ctrl+c
  local text
  for _ in $(seq 20); do
    sleep 0.1
    text=$(timeout 1 xclip -selection clipboard -o 2> /dev/null | od -An -c | tr -d ' ')
    [ "$text" != '\n' ] && break
  done
  [ "$text" != '\n' ] && timeout 1 xclip -selection clipboard -o 2> /dev/null || true
}

options=(--frequency "200 18" --duration "200 42" --count "200 66" --rate "190 98"
  --amplitude "76 272" --zero "76 296" --delay "216 122")
compared=0

# file_matches: the working file is the one tavrion-wav writes for the texts
# the fields hold now (leaving Edit4 confirms its name). Returns 1 when
# tavrion-wav writes none for them.
file_matches() {
  close_boxes
  close_boxes
  local args=() i name status
  for ((i = 0; i < ${#options[@]}; i += 2)); do
    args+=("${options[i]}" "$(field_text ${options[i + 1]})")
  done
  name=$(field_text 208 338)
  field_text 200 18 > /dev/null
  rm -rf "$work/expected" && mkdir "$work/expected"
  set +e
  (
    cd "$work/expected"
    ulimit -f $file_blocks
    trap '' XFSZ
    exec "$wav_tool" "${args[@]}" --output "$name" > /dev/null 2>&1
  )
  status=$?
  set -e
  printf 'step %s, tavrion-wav status %s:' "$step" "$status"
  printf ' %q' "${args[@]}" --output "$name"
  echo
  [ "$status" -eq 0 ] && [ -n "$name" ] || return 1
  cmp "$work/expected/$name" "$work/run/$name" ||
    fail "the working file '$name' differs from tavrion-wav's for the same fields"
  compared=$((compared + 1))
}

# type_valid: a value within its range typed into each number field, the
# delay 0 and, when empty, a file name, as a person setting up a train would.
type_valid() {
  local spec field value
  for spec in "${number_fields[@]}" "216 122 0 0"; do
    field=($spec)
    value=$((field[2] + (RANDOM * 32768 + RANDOM) % (field[3] - field[2] + 1)))
    xdotool mousemove $((x + field[0])) $((y + field[1])) click 1 key Home shift+End
    xdotool type --delay 20 -- "$value"
  done
  [ -n "$(field_text 208 338)" ] || xdotool type --delay 20 monkey.wav
}

# check_file: the fields as the monkey left them, or typed valid when they
# ask for no file.
check_file() {
  file_matches && return 0
  type_valid
  file_matches || fail "typed valid values, yet tavrion-wav writes no file for them"
}

RANDOM=$seed
started=$SECONDS
for step in $(seq "$steps"); do
  act
  [ $((RANDOM % 3)) -eq 0 ] && close_boxes
  if [ $((step % 20)) -eq 0 ]; then
    still_well
    repaints
  fi
  [ $((step % 100)) -eq 50 ] && check_file
done
echo "$steps actions in $((SECONDS - started)) s; $compared working files compared"
still_well

# Alt+F4 ends the program with status 0, and the leak checker finds nothing.
close_boxes
xdotool windowactivate "$main" 2> /dev/null || true
xdotool key alt+F4
ends_with_status_0 "$program_pid" "Alt+F4"
program_pid=
! grep -q 'Sanitizer\|runtime error:' "$work/tavrion.err" || fail "a sanitizer report at exit"
echo "$steps actions from seed $seed: the program stayed up, repainted and ended cleanly"
