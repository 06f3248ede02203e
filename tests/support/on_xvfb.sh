#!/usr/bin/env bash
# on_xvfb.sh COMMAND...: runs the command with DISPLAY set to an Xvfb of its
# own, which ends with it; skipped (77) without Xvfb.
set -euo pipefail
# shellcheck source=/dev/null
source "$(dirname "$0")/desktop_test.sh"
needs_tools Xvfb
work=$(mktemp -d)
xvfb_pid=
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null; rm -rf "$work"' EXIT
start_xvfb "$work" || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
"$@"
