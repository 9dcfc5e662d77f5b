#!/usr/bin/env bash
# Builds, once, the C libraries the program links besides Qt, for 64-bit
# Windows with Debian's MinGW-w64, as static libraries from Debian's own
# source packages: minizip (zip files) and libxlsxwriter (.xlsx workbooks).
# zlib comes built from Debian's libz-mingw-w64-dev. They go into a cache
# outside the repository and are reused while their recipe is unchanged.
# Prints the prefix (include/, lib/) on its last line.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/comune.sh"
CACHE="${QV_CACHE:-$HOME/.cache/quadrivela}/librerie-windows"
PREFIX="$CACHE/prefisso"
CC=x86_64-w64-mingw32-gcc-posix
AR=x86_64-w64-mingw32-gcc-ar-posix
CFLAGS=(-O2 -DNDEBUG -D_FILE_OFFSET_BITS=64)
RICETTA="$(ricetta "$0" </dev/null)"

if gia_costruito "$PREFIX" "$RICETTA"; then
  echo "$PREFIX"
  exit 0
fi

# Debian's source packages.
if ! ls "$CACHE"/sorgenti/minizip_*.dsc "$CACHE"/sorgenti/libxlsxwriter_*.dsc >/dev/null 2>&1; then
  echo "Sorgenti di minizip e libxlsxwriter: pacchetti di Debian"
  scarica_sorgenti "$CACHE" minizip libxlsxwriter
fi

# Each package unpacked with Debian's own patches (security fixes included);
# dpkg-source checks every file against the checksums of its .dsc.
estrai() { # package -> prints the unpacked folder
  local dsc
  dsc="$(ls "$CACHE"/sorgenti/"$1"_*.dsc | head -n1)"
  rm -rf "$CACHE/src/$1"
  mkdir -p "$CACHE/src"
  dpkg-source --no-copy -x "$dsc" "$CACHE/src/$1" >/dev/null 2>"$CACHE/dpkg-source.log" || {
    cat "$CACHE/dpkg-source.log" >&2
    echo "Il sorgente di $1 non corrisponde al pacchetto di Debian ($dsc)." >&2
    exit 1
  }
  echo "$CACHE/src/$1"
}

rm -rf "$PREFIX" "$CACHE/obj"
mkdir -p "$PREFIX/include/minizip" "$PREFIX/lib" "$CACHE/obj/minizip" "$CACHE/obj/xlsxwriter"

# minizip: zlib's zip and unzip library with the Windows file functions.
MZ="$(estrai minizip)"
for f in ioapi zip unzip iowin32; do
  $CC "${CFLAGS[@]}" -c "$MZ/$f.c" -I "$MZ" -o "$CACHE/obj/minizip/$f.o"
done
$AR rcs "$PREFIX/lib/libminizip.a" "$CACHE"/obj/minizip/*.o
cp "$MZ"/{ioapi,zip,unzip,iowin32,crypt}.h "$PREFIX/include/minizip/"

# libxlsxwriter, with that minizip and its own MD5 and temporary files.
XW="$(estrai libxlsxwriter)"
for f in "$XW"/src/*.c "$XW"/third_party/md5/md5.c "$XW"/third_party/tmpfileplus/tmpfileplus.c; do
  $CC "${CFLAGS[@]}" -DUSE_SYSTEM_MINIZIP -c "$f" -I "$XW/include" -I "$PREFIX/include" \
    -o "$CACHE/obj/xlsxwriter/$(basename "$f" .c).o"
done
$AR rcs "$PREFIX/lib/libxlsxwriter.a" "$CACHE"/obj/xlsxwriter/*.o
cp -r "$XW/include/xlsxwriter.h" "$XW/include/xlsxwriter" "$PREFIX/include/"

rm -rf "$CACHE/obj" "$CACHE/src"
segna_costruito "$PREFIX" "$RICETTA"
echo "$PREFIX"
