#!/usr/bin/env bash
# Builds without sanitizers and measures the program's processor use while it waits for the
# archiver during a backup of about 400 MB. Usage: scripts/bench_wait_cpu.sh [build folder]
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$source_dir/build-benchmark}"
cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFALDONE_SANITIZE=OFF -DFALDONE_TESTS=ON >/dev/null
cmake --build "$build" --target wait_cpu_benchmark archivia -j2 >/dev/null
nproc_line="processori: $(nproc)"
echo "$nproc_line"
xvfb-run -a "$build/bench/wait_cpu_benchmark"
