#!/usr/bin/env bash
# Installs what is missing, builds the Linux program with AddressSanitizer and
# UndefinedBehaviorSanitizer and cross-builds the Windows one (the first run also builds the
# cached Windows libraries), then runs every test under a virtual display (some tests open real
# windows): the Linux tests, which also exchange archives with the Windows archiver under Wine,
# then the Windows tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
display=(xvfb-run -a -s "-screen 0 1280x1024x24")

bash scripts/setup.sh
bash scripts/build.sh build-test -DFALDONE_SANITIZE=ON -DFALDONE_TESTS=ON
bash scripts/windows/build.sh build-windows-test -DFALDONE_TESTS=ON

FALDONE_WINDOWS_ARCHIVIA=$PWD/build-windows-test/programma/archivia.exe \
  "${display[@]}" ctest --test-dir build-test --output-on-failure
# A test that waits for good under Wine fails after ten minutes instead of holding CI.
"${display[@]}" ctest --test-dir build-windows-test --output-on-failure --timeout 600
