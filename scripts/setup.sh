#!/usr/bin/env bash
# Installs, only when missing, every Debian package that building, running and
# testing Quadrivela needs. Works as root and, through sudo, as a normal user.
set -euo pipefail

PACKAGES=(
  # build
  g++ cmake make pkg-config
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
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installazione dei pacchetti mancanti: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
