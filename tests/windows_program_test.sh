#!/usr/bin/env bash
# The real toric.exe, unpacked from the zip as a user would, under wine on
# the virtual display: the keys set lens 1 to S-1.25 C-0.50 A180, calculate
# shows the line, and Ctrl+C puts exactly that line on the clipboard (wine's
# clipboard is the X one). Also: --version answers on the console it was
# started from, and an unknown option ends with status 2.
# Usage: windows_program_test.sh ZIP SCRATCH_FOLDER
set -euo pipefail
zip=$1
scratch=$2
expected="Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°"

rm -rf "$scratch"
mkdir -p "$scratch"
unzip -q "$zip" -d "$scratch"
program=$(echo "$scratch"/toric-*-win64/toric.exe)
export WINEPREFIX=$scratch/wine WINEDEBUG=-all
wine=/usr/lib/wine/wine64
# wine's server beside wine64 (Debian 13 puts no wineserver on PATH): it and
# every program of this prefix end with the test.
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT

version=$("$wine" "$program" --version | tr -d '\r')  # a Windows line end
[ "$version" = "toric 1.0.0" ] || { echo "--version said: $version"; exit 1; }
status=0
"$wine" "$program" --no-such-option 2>"$scratch/unknown.txt" || status=$?
[ $status -eq 2 ] || { echo "an unknown option ended with $status"; exit 1; }
grep -q "Unknown option 'no-such-option'" "$scratch/unknown.txt"

"$wine" "$program" &
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Form1$' | head -1)
xdotool windowfocus --sync "$window"
sleep 1  # wine maps the window before Qt takes keys
keys() { for key in "$@"; do xdotool key "$key"; sleep 0.2; done; }
keys Tab Tab Tab Right Right Right Right Right  # sphere -1.25
keys Tab Right Right                            # cylinder -0.50
keys Tab End                                    # axis 180
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return  # calculate
keys ctrl+c
for _ in $(seq 50); do
  copied=$(xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null || true)
  [ "$copied" = "$expected" ] && break
  sleep 0.2
done
import -window "$window" "$scratch/window.png" || true
if [ "$copied" != "$expected" ]; then
  echo "clipboard holds '$copied', expected '$expected' (screenshot: $scratch/window.png)"
  exit 1
fi
echo "toric.exe under wine: $copied"
