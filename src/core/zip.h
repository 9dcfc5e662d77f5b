#pragma once
// Zip files, written and read through minizip (zlib's own zip library, with
// zip64 for entries past 4 GB). Every call of that library is in zip.cpp:
// a build that compiles minizip from zlib's sources changes nothing else.
// The zip file is any open QIODevice that can seek (a QFile, a QSaveFile), so
// every path Qt can open works, whatever characters it holds.
//
// Names inside the zip are UTF-8 (the zip's flag for it is set) with "/"
// between folders. An entry read back is checked against its CRC-32 by the
// library; a damaged entry is an error, never short or wrong data.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

namespace qv {

// Writes entries one after the other, then the zip's directory.
class ScritturaZip
{
public:
    // `dispositivo` is open for writing and stays open; chiudi() does not close it.
    explicit ScritturaZip(QIODevice *dispositivo);
    ~ScritturaZip();
    ScritturaZip(const ScritturaZip &) = delete;
    ScritturaZip &operator=(const ScritturaZip &) = delete;

    // Starts an entry; `dimensione` is its size as far as it is known (an
    // entry of 4 GB or more needs room for the large sizes in its heading).
    bool iniziaVoce(const QString &nome, const QDateTime &quando, qint64 dimensione);
    bool scrivi(const char *dati, qint64 quanti);
    bool scrivi(const QByteArray &dati) { return scrivi(dati.constData(), dati.size()); }
    bool chiudiVoce();
    // Writes the directory at the end of the zip; no entry may be open.
    bool chiudi();
    // What failed, for the user.
    QString errore() const { return m_errore; }

private:
    bool fallito(const QString &cosa);

    void *m_zip = nullptr;
    QIODevice *m_dispositivo;
    bool m_voceAperta = false;
    QString m_errore;
};

struct VoceZip
{
    QString nome;
    qint64 byte = 0;     // uncompressed
    quint32 crc = 0;
    QDateTime quando;    // as stored, local time to the minute (two seconds, in fact)
};

// Reads a zip's directory and its entries.
class LetturaZip
{
public:
    // `dispositivo` is open for reading and stays open.
    explicit LetturaZip(QIODevice *dispositivo);
    ~LetturaZip();
    LetturaZip(const LetturaZip &) = delete;
    LetturaZip &operator=(const LetturaZip &) = delete;

    // False when the device holds no readable zip directory.
    bool apri();
    QList<VoceZip> voci() const { return m_voci; }
    // Hands the entry's bytes to `ricevi` a block at a time (`ricevi` returns
    // false to stop, and leggi() then returns false too). False, with the
    // reason in errore(), when the entry is missing, cannot be read or does
    // not match its CRC-32; the blocks already handed over are then not to be trusted.
    bool leggi(const QString &nome, const std::function<bool(const char *dati, qint64 quanti)> &ricevi);
    // The whole entry; no value when leggi() fails.
    std::optional<QByteArray> leggiTutta(const QString &nome);
    QString errore() const { return m_errore; }

private:
    bool fallito(const QString &cosa);

    void *m_zip = nullptr;
    QIODevice *m_dispositivo;
    QList<VoceZip> m_voci;
    QString m_errore;
};

} // namespace qv
