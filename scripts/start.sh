#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Quadrivela and starts it from its
# portable folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec ./Quadrivela/quadrivela
