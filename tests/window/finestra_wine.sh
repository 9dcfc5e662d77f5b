#!/usr/bin/env bash
# quadrivela.exe under Wine in a real window (Xvfb and a window manager), and
# the program built for this machine, each from a fresh folder, driven by the
# same keys and clicks: log in with the initial password, reach the main menu,
# save an employee card, go to the contract area, save a contract of 2030 and
# leave it. The
# files the two wrote (archives, settings, password store) must be the same,
# byte for byte, so that one folder moves between the two systems.
# Usage: finestra_wine.sh <quadrivela.exe> <password store tool> <program for this machine> <screenshot folder>
set -euo pipefail

exe_windows=$1
creastore=$2
exe_linux=$3
shots=$4

for tool in Xvfb xdotool import wine; do
  if ! command -v "$tool" >/dev/null; then
    echo "manca $tool: eseguire scripts/setup.sh --windows" >&2
    exit 1
  fi
done
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-${QV_CACHE:-$HOME/.cache/quadrivela}/wine}"

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$shots"

. "$(dirname "$0")/../support/funzioni.sh"
avvia_schermo 141 190 "$work"
# The program under Wine starts and answers slowly: longer waits, and each
# failure names the system and leaves a screenshot.
tentativi_finestra=300
tentativi_chiusura=100

# The origin of a window's centred 995 x 692 panel on the screen.
pannello() {
  geometria "$1"
  PX=$((X + (WIDTH - 995) / 2))
  PY=$((Y + (HEIGHT - 692) / 2))
}
clic() { xdotool mousemove --sync $((PX + $1)) $((PY + $2)) click 1; sleep 0.4; }
scrivi() { xdotool type --delay 40 "$1"; }

# sessione NAME FOLDER COMMAND...: one run of the program from FOLDER.
sessione() {
  sistema=$1
  local cartella=$2
  shift 2
  dove=$sistema
  foto_errore="$shots/wine_errore_$sistema.png"
  log="$work/$sistema.log"
  (cd "$cartella" && exec "$@") >"$log" 2>&1 &
  app_pid=$!

  local login menu scheda menu_contratti contratti
  login=$(aspetta_finestra '^ Quadrivela - ' 900)
  sleep 1.5
  import -window root "$shots/wine_${sistema}_accesso.png"
  attiva "$login"
  sleep 0.3
  scrivi "mirtillobianco"
  xdotool key Return
  menu=$(aspetta_finestra '^ Quadrivela$')
  sleep 1.5
  import -window root "$shots/wine_${sistema}_menu.png"

  # The employee card: name, salary the Italian way, codice fiscale, the
  # contract's end typed as digits; Salva.
  pannello "$menu"
  clic 165 459
  scheda=$(aspetta_finestra 'Anagrafica Dipendenti e Lavori')
  sleep 1.5
  pannello "$scheda"
  clic 500 127; scrivi "Rossi Mario"
  clic 760 183; xdotool key ctrl+a; scrivi "1.250,5"; xdotool key Tab
  clic 500 295; scrivi "RSSMRA80A01H501U"
  clic 120 593; scrivi "31122030"; xdotool key Tab
  clic 907 172
  aspetta_finestra '^Informazione$' >/dev/null
  sleep 0.5
  import -window root "$shots/wine_${sistema}_scheda_salvata.png"
  xdotool key Return
  aspetta_chiusura '^Informazione$'

  # Esci, then the contract area for the year 2030.
  clic 907 478
  menu=$(aspetta_finestra '^ Quadrivela$')
  sleep 0.5
  pannello "$menu"
  clic 493 459
  menu_contratti=$(aspetta_finestra '^ Quadrivela - Archivio Contratti$')
  sleep 1
  xdotool key End BackSpace BackSpace BackSpace BackSpace
  scrivi "2030"
  xdotool key Return
  sleep 0.3
  xdotool key Return
  contratti=$(aspetta_finestra 'Archivio contratti anno 2030')
  sleep 1
  pannello "$contratti"
  clic 300 182
  for valore in "Bologna" "Rossi Servizi Srl" "Bologna" "bo" "12345678903" "Bologna" "bo" "BO-123456" \
                "Rossi Mario" "Modena" "01/01/1970" "rssmra70a01f257e" "Consulenza informatica" "Bologna" \
                "Bianchi Anna" "italiana" "Parma" "01/09/1985" "bncnna85p41g337l" "0521 123456" "Via Roma 1" \
                "Parma" "pr" "43121" "1250" "it60x0542811101000000123456" "Programmatrice" "Sviluppo software"; do
    xdotool type --delay 25 "$valore"
    xdotool key Return
  done
  # The dates typed, each followed by its eraser.
  scrivi "01012030"; xdotool key Tab Tab
  scrivi "31122030"; xdotool key Tab Tab
  scrivi "dodici mesi"; xdotool key Return
  scrivi "Bologna"
  sleep 0.5
  import -window root "$shots/wine_${sistema}_contratto.png"
  # Salva: the signing date (today) is not of 2030; Si stores it anyway.
  clic 214 98
  aspetta_finestra '^Conferma$' >/dev/null
  sleep 0.3
  xdotool key Tab space
  aspetta_finestra '^Informazione$' >/dev/null
  sleep 0.5
  import -window root "$shots/wine_${sistema}_contratto_salvato.png"
  xdotool key Return
  aspetta_chiusura '^Informazione$'
  # Esci leaves the contract screen, which keeps the company's data in Quadrivela.ini.
  clic 943 116
  aspetta_chiusura 'Archivio contratti anno 2030'
  sleep 1
  [ -s "$cartella/Quadrivela.ini" ] || { echo "Quadrivela.ini non scritto ($sistema)" >&2; return 1; }

  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}

for sistema in linux windows; do
  mkdir -p "$work/$sistema"
  "$creastore" "$work/$sistema/unins000.dll"
done
cp "$exe_linux" "$work/linux/"
cp "$exe_windows" "$work/windows/"

QT_QPA_PLATFORM=xcb sessione linux "$work/linux" ./"$(basename "$exe_linux")"
sessione windows "$work/windows" wine ./"$(basename "$exe_windows")"
wineserver -k 2>/dev/null || true

# The same files, with the same bytes.
# The log tells what happened on each system (a replace retried under Wine): not compared.
elenco() { (cd "$1" && find . -type f ! -name "$(basename "$exe_linux")" ! -name '*.exe' ! -name 'Quadrivela.log*' | sort); }
if [ "$(elenco "$work/linux")" != "$(elenco "$work/windows")" ]; then
  echo "i due programmi hanno scritto file diversi:" >&2
  diff <(elenco "$work/linux") <(elenco "$work/windows") >&2 || true
  exit 1
fi
for f in Dipendenti.pro 2030.con; do
  [ -s "$work/windows/$f" ] || { echo "quadrivela.exe non ha scritto $f" >&2; exit 1; }
done
while read -r f; do
  if ! cmp "$work/linux/$f" "$work/windows/$f"; then
    echo "$f scritto da quadrivela.exe differisce da quello del programma per Linux" >&2
    exit 1
  fi
done < <(elenco "$work/linux")
echo "finestra sotto Wine: accesso, menu principale, scheda e contratto salvati; file identici a quelli del programma per Linux: $(elenco "$work/linux" | tr '\n' ' ')"
