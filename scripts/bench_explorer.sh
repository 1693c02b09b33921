#!/usr/bin/env bash
# Times the explorer window: building the folder tree of "/" (which must not read ahead into
# /proc, /sys, /dev or /run) and filling the file list from folders of 10,000 and 100,000 files,
# in the details view and the big icons view. Each figure is the best and the median of 5 runs,
# the machine being shared. Builds nothing: pass the built benchmark (default
# build/bench/explorer_bench), preferably from a release build without sanitizers. Needs a
# display; without one it runs under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."

bench=$(realpath "${1:-build/bench/explorer_bench}")
[ -x "$bench" ] || { echo "explorer_bench non trovato: $bench" >&2; exit 1; }

echo "explorer_bench: $bench"
echo "machine: $(nproc) cores, $(uname -r), /tmp on $(df -T /tmp | awk 'NR==2 { print $2 }')"
if [ -n "${DISPLAY:-}" ]; then
  "$bench"
else
  command -v xvfb-run >/dev/null || { echo "manca xvfb-run" >&2; exit 1; }
  xvfb-run -a "$bench"
fi
