#pragma once
// Archive files of fixed-length records: the employee archive and the yearly
// contract archives. Every user action opens the file, reads or writes whole
// records and closes it again; records are numbered from 1 in file order.

#include "schede.h"

#include <QFile>
#include <QList>
#include <QString>

#include <exception>
#include <functional>

namespace qv {

class ErroreArchivio : public std::exception
{
public:
    enum class Tipo { Apertura, Lettura, Scrittura };

    ErroreArchivio(Tipo tipo, const QString &percorso, const QString &dettaglio);

    Tipo tipo() const { return m_tipo; }
    QString percorso() const { return m_percorso; }
    QString dettaglio() const { return m_dettaglio; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    Tipo m_tipo;
    QString m_percorso;
    QString m_dettaglio;
    QByteArray m_what;
};

// A file of records of one fixed size. Failures are thrown as ErroreArchivio.
class FileArchivio
{
public:
    FileArchivio(const QString &percorso, int dimensione);
    ~FileArchivio();
    FileArchivio(const FileArchivio &) = delete;
    FileArchivio &operator=(const FileArchivio &) = delete;

    // Opens the file for reading and writing; a missing file is created empty.
    // An existing file that cannot be opened is reported and left as it is.
    void apri();
    void chiudi();
    bool aperto() const { return m_file.isOpen(); }

    // Number of whole records: an incomplete last record is not a card.
    int conta() const;
    QByteArray leggi(int posizione);
    // Overwrites record `posizione`; the other records are not touched.
    void scrivi(int posizione, const QByteArray &record);
    // Writes a new record after the last whole one and returns its position.
    int accoda(const QByteArray &record);
    // Hands every record to `visita` in file order, reading in large blocks;
    // `visita` returns false to stop early.
    void scorri(const std::function<bool(int posizione, const char *dati)> &visita);

    QString percorso() const { return m_file.fileName(); }

private:
    void verificaAperto() const;
    void scriviA(qint64 offset, const QByteArray &dati);
    [[noreturn]] void errore(ErroreArchivio::Tipo tipo) const;

    QFile m_file;
    int m_dimensione;
};

template <typename R>
class Archivio
{
public:
    explicit Archivio(const QString &percorso) : m_file(percorso, R::Dimensione) {}

    void apri() { m_file.apri(); }
    void chiudi() { m_file.chiudi(); }
    int conta() const { return m_file.conta(); }
    R leggi(int posizione) { return decodificaScheda<R>(m_file.leggi(posizione).constData()); }
    void scrivi(int posizione, const R &scheda) { m_file.scrivi(posizione, codificaScheda(scheda)); }
    int accoda(const R &scheda) { return m_file.accoda(codificaScheda(scheda)); }

    // Every card in file order; `visita(posizione, scheda)` returns false to stop.
    template <typename F>
    void perOgni(F &&visita)
    {
        m_file.scorri([&](int pos, const char *dati) { return visita(pos, decodificaScheda<R>(dati)); });
    }

    // The same with only the fields in `campi` decoded, the others left empty:
    // a list that shows a few fields of every card reads just those. The card
    // handed to `visita` is only valid during the call.
    template <typename F>
    void perOgni(const QList<QString R::*> &campi, F &&visita)
    {
        struct Letto
        {
            QString R::*membro;
            int offset, capacita;
        };
        QList<Letto> letti;
        int offset = 0;
        for (const auto &c : R::campi()) {
            if (campi.contains(c.membro))
                letti.append({c.membro, offset, c.capacita});
            offset += c.capacita + 1;
        }
        // One card is filled again for every record, reusing its texts' buffers.
        R r;
        m_file.scorri([&](int pos, const char *dati) {
            for (const Letto &l : letti)
                decodificaCampo(dati + l.offset, l.capacita, r.*(l.membro));
            return visita(pos, std::as_const(r));
        });
    }
    QList<R> leggiTutte()
    {
        QList<R> out;
        out.reserve(conta());
        perOgni([&](int, R &&s) { out.append(std::move(s)); return true; });
        return out;
    }

private:
    FileArchivio m_file;
};

using ArchivioDipendenti = Archivio<TSchedaDipendente>;
using ArchivioContratti = Archivio<TSchedaContratto>;

namespace guasti {
// Test seam: the next archive write stops after `byte` bytes and fails as a full
// disk would; a negative number switches it off.
void simulaDiscoPieno(qint64 byte);
} // namespace guasti

} // namespace qv
