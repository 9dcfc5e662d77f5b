#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Quadrivela, registers it in the
# desktop's application menu for the user who runs this (the entry is
# replaced, never added twice) and starts it from its portable folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
bash Quadrivela/registra-menu.sh || echo "Quadrivela: registrazione nel menu delle applicazioni non riuscita." >&2
exec ./Quadrivela/quadrivela
