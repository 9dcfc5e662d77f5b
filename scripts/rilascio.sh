#!/usr/bin/env bash
# Sets up, builds and packs the program folder as a release archive:
# dist/Quadrivela-<versione>-linux-x86_64.tar.xz, holding the folder Quadrivela/
# with the program, the Qt it carries, the guide, the launchers and a new
# password store with the initial password; none of the user's data.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/comune.sh
bash scripts/setup.sh
bash scripts/build.sh
nome="Quadrivela-$(versione_progetto)-linux-x86_64.tar.xz"
impacchetta "$nome" Quadrivela/{quadrivela,qv_fotocamera.so,Guida.pdf,qt.conf,avvia.sh,registra-menu.sh,icone,lib,plugins,translations}
echo "dist/$nome: $(du -h "dist/$nome" | cut -f1) (cartella: $cartella_impacchettata)"
