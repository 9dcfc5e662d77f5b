#!/usr/bin/env bash
# Builds Quadrivela for 64-bit Windows on this Debian machine: one folder,
# Quadrivela-windows/, with quadrivela.exe (Qt linked in), Guida.pdf and the
# initial password store unins000.dll, and a zip of it in dist/. The static Qt
# for Windows is built once from Debian's source into a cache outside the
# repository (scripts/qtwindows.sh) and reused.
# With --test, also runs the Windows tests under Wine: the core and storage
# tests, and quadrivela.exe in a real window, whose files are compared with
# those of the build for this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
. scripts/comune.sh

bash scripts/setup.sh --windows
# The build for this machine provides the tools that make the generated files
# and the program whose files the Windows one must match.
bash scripts/build.sh
PREFIX="$(bash scripts/qtwindows.sh | tail -n1)"
LIBRERIE="$(bash scripts/librerie-windows.sh | tail -n1)"

lanciatore_ccache
"$PREFIX/bin/qt-cmake" -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQV_STRUMENTI="$ROOT/build" -DQV_LIBRERIE_WINDOWS="$LIBRERIE" -DCMAKE_CROSSCOMPILING_EMULATOR=wine "${launcher[@]}" >/dev/null
cmake --build build-windows -j"$(nproc)"

# The zip: the program's own files only, with a new password store (the
# folder above may hold a changed password and the user's data).
zip="dist/Quadrivela-$(versione_progetto)-windows-x86_64.zip"
impacchetta "$(basename "$zip")" Quadrivela-windows/quadrivela.exe Quadrivela-windows/Guida.pdf
echo "Cartella per Windows: $ROOT/Quadrivela-windows ($(du -sh Quadrivela-windows | cut -f1)); archivio: $ROOT/$zip ($(du -h "$zip" | cut -f1))"

if [ "${1:-}" = "--test" ]; then
  # Wine keeps its Windows folder in the cache too; made once.
  export WINEPREFIX="${QV_CACHE:-$HOME/.cache/quadrivela}/wine"
  export WINEDEBUG=-all
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    DISPLAY= wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  cd build-windows
  ctest --output-on-failure -j2
fi
