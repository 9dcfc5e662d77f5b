#pragma once
// INI-format text files (the settings file and the password store) read and
// written the way the Windows profile functions treat them: "[Section]" lines
// and "key=value" lines, section and key names matched without regard to the
// case of A-Z, blanks around names and values ignored, Windows-1252 text.
// A write changes only the line of its key (or adds the lines it needs); every
// other line, comments and line endings included, stays byte for byte.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace qv {

// The reason FileIni::salva() gives, before it tries anything, when the file
// cannot be written where it is: its folder (or share) can only be read.
inline const QString MotivoSolaLettura = QStringLiteral("la cartella è in sola lettura");

class FileIni
{
public:
    // Reads the file at `percorso`. A missing file reads as an empty one; an
    // existing file that cannot be read (a folder, no permission) gives no
    // value and, when `errore` is given, the reason there. The file is read
    // under a shared lock, so a rewrite by another copy is seen whole or not
    // at all; when another copy holds it too long the reason is MsgFileOccupato.
    static std::optional<FileIni> leggi(const QString &percorso, QString *errore = nullptr);

    // Value of `chiave` in `sezione` without leading and trailing blanks; empty
    // when the section or the key is missing. The first section and the first
    // key of that name count.
    QString valore(const QString &sezione, const QString &chiave) const;

    // Sets the value in memory: an existing key keeps its line up to the "=",
    // a new key goes after the last line of its section, a new section goes at
    // the end of the file after an empty line. A value is one line: its line
    // breaks are written as blanks. New lines end like the file's first line
    // (CR LF for a file that has none).
    void imposta(const QString &sezione, const QString &chiave, const QString &valore);

    // Writes the content through a temporary file in the same folder that
    // replaces the old file only once everything has been written, so a failure
    // leaves the old file as it was. An existing file whose content has not
    // changed is not rewritten. On failure returns false and, when `errore` is
    // given, puts the reason there.
    //
    // Another copy of the program may have changed the file since it was read:
    // the file is read again under an exclusive lock and the values set here
    // are applied to what it holds now, so neither copy's lines are lost. A
    // file that cannot be read again is not rewritten.
    //
    // A file that cannot be written where it is (solaLettura) is not tried:
    // false at once, with MotivoSolaLettura as the reason.
    bool salva(QString *errore = nullptr);

    // True when the file at `percorso` can be neither rewritten in place nor
    // replaced through a new file in its folder, because the folder (or share)
    // and the file refuse writing; also under guasti::negaScrittura. Any
    // other trouble is left to the write, which reports it.
    static bool solaLettura(const QString &percorso);

    QString percorso() const { return m_percorso; }
    // The file's bytes as read, with what imposta() changed since.
    QByteArray contenuto() const { return m_dati; }

private:
    explicit FileIni(const QString &percorso) : m_percorso(percorso) {}

    struct Modifica
    {
        QString sezione, chiave, valore;
    };

    QString m_percorso;
    QList<Modifica> m_modifiche; // what imposta() was asked, in order
    QByteArray m_dati;   // current content
    QByteArray m_letti;  // content of the file on disk
    bool m_esiste = false;
};

} // namespace qv
