#!/usr/bin/env bash
# Sets up, builds and packs the program folder as a release archive:
# dist/Quadrivela-<versione>-linux-x86_64.tar.xz, holding the folder Quadrivela/
# with the program, the Qt it carries, the guide, the launchers and a new
# password store with the initial password; none of the user's data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
versione=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
nome="Quadrivela-$versione-linux-x86_64"
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
mkdir -p "$lavoro/Quadrivela" dist
for f in quadrivela qv_fotocamera.so Guida.pdf qt.conf avvia.sh registra-menu.sh icone lib plugins translations; do
  cp -a "Quadrivela/$f" "$lavoro/Quadrivela/"
done
build/src/qv_creastore "$lavoro/Quadrivela/unins000.dll"
tar -C "$lavoro" --owner=0 --group=0 --sort=name -cf - Quadrivela | xz -T0 -9 >"dist/$nome.tar.xz.nuovo"
mv "dist/$nome.tar.xz.nuovo" "dist/$nome.tar.xz"
echo "dist/$nome.tar.xz: $(du -h "dist/$nome.tar.xz" | cut -f1) (cartella: $(du -sh "$lavoro/Quadrivela" | cut -f1))"
