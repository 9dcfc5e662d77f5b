#!/usr/bin/env bash
# The program folder registers itself in the desktop's application menu:
# after two runs of its script there is one entry, with the program's keys,
# pointing at that folder, and the icon in every size plus the scalable one.
# Usage: menu_desktop.sh <program folder as built>
set -uo pipefail
costruita="$1"
. "$(dirname "$0")/../support/funzioni.sh"

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
  controlla "registration run $giro" bash "$cartella/registra-menu.sh" >/dev/null
done

voci=("$XDG_DATA_HOME"/applications/*uadrivela*.desktop)
controlla "exactly one entry after two runs" test "${#voci[@]}" -eq 1
voce="$XDG_DATA_HOME/applications/quadrivela.desktop"
controlla "the entry is where the menu looks" test -f "$voce"
valore() { grep -m1 "^$1=" "$voce" | cut -d= -f2-; }
controlla "one [Desktop Entry] group" test "$(grep -c '^\[Desktop Entry\]$' "$voce")" -eq 1
controlla "Type" test "$(valore Type)" = "Application"
controlla "Name" test "$(valore Name)" = "Quadrivela"
controlla "Italian comment" grep -q "^Comment=Archivia l'anagrafica dei Dipendenti" "$voce"
controlla "category Office" test "$(valore Categories)" = "Office;"
controlla "Terminal" test "$(valore Terminal)" = "false"
controlla "Icon" test "$(valore Icon)" = "quadrivela"
controlla "Path is the folder" test "$(valore Path)" = "$cartella"
# The Exec key runs the launcher through the shell, quotes the path and
# escapes the dollar sign twice.
atteso="sh \"$lavoro/Chiavetta USB/Quadrivela \\\\\$copia/avvia.sh\""
controlla "Exec runs the folder's program (got: $(valore Exec))" test "$(valore Exec)" = "$atteso"
controlla "every key once" test "$(cut -d= -f1 "$voce" | sort | uniq -d | wc -l)" -eq 0

for lato in 16 22 24 32 48 64 128 256; do
  icona="$XDG_DATA_HOME/icons/hicolor/${lato}x${lato}/apps/quadrivela.png"
  controlla "icon $lato installed" test -f "$icona"
  controlla "icon $lato is ${lato}x${lato}" test "$(identify -format '%wx%h' "$icona" 2>/dev/null)" = "${lato}x${lato}"
done
controlla "scalable icon" cmp -s "$cartella/icone/quadrivela.svg" "$XDG_DATA_HOME/icons/hicolor/scalable/apps/quadrivela.svg"
controlla "nothing added to the program folder" test "$(find "$cartella" | wc -l)" -eq "$(( $(find "$costruita/icone" | wc -l) + 4 ))"

echo "$passati passed, $falliti failed"
[ "$falliti" -eq 0 ]
