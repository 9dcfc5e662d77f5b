# Part of finestra_reale.sh, sourced by it once the first copy of the program
# (app_pid) is back at its main menu, with the contract of the year 2030 saved:
# uses its display, folder ($work), screenshots ($shots) and helpers
# (geometria, atteso). Not a script to run by itself.
#
# Two copies of the program on one folder, as on a shared drive. The contract
# saved above goes into this year's file (its dates are then of the year
# opened: no question about them). Both copies show it; copy B changes the
# notes and saves; copy A, which loaded the card before, changes the
# telephone number and saves: A asks before undoing B's change, and Ricarica
# keeps B's card on the disk and shows it, so that A's next save keeps both.
anno_corrente=$(date +%Y)
anno="$work/Quadrivela/$anno_corrente.con" # the file `atteso` reads from now on
cp "$work/Quadrivela/2030.con" "$anno"

# From a copy's main menu to the first card of the current year's contracts;
# prints the contract window.
primo_contratto() { # pid
  local m mc c
  m=$(aspetta_finestra_di "$1" '^ Quadrivela$') || return 1
  attiva "$m"
  geometria "$m"
  xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 493)) $((Y + (HEIGHT - 692) / 2 + 459)) click 1
  mc=$(aspetta_finestra_di "$1" '^ Quadrivela - Archivio Contratti$') || return 1
  attiva "$mc"
  xdotool key End BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 40 "$anno_corrente"
  xdotool key Return
  sleep 0.2
  xdotool key Return
  c=$(aspetta_finestra_di "$1" "Archivio contratti anno $anno_corrente") || return 1
  attiva "$c"
  geometria "$c"
  xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 760)) $((Y + (HEIGHT - 692) / 2 + 34)) click 1
  echo "$c"
}
# Types `testo` over the field at x y of a contract window's panel.
riscrivi() { # window x y text
  geometria "$1"
  xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + $2)) $((Y + (HEIGHT - 692) / 2 + $3)) click 1
  xdotool key ctrl+a
  xdotool type --delay 20 "$4"
}
salva() { # window
  geometria "$1"
  xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 214)) $((Y + (HEIGHT - 692) / 2 + 98)) click 1
}

contratti_a=$(primo_contratto "$app_pid")

"$work/Quadrivela/quadrivela" >"$work/app_b.log" 2>&1 &
copia_b=$!
login_b=$(aspetta_finestra_di "$copia_b" '^ Quadrivela - ')
attiva "$login_b"
xdotool type --delay 40 "mirtillobianco"
xdotool key Return
contratti_b=$(primo_contratto "$copia_b")
sleep 0.5
import -window root "$shots/due_copie_b.png"

# B: the notes, Salva, the confirmation closed with Enter.
riscrivi "$contratti_b" 300 633 "Nota della copia B"
salva "$contratti_b"
aspetta_finestra_di "$copia_b" '^Informazione$' >/dev/null
xdotool key Return
aspetta_chiusura_di "$copia_b" '^Informazione$'
atteso 1772 "Nota della copia B"
salvata_da_b=$(md5sum <"$anno")

# A: the telephone number, Salva: the question, not the confirmation.
attiva "$contratti_a"
riscrivi "$contratti_a" 870 277 "051 999999"
salva "$contratti_a"
domanda=$(aspetta_finestra_di "$app_pid" '^Conferma$')
sleep 0.5
import -window root "$shots/due_copie_domanda.png"
[ -z "$(finestra_di "$app_pid" '^Informazione$')" ] || { echo "la copia A ha salvato senza chiedere" >&2; exit 1; }
[ "$(md5sum <"$anno")" = "$salvata_da_b" ] || { echo "la copia A ha scritto prima della risposta" >&2; exit 1; }
# Its buttons: Sovrascrivi, Ricarica, Annulla; the focus starts on Annulla,
# the default, and the button before it, whichever side the buttons are laid
# out from, is Ricarica.
attiva "$domanda"
xdotool key shift+Tab space
aspetta_chiusura_di "$app_pid" '^Conferma$'
for _ in $(seq 10); do
  [ -z "$(finestra_di "$app_pid" '^Informazione$')" ] || { echo "Ricarica ha salvato la scheda della copia A" >&2; exit 1; }
  sleep 0.1
done
[ "$(md5sum <"$anno")" = "$salvata_da_b" ] || { echo "Ricarica ha cambiato l'archivio" >&2; exit 1; }
sleep 0.3
import -window root "$shots/due_copie_ricaricata.png"

# A shows B's card now: the same change saved again asks nothing and keeps B's notes.
riscrivi "$contratti_a" 870 277 "051 999999"
salva "$contratti_a"
for _ in $(seq 100); do
  [ -n "$(finestra_di "$app_pid" '^Informazione$')" ] && break
  [ -z "$(finestra_di "$app_pid" '^Conferma$')" ] || { echo "dopo Ricarica la copia A chiede di nuovo" >&2; exit 1; }
  sleep 0.2
done
aspetta_finestra_di "$app_pid" '^Informazione$' >/dev/null
xdotool key Return
aspetta_chiusura_di "$app_pid" '^Informazione$'
atteso 1772 "Nota della copia B"
atteso 877 "051 999999"
atteso 696 "Bianchi Anna"
[ "$(stat -c %s "$anno")" = 3532 ] || { echo "$anno_corrente.con non contiene un contratto solo" >&2; exit 1; }
kill "$copia_b" 2>/dev/null || true
wait "$copia_b" 2>/dev/null || true
copia_b=""
