# Sourced by the scripts that run a program on a real X server. They define
# fail() before calling these.

# refuses_without_display PROGRAM: the program, started without a display,
# ends with a status other than 0 after one line that says so.
refuses_without_display() {
  local said status
  set +e
  said=$(cd "$(mktemp -d)" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$1" 2>&1)
  status=$?
  set -e
  [ "$status" -ne 0 ] || fail "exit status 0 without a display"
  [ "$(printf '%s\n' "$said" | wc -l)" -eq 1 ] || fail "more than one line: $said"
  [[ "$said" == *"no display"* ]] || fail "no reason given: $said"
  echo "no display: '$said', status $status"
}

# ends_with_status_0 PID WHAT: waits up to five seconds for the program to
# end after WHAT (e.g. "Alt+F4") and fails unless its exit status is 0.
ends_with_status_0() {
  local status
  for _ in $(seq 50); do
    kill -0 "$1" 2> /dev/null || break
    sleep 0.1
  done
  kill -0 "$1" 2> /dev/null && fail "still running after $2"
  set +e
  wait "$1"
  status=$?
  set -e
  [ "$status" -eq 0 ] || fail "exit status $status after $2"
}

# needs_tools TOOL...: ends the script as skipped (77) when one is missing.
needs_tools() {
  for tool in "$@"; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

# start_xvfb WORK: starts Xvfb on a free display number (1024 x 768, 24 bits),
# which it writes to WORK/display, sets xvfb_pid and exports DISPLAY; returns
# 1, with the server's words on standard error, when it does not start. It
# returns once a client (xwininfo) gets in: the server names its display some
# 100 ms before it takes connections, and a client that comes too early is
# turned away.
start_xvfb() {
  local work=$1
  exec 3> "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset > "$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  if [ ! -s "$work/display" ]; then
    cat "$work/xvfb.log" >&2
    return 1
  fi
  DISPLAY=:$(head -n1 "$work/display")
  export DISPLAY
  for _ in $(seq 50); do
    xwininfo -root > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb on $DISPLAY takes no connections" >&2
  cat "$work/xvfb.log" >&2
  return 1
}

# window_origin WINDOW: sets x and y to the window's top-left on the screen.
window_origin() {
  local info
  info=$(xwininfo -id "$1")
  x=$(printf '%s\n' "$info" | sed -n 's/^ *Absolute upper-left X: *//p')
  y=$(printf '%s\n' "$info" | sed -n 's/^ *Absolute upper-left Y: *//p')
}

# wait_gone NAME [TENTHS]: waits (two seconds unless told) until no shown
# window is named NAME; returns 1 if one still is.
wait_gone() {
  for _ in $(seq "${2:-20}"); do
    xdotool search --onlyvisible --name "$1" > /dev/null || return 0
    sleep 0.1
  done
  return 1
}

# row_pixels SHOT Y X N: N pixels of row Y from X on, as hex words, in an
# xwd screenshot (of a window, or of the whole screen with -root).
row_pixels() {
  local -a h
  read -ra h <<< "$(od -An -v -tu4 --endian=big -N 100 "$1" | tr '\n' ' ')"
  # The header's size, its colours (12 bytes each), then rows of 32-bit pixels.
  local endian=little
  [ "${h[7]}" = 1 ] && endian=big
  od -An -v -tx4 --endian=$endian -j $((h[0] + h[19] * 12 + $2 * h[12] + $3 * 4)) -N $(($4 * 4)) "$1" |
    tr '\n' ' '
}

# screen_pixel X Y: the colour on the screen at (X, Y), as RRGGBB; the
# screenshot goes to the scratch folder $work.
screen_pixel() {
  xwd -root -silent -out "$work/screen.xwd"
  local word
  word=$(row_pixels "$work/screen.xwd" "$2" "$1" 1)
  word=${word// /}
  echo "${word: -6}" | tr a-f A-F
}

# open_desktop: a scratch folder $work and an Xvfb on a free display
# ($DISPLAY, with SDL told to use it), both gone when the script ends, as are
# the processes whose ids the script keeps in $program_pid and $shooter_pid.
open_desktop() {
  work=$(mktemp -d)
  xvfb_pid=
  program_pid=
  shooter_pid=
  trap close_desktop EXIT
  start_xvfb "$work" || fail "Xvfb did not start"
  export SDL_VIDEODRIVER=x11
}

close_desktop() {
  local pid
  for pid in "$shooter_pid" "$program_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2> /dev/null || true
  done
  rm -rf "$work"
}
