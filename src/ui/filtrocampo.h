#pragma once
// The rule of what may enter an edit field, applied to every text the user
// puts in, typed, pasted, dropped or composed: the field kinds, the reasons a
// text is refused, what is made of pasted text (codes without their blanks,
// amounts without the euro sign, one line out of many) and the mark a field
// shows when something was refused.

#include "core/traslitterazione.h"

#include <QLineEdit>

#include <functional>

namespace qv {

enum Comportamento : int {
    Semplice = 0,        // focus mark and Enter only
    Maiuscole = 1,       // a-z become A-Z and the ends are trimmed on every key release
    TrimDigitando = 2,   // the ends are trimmed on every key release
    SoloCifre = 4,       // only the digits 0-9 are typed
    Importo = 8,         // digits, the dots of the thousands and one comma; formatted when the field is left
    DataCalendario = 16, // a date typed with digits and separators or taken from the date picker
    Codice = 32,         // codice fiscale, partita IVA, IBAN: blanks, dots and dashes are dropped, and
                         // with SoloCifre the country code IT in front
};

// Why `testo` cannot be the text of a field with `comportamenti`, in Italian;
// empty when it can. Every field holds only characters that the stored files'
// code page (Windows-1252) can hold; a digit field only the digits 0-9; an
// amount field digits, the thousands dots before the comma and one comma (a
// dot out of its place is let in: it may be the start of a group still being
// typed); a date field digits and the separators of a date (carattereData).
// `carattere`, when given, receives the character the code page cannot hold
// when that is the reason.
QString motivoRifiuto(const QString &testo, int comportamenti, QString *carattere = nullptr);

// What a field with `comportamenti` makes of a text put into it: a code loses
// its blanks, dots and dashes (a partita IVA its country code), a number its
// blanks, an amount its euro sign and blanks, any other field its tabs and
// line breaks, which become blanks; a whole date that can be read is written
// as "dd/mm/yyyy" ("21.12.2026" gives "21/12/2026"). `nota` tells what was changed, when
// something was; `grave` is set when the user must hear of it even on a
// screen without an info line (the country code dropped). The country code
// is looked for only when `intero` says that `testo` is all that was pasted:
// the part of a paste that a field's length let in may end just after it.
//
// Every field writes a letter of another Latin alphabet that the code page
// cannot hold as the letter that stands for it (traslittera(): Ș as S, ł as
// l); that change is always grave, and its note names each letter changed.
// `traslitterate`, when given, is set to the letters changed.
QString adattaInserito(const QString &testo, int comportamenti, QString *nota = nullptr, bool *grave = nullptr,
                       bool intero = true, QList<Traslitterazione> *traslitterate = nullptr);

// The note of letters written otherwise: what became what, each letter once,
// in the order given ("Ș è stato scritto come S, ț come t: ..."); past a few
// letters, the rest are counted.
QString notaTraslitterazione(const QList<Traslitterazione> &cambi);

// The reason shown when an amount field is left with a dot that does not
// separate the thousands.
QString motivoImportoAmbiguo(const QString &testo);

// An amount field holds what the user typed on after a character was refused
// there, until the user takes characters away or the program sets the text.
bool importoDubbio(const QLineEdit *campo);
// Why an amount field's text may not be formatted nor saved as it stands
// (importoDubbio, or a dot out of its place); empty when it may.
QString motivoImportoDaCorreggere(const QLineEdit *campo);

// Told why a text was refused or changed; `grave` as adattaInserito() says,
// and for a character the stored files cannot hold.
using AvvisoCampo = std::function<void(const QString &motivo, bool grave)>;

// Gives a field the rule of motivoRifiuto() for every text that would enter
// it, typed, pasted, dropped or composed: a refused text leaves the field as
// it was, with a beep and the field marked (segnaRifiuto) until its text
// changes. Pasted and dropped text is first made fit by adattaInserito(), and
// only then cut to the field's maximum length. `avviso` is told why each time;
// without it, a grave reason is shown in a short message and the others are
// left to what the field shows.
void applicaFiltro(QLineEdit *campo, int comportamenti, AvvisoCampo avviso = {});

// An amount field shows the thousands dots ("1.234.567,89") that its record
// field does not hold ("1234567,89"): applicaFiltro lets it take a third more
// characters than the record field's capacity, which it keeps here. 0 for a
// field that is no amount field, or has no maximum length.
inline constexpr char ProprietaCapacitaImporto[] = "qvCapacitaImporto";
int capacitaImporto(const QLineEdit *campo);
// A value a card holds put into its field: the value trimmed, an amount with
// its thousands dots (mostraImporto), the start in view. And what the card
// holds of the field's text: the text trimmed, an amount without the dots
// (importoArchivio); an amount still the one put in keeps the value's own
// writing ("1200,5" shown as "1.200,50"), so that an unchanged card keeps its bytes.
void mostraValore(QLineEdit *campo, const QString &valore);
QString valoreDelTesto(const QLineEdit *campo);

// The short message of a screen without an info line.
void avvisoSenzaRigaInfo(QLineEdit *campo, const QString &motivo, bool grave);

// The mark of a field whose text was refused: its background turns red.
void segnaRifiuto(QLineEdit *campo, bool segnato);
bool rifiutoSegnato(const QLineEdit *campo);

// A text the program puts into the field (a card loaded, an amount formatted)
// shows its beginning; what the user types stays where it is typed.
void mostraInizio(QLineEdit *campo);

} // namespace qv
