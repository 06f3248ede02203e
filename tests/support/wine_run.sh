#!/usr/bin/env bash
# Runs a Windows program under Wine: wine_run.sh PREFIX PROGRAM [ARGS...].
# The prefix is made on first use. The system code page is 1251, the
# program's own, unless TAVRION_WINE_LOCALE names another locale.
set -euo pipefail
prefix=$1
shift
# The programs need neither .NET nor HTML: without the two, a new prefix asks
# to download neither.
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
locale=${TAVRION_WINE_LOCALE:-ru_RU.UTF-8}
# Tests run in parallel: one of them makes the prefix, the others wait.
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    wineboot --init >/dev/null 2>&1 || true
    wineserver --wait
  fi
) 9>"$prefix.lock"
exec env LC_ALL="$locale" wine "$@"
