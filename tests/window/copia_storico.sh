# Part of finestra_reale.sh, sourced by it after tastiera.sh, with the first
# copy of the program (app_pid) on the main menu and two employee cards in
# Dipendenti.pro. Uses its helpers (aspetta_finestra, aspetta_chiusura,
# attiva, verifica with $archivio) and folders ($work, $shots). Not a script
# to run by itself.
#
# Nothing lost even by mistake: Ctrl+B on the main menu opens the safety
# copy's dialog, whose Enter writes the copy into the folder the settings
# remember (a stick), read back and checked; the first card's notes are then
# overwritten by mistake and saved; Ctrl+H lists the card's earlier versions,
# Enter puts the newest back in the fields, Ctrl+S stores it: the notes are as
# before the mistake, and the history keeps both versions.
chiavetta="$work/Chiavetta USB"
mkdir -p "$chiavetta"
impostazioni="$work/Quadrivela/Quadrivela.ini"
grep -q '^Cartella=' "$impostazioni" || { echo "Quadrivela.ini non ha la sezione della copia di sicurezza" >&2; exit 1; }
sed -i "s|^Cartella=[^\r]*|Cartella=$chiavetta|" "$impostazioni"

menu=$(aspetta_finestra '^ Quadrivela$')
attiva "$menu"
sleep 0.5
import -window root "$shots/menu_copia.png"
xdotool key ctrl+b
copia=$(aspetta_finestra '^ Copia di sicurezza$')
attiva "$copia"
sleep 0.5
import -window root "$shots/copia_dialogo.png"
xdotool key Return
aspetta_finestra '^Informazione$' >/dev/null
sleep 0.5
import -window root "$shots/copia_fatta.png"
xdotool key Return
aspetta_chiusura '^Informazione$'
aspetta_chiusura '^ Copia di sicurezza$'
zip=$(ls "$chiavetta"/Quadrivela-copia-*.zip 2>/dev/null | head -n1 || true)
[ -n "$zip" ] || { echo "la copia di sicurezza non è nella chiavetta" >&2; exit 1; }
unzip -tq "$zip" >/dev/null || { echo "la copia di sicurezza non supera il controllo di unzip" >&2; exit 1; }
unzip -p "$zip" Dipendenti.pro | cmp -s - "$archivio" || { echo "Dipendenti.pro nella copia non è l'archivio" >&2; exit 1; }
grep -q "^Ultima copia=$(date +%d/%m/%Y) " "$impostazioni" || { echo "Quadrivela.ini non annota la copia di oggi" >&2; exit 1; }

# The first card's notes overwritten by mistake, and saved.
attiva "$menu"
xdotool key Return
scheda=$(aspetta_finestra 'Anagrafica Dipendenti e Lavori')
attiva "$scheda"
sleep 1
xdotool key ctrl+Prior
sleep 0.5
geometria "$scheda"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 600)) $((Y + (HEIGHT - 692) / 2 + 527)) click 1
xdotool key ctrl+a
xdotool type --delay 30 "sovrascritta per sbaglio"
xdotool key ctrl+s
aspetta_finestra '^Informazione$' >/dev/null
sleep 0.3
xdotool key Return
aspetta_chiusura '^Informazione$'
verifica Note 792 "sovrascritta per sbaglio"

# Ctrl+H: the earlier versions, the newest selected; Enter shows it, Ctrl+S stores it.
xdotool key ctrl+h
versioni=$(aspetta_finestra '^ Versioni precedenti della scheda$')
attiva "$versioni"
sleep 0.5
import -window root "$shots/versioni_precedenti.png"
xdotool key Return
aspetta_chiusura '^ Versioni precedenti della scheda$'
sleep 0.3
import -window root "$shots/versione_nella_scheda.png"
verifica Note 792 "sovrascritta per sbaglio"
xdotool key ctrl+s
aspetta_finestra '^Informazione$' >/dev/null
sleep 0.3
xdotool key Return
aspetta_chiusura '^Informazione$'
verifica Note 792 ""
verifica Dipendente 0 "Rossi Mario"
storico="$archivio.storico"
record=$((32 + 2666))
dimensione=$(stat -c %s "$storico")
[ $((dimensione % record)) -eq 0 ] && [ "$dimensione" -ge $((2 * record)) ] \
  || { echo "Dipendenti.pro.storico: $dimensione byte, non almeno due versioni intere" >&2; exit 1; }
xdotool key Escape
aspetta_finestra '^ Quadrivela$' >/dev/null
aspetta_chiusura 'Anagrafica Dipendenti e Lavori'
