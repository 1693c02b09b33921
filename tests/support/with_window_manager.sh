#!/usr/bin/env bash
# Runs a command with a window manager on the display, as on a desktop: windows are then mapped,
# placed and given the focus by it, some time after the program asks. Usage: COMMAND ARGS...
set -u
# The manager of a run just before may still be leaving the display: ours takes over from it,
# and starts again if it lost that race and stopped.
start() {
  openbox --sm-disable --replace > /dev/null 2>&1 &
  manager=$!
}
start
trap 'kill "$manager" 2> /dev/null; wait "$manager" 2> /dev/null' EXIT
# Ready once our manager runs and the window the root names as the manager's exists: a manager
# that has gone leaves the root's property behind, naming a window that no longer exists.
ready() {
  local id
  kill -0 "$manager" 2> /dev/null || return 1
  id=$(xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -o '0x[0-9a-f]*') || return 1
  xprop -id "$id" _NET_WM_NAME > /dev/null 2>&1
}
for _ in $(seq 300); do
  ready && break
  kill -0 "$manager" 2> /dev/null || start
  sleep 0.1
done
ready || { echo "il window manager non è partito" >&2; exit 1; }
"$@"
