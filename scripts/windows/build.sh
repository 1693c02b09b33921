#!/usr/bin/env bash
# Installs what the Windows build needs, builds the cached dependencies that are missing, and
# cross-builds the program (and, with FALDONE_TESTS=ON among the arguments, its tests) into the
# folder given (default: build-windows). Extra arguments go to cmake.
#   bash scripts/windows/build.sh [build-windows] [-DCMAKE_BUILD_TYPE=Release ...]
set -euo pipefail
cd "$(dirname "$0")/../.."
dir=${1:-build-windows}
shift || true
bash scripts/windows/deps.sh   # runs scripts/windows/setup.sh first
cmake -S . -B "$dir" --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
