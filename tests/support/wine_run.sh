#!/usr/bin/env bash
# Runs a Windows program under Wine: wine_run.sh PREFIX PROGRAM [ARGS...].
# The prefix is made on first use. The system code page is 1251, the
# program's own, unless TAVRION_WINE_LOCALE names another locale. With
# TAVRION_WINE_DESKTOP=WIDTHxHEIGHT the prefix shows its windows inside a
# desktop window of that size, which Wine manages itself: no window manager
# is asked (nor waited for) when windows show, hide or take the focus. With
# TAVRION_WINE_CLASSIC set, a new prefix draws without visual styles and has
# the classic face "MS Sans Serif" as a desktop has it (Western bitmap), the
# classic look our platform draws.
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
    if [ -n "${TAVRION_WINE_DESKTOP:-}" ]; then
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
        /d "$TAVRION_WINE_DESKTOP" /f >/dev/null 2>&1
    fi
    if [ -n "${TAVRION_WINE_CLASSIC:-}" ]; then
      wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
        /v ThemeActive /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
      cp /usr/share/wine/fonts/sserife.fon "$prefix/drive_c/windows/Fonts/"
    fi
    wineserver --wait
  fi
) 9>"$prefix.lock"
exec env LC_ALL="$locale" wine "$@"
