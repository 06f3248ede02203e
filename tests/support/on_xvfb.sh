#!/usr/bin/env bash
# on_xvfb.sh COMMAND...: runs the command with DISPLAY set to an Xvfb of its
# own, which ends with it; skipped (77) without Xvfb.
set -euo pipefail
# shellcheck source=/dev/null
source "$(dirname "$0")/desktop_test.sh"
needs_tools Xvfb
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
open_desktop
"$@"
