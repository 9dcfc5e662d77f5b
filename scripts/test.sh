#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Quadrivela and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
