#pragma once
// What a card screen checks after its own required fields and before it
// writes the card: the amount must be one, and dates that cannot be right are
// put to the user.

#include <QLineEdit>
#include <QStringList>

namespace qv {

// True when the card may be written. An amount field that must be corrected
// (a character refused while it was typed, or dots that do not separate the
// thousands: motivoImportoDaCorreggere) stops the save with a warning and the
// focus in it; a readable amount is formatted as leaving the field does
// ("1.234.567,89"), and one too long for its record field stops the save
// too, never cut. The dates in
// `problemi` (controllodate.h) are named in one question; its default, No,
// goes back without writing; Sì lets the card be written as it stands.
// `cosa` names the card in the question ("il contratto", "la scheda").
bool primaDiSalvare(QWidget *schermo, QLineEdit *importo, const QStringList &problemi, const QString &cosa);

// True when the date field `campo` holds a real date in the "dd/mm/yyyy"
// format. Otherwise a plain message says that `quale` ("la data di
// scadenza") with the field's text does not exist and that `cosa` ("la
// scheda") needs a valid date to be saved; the field is marked and takes the
// focus, its text kept for the user to mend. With `facoltativa` (a birth
// date) an empty field is no date to refuse.
bool dataEsistente(QWidget *schermo, QLineEdit *campo, const QString &quale, const QString &cosa,
                   bool facoltativa = false);

} // namespace qv
