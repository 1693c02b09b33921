#!/usr/bin/env bash
# Runs a command with a window manager on the display, as on a desktop: windows are then mapped,
# placed and given the focus by it, some time after the program asks. Usage: COMMAND ARGS...
set -u
openbox --sm-disable > /dev/null 2>&1 &
manager=$!
trap 'kill "$manager" 2> /dev/null' EXIT
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id' || { echo "il window manager non è partito" >&2; exit 1; }
"$@"
