#pragma once
// A restore as one step that survives a power cut (ripristino.h). Every file
// of the copy is first written, whole and checked, into the folder
// "Ripristino in corso" inside the program folder; only then is the plan of
// the change, the journal "Quadrivela.ripristino", written and made durable:
// the folder the former data go to, the files that go there and the files
// that come in from "Ripristino in corso". Then the files are moved, each move
// one rename, and the journal goes last.
//
// At the next start a journal still there means a restore cut short after
// its files were all ready: the moves are made again from where they stopped
// (each one is skipped when already made), and the folder holds the copy's
// data. "Ripristino in corso" without a journal means a restore cut short
// before anything of the folder was touched: it goes, and the folder is as
// it was. Either way the folder is wholly old or wholly restored.
//
// Layout of the journal, UTF-8 text, one line each, fields split by a tab:
//   QVRIPRISTINO1
//   accanto <name of the folder the former data go to>
//   sposta  <name>   (a file of the folder that goes there)
//   nuovo   <name>   (a file that comes in from "Ripristino in corso")
//   impronta <FNV-1a of every byte before this line, hexadecimal>

#include <QString>
#include <QStringList>

#include <optional>

namespace qv {

inline const QString NomeGiornaleRipristino = QStringLiteral("Quadrivela.ripristino");
inline const QString NomeCartellaNuovi = QStringLiteral("Ripristino in corso");

struct PianoRipristino
{
    QString cartella;    // the program folder
    QString accanto;     // name of the folder the former data go to, inside `cartella`
    QStringList sposta;  // files of the folder set aside
    QStringList nuovi;   // files of the copy, in NomeCartellaNuovi
};

// Writes the plan's journal and makes it durable. False, with the reason.
bool scriviPianoRipristino(const PianoRipristino &piano, QString &errore);
// The plan in the journal of `cartella`; no value when there is none or it
// is damaged (`danneggiato` then true).
std::optional<PianoRipristino> leggiPianoRipristino(const QString &cartella, bool *danneggiato = nullptr);

// Makes the plan's moves not yet made, then removes the journal and
// "Ripristino in corso". False, with the reason, when a move fails.
bool eseguiPianoRipristino(const PianoRipristino &piano, QString &errore);
// Puts back what the plan's moves changed so far, then removes the journal,
// "Ripristino in corso" and the emptied folder of the former data. False,
// with the reason, when a move back fails.
bool annullaPianoRipristino(const PianoRipristino &piano, QString &errore);

struct EsitoRipresa
{
    enum class Stato {
        Nessuno,    // no restore was cut short
        Completato, // the restore cut short is complete now
        Annullato,  // it had not touched the folder yet, or could not be completed and was undone
        Fallito,    // it could be neither completed nor undone: nothing more is tried
    };
    Stato stato = Stato::Nessuno;
    QString cartellaPrecedenti; // Completato: where the former data are
    QString errore;             // Annullato after a failure, Fallito: why, in Italian
};

// Whether a restore was cut short in `cartella`.
bool ripristinoInterrotto(const QString &cartella);
// Completes or undoes a restore cut short in `cartella`. To be called before
// anything of the folder is read or written, with no other copy of the program
// on it (presenza.h).
EsitoRipresa riprendiRipristino(const QString &cartella);

namespace guasti {
// Test seam: the restore ends the process (exit code 99), as a power cut
// does, once `passo` of its durable steps are made (a file ready, the
// journal, one move, the end); a negative number switches it off.
void interrompiRipristino(int passo);
// Counts one durable step of a restore.
void passoRipristino();
} // namespace guasti

} // namespace qv
