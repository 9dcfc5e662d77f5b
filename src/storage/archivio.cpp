#include "archivio.h"

#include <QFileInfo>

#include <unistd.h>

namespace qv {

namespace {

qint64 s_byteConsentiti = -1;

// Records read at once when an archive is read whole.
constexpr int kRecordPerBlocco = 512;

} // namespace

void guasti::simulaDiscoPieno(qint64 byte)
{
    s_byteConsentiti = byte;
}

ErroreArchivio::ErroreArchivio(Tipo tipo, const QString &percorso, const QString &dettaglio)
    : m_tipo(tipo), m_percorso(percorso), m_dettaglio(dettaglio),
      m_what((percorso + QStringLiteral(": ") + dettaglio).toUtf8())
{
}

FileArchivio::FileArchivio(const QString &percorso, int dimensione)
    : m_file(percorso), m_dimensione(dimensione)
{
}

FileArchivio::~FileArchivio()
{
    m_file.close();
}

void FileArchivio::errore(ErroreArchivio::Tipo tipo) const
{
    throw ErroreArchivio(tipo, m_file.fileName(), m_file.errorString());
}

void FileArchivio::apri()
{
    if (m_file.isOpen())
        return;
    // An existing file is only ever opened, never created anew: if it cannot be
    // opened it is reported and left as it is.
    const bool esiste = QFileInfo::exists(m_file.fileName()) || QFileInfo(m_file.fileName()).isSymLink();
    const QIODevice::OpenMode modo = esiste ? QIODevice::ReadWrite : (QIODevice::ReadWrite | QIODevice::NewOnly);
    if (!m_file.open(modo))
        errore(ErroreArchivio::Tipo::Apertura);
}

void FileArchivio::chiudi()
{
    m_file.close();
}

void FileArchivio::verificaAperto() const
{
    if (!m_file.isOpen())
        throw ErroreArchivio(ErroreArchivio::Tipo::Lettura, m_file.fileName(),
                             QStringLiteral("archivio non aperto"));
}

int FileArchivio::conta() const
{
    verificaAperto();
    return int(m_file.size() / m_dimensione);
}

QByteArray FileArchivio::leggi(int posizione)
{
    verificaAperto();
    if (posizione < 1 || posizione > conta())
        throw ErroreArchivio(ErroreArchivio::Tipo::Lettura, m_file.fileName(),
                             QStringLiteral("la scheda %1 non esiste").arg(posizione));
    if (!m_file.seek(qint64(posizione - 1) * m_dimensione))
        errore(ErroreArchivio::Tipo::Lettura);
    QByteArray dati = m_file.read(m_dimensione);
    if (dati.size() != m_dimensione)
        errore(ErroreArchivio::Tipo::Lettura);
    return dati;
}

void FileArchivio::scriviA(qint64 offset, const QByteArray &dati)
{
    if (!m_file.seek(offset))
        errore(ErroreArchivio::Tipo::Scrittura);
    qint64 daScrivere = dati.size();
    bool guasto = false;
    if (s_byteConsentiti >= 0) {
        daScrivere = std::min(daScrivere, s_byteConsentiti);
        guasto = daScrivere < dati.size();
        s_byteConsentiti = -1;
    }
    const qint64 scritti = m_file.write(dati.constData(), daScrivere);
    // What was written reaches the disk before success is reported.
    const bool su_disco = m_file.flush() && ::fsync(m_file.handle()) == 0;
    if (guasto)
        throw ErroreArchivio(ErroreArchivio::Tipo::Scrittura, m_file.fileName(),
                             QStringLiteral("spazio esaurito sul disco"));
    if (scritti != dati.size() || !su_disco)
        errore(ErroreArchivio::Tipo::Scrittura);
}

void FileArchivio::scrivi(int posizione, const QByteArray &record)
{
    verificaAperto();
    Q_ASSERT(record.size() == m_dimensione);
    if (posizione < 1 || posizione > conta())
        throw ErroreArchivio(ErroreArchivio::Tipo::Scrittura, m_file.fileName(),
                             QStringLiteral("la scheda %1 non esiste").arg(posizione));
    const QByteArray prima = leggi(posizione);
    const qint64 offset = qint64(posizione - 1) * m_dimensione;
    try {
        scriviA(offset, record);
    } catch (const ErroreArchivio &) {
        // Put the old card back if the disk lets us; the others were never touched.
        m_file.unsetError();
        if (m_file.seek(offset) && m_file.write(prima) == prima.size())
            m_file.flush();
        throw;
    }
}

int FileArchivio::accoda(const QByteArray &record)
{
    verificaAperto();
    Q_ASSERT(record.size() == m_dimensione);
    const int n = conta();
    const qint64 offset = qint64(n) * m_dimensione;
    try {
        // The bytes of an incomplete last record are overwritten.
        scriviA(offset, record);
    } catch (const ErroreArchivio &) {
        // A half-written new record is not a card; cut it off when the disk allows.
        m_file.unsetError();
        m_file.resize(offset);
        throw;
    }
    return n + 1;
}

void FileArchivio::scorri(const std::function<bool(int posizione, const char *dati)> &visita)
{
    verificaAperto();
    const int n = conta();
    if (!m_file.seek(0))
        errore(ErroreArchivio::Tipo::Lettura);
    QByteArray blocco;
    for (int primo = 1; primo <= n; primo += kRecordPerBlocco) {
        const int quanti = std::min(kRecordPerBlocco, n - primo + 1);
        const qint64 byte = qint64(quanti) * m_dimensione;
        blocco.resize(byte);
        if (m_file.read(blocco.data(), byte) != byte)
            errore(ErroreArchivio::Tipo::Lettura);
        for (int i = 0; i < quanti; ++i)
            if (!visita(primo + i, blocco.constData() + qint64(i) * m_dimensione))
                return;
    }
}

} // namespace qv
