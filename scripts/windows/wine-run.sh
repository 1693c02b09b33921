#!/usr/bin/env bash
# Runs one Windows program under wine64 and returns its exit code: the emulator CTest uses for
# cross-built tests. The Wine prefix lives in a scratch folder of its own, one per user, made on
# first use and reused afterwards; Wine's own diagnostics are silenced so that what is printed is
# the program's.
#   wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
if [ ! -x "$wine" ]; then
  echo "Manca wine64: lo installa scripts/windows/deps.sh." >&2
  exit 127
fi

export WINEPREFIX=${FALDONE_WINEPREFIX:-${TMPDIR:-/tmp}/faldone-wine-$(id -u)}
export WINEDEBUG=-all
# No offers to install Mono or Gecko: nothing here needs them, and the offer is a window.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Tests start in parallel: the first one makes the prefix while the others wait for it.
if [ ! -e "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -e "$WINEPREFIX/system.reg" ] || "$wine" wineboot -i >/dev/null 2>&1
  ) 9>"$WINEPREFIX.lock"
fi

# The Wine server stays a minute after its last program ends, so the next test starts in a
# fraction of a second instead of bringing Wine up again; it refuses quietly when it already runs.
# Wine's own services start with the first program of a session and live as long as the server:
# started here, away from the program's output, they hold no test's output open, and CTest does
# not wait a minute after each test for them to let go of it.
server=$(dirname "$wine")/wineserver64
[ -x "$server" ] || server=wineserver
"$server" -p60 </dev/null >/dev/null 2>&1 || true
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true

exec "$wine" "$@"
