#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and
# runs every test under a virtual display (some tests open real windows).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build-test -DFALDONE_SANITIZE=ON -DFALDONE_TESTS=ON
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build-test --output-on-failure
