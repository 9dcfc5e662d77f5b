# Sourced by the build, release and Windows scripts: what they share.

# lanciatore_ccache: sets the array `launcher` to the CMake option that builds
# through ccache, where the machine has it, so that a second checkout reuses
# the objects; empty otherwise.
lanciatore_ccache() {
  launcher=()
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
}

# versione_progetto: the project's version, as CMakeLists.txt declares it
# (the one the information screen shows). Run from the repository's root.
versione_progetto() {
  sed -n 's/^project(Quadrivela VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

# A build kept in a cache is made again only when its recipe changed.
# ricetta FILE...: the recipe's short fingerprint, of what comes on the
# standard input followed by FILE... . gia_costruito PREFIX RICETTA [TOOL]:
# true when PREFIX holds a finished build of that recipe (and its executable
# TOOL, when named). segna_costruito PREFIX RICETTA: marks the build finished.
ricetta() { cat - "$@" | sha256sum | cut -c1-16; }
gia_costruito() {
  [ "$(cat "$1/RICETTA" 2>/dev/null)" = "$2" ] && { [ -z "${3:-}" ] || [ -x "$1/$3" ]; }
}
segna_costruito() { echo "$2" >"$1/RICETTA"; }

# impacchetta ARCHIVE FILE...: writes the release archive dist/ARCHIVE (.tar.xz
# or .zip) of a folder Quadrivela/ holding FILE... and a new password store
# with the initial password, never the user's data; under another name until
# it is complete. Sets `cartella_impacchettata` to the folder's size. Run from
# the repository's root, after the build for this machine.
impacchetta() {
  local archivio="dist/$1"
  shift
  stadio=$(mktemp -d)
  trap 'rm -rf "$stadio"' EXIT
  mkdir -p "$stadio/Quadrivela" dist
  cp -a "$@" "$stadio/Quadrivela/"
  build/src/qv_creastore "$stadio/Quadrivela/unins000.dll"
  rm -f "$archivio.nuovo"
  case "$archivio" in
    *.tar.xz) tar -C "$stadio" --owner=0 --group=0 --sort=name -cf - Quadrivela | xz -T0 -9 >"$archivio.nuovo" ;;
    *.zip) (cd "$stadio" && cmake -E tar cf "$OLDPWD/$archivio.nuovo" --format=zip Quadrivela) ;;
    *) echo "formato sconosciuto: $archivio" >&2; return 1 ;;
  esac
  mv "$archivio.nuovo" "$archivio"
  cartella_impacchettata=$(du -sh "$stadio/Quadrivela" | cut -f1)
  rm -rf "$stadio"
}

# Used by the scripts that build for Windows from Debian's source packages.
# scarica_sorgenti CACHE PACKAGE...: downloads the source packages into
# CACHE/sorgenti through a private apt configuration that lists the machine's
# own mirrors as deb-src; apt checks each .dsc against the signed index and
# each tarball against its .dsc. PACKAGE may name a version (name=version);
# a version the mirror does not have falls back to the mirror's own.
scarica_sorgenti() {
  local cache="$1" f p
  shift
  mkdir -p "$cache/apt/sources.list.d" "$cache/apt/lists/partial" "$cache/sorgenti"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types: deb$/Types: deb-src/' "$f" >"$cache/apt/sources.list.d/$(basename "$f")"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$cache/apt/sources.list.d/principale.list"
  fi
  local apt=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$cache/apt/sources.list.d"
             -o "Dir::State::Lists=$cache/apt/lists" -o APT::Sandbox::User=root)
  apt-get "${apt[@]}" update -q >/dev/null
  for p in "$@"; do
    (cd "$cache/sorgenti" && { apt-get "${apt[@]}" source --download-only -q "$p" >/dev/null 2>&1 \
       || apt-get "${apt[@]}" source --download-only -q "${p%%=*}" >/dev/null; })
  done
}
