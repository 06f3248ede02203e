#!/usr/bin/env bash
# tavrion-wav.exe under Wine against the Linux tavrion-wav: for each set of
# arguments both run in a folder of their own and must end with the same
# status, print the same lines and write the same file. With no sound device
# --play and --loop write the file and end with status 3 on both, saying the
# same line first. The preview pictures, written by different PNG writers,
# must have the same header: size, depth and colour type.
#
#   windows_same_bytes.sh LINUX_TAVRION_WAV WINE_RUN PREFIX TAVRION_WAV_EXE
set -euo pipefail

linux=$1
wine_run=$2
prefix=$3
windows=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL [$1]: $2" >&2
  failures=$((failures + 1))
}

# run SIDE FOLDER ARGS...: runs one side in FOLDER, leaving out, err and status there.
run() {
  local side=$1 folder=$2
  shift 2
  mkdir -p "$folder"
  set +e
  if [ "$side" = linux ]; then
    (cd "$folder" && SDL_AUDIODRIVER=nosuchdriver "$linux" "$@" > out 2> err)
  else
    # No sound driver loads, so Wine has no output device.
    (cd "$folder" && WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv=d" \
      "$wine_run" "$prefix" "$windows" "$@" > out 2> err)
  fi
  echo $? > "$folder/status"
  set -e
}

# compare NAME FILE ARGS...: FILE is the file the arguments write, if any.
compare() {
  local name=$1 file=$2
  shift 2
  local l=$work/$name/linux w=$work/$name/windows
  run linux "$l" "$@"
  run windows "$w" "$@"
  [ "$(cat "$l/status")" = "$(cat "$w/status")" ] ||
    fail "$name" "status $(cat "$l/status") on Linux, $(cat "$w/status") on Windows"
  cmp -s "$l/out" "$w/out" || fail "$name" "output '$(cat "$l/out")' / '$(cat "$w/out")'"
  if [[ " $* " == *" --play "* || " $* " == *" --loop "* ]]; then
    # The Linux host adds its own line about the missing device.
    grep -qxF "$(tail -n 1 "$w/err")" "$l/err" || fail "$name" "message '$(cat "$w/err")'"
  else
    cmp -s "$l/err" "$w/err" || fail "$name" "message '$(cat "$l/err")' / '$(cat "$w/err")'"
  fi
  if [ -n "$file" ]; then
    [ -f "$l/$file" ] || fail "$name" "Linux wrote no $file"
    cmp -s "$l/$file" "$w/$file" || fail "$name" "$file differs"
  fi
  echo "$name: status $(cat "$w/status")"
}

compare defaults tavrion.wav
compare train out.wav --frequency 1000 --duration 200 --count 20 --rate 48000 --output out.wav
compare amplitudes out.wav --amplitude -32768 --zero 100 --output out.wav
compare clamped out.wav --amplitude 40000 --zero -40000 --output out.wav
compare hexadecimal out.wav --frequency '$1F4' --count 0x10 --duration x64 --output out.wav
compare one-pulse out.wav --count 1 --duration 1000 --rate 8000 --output out.wav
compare cyrillic-name 'стимул.wav' --output 'стимул.wav'
compare no-device-play out.wav --play --output out.wav
compare no-device-loop out.wav --loop 0.5 --output out.wav
compare zero-frequency '' --frequency 0
compare negative-delay '' --delay -1
compare not-a-number '' --count 12a
compare unknown-option '' --bogus 1
compare missing-value '' --output
compare play-and-loop '' --play --loop 1
compare overlapping-pulses '' --frequency 10000 --duration 200
compare rate-too-high '' --rate 2000000000
compare no-such-folder '' --output missing/out.wav
compare preview out.wav --preview 'картинка.png' --output out.wav
# The header chunk is bytes 8 to 32: length, type, fields and checksum.
cmp -s -n 33 "$work/preview/linux/картинка.png" "$work/preview/windows/картинка.png" ||
  fail preview "the pictures' headers differ"
compare help '' --help
compare version '' --version

[ "$failures" -eq 0 ] || { echo "$failures differences" >&2; exit 1; }
