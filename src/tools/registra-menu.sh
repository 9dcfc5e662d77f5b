#!/usr/bin/env bash
# Registers Quadrivela in the desktop's application menu for the user who runs
# this script, with its icon, pointing at the program folder this script lies
# in. Run it again after moving or copying the folder: the entry is replaced,
# never added twice. Nothing in the program folder is changed.
set -euo pipefail

cartella="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)"
programma="$cartella/quadrivela"
avvio="$cartella/avvia.sh"
icone="$cartella/icone"
nome="quadrivela"

# The entry starts the program through its launcher, run by the shell: the
# folder may lie on a stick whose files have no executable bit.
if [ ! -f "$programma" ] || [ ! -f "$avvio" ] || [ ! -f "$icone/$nome.svg" ]; then
  echo "Quadrivela: programma o icone mancanti in $cartella" >&2
  exit 1
fi

dati="${XDG_DATA_HOME:-$HOME/.local/share}"
case "$dati" in /*) ;; *) dati="$HOME/.local/share" ;; esac
export XDG_DATA_HOME="$dati"

# Inside a desktop entry's Exec key a path is quoted, and \ " ` $ are escaped
# inside the quotes (then every \ once more, as for any string value).
exec_quotato="$avvio"
exec_quotato="${exec_quotato//\\/\\\\\\\\}"
exec_quotato="${exec_quotato//\"/\\\\\"}"
exec_quotato="${exec_quotato//\`/\\\\\`}"
exec_quotato="${exec_quotato//\$/\\\\\$}"
exec_quotato="${exec_quotato//%/%%}"
# Path and Icon are plain strings: only the backslash is escaped.
percorso_voce="${cartella//\\/\\\\}"

temporanea="$(mktemp -d)"
trap 'rm -rf "$temporanea"' EXIT
voce="$temporanea/$nome.desktop"
cat >"$voce" <<VOCE
[Desktop Entry]
Type=Application
Version=1.0
Name=Quadrivela
GenericName=Anagrafica e contratti dei collaboratori
Comment=Archivia l'anagrafica dei Dipendenti con foto, registra i contratti di lavoro e riepiloga le prestazioni svolte
Exec=sh "$exec_quotato"
Path=$percorso_voce
Icon=$nome
Terminal=false
Categories=Office;
Keywords=dipendenti;contratti;collaboratori;anagrafica;codice fiscale;partita IVA;IBAN;
VOCE

if command -v xdg-icon-resource >/dev/null && command -v xdg-desktop-menu >/dev/null; then
  for lato in 16 22 24 32 48 64 128 256; do
    xdg-icon-resource install --mode user --noupdate --novendor --context apps --size "$lato" \
      "$icone/$nome-$lato.png" "$nome"
  done
  xdg-icon-resource forceupdate --mode user || true
else
  for lato in 16 22 24 32 48 64 128 256; do
    mkdir -p "$dati/icons/hicolor/${lato}x${lato}/apps"
    cp -f "$icone/$nome-$lato.png" "$dati/icons/hicolor/${lato}x${lato}/apps/$nome.png"
  done
fi
# xdg-icon-resource takes pictures of a given size only: the drawing goes to
# the scalable size by hand.
mkdir -p "$dati/icons/hicolor/scalable/apps"
cp -f "$icone/$nome.svg" "$dati/icons/hicolor/scalable/apps/$nome.svg"

if command -v xdg-desktop-menu >/dev/null; then
  xdg-desktop-menu install --mode user --novendor "$voce"
else
  mkdir -p "$dati/applications"
  cp -f "$voce" "$dati/applications/$nome.desktop"
fi
echo "Quadrivela è nel menu delle applicazioni (Ufficio)."
