# Part of finestra_reale.sh, sourced by it once the first copy of the program
# (app_pid) shows the main menu or its contract screen with a saved contract: uses its display,
# folder ($work), screenshots ($shots) and helpers (aspetta_finestra,
# aspetta_chiusura, attiva). Not a script to run by itself.
#
# A card saved by the keyboard alone, no mouse: Esc leaves the contract screen,
# Enter on the main menu's first button opens the employee card, the fields are
# filled with Tab and Enter, the expiry date comes from the picker, Tab reaches
# the Salva picture (its focus ring shows) and Enter presses it; the notes are
# changed and Ctrl+S saves them over the card; PagSu and PagGiù browse, Esc
# goes back to the main menu.
# Started on the contract screen, Esc leaves it first.
if xdotool search --onlyvisible --name 'Archivio contratti anno' >/dev/null 2>&1; then
  contratti_a=$(aspetta_finestra 'Archivio contratti anno')
  attiva "$contratti_a"
  xdotool key Escape
  aspetta_chiusura 'Archivio contratti anno'
fi
menu=$(aspetta_finestra '^ Quadrivela$')
# Each window that opens is given the keyboard, as a window manager that
# prevents focus stealing leaves it to the user.
attiva "$menu"
sleep 0.5
import -window root "$shots/tastiera_menu.png"
xdotool key Return
scheda=$(aspetta_finestra 'Anagrafica Dipendenti e Lavori')
attiva "$scheda"
sleep 1

# The focus starts in the name; Tab past "Lavori svolti", Cittadinanza,
# Stipendio, Luogo, Data di nascita and the Calcola icon reaches the codice fiscale.
xdotool type --delay 30 "Rossi Mario"
xdotool key --delay 60 Tab Tab Tab Tab Tab Tab Tab
# Another code than the first card's, which Salva would point out.
xdotool type --delay 30 "RSSMRA81A01H501V"
# Enter goes from field to field: partita IVA, address, city, province, CAP,
# qualifications, dependants, IBAN, notes.
xdotool key --delay 60 Return Return Return Return Return Return Return Return Return
xdotool type --delay 30 "scheda da tastiera"
# Enter moves on to the expiry date; a key opens the picker, Tab and Space import today.
xdotool key Return
xdotool key a
aspetta_finestra '^ Importazione data$' >/dev/null
sleep 0.5
xdotool key Tab space
aspetta_chiusura '^ Importazione data$'
# From the date: the eraser, notice, telephone, e-mail, the envelope, then
# Nuovo, Duplica and Salva at the top of the column.
xdotool key --delay 60 Tab Tab Tab Tab Tab Tab Tab Tab
sleep 0.5
import -window root "$shots/tastiera_salva.png"
xdotool key Return
aspetta_finestra '^Informazione$' >/dev/null
sleep 0.3
xdotool key Return
aspetta_chiusura '^Informazione$'

archivio="$work/Quadrivela/Dipendenti.pro"
[ "$(stat -c %s "$archivio")" -eq $((2 * 2666)) ] \
  || { echo "la scheda salvata da tastiera non è la seconda dell'archivio" >&2; exit 1; }
verifica Dipendente 2666 "Rossi Mario"
verifica CodFisc $((2666 + 177)) "RSSMRA81A01H501V"
verifica Note $((2666 + 792)) "scheda da tastiera"

# Back from Salva to the notes (Shift+Tab nine times), new notes, Ctrl+S.
xdotool key --delay 60 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
xdotool key ctrl+a
xdotool type --delay 30 "cambiata con Ctrl+S"
xdotool key ctrl+s
aspetta_finestra '^Informazione$' >/dev/null
sleep 0.3
xdotool key Return
aspetta_chiusura '^Informazione$'
[ "$(stat -c %s "$archivio")" -eq $((2 * 2666)) ] || { echo "Ctrl+S ha aggiunto una scheda" >&2; exit 1; }
verifica Note $((2666 + 792)) "cambiata con Ctrl+S"

# PagSu shows the first card, PagGiù the second again; Esc leaves the screen.
xdotool key Prior
sleep 0.3
import -window root "$shots/tastiera_pagsu.png"
xdotool key Next
sleep 0.3
xdotool key Escape
aspetta_finestra '^ Quadrivela$' >/dev/null
aspetta_chiusura 'Anagrafica Dipendenti e Lavori'
[ -z "$(xdotool search --onlyvisible --name '^(Conferma|Informazione|Attenzione)$' 2>/dev/null || true)" ] \
  || { echo "uscendo con Esc da una scheda salvata il programma ha chiesto qualcosa" >&2; exit 1; }
