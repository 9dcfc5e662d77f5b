#!/usr/bin/env bash
# Configures and builds Quadrivela into build/; the program folder is Quadrivela/.
# Building writes only the executable and the shipped files into the program
# folder: archives, settings, photos and the password store stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/comune.sh
lanciatore_ccache
cmake -S . -B build -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build -j"$(nproc)"
