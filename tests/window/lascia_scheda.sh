# Part of finestra_reale.sh, sourced by it after due_copie.sh: the first copy
# of the program (app_pid) shows the contract of this year's file ($anno), as
# saved. Uses the helpers of both (geometria, atteso, finestra_di,
# aspetta_finestra_di, aspetta_chiusura_di, attiva, riscrivi). Not a script
# to run by itself.
#
# A changed card is not left without a word: with its notes changed, an arrow
# asks whether to save them; Escape stays on the card and writes nothing;
# asked again, Salva (two buttons before Annulla, the default, whichever side
# the buttons are laid out from) saves the card the usual way, with its
# confirmation.
contratti_a=$(aspetta_finestra_di "$app_pid" "Archivio contratti anno $anno_corrente")
attiva "$contratti_a"
prima_della_domanda=$(md5sum <"$anno")
riscrivi "$contratti_a" 300 633 "Nota da non perdere"
ultimo() { # the arrow to the last card
  geometria "$contratti_a"
  xdotool mousemove --sync $((X + (WIDTH - 995) / 2 + 965)) $((Y + (HEIGHT - 692) / 2 + 34)) click 1
}
ultimo
domanda=$(aspetta_finestra_di "$app_pid" '^Conferma$')
sleep 0.5
import -window root "$shots/lascia_scheda_domanda.png"
attiva "$domanda"
xdotool key Escape
aspetta_chiusura_di "$app_pid" '^Conferma$'
sleep 0.3
[ -z "$(finestra_di "$app_pid" '^Informazione$')" ] || { echo "Escape alla domanda ha salvato la scheda" >&2; exit 1; }
[ "$(md5sum <"$anno")" = "$prima_della_domanda" ] || { echo "Escape alla domanda ha cambiato l'archivio" >&2; exit 1; }

attiva "$contratti_a"
ultimo
domanda=$(aspetta_finestra_di "$app_pid" '^Conferma$')
attiva "$domanda"
xdotool key shift+Tab shift+Tab space
aspetta_finestra_di "$app_pid" '^Informazione$' >/dev/null
sleep 0.3
import -window root "$shots/lascia_scheda_salvata.png"
xdotool key Return
aspetta_chiusura_di "$app_pid" '^Informazione$'
atteso 1772 "Nota da non perdere"
atteso 877 "051 999999"
[ "$(stat -c %s "$anno")" = 3532 ] || { echo "$anno_corrente.con non contiene un contratto solo" >&2; exit 1; }
