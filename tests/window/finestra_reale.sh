#!/usr/bin/env bash
# Starts the real program from a temporary copy of its folder under Xvfb and a
# window manager, checks the title-bar buttons the login window asks for and
# that it comes back where it was after the password change screen, types the
# initial password with synthetic keys, waits for the main menu and saves
# screenshots of the login window, the main menu, the contract summary, the
# employee card, the lists and the employee search. On the card it fills a card
# the way users do (Ctrl+A over the salary with the slip "1,250,50", which
# marks the field and is refused at Salva, then "1.250,5"; a right-click paste
# into the digit fields), saves it and checks the stored bytes of
# Dipendenti.pro; then goes into the contract area, fills in a contract of the
# year 2030 by keys and the date picker, answers No and then Sì to the question
# about its signing date of another year, saves it, browses with the arrows, writes the contract document from
# the RTF button, goes back to the main menu and
# checks the bytes of the year file; last, opens the monthly statistics of a
# year from the contract menu, as bars and as pie, and goes back to the main menu,
# whose panel of contracts ending soon names the card and opens its list.
# Last, a second copy of the program on the same folder: both show the same
# contract, the second saves its notes, the first then saves another field,
# is asked before undoing that change, answers Ricarica and saves again, and
# the year file keeps both changes; then the first changes the notes and
# presses an arrow: it asks before leaving the changed card. Last, a safety
# copy into a stick's folder and a card's earlier version put back.
# Usage: finestra_reale.sh <program executable> <password store tool> <screenshot folder>
set -euo pipefail

exe=$1
creastore=$2
shots=$3

for tool in Xvfb xdotool import unzip; do
  if ! command -v "$tool" >/dev/null; then
    echo "manca $tool: eseguire scripts/setup.sh" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
copia_b=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$copia_b" ] && kill "$copia_b" 2>/dev/null || true
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
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
[ -f "$(dirname "$exe")/qv_fotocamera.so" ] && cp "$(dirname "$exe")/qv_fotocamera.so" "$work/Quadrivela/"
"$creastore" "$work/Quadrivela/unins000.dll"

. "$(dirname "$0")/../support/funzioni.sh"
avvia_schermo 90 140 "$work"

unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
log="$work/app.log"
"$work/Quadrivela/quadrivela" >"$log" 2>&1 &
app_pid=$!

login=$(aspetta_finestra '^ Quadrivela - ')
sleep 1
import -window root "$shots/login.png"

# A fixed window asks the window manager for no title-bar button: it may be
# moved, not minimised, maximised, resized or closed from its title bar
# (Motif hints: functions and decorations given, move only, border and title).
hints=$(xprop -id "$login" _MOTIF_WM_HINTS)
case "$hints" in
  *"= 0x3, 0x4, 0xa, 0x0, 0x0"*) ;;
  *) echo "la finestra di accesso chiede pulsanti nella barra del titolo: $hints" >&2; exit 1 ;;
esac

# The password change screen and back: the login window comes back where it was.
geometria "$login"
prima="$X,$Y"
xdotool mousemove --sync $((X + 380)) $((Y + 327)) click 1
cambio=$(aspetta_finestra '^ Modifica Password$')
sleep 0.5
import -window root "$shots/cambio_password.png"
geometria "$cambio"
xdotool mousemove --sync $((X + 357)) $((Y + 327)) click 1
login=$(aspetta_finestra '^ Quadrivela - ')
sleep 0.8
geometria "$login"
dopo="$X,$Y"
if [ "$prima" != "$dopo" ]; then
  echo "la finestra di accesso è tornata in un altro punto: $prima, poi $dopo" >&2
  exit 1
fi

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
geometria "$menu"
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
geometria "$risultato"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 901)) $((Y + (HEIGHT - 692) / 2 + 641)) click 1
sleep 0.5
geometria "$parametri"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 649)) $((Y + (HEIGHT - 692) / 2 + 591)) click 1
aspetta_chiusura 'Riepilogo Contratti$' || { echo "Esci non ha chiuso il riepilogo" >&2; exit 1; }
aspetta_finestra '^ Quadrivela$' >/dev/null

# The registry area: a click on its button picture opens the employee card.
geometria "$menu"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 165)) $((Y + (HEIGHT - 692) / 2 + 459)) click 1
card=$(aspetta_finestra 'Anagrafica Dipendenti e Lavori')
sleep 1.5
import -window root "$shots/anagrafica.png"

# Where the card's panel lies on the screen.
geometria "$card"
pannello_x=$((X + (WIDTH - 995) / 2))
pannello_y=$((Y + (HEIGHT - 692) / 2))

# A card filled the usual way. Points are inside the panel.
clic() { xdotool mousemove --sync $((pannello_x + $1)) $((pannello_y + $2)) click "${3:-1}"; sleep 0.3; }
clic 500 127; xdotool type --delay 30 "Rossi Mario"
# The salary holds 0,00: select it all and type over it, with the common
# slip of a comma for the thousands dot. The second comma is refused: the
# field turns red and the info line says why; leaving the field keeps it so.
colore() { # x y inside the panel: the pixel's colour as #RRGGBB
  import -window root -crop 1x1+$((pannello_x + $1))+$((pannello_y + $2)) -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1
}
riga_info() { import -window root -crop 963x40+$((pannello_x + 16))+$((pannello_y + 652)) -depth 8 rgb:- | md5sum; }
clic 760 183; xdotool key ctrl+a
info_prima=$(riga_info)
xdotool type --delay 30 "1,250,50"; sleep 0.3
import -window root "$shots/stipendio_seconda_virgola.png"
[ "$(colore 708 176)" = "#FFC4C4" ] || { echo "la seconda virgola non segna il campo Stipendio: $(colore 708 176)" >&2; exit 1; }
[ "$(riga_info)" != "$info_prima" ] || { echo "la seconda virgola non è spiegata nella riga informativa" >&2; exit 1; }
xdotool key Tab; sleep 0.3
[ "$(colore 708 176)" = "#FFC4C4" ] || { echo "uscendo, il campo Stipendio non resta segnato" >&2; exit 1; }
clic 500 295; xdotool type --delay 30 "RSSMRA80A01H501U"
# Letters on the clipboard (cut from the notes), pasted with the right
# button's "Incolla" into the partita IVA and the notice period.
clic 600 527; xdotool type --delay 30 "IT-99x"; xdotool key ctrl+a ctrl+x
clic 700 295 3; xdotool key Down Return; sleep 0.3
import -window root "$shots/incolla_partita_iva.png"
clic 290 593 3; xdotool key Down Return; sleep 0.3
# The expiry date from the date picker: any key opens it, Importa writes today.
clic 120 593; xdotool key a
calendario=$(aspetta_finestra '^ Importazione data$')
sleep 0.5
xdotool key Tab space
ripeti 50 0.1 chiusa '^ Importazione data$' || true
import -window root "$shots/scheda_compilata.png"
# Salva refuses the salary with the slip still in it, and writes nothing.
clic 907 172
avviso=$(aspetta_finestra '^Attenzione$')
sleep 0.5
import -window root "$shots/stipendio_da_correggere.png"
xdotool key Return
sleep 0.5
[ ! -e "$work/Quadrivela/Dipendenti.pro" ] || { echo "salvata una scheda con lo stipendio da correggere" >&2; exit 1; }
# Written the Italian way, the dot of the thousands goes when the field is left.
clic 760 183; xdotool key ctrl+a; xdotool type --delay 30 "1.250,5"; xdotool key Tab; sleep 0.3
[ "$(colore 708 176)" != "#FFC4C4" ] || { echo "il campo Stipendio corretto resta segnato" >&2; exit 1; }
clic 907 172
conferma=$(aspetta_finestra '^Informazione$')
sleep 0.5
import -window root "$shots/scheda_salvata.png"
xdotool key Return
sleep 0.5

# The stored card, byte for byte: each field a length byte and its text.
archivio="$work/Quadrivela/Dipendenti.pro"
[ -f "$archivio" ] || { echo "la scheda non è stata salvata" >&2; exit 1; }
[ "$(stat -c %s "$archivio")" -eq 2666 ] || { echo "Dipendenti.pro non contiene una scheda sola" >&2; exit 1; }
campo_archivio() { # offset
  local n
  n=$(od -An -tu1 -j "$1" -N1 "$archivio" | tr -d ' ')
  dd if="$archivio" bs=1 skip=$(($1 + 1)) count="$n" 2>/dev/null
}
verifica() { # name offset expected
  local v
  v=$(campo_archivio "$2")
  if [ "$v" != "$3" ]; then echo "$1 memorizzato come '$v', atteso '$3'" >&2; exit 1; fi
}
verifica Dipendente 0 "Rossi Mario"
verifica Stipendio 102 "1250,50"
verifica CodFisc 177 "RSSMRA80A01H501U"
verifica PartitaIva 194 ""
verifica Note 792 ""
verifica Preavviso 1054 "0"

# The card expires today: the Scadenze list shows it. Enter in the find box
# moves to Trova, a second Enter presses it, Escape closes the list.
clic 907 342
scadenze=$(aspetta_finestra 'contratti in scadenza o scaduti')
sleep 1
xdotool type --delay 30 "rossi"
xdotool key Return
sleep 0.3
import -window root "$shots/scadenze_trova.png"
xdotool key Return
sleep 0.3
import -window root "$shots/scadenze_trovato.png"
xdotool key Escape
aspetta_chiusura 'contratti in scadenza o scaduti' || { echo "Esc non ha chiuso l'elenco delle scadenze" >&2; exit 1; }

# The card's Scaduti button opens the expired-contract list, whose Chiudi closes it.
xdotool mousemove --sync $((pannello_x + 907)) $((pannello_y + 376)) click 1
lista=$(aspetta_finestra 'Riepilogo Dipendenti con contratti scaduti')
sleep 1
import -window root "$shots/scaduti.png"
geometria "$lista"
xdotool mousemove --sync $((X + 786)) $((Y + 526)) click 1
aspetta_chiusura 'Riepilogo Dipendenti con contratti scaduti' \
  || { echo "Chiudi non ha chiuso l'elenco dei contratti scaduti" >&2; exit 1; }

# Trova opens the employee search; its Chiudi closes it.
xdotool mousemove --sync $((pannello_x + 907)) $((pannello_y + 206)) click 1
trova=$(aspetta_finestra 'Trova Dipendenti in archivio')
sleep 1
import -window root "$shots/trova.png"
geometria "$trova"
xdotool mousemove --sync $((X + 634)) $((Y + 512)) click 1
aspetta_chiusura 'Trova Dipendenti in archivio'

# Esci of the card goes back to the main menu, whose ARCHIVIO CONTRATTI opens the contract menu.
xdotool mousemove --sync $((pannello_x + 907)) $((pannello_y + 478)) click 1
menu=$(aspetta_finestra '^ Quadrivela$')
sleep 0.5
geometria "$menu"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 493)) $((Y + (HEIGHT - 692) / 2 + 459)) click 1
menu_contratti=$(aspetta_finestra '^ Quadrivela - Archivio Contratti$')
sleep 1
import -window root "$shots/menu_contratti.png"

# The year, typed over today's (its start shows, so End first): Enter moves to Apri, a second Enter presses it.
xdotool windowfocus "$menu_contratti" 2>/dev/null || true
xdotool key End BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 40 "2030"
xdotool key Return
sleep 0.2
xdotool key Return
contratti=$(aspetta_finestra 'Archivio contratti anno 2030')
sleep 1
geometria "$contratti"
pannello_x=$((X + (WIDTH - 995) / 2))
pannello_y=$((Y + (HEIGHT - 692) / 2))

# A new contract filled by keys: a click in the place of signing, then each
# value and Enter along the fields.
xdotool mousemove --sync $((pannello_x + 300)) $((pannello_y + 182)) click 1
sleep 0.3
for valore in "Bologna" "Rossi Servizi Srl" "Bologna" "bo" "12345678903" "Bologna" "bo" "BO-123456" \
              "Rossi Mario" "Modena" "01/01/1970" "rssmra70a01f257e" "Consulenza informatica" "Bologna" \
              "Bianchi Anna" "italiana" "Parma" "01/09/1985" "bncnna85p41g337l" "0521 123456" "Via Roma 1" \
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
geometria "$calendario"
xdotool mousemove --sync $((X + 181)) $((Y + 254)) click 1
aspetta_chiusura 'Importazione data'
xdotool key Tab Tab # past the date's eraser
xdotool key a
calendario=$(aspetta_finestra 'Importazione data')
sleep 0.3
geometria "$calendario"
xdotool mousemove --sync $((X + 181)) $((Y + 254)) click 1
aspetta_chiusura 'Importazione data'
xdotool key Tab Tab # past the date's eraser
xdotool type --delay 15 "dodici mesi"
xdotool key Return
xdotool type --delay 15 "Bologna"
sleep 0.3
import -window root "$shots/contratto_compilato.png"

# Salva: the signing date, today's, is not of the year 2030 opened, so the
# contract would be missing from that year's statistics and summary. One
# question says so; Enter answers its default, No, and nothing is written.
xdotool mousemove --sync $((pannello_x + 214)) $((pannello_y + 98)) click 1
aspetta_finestra '^Conferma$' >/dev/null
sleep 0.5
import -window root "$shots/contratto_domanda_date.png"
xdotool key Return
aspetta_chiusura '^Conferma$'
if [ -s "$work/Quadrivela/2030.con" ]; then echo "la risposta No ha scritto il contratto" >&2; exit 1; fi
# Asked again, Sì (Tab moves to it) stores the contract as it stands; its confirmation is closed with Enter.
xdotool mousemove --sync $((pannello_x + 214)) $((pannello_y + 98)) click 1
aspetta_finestra '^Conferma$' >/dev/null
sleep 0.3
xdotool key Tab space
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
# document is written, so the dialog closes with it.
xdotool mousemove --sync $((pannello_x + 538)) $((pannello_y + 98)) click 1
aspetta_finestra 'Esporta e stampa contratto di collaborazione$' >/dev/null
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
aspetta_chiusura 'Esporta e stampa contratto di collaborazione$'
rtf="$work/Quadrivela/Contratto_Collaborazione.rtf"
cp "$rtf" "$shots/"
[ "$(wc -l < "$rtf")" = 0 ] || { echo "il documento RTF non è una riga sola" >&2; exit 1; }
grep -qF 'Sig.ra \b Bianchi Anna\b0 , di cittadinanza \b italiana\b0 ,' "$rtf" \
  || { echo "il documento RTF non contiene il collaboratore" >&2; exit 1; }
grep -qF "\\'80\\b  1.250,00\\b0  al lordo" "$rtf" || { echo "il documento RTF non contiene il compenso" >&2; exit 1; }

# Trova opens the contract search: Cerca lists the stored card, and a double
# click on its line closes the search with that card on the screen.
xdotool mousemove --sync $((pannello_x + 376)) $((pannello_y + 98)) click 1
ricerca=$(aspetta_finestra 'Trova contratti in archivio')
sleep 0.5
import -window root "$shots/trova_contratti.png"
geometria "$ricerca"
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
  geometria "$finestra"
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
atteso 377 "RSSMRA70A01F257E"
atteso 696 "Bianchi Anna"
atteso 860 "BNCNNA85P41G337L"
atteso 1114 "1250,00"
atteso 1127 "IT60X0542811101000000123456"
atteso 1527 "$(date +%d/%m/%Y)"
atteso 1538 "$(date +%d/%m/%Y)"
atteso 1549 "dodici mesi"
atteso 1600 "Bologna"
atteso 2023 "No"
grep -q "Nome Ditta=Rossi Servizi Srl" "$work/Quadrivela/Quadrivela.ini" \
  || { echo "Quadrivela.ini non ricorda la Ditta" >&2; exit 1; }

# The statistics: a year of realistic counts (August without contracts), its
# file written here card by card with only the signing date filled in.
statistiche_anno="$work/Quadrivela/2017.con"
: >"$statistiche_anno"
mese=0
for quanti in 4 7 12 9 5 6 3 0 8 11 6 2; do
  mese=$((mese + 1))
  for giorno in $(seq 1 "$quanti"); do
    printf '\x0a%02d/%02d/2017' "$giorno" "$mese" >>"$statistiche_anno"
    head -c $((3532 - 11)) /dev/zero >>"$statistiche_anno"
  done
done
prima=$(md5sum <"$statistiche_anno")

# ARCHIVIO CONTRATTI, then the Apri of "Statistiche contratti:" opens the
# statistics with today's year; 2017 typed over it, Enter moves to Apri and a
# second Enter presses it: the bars; then the pie; Esci goes to the main menu.
geometria "$menu"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 493)) $((Y + (HEIGHT - 692) / 2 + 459)) click 1
menu_contratti=$(aspetta_finestra '^ Quadrivela - Archivio Contratti$')
sleep 0.5
geometria "$menu_contratti"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 705)) $((Y + (HEIGHT - 692) / 2 + 474)) click 1
statistiche=$(aspetta_finestra '^ Quadrivela - Statistiche Contratti$')
sleep 1
import -window root "$shots/statistiche_anno.png"
if xdotool search --onlyvisible --name '^ Quadrivela - Archivio Contratti$' >/dev/null 2>&1; then
  echo "il menu dei contratti è ancora visibile sopra le statistiche" >&2
  exit 1
fi
xdotool windowfocus "$statistiche" 2>/dev/null || true
xdotool key BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 40 "2017"
xdotool key Return
sleep 0.2
xdotool key Return
sleep 1.5
import -window root "$shots/statistiche_barre.png"
geometria "$statistiche"
pannello_x=$((X + (WIDTH - 995) / 2))
pannello_y=$((Y + (HEIGHT - 692) / 2))
xdotool mousemove --sync $((pannello_x + 411)) $((pannello_y + 618)) click 1
sleep 1
import -window root "$shots/statistiche_torta.png"
xdotool mousemove --sync $((pannello_x + 815)) $((pannello_y + 618)) click 1
aspetta_finestra '^ Quadrivela$' >/dev/null
aspetta_chiusura '^ Quadrivela - Statistiche Contratti$'
if xdotool search --onlyvisible --name '^ Quadrivela - Archivio Contratti$' >/dev/null 2>&1; then
  echo "le statistiche non sono tornate al menu principale" >&2
  exit 1
fi
[ "$(md5sum <"$statistiche_anno")" = "$prima" ] || { echo "il conteggio ha cambiato 2017.con" >&2; exit 1; }

# The card saved above expires today: the main menu's quiet panel, under the
# subtitle band, says so; a click on its line opens the employee card with the
# list of the contracts expiring within 30 days, which Escape closes; Esci of
# the card leads back to the main menu.
menu=$(aspetta_finestra '^ Quadrivela$')
geometria "$menu"
menu_x=$((X + (WIDTH - 995) / 2))
menu_y=$((Y + (HEIGHT - 692) / 2))
colore_a() { # x y: the screen's colour there, as #RRGGBB
  import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n1
}
pannello_scadenze() { [ "$(colore_a $((menu_x + 24)) $((menu_y + 157)))" = "#FFF7EC" ]; }
pannello_visibile=""
ripeti 50 0.1 pannello_scadenze && pannello_visibile=1
import -window root "$shots/menu_scadenze.png"
[ -n "$pannello_visibile" ] || { echo "il menu principale non mostra le scadenze vicine" >&2; exit 1; }
xdotool mousemove --sync $((menu_x + 17 + 480 + 120)) $((menu_y + 157)) click 1
aspetta_finestra 'contratti in scadenza entro 30 giorni' >/dev/null
aspetta_finestra 'Anagrafica Dipendenti e Lavori' >/dev/null
sleep 1
import -window root "$shots/scadenze_dal_menu.png"
xdotool key Escape
aspetta_chiusura 'contratti in scadenza entro 30 giorni'
card=$(aspetta_finestra 'Anagrafica Dipendenti e Lavori')
geometria "$card"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 907)) $((Y + (HEIGHT - 692) / 2 + 478)) click 1
aspetta_finestra '^ Quadrivela$' >/dev/null
aspetta_chiusura 'Anagrafica Dipendenti e Lavori'

# Two copies of the program on one folder (the contract saved above, this
# program still running): in a file of its own, run in this shell.
source "$(dirname "${BASH_SOURCE[0]}")/due_copie.sh"

# A changed card left by an arrow: the question first (a file of its own).
source "$(dirname "${BASH_SOURCE[0]}")/lascia_scheda.sh"

# Dates typed as people type them (still the first copy, on this year's
# contract); it ends on the main menu.
source "$(dirname "${BASH_SOURCE[0]}")/data_digitata.sh"

# A card saved by the keyboard alone, from the main menu.
source "$(dirname "${BASH_SOURCE[0]}")/tastiera.sh"

# A safety copy, then a card changed by mistake and its earlier version put back.
source "$(dirname "${BASH_SOURCE[0]}")/copia_storico.sh"

echo "finestra reale: accesso (pulsanti del titolo, posizione), menu principale, riepilogo contratti, scheda salvata byte per byte, elenchi, ricerca, menu e schermata dei contratti, statistiche, scadenze vicine, due copie sulla stessa scheda, date digitate, domanda prima di lasciare una scheda modificata, copia di sicurezza e versione precedente ripristinata verificati, schermate in $shots"
