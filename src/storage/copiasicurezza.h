#pragma once
// The safety copy: one zip file, "Quadrivela-copia-AAAA-MM-GG-hhmm.zip", of
// the data in the program folder (every file the program writes there and
// keeps, filedati.h: the employee archive, every year's contract archive,
// their histories, the photos, the work-log sheets, the exports, "Quadrivela.ini"
// and the password store) and of the files the cards attach, wherever they
// lie. A description of its content, "Quadrivela-copia.json", goes in the zip
// too: for every file its name, its size, its SHA-256 and, for an archive,
// its number of cards; an attached file also keeps its full path.
//
// Every archive is read under its shared lock, after a journal left by a
// save cut short has been applied (or, in a folder that can only be read,
// with the old card the journal holds), so a copy made while another copy of
// the program saves holds whole cards, each as one of the saves left it;
// the settings and the password store are read under theirs. Only the whole
// cards of an archive, and the whole records of a history, are copied.
//
// The zip goes to a temporary file beside its final name and is renamed once
// complete and on the disk; then it is read back and every file checked
// against its SHA-256 (the zip's own CRC-32 too) before it counts as done. A
// copy that fails or is stopped leaves nothing under the final name.

#include "filedati.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace qv {

inline const QString NomeDescrizioneCopia = QStringLiteral("Quadrivela-copia.json");

struct FileCopia
{
    QString nome;      // in the program folder, or in the zip for an attached file
    GenereFileCopia genere = GenereFileCopia::Dipendenti;
    QString origine;   // an attached file's full path
    qint64 byte = 0;
    QByteArray sha256; // hexadecimal
    int schede = -1;   // an archive's whole cards
};

struct ContenutoCopia
{
    QDateTime creata;
    QList<FileCopia> file;
};

// The name of the copy made at `quando`.
QString nomeFileCopia(const QDateTime &quando);

// The data files the program folder `cartella` holds now, with their size
// and, for archives, their number of cards (no SHA-256), by name.
QList<FileCopia> fileDatiCartella(const QString &cartella);

// How far a task is: `fatti` of `totale` bytes; false to stop it.
using AvanzamentoCopia = std::function<bool(qint64 fatti, qint64 totale)>;

struct EsitoCopia
{
    enum class Stato { Fatta, Annullata, Fallita };
    Stato stato = Stato::Fallita;
    QString percorso;                // the zip written
    QString errore;                  // what failed, in Italian
    QStringList allegatiMancanti;    // attached files not found: not in the copy
    ContenutoCopia contenuto;
};

// Makes the copy of `cartella` made at `quando` in the folder `destinazione`.
EsitoCopia creaCopiaSicurezza(const QString &cartella, const QString &destinazione, const QDateTime &quando,
                              const AvanzamentoCopia &avanzamento = {});

struct VerificaCopia
{
    bool integra = false;
    bool annullata = false; // stopped through `avanzamento`
    QString errore;         // what is wrong, in Italian
    ContenutoCopia contenuto;
};

// Reads the copy at `percorso` whole: its description, and every file it
// names against its size, its SHA-256 and the zip's CRC-32.
VerificaCopia verificaCopia(const QString &percorso, const AvanzamentoCopia &avanzamento = {});

} // namespace qv
