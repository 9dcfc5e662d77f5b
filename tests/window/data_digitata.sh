# Part of finestra_reale.sh, sourced by it at its end, while the first copy of
# the program (app_pid) shows the contract of this year's file ($anno) saved by
# due_copie.sh: uses its display, folder ($work), screenshots ($shots) and
# helpers (geometria, aspetta_finestra, aspetta_chiusura, atteso). Not a
# script to run by itself.
#
# Dates typed as people type them, at the keyboard's full speed. On the
# contract: the end date typed over in eight digits, Enter, and the duration
# typed on at once: both land in their fields and the year file holds
# 21/12/2026. On the employee card: an impossible expiry date is refused (the
# field turns red, the info line says why), then mended with "21-12-26" and
# Enter, the notice period typed on at once; F4 opens the picker, where
# "1.3.27" and Enter are taken; Dipendenti.pro holds the date as dd/mm/yyyy.
contratti=$(aspetta_finestra "Archivio contratti anno $anno_corrente")
attiva "$contratti"
geometria "$contratti"
pannello_x=$((X + (WIDTH - 995) / 2))
pannello_y=$((Y + (HEIGHT - 692) / 2))
# Data scadenza (618, 531; 110 x 24): a click, the whole date selected, typed over.
xdotool mousemove --sync $((pannello_x + 670)) $((pannello_y + 543)) click 1
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 0 "21122026"
xdotool key Return
xdotool type --delay 0 "un anno"
sleep 0.5
import -window root "$shots/data_digitata_contratto.png"
xdotool mousemove --sync $((pannello_x + 214)) $((pannello_y + 98)) click 1
aspetta_finestra '^Informazione$' >/dev/null
sleep 0.3
xdotool key Return
aspetta_chiusura '^Informazione$'
atteso 1538 "21/12/2026"
atteso 1549 "un anno"

# Esci to the main menu, then the employee card with the card saved at the start.
xdotool mousemove --sync $((pannello_x + 943)) $((pannello_y + 98)) click 1
menu=$(aspetta_finestra '^ Quadrivela$')
sleep 0.5
geometria "$menu"
xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 165)) $((Y + (HEIGHT - 692) / 2 + 459)) click 1
card=$(aspetta_finestra 'Anagrafica Dipendenti e Lavori')
sleep 1
geometria "$card"
pannello_x=$((X + (WIDTH - 995) / 2))
pannello_y=$((Y + (HEIGHT - 692) / 2))
clic() { xdotool mousemove --sync $((pannello_x + $1)) $((pannello_y + $2)) click "${3:-1}"; sleep 0.3; }
colore() { # x y inside the panel: the pixel's colour as #RRGGBB
  import -window root -crop 1x1+$((pannello_x + $1))+$((pannello_y + $2)) -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1
}
riga_info() { import -window root -crop 963x40+$((pannello_x + 16))+$((pannello_y + 652)) -depth 8 rgb:- | md5sum; }
clic 618 43 # the first card
sleep 0.5

# Scadenza contratto (44, 580; 150 x 26): a day that does not exist, Tab.
clic 120 593
info_prima=$(riga_info)
xdotool key ctrl+a
xdotool type --delay 0 "31/02/2026"
xdotool key Tab
sleep 0.5
import -window root "$shots/data_inesistente.png"
[ "$(colore 52 586)" = "#FFC4C4" ] || { echo "la data inesistente non segna il campo: $(colore 52 586)" >&2; exit 1; }
info_rifiuto=$(riga_info)
[ "$info_rifiuto" != "$info_prima" ] || { echo "la data inesistente non è spiegata nella riga informativa" >&2; exit 1; }

# Mended the way it was typed, Enter, and the notice period typed on at once.
clic 120 593
xdotool key ctrl+a
xdotool type --delay 0 "21-12-26"
xdotool key Return
xdotool type --delay 0 "45"
sleep 0.5
import -window root "$shots/data_digitata_scheda.png"
[ "$(colore 52 586)" != "#FFC4C4" ] || { echo "la data corretta resta segnata" >&2; exit 1; }
[ "$(riga_info)" != "$info_rifiuto" ] || { echo "la riga informativa spiega ancora la data corretta" >&2; exit 1; }
clic 907 172
aspetta_finestra '^Informazione$' >/dev/null
sleep 0.3
xdotool key Return
aspetta_chiusura '^Informazione$'
archivio="$work/Quadrivela/Dipendenti.pro"
verifica DataSca 1043 "21/12/2026"
verifica Preavviso 1054 "45"

# F4 opens the picker on the field's date; a date typed there and Enter are taken.
clic 120 593
xdotool key F4
calendario=$(aspetta_finestra '^ Importazione data$')
sleep 0.5
xdotool type --delay 0 "1.3.27"
sleep 0.3
import -window root "$shots/data_digitata_calendario.png"
xdotool key Return
aspetta_chiusura '^ Importazione data$'
clic 907 172
aspetta_finestra '^Informazione$' >/dev/null
sleep 0.3
xdotool key Return
aspetta_chiusura '^Informazione$'
verifica DataSca 1043 "01/03/2027"

# Esci of the card: back to the main menu.
clic 907 478
aspetta_finestra '^ Quadrivela$' >/dev/null
aspetta_chiusura 'Anagrafica Dipendenti e Lavori'
