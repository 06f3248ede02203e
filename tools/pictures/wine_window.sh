#!/usr/bin/env bash
# The main window as the real desktop API draws it: tavrion.exe under Wine in a
# virtual desktop (where Wine draws the frame too) on an Xvfb of its own,
# saved as PNG beside the headless host's docs/main-window.png.
#
#   tools/pictures/wine_window.sh TAVRION_EXE OUT.png
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=/dev/null
source "$here/../../tests/support/desktop_test.sh"
program=$(realpath "$1")
out=$(realpath "$2")

fail() {
  echo "wine_window.sh: $*" >&2
  exit 1
}

needs_tools Xvfb xwininfo xwd xwdtopnm pnmtopng
open_desktop
mkdir "$work/run"
# The program asks for no visual styles (it has no manifest for them), so the
# desktop draws its controls in the classic look; Wine themes them unless told
# not to.
export TAVRION_WINE_CLASSIC=1
(cd "$work/run" && exec "$here/../../tests/support/wine_run.sh" "$work/prefix" \
  explorer /desktop=pictures,1024x768 "$program" > /dev/null 2>&1) &
program_pid=$!
window=
for _ in $(seq 600); do
  window=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Tavrion v2\.2".*/\1/p' | head -n1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window"
# The working file is written and the preview drawn right after the window shows.
sleep 2
xwd -silent -id "$window" | xwdtopnm 2> /dev/null | pnmtopng > "$out"
WINEPREFIX=$work/prefix wineserver -k
echo "wrote $out"
