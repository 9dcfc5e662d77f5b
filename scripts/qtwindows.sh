#!/usr/bin/env bash
# Builds, once, a static Qt 6.4.2 (qtbase) for 64-bit Windows from Debian's
# own source package, with Debian's MinGW-w64, into a cache outside the
# repository. A finished build with the same recipe is reused as it is.
# Prints the installed prefix on its last line.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/comune.sh"
CACHE="${QV_CACHE:-$HOME/.cache/quadrivela}/qt-windows"
VERSIONE_DEB="6.4.2+dfsg"
ORIG="qt6-base_${VERSIONE_DEB}.orig.tar.xz"
PREFIX="$CACHE/qt-6.4.2-static"
TOOLCHAIN="$ROOT/cmake/mingw-w64.cmake"
OPZIONI=(
  -release -static -static-runtime -xplatform win32-g++ -qt-host-path /usr
  -nomake tests -nomake examples -no-opengl -no-feature-vulkan -no-dbus -no-icu
  -no-pkg-config -no-feature-sql -no-openssl -no-feature-tabletevent
  -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz
  -qt-doubleconversion
)
# The recipe: the options and the toolchain; another recipe builds afresh.
RICETTA="$(printf '%s\n' "${OPZIONI[@]}" | ricetta "$TOOLCHAIN")"

if gia_costruito "$PREFIX" "$RICETTA" bin/qt-cmake; then
  echo "$PREFIX"
  exit 0
fi

mkdir -p "$CACHE"
cd "$CACHE"

# Debian's source package, of the same revision as the host's Qt tools,
# which build it.
if [ ! -f "$CACHE/sorgenti/$ORIG" ]; then
  echo "Sorgenti di Qt per Windows: pacchetto qt6-base di Debian"
  rm -rf "$CACHE/apt" "$CACHE/sorgenti"
  scarica_sorgenti "$CACHE" "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)"
fi

# The tarball once more against the checksum its .dsc states.
DSC="$(ls "$CACHE"/sorgenti/qt6-base_*.dsc | head -n1)"
ATTESO="$(awk '/^Checksums-Sha256:/{s=1;next} /^[^ ]/{s=0} s && $3=="'"$ORIG"'"{print $1}' "$DSC")"
if [ -z "$ATTESO" ] || [ "$(sha256sum "$CACHE/sorgenti/$ORIG" | cut -d' ' -f1)" != "$ATTESO" ]; then
  echo "Il sorgente di Qt non corrisponde al pacchetto di Debian ($DSC)." >&2
  exit 1
fi

rm -rf "$CACHE/src" "$CACHE/build" "$PREFIX"
mkdir -p "$CACHE/src" "$CACHE/build"
tar -xJf "$CACHE/sorgenti/$ORIG" -C "$CACHE/src"
SRC="$(ls -d "$CACHE"/src/qtbase-everywhere-src-* | head -n1)"

cd "$CACHE/build"
echo "Configurazione di Qt statico per Windows"
"$SRC/configure" -prefix "$PREFIX" "${OPZIONI[@]}" \
  -- -G Ninja "-DCMAKE_TOOLCHAIN_FILE=$TOOLCHAIN" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1 \
  || { tail -n 40 configure.log >&2; exit 1; }
echo "Compilazione di Qt statico per Windows (circa 20 minuti su 2 processori)"
cmake --build . --parallel "$(nproc)" >compilazione.log 2>&1 || { tail -n 40 compilazione.log >&2; exit 1; }
cmake --install . >/dev/null
segna_costruito "$PREFIX" "$RICETTA"
# The build tree is large (some GB) and no longer needed.
cd "$CACHE" && rm -rf "$CACHE/build" "$CACHE/src"
echo "$PREFIX"
