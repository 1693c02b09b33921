#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Its folder build/programma is also
# its data folder: profiles and archives are kept there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build -DFALDONE_TESTS=OFF
exec build/programma/faldone
