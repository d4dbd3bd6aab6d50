#!/usr/bin/env bash
# Under a Wayland compositor the window's app id names its menu entry, which
# is how GNOME and Plasma match a window to its launcher and icon. Runs the
# program on a headless weston of its own and reads the id from the protocol.
# Usage: wayland_app_id_test.sh PROGRAM
set -euo pipefail
program=$1
expected='set_app_id("org.toriclens.toric")'

scratch=$(mktemp -d)  # owner-only: the compositor's runtime folder
pids=()
# The program ends first, while its compositor still answers: Qt 6.4's
# Wayland client waits for ever on a compositor that has gone.
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$scratch

wait_for() {  # wait_for DESCRIPTION COMMAND...: up to 60 s
  local what=$1
  shift
  for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done
  echo "timed out waiting for $what"
  return 1
}

weston --backend=headless-backend.so --socket=toric-test --idle-time=0 \
  >"$scratch/weston.log" 2>&1 &
pids+=($!)
wait_for "weston" test -S "$scratch/toric-test" || { cat "$scratch/weston.log"; exit 1; }

WAYLAND_DISPLAY=toric-test QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
  "$program" 2>"$scratch/protocol" &
pids+=($!)
wait_for "the window's app id" grep -q set_app_id "$scratch/protocol" ||
  { tail -20 "$scratch/protocol"; exit 1; }

found=$(grep -o 'set_app_id("[^"]*")' "$scratch/protocol" | head -n1)
echo "$found"
[ "$found" = "$expected" ] || { echo "expected $expected"; exit 1; }
