#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Quadrivela and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The storage layer once more under AddressSanitizer and UndefinedBehaviorSanitizer:
# a small second build of the core and its storage tests only.
cd ..
cmake -S . -B build-asan -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" >/dev/null
targets=$(cd tests/storage && ls tst_*.cpp | sed 's/^/storage_/; s/\.cpp$//')
cmake --build build-asan -j"$(nproc)" --target $targets
cd build-asan
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest -R '^storage/' --output-on-failure -j2

# The program for Windows: cross-built with MinGW-w64 against a static Qt
# (built once into the cache), its tests run under Wine.
cd ..
bash scripts/windows.sh --test
