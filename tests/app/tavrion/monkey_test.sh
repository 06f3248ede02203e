#!/usr/bin/env bash
# A seeded monkey on the program under Xvfb: clicks, drags, pointer moves,
# keys, digits typed into the number fields, and the boxes that come up
# closed by Enter or Escape. It fails when the program ends, reports a
# sanitizer finding or an X error on standard error, does not repaint within
# five seconds of being shown again, or leaves a working file that differs
# from the one tavrion-wav writes for the texts its fields hold at the end.
#
#   monkey_test.sh TAVRION TAVRION_WAV [SEED|new] [STEPS|SECONDSs]
#
# Given as 600s, it acts for that many seconds instead of a number of steps.
# The program's resident memory is printed after start and every 100 steps.
#
# Files are bounded to 4 MiB (ulimit -f, SIGXFSZ ignored, so a longer write
# fails as a full disk would): typed digits may ask for trains of gigabytes.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=/dev/null
source "$here/../../support/desktop_test.sh"

program=$(realpath "$1")
wav_tool=$(realpath "$2")
seed=${3:-1}
steps=${4:-300}
seconds=
[[ $steps == *s ]] && seconds=${steps%s} && steps=
[ "$seed" = new ] && seed=$(($(date +%s%N) % 32768))
replay="$(realpath "$0") $program $wav_tool $seed ${4:-300}"
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
file_blocks=4096

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

# still_well: the program runs and has reported neither an X error nor a
# sanitizer finding.
still_well() {
  kill -0 "$program_pid" 2> /dev/null || fail "the program ended"
  ! grep -q 'X Error\|X server\|Sanitizer\|runtime error:' "$work/tavrion.err" ||
    fail "standard error holds a report"
}

# resident: the program's resident memory in kB.
resident() {
  sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$program_pid/status"
}

# The form's face at the client area's top-left corner, where no control
# and no centred box lies.
face_at=(3 3)
sleep 1
face=$(screen_pixel $((x + face_at[0])) $((y + face_at[1])))
echo "resident memory after start: $(resident) kB"

# repaints: the window, unmapped and mapped again, shows its face within five
# seconds. A delay before playback still lets paint messages through.
repaints() {
  xdotool windowunmap --sync "$main" windowmap --sync "$main"
  # With no window manager the keyboard focus stays lost after the unmap.
  xdotool windowfocus --sync "$main"
  for _ in $(seq 25); do
    [ "$(screen_pixel $((x + face_at[0])) $((y + face_at[1])))" = "$face" ] && return 0
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

# main_thread: where the program's main thread waits (the kernel function,
# 0 while it runs) and the processor time it has used, in clock ticks.
main_thread() {
  local stat
  stat=$(< "/proc/$program_pid/task/$program_pid/stat")
  stat=${stat##*) }
  set -- $stat
  echo "$(< "/proc/$program_pid/task/$program_pid/wchan") $((${12} + ${13}))"
}

# idle_tick: after 0.1 s, counts in `idle` the rounds in a row the program's
# main thread has spent polling for events, using no processor time. Waiting
# for another thread (a sound being stopped) or for the disk does not count:
# input is held meanwhile and acted on after.
idle=0
last_state=
idle_tick() {
  sleep 0.1
  local now
  now=$(main_thread)
  if [ "$now" = "$last_state" ] && [[ ${now%% *} == *poll* ]]; then
    idle=$((idle + 1))
  else
    idle=0
  fi
  last_state=$now
}

# A wild value may ask for a train of hundreds of megabytes, which an
# unoptimised build with sanitizers takes minutes to write: MONKEY_BUSY_SECONDS
# says how long the program may stay busy (30 s by default).
busy_seconds=${MONKEY_BUSY_SECONDS:-30}

# settle: waits until the program has been idle for 0.3 s with no box up,
# closing the boxes that come. A train the fields ask for may take a while to
# write or to fail, and a refusal's box comes only then: keys sent before it
# would go to the box, and the clipboard is not served meanwhile.
settle() {
  local rounds=0
  idle=0
  last_state=$(main_thread)
  while [ $idle -lt 3 ]; do
    rounds=$((rounds + 1))
    [ $rounds -le $((busy_seconds * 10)) ] ||
      fail "the program is busy or keeps a box up for $busy_seconds s"
    if xdotool search --onlyvisible --name '^Tavrion$' > /dev/null; then
      # Not Enter: one that comes after the box has gone would press the
      # focused button.
      xdotool key Escape
      sleep 0.1
      idle=0
    else
      idle_tick
    fi
  done
}

# The number fields by their middle (Edit1, Edit2, Edit3, Edit5, Edit9 and
# Edit12) and the values typed into them, within which the pulse stays shorter
# than its period and the train below 4 MB. Now and then a field gets wild
# digits instead. Edit10 (the delay) gets none, or playback could wait hours.
number_fields=("200 18 1 500" "200 42 100 1000" "200 66 1 20" "190 98 10000 48000"
  "76 272 -32768 32767" "76 296 -32768 32767")
# Up and Down are left out: in the delay's field they would arm a wait before
# playback, deaf to the keys that copy the fields out.
keys=(Tab shift+Tab Return Escape BackSpace Delete Left Right Home End space minus a x q)

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

# read_clipboard: what the clipboard holds, exactly, in `clip`.
read_clipboard() {
  clip=$(timeout 1 xclip -selection clipboard -o 2> /dev/null; echo .)
  clip=${clip%.}
}

# field_text X Y: the text of the edit at (X, Y) of the client area, copied
# by the program to the clipboard.
field_text() {
  # A mark no single-line edit holds, kept by xclip until the program takes
  # the clipboard over. An empty field copies nothing and leaves it.
  printf '\n' | xclip -selection clipboard -i > /dev/null 2>&1
  for _ in $(seq 20); do
    read_clipboard
    [ "$clip" = $'\n' ] && break
    sleep 0.05
  done
  xdotool mousemove $((x + $1)) $((y + $2)) click 1 key Home shift+End ctrl+c
  idle=0
  last_state=$(main_thread)
  for _ in $(seq 30); do
    idle_tick
    read_clipboard
    [ "$clip" != $'\n' ] && break
    [ $idle -lt 3 ] || break
  done
  [ "$clip" = $'\n' ] || printf '%s' "$clip"
}

options=(--frequency "200 18" --duration "200 42" --count "200 66" --rate "190 98"
  --amplitude "76 272" --zero "76 296" --delay "216 122")
compared=0

# rerun FREQUENCY: the program's recalculation run for the texts the fields
# hold now, by clearing the frequency (stopped without a word) and pasting
# FREQUENCY back. The working file keeps the last accepted train: a field that
# stopped the last run, the delay since made readable again (which runs
# nothing), would leave it older than the fields.
rerun() {
  xdotool mousemove $((x + 200)) $((y + 18)) click 1 key Home shift+End BackSpace
  settle
  paste 200 18 "$1"
}

# file_matches: the working file is the one tavrion-wav writes for the texts
# the fields hold now. Returns 1 when tavrion-wav writes none for them.
file_matches() {
  settle
  # Leaving the file name confirms it.
  xdotool mousemove $((x + 200)) $((y + 18)) click 1
  settle
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
  rerun "${args[1]}"
  cmp "$work/expected/$name" "$work/run/$name" ||
    fail "the working file '$name' differs from tavrion-wav's for the same fields"
  compared=$((compared + 1))
}

# paste X Y TEXT: TEXT pasted over the whole of the edit at (X, Y), so that
# the field changes once, from its old text to TEXT, and the box a refusal of
# that value may show is closed. Leaving the file name confirms it, which may
# bring a box too.
paste() {
  printf '%s' "$3" | xclip -selection clipboard -i > /dev/null 2>&1
  xdotool mousemove $((x + $1)) $((y + $2)) click 1
  settle
  xdotool key Home shift+End ctrl+v
  settle
}

# type_valid: the delay 0, a value within its range pasted into each number
# field and, when empty, a file name, as a person setting up a train would.
# Typed digit by digit, a value passes through others that may be refused,
# and the box that says so would take the digits after them.
type_valid() {
  local spec field
  for spec in "216 122 0 0" "${number_fields[@]}"; do
    field=($spec)
    paste "${field[0]}" "${field[1]}" \
      $((field[2] + (RANDOM * 32768 + RANDOM) % (field[3] - field[2] + 1)))
  done
  [ -n "$(field_text 208 338)" ] || paste 208 338 monkey.wav
}

# check_file: the fields as the monkey left them, or typed valid when they
# ask for no file.
check_file() {
  file_matches && return 0
  type_valid
  file_matches || fail "valid values entered, yet tavrion-wav writes no file for them"
}

RANDOM=$seed
started=$SECONDS
for ((step = 1; ; step++)); do
  if [ -n "$seconds" ]; then
    [ $((SECONDS - started)) -lt "$seconds" ] || break
  else
    [ "$step" -le "$steps" ] || break
  fi
  act
  [ $((RANDOM % 3)) -eq 0 ] && close_boxes
  if [ $((step % 20)) -eq 0 ]; then
    still_well
    repaints
  fi
  [ $((step % 100)) -eq 50 ] && check_file
  [ $((step % 100)) -eq 0 ] && echo "step $step, $((SECONDS - started)) s: resident $(resident) kB"
done
steps=$((step - 1))
echo "$steps actions in $((SECONDS - started)) s; $compared working files compared; resident $(resident) kB"
still_well

# Alt+F4 ends the program with status 0, and the leak checker finds nothing.
close_boxes
xdotool windowactivate "$main" 2> /dev/null || true
xdotool key alt+F4
ends_with_status_0 "$program_pid" "Alt+F4"
program_pid=
! grep -q 'Sanitizer\|runtime error:' "$work/tavrion.err" || fail "a sanitizer report at exit"
echo "$steps actions from seed $seed: the program stayed up, repainted and ended cleanly"
