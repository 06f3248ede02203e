#!/usr/bin/env bash
# Runs a Windows program under Wine: wine_run.sh PREFIX PROGRAM [ARGS...].
# The prefix is made on first use. The system code page is 1251, the
# program's own, unless TAVRION_WINE_LOCALE names another locale. With
# TAVRION_WINE_CLASSIC set, a new prefix draws without visual styles, the
# classic look our platform draws.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all
locale=${TAVRION_WINE_LOCALE:-ru_RU.UTF-8}
# Tests run in parallel: one of them makes the prefix, the others wait.
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    wineboot --init >/dev/null 2>&1 || true
    if [ -n "${TAVRION_WINE_CLASSIC:-}" ]; then
      wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
        /v ThemeActive /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
    fi
    wineserver --wait
  fi
) 9>"$prefix.lock"
exec env LC_ALL="$locale" wine "$@"
