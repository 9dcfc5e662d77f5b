#!/usr/bin/env bash
# Starts the real program from a temporary copy of its folder under Xvfb,
# types the initial password with synthetic keys, waits for the main menu and
# saves screenshots of the login window, the main menu, the contract summary, the
# employee card, the expired-contract list and the employee search; then goes
# into the contract area, fills in and saves a contract of the year 2030 by keys
# and the date picker, browses with the arrows, writes the contract document from
# the RTF button, goes back to the main menu and
# checks the bytes of the year file.
# Usage: finestra_reale.sh <program executable> <password store tool> <screenshot folder>
set -euo pipefail

exe=$1
creastore=$2
shots=$3

for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "manca $tool: eseguire scripts/setup.sh" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  # The server is waited for, so that the next run finds its display free.
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A fresh program folder: the executable, the guide and a new password store
# (the user's own folder may hold a changed password).
mkdir -p "$work/Quadrivela" "$shots"
cp "$exe" "$work/Quadrivela/"
[ -f "$(dirname "$exe")/Guida.pdf" ] && cp "$(dirname "$exe")/Guida.pdf" "$work/Quadrivela/"
"$creastore" "$work/Quadrivela/unins000.dll"

# A free display of our own: a server that cannot start there (another one is
# still going away) leaves it to the next number.
display=""
for n in $(seq 90 140); do
  if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
  # -noreset: the server would otherwise reset when the probe below disconnects,
  # and refuse the program for a moment.
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    kill -0 "$xvfb_pid" 2>/dev/null || break
    DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  if kill -0 "$xvfb_pid" 2>/dev/null && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then display=":$n"; break; fi
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
done
if [ -z "$display" ]; then echo "nessun display virtuale disponibile" >&2; exit 1; fi
export DISPLAY=$display

unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
"$work/Quadrivela/quadrivela" >"$work/app.log" 2>&1 &
app_pid=$!

aspetta_chiusura() { # name pattern
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "la finestra '$1' non si è chiusa" >&2
  return 1
}

aspetta_finestra() { # name pattern
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    if ! kill -0 "$app_pid" 2>/dev/null; then echo "il programma è terminato" >&2; cat "$work/app.log" >&2; return 1; fi
    sleep 0.2
  done
  echo "nessuna finestra '$1'" >&2
  return 1
}

login=$(aspetta_finestra '^ Quadrivela - ')
sleep 1
import -window root "$shots/login.png"

xdotool windowfocus --sync "$login" 2>/dev/null || xdotool windowfocus "$login"
xdotool type --delay 40 "mirtillobianco"
sleep 0.3
import -window root "$shots/login_digitata.png"
xdotool key Return

menu=$(aspetta_finestra '^ Quadrivela$')
sleep 1.5
import -window root "$shots/menu.png"

# The login window is hidden once the main menu shows.
if xdotool search --onlyvisible --name '^ Quadrivela - ' >/dev/null 2>&1; then
  echo "la finestra di accesso è ancora visibile" >&2
  exit 1
fi
# The summary area: RIEPILOGO CONTRATTI opens the parameter screen; the interval is
# picked from the drop-downs by keys (F4 opens a list), "Visualizza riepilogo"
# opens the result screen on the year's file, made empty, and both "Esci" lead
# back to the main menu.
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 823)) $((Y + (HEIGHT - 692) / 2 + 459)) click 1
parametri=$(aspetta_finestra 'Riepilogo Contratti$')
sleep 1
xdotool key --delay 150 Return F4 Home Return Return F4 Home Return Return F4 End Return Return F4 End Return Return space
sleep 1.5
import -window root "$shots/riepilogo.png"
anno=$(date +%Y)
if [ ! -f "$work/Quadrivela/$anno.con" ] || [ -s "$work/Quadrivela/$anno.con" ]; then
  echo "il riepilogo non ha creato vuoto l'archivio $anno.con" >&2
  exit 1
fi
risultato=$(xdotool search --onlyvisible --name 'Riepilogo Contratti$' | grep -v "^$parametri$" | head -n1 || true)
if [ -z "$risultato" ]; then
  echo "il riepilogo non si è aperto" >&2
  exit 1
fi
eval "$(xdotool getwindowgeometry --shell "$risultato")"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 901)) $((Y + (HEIGHT - 692) / 2 + 641)) click 1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$parametri")"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 649)) $((Y + (HEIGHT - 692) / 2 + 591)) click 1
for _ in $(seq 50); do
  xdotool search --onlyvisible --name 'Riepilogo Contratti$' >/dev/null 2>&1 || break
  sleep 0.1
done
if xdotool search --onlyvisible --name 'Riepilogo Contratti$' >/dev/null 2>&1; then
  echo "Esci non ha chiuso il riepilogo" >&2
  exit 1
fi
aspetta_finestra '^ Quadrivela$' >/dev/null

# The registry area: a click on its button picture opens the employee card.
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 165)) $((Y + (HEIGHT - 692) / 2 + 459)) click 1
card=$(aspetta_finestra 'Anagrafica Dipendenti e Lavori')
sleep 1.5
import -window root "$shots/anagrafica.png"

# The card's Scaduti button opens the expired-contract list, whose Chiudi closes it.
eval "$(xdotool getwindowgeometry --shell "$card")"
pannello_x=$((X + (WIDTH - 995) / 2))
pannello_y=$((Y + (HEIGHT - 692) / 2))
xdotool mousemove --sync $((pannello_x + 907)) $((pannello_y + 376)) click 1
lista=$(aspetta_finestra 'Riepilogo Dipendenti con contratti scaduti')
sleep 1
import -window root "$shots/scaduti.png"
eval "$(xdotool getwindowgeometry --shell "$lista")"
xdotool mousemove --sync $((X + 786)) $((Y + 526)) click 1
for _ in $(seq 50); do
  xdotool search --onlyvisible --name 'Riepilogo Dipendenti con contratti scaduti' >/dev/null 2>&1 || break
  sleep 0.1
done
if xdotool search --onlyvisible --name 'Riepilogo Dipendenti con contratti scaduti' >/dev/null 2>&1; then
  echo "Chiudi non ha chiuso l'elenco dei contratti scaduti" >&2
  exit 1
fi

# Trova opens the employee search; its Chiudi closes it.
xdotool mousemove --sync $((pannello_x + 907)) $((pannello_y + 206)) click 1
trova=$(aspetta_finestra 'Trova Dipendenti in archivio')
sleep 1
import -window root "$shots/trova.png"
eval "$(xdotool getwindowgeometry --shell "$trova")"
xdotool mousemove --sync $((X + 634)) $((Y + 512)) click 1
aspetta_chiusura 'Trova Dipendenti in archivio'

# Esci of the card goes back to the main menu, whose ARCHIVIO CONTRATTI opens the contract menu.
xdotool mousemove --sync $((pannello_x + 907)) $((pannello_y + 478)) click 1
menu=$(aspetta_finestra '^ Quadrivela$')
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 493)) $((Y + (HEIGHT - 692) / 2 + 459)) click 1
menu_contratti=$(aspetta_finestra '^ Quadrivela - Archivio Contratti$')
sleep 1
import -window root "$shots/menu_contratti.png"

# The year, typed over today's: Enter moves to Apri, a second Enter presses it.
xdotool windowfocus "$menu_contratti" 2>/dev/null || true
xdotool key BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 40 "2030"
xdotool key Return
sleep 0.2
xdotool key Return
contratti=$(aspetta_finestra 'Archivio contratti anno 2030')
sleep 1
eval "$(xdotool getwindowgeometry --shell "$contratti")"
pannello_x=$((X + (WIDTH - 995) / 2))
pannello_y=$((Y + (HEIGHT - 692) / 2))

# A new contract filled by keys: a click in the place of signing, then each
# value and Enter along the fields.
xdotool mousemove --sync $((pannello_x + 300)) $((pannello_y + 182)) click 1
sleep 0.3
for valore in "Bologna" "Rossi Servizi Srl" "Bologna" "bo" "12345678903" "Bologna" "bo" "BO-123456" \
              "Rossi Mario" "Modena" "01/01/1970" "rssmra70a01f257x" "Consulenza informatica" "Bologna" \
              "Bianchi Anna" "italiana" "Parma" "01/09/1985" "bncnna85p41g337y" "0521 123456" "Via Roma 1" \
              "Parma" "pr" "43121" "1250" "it60x0542811101000000123456" "Programmatrice" "Sviluppo software"; do
  xdotool type --delay 15 "$valore"
  xdotool key Return
done
sleep 0.3
# The start date from the picker (the focus is in it after the last Enter), then Tab to the end date.
xdotool key Return
calendario=$(aspetta_finestra 'Importazione data')
sleep 0.5
import -window root "$shots/calendario.png"
eval "$(xdotool getwindowgeometry --shell "$calendario")"
xdotool mousemove --sync $((X + 181)) $((Y + 254)) click 1
aspetta_chiusura 'Importazione data'
xdotool key Tab
xdotool key a
calendario=$(aspetta_finestra 'Importazione data')
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$calendario")"
xdotool mousemove --sync $((X + 181)) $((Y + 254)) click 1
aspetta_chiusura 'Importazione data'
xdotool key Tab
xdotool type --delay 15 "dodici mesi"
xdotool key Return
xdotool type --delay 15 "Bologna"
sleep 0.3
import -window root "$shots/contratto_compilato.png"

# Salva, and its confirmation closed with Enter.
xdotool mousemove --sync $((pannello_x + 214)) $((pannello_y + 98)) click 1
aspetta_finestra '^Informazione$' >/dev/null
sleep 0.3
import -window root "$shots/contratto_salvato.png"
xdotool key Return
aspetta_chiusura '^Informazione$'

# Nuovo, then the arrows: first shows the stored card again, next stays on it.
xdotool mousemove --sync $((pannello_x + 52)) $((pannello_y + 98)) click 1
xdotool mousemove --sync $((pannello_x + 760)) $((pannello_y + 34)) click 1
xdotool mousemove --sync $((pannello_x + 924)) $((pannello_y + 34)) click 1
sleep 0.5
import -window root "$shots/contratto.png"

# The RTF button: the contract document dialog; Enter presses "Esporta e
# stampa", Sì to the first question, No (Escape) to opening the document: the
# dialog stays open, and Escape then closes it like Annulla.
xdotool mousemove --sync $((pannello_x + 538)) $((pannello_y + 98)) click 1
stampacon=$(aspetta_finestra 'Esporta e stampa contratto di collaborazione$')
sleep 0.5
import -window root "$shots/stampacon.png"
xdotool key Return
aspetta_finestra '^Conferma$' >/dev/null
sleep 0.3
import -window root "$shots/stampacon_domanda.png"
xdotool key Return
sleep 0.5
aspetta_finestra '^Conferma$' >/dev/null
xdotool key Escape
aspetta_chiusura '^Conferma$'
xdotool search --onlyvisible --name 'Esporta e stampa contratto di collaborazione$' >/dev/null 2>&1 \
  || { echo "il dialogo del contratto si è chiuso rispondendo No" >&2; exit 1; }
xdotool windowfocus "$stampacon" 2>/dev/null || true
sleep 0.2
xdotool key Escape
aspetta_chiusura 'Esporta e stampa contratto di collaborazione$'
rtf="$work/Quadrivela/Contratto_Collaborazione.rtf"
cp "$rtf" "$shots/"
[ "$(wc -l < "$rtf")" = 0 ] || { echo "il documento RTF non è una riga sola" >&2; exit 1; }
grep -qF 'Sig. \b Bianchi Anna\b0 , di cittadinanza \b italiana\b0 ,' "$rtf" \
  || { echo "il documento RTF non contiene il collaboratore" >&2; exit 1; }
grep -qF "\\'80\\b  1250,00\\b0  al lordo" "$rtf" || { echo "il documento RTF non contiene il compenso" >&2; exit 1; }

# Trova opens the contract search: Cerca lists the stored card, and a double
# click on its line closes the search with that card on the screen.
xdotool mousemove --sync $((pannello_x + 376)) $((pannello_y + 98)) click 1
ricerca=$(aspetta_finestra 'Trova contratti in archivio')
sleep 0.5
import -window root "$shots/trova_contratti.png"
eval "$(xdotool getwindowgeometry --shell "$ricerca")"
xdotool mousemove --sync $((X + 768)) $((Y + 512)) click 1
sleep 0.8
import -window root "$shots/trova_contratti_risultati.png"
xdotool mousemove --sync $((X + 200)) $((Y + 166)) click --repeat 2 1
aspetta_chiusura 'Trova contratti in archivio'

# Validi, Rescissi and Esporta open their screens; Chiudi and Esci close them.
for schermo in "619 Riepilogo contratti in corso di validit validi 786 526" \
               "700 Riepilogo contratti scaduti o rescissi rescissi 786 526" \
               "781 Esporta archivio contratti in Microsoft Excel esporta_contratti 793 30"; do
  set -- $schermo
  x=$1; chiudi_y=${@: -1}; chiudi_x=${@: -2:1}; foto=${@: -3:1}
  titolo=$(echo "$schermo" | cut -d' ' -f2- | rev | cut -d' ' -f4- | rev)
  xdotool mousemove --sync $((pannello_x + x)) $((pannello_y + 98)) click 1
  finestra=$(aspetta_finestra "$titolo")
  sleep 0.8
  import -window root "$shots/$foto.png"
  eval "$(xdotool getwindowgeometry --shell "$finestra")"
  xdotool mousemove --sync $((X + chiudi_x)) $((Y + chiudi_y)) click 1
  aspetta_chiusura "$titolo"
done

# Esci of the contract screen: back to the main menu.
xdotool mousemove --sync $((pannello_x + 943)) $((pannello_y + 98)) click 1
aspetta_finestra '^ Quadrivela$' >/dev/null
sleep 0.3
if xdotool search --onlyvisible --name 'Archivio contratti anno' >/dev/null 2>&1; then
  echo "il programma non è tornato al menu principale" >&2
  exit 1
fi

# The year file holds exactly the one card, with the typed values and today's signing date.
anno="$work/Quadrivela/2030.con"
dimensione=$(stat -c %s "$anno")
[ "$dimensione" = 3532 ] || { echo "2030.con: $dimensione byte invece di 3532" >&2; exit 1; }
campo() { # offset length
  dd if="$anno" bs=1 skip="$1" count="$2" 2>/dev/null | od -An -tx1 | tr -d ' \n'
}
testo() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
atteso() { # offset text
  local lunghezza=${#2}
  local trovato; trovato=$(campo "$1" $((lunghezza + 1)))
  local voluto; voluto=$(printf '%02x' "$lunghezza")$(testo "$2")
  if [ "$trovato" != "$voluto" ]; then echo "2030.con, offset $1: $trovato invece di $voluto" >&2; exit 1; fi
}
atteso 0 "$(date +%d/%m/%Y)"
atteso 11 "Bologna"
atteso 62 "Rossi Servizi Srl"
atteso 164 "BO"
atteso 167 "12345678903"
atteso 377 "RSSMRA70A01F257X"
atteso 696 "Bianchi Anna"
atteso 860 "BNCNNA85P41G337Y"
atteso 1114 "1250,00"
atteso 1127 "IT60X0542811101000000123456"
atteso 1527 "$(date +%d/%m/%Y)"
atteso 1538 "$(date +%d/%m/%Y)"
atteso 1549 "dodici mesi"
atteso 1600 "Bologna"
atteso 2023 "No"
grep -q "Nome Ditta=Rossi Servizi Srl" "$work/Quadrivela/Quadrivela.ini" \
  || { echo "Quadrivela.ini non ricorda la Ditta" >&2; exit 1; }

echo "finestra reale: accesso, menu principale, riepilogo contratti, scheda, elenchi, ricerca, menu e schermata dei contratti verificati, schermate in $shots"
