#!/usr/bin/env bash
# The program folder registers itself in the desktop's application menu:
# after two runs of its script there is one entry, with the program's keys,
# pointing at that folder, and the icon in every size plus the scalable one.
# Usage: menu_desktop.sh <program folder as built>
set -uo pipefail
costruita="$1"
falliti=0
passati=0
verifica() { # description, command...
  local d="$1"; shift
  if "$@"; then passati=$((passati + 1)); else echo "FAIL: $d"; falliti=$((falliti + 1)); fi
}

lavoro="$(mktemp -d)"
trap 'rm -rf "$lavoro"' EXIT
# A copied folder, with a name that needs quoting in the entry.
cartella="$lavoro/Chiavetta USB/Quadrivela \$copia"
mkdir -p "$cartella"
cp -r "$costruita/icone" "$costruita/registra-menu.sh" "$costruita/avvia.sh" "$cartella/"
ln -s "$costruita/quadrivela" "$cartella/quadrivela"

export HOME="$lavoro/casa" XDG_DATA_HOME="$lavoro/casa/dati"
mkdir -p "$HOME"
for giro in 1 2; do
  verifica "registration run $giro" bash "$cartella/registra-menu.sh" >/dev/null
done

voci=("$XDG_DATA_HOME"/applications/*uadrivela*.desktop)
verifica "exactly one entry after two runs" test "${#voci[@]}" -eq 1
voce="$XDG_DATA_HOME/applications/quadrivela.desktop"
verifica "the entry is where the menu looks" test -f "$voce"
valore() { grep -m1 "^$1=" "$voce" | cut -d= -f2-; }
verifica "one [Desktop Entry] group" test "$(grep -c '^\[Desktop Entry\]$' "$voce")" -eq 1
verifica "Type" test "$(valore Type)" = "Application"
verifica "Name" test "$(valore Name)" = "Quadrivela"
verifica "Italian comment" grep -q "^Comment=Archivia l'anagrafica dei Dipendenti" "$voce"
verifica "category Office" test "$(valore Categories)" = "Office;"
verifica "Terminal" test "$(valore Terminal)" = "false"
verifica "Icon" test "$(valore Icon)" = "quadrivela"
verifica "Path is the folder" test "$(valore Path)" = "$cartella"
# The Exec key runs the launcher through the shell, quotes the path and
# escapes the dollar sign twice.
atteso="sh \"$lavoro/Chiavetta USB/Quadrivela \\\\\$copia/avvia.sh\""
verifica "Exec runs the folder's program (got: $(valore Exec))" test "$(valore Exec)" = "$atteso"
verifica "every key once" test "$(cut -d= -f1 "$voce" | sort | uniq -d | wc -l)" -eq 0

for lato in 16 22 24 32 48 64 128 256; do
  icona="$XDG_DATA_HOME/icons/hicolor/${lato}x${lato}/apps/quadrivela.png"
  verifica "icon $lato installed" test -f "$icona"
  verifica "icon $lato is ${lato}x${lato}" test "$(identify -format '%wx%h' "$icona" 2>/dev/null)" = "${lato}x${lato}"
done
verifica "scalable icon" cmp -s "$cartella/icone/quadrivela.svg" "$XDG_DATA_HOME/icons/hicolor/scalable/apps/quadrivela.svg"
verifica "nothing added to the program folder" test "$(find "$cartella" | wc -l)" -eq "$(( $(find "$costruita/icone" | wc -l) + 4 ))"

echo "$passati passed, $falliti failed"
[ "$falliti" -eq 0 ]
