#include "archivio.h"

#include "blocco.h"
#include "sololettura.h"
#include "storico.h"
#include "core/diario.h"
#include "core/filesicuro.h"
#include "core/os/file.h"
#include "core/os/versa.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qv {

namespace {

qint64 s_byteConsentiti = -1;
qint64 s_interrompiDopo = -1;
bool s_senzaGiornale = false;

// Bytes read at once when an archive is read whole: a block small enough to be
// still in the processor's cache when its cards are decoded.
constexpr qint64 kBytePerBlocco = 128 * 1024;

QString testoErrore(int numeroErrore)
{
    return QString::fromLocal8Bit(std::strerror(numeroErrore));
}

int apriFile(const QString &nome, int modo)
{
    if (guasti::scritturaNegata() && (modo & (os::LetturaScrittura | os::SoloScrittura | os::Crea))) {
        // As a read-only file system answers: a missing file stays missing, an
        // existing one cannot be written, nothing can be created.
        const bool esiste = os::esiste(nome);
        errno = (modo & os::Crea) ? (esiste ? EEXIST : EROFS) : (esiste ? EROFS : ENOENT);
        return -1;
    }
    return os::apri(nome, modo);
}

bool scriviTutto(int fd, const char *dati, qint64 n, qint64 offset)
{
    while (n > 0) {
        const qint64 w = os::scriviA(fd, dati, n, offset);
        if (w <= 0) {
            if (w == 0)
                errno = ENOSPC;
            return false;
        }
        dati += w;
        n -= w;
        offset += w;
    }
    return true;
}

bool leggiTutto(int fd, char *dati, qint64 n, qint64 offset)
{
    while (n > 0) {
        const qint64 r = os::leggiA(fd, dati, n, offset);
        if (r <= 0) {
            if (r == 0)
                errno = EIO; // the file ended before the record did
            return false;
        }
        dati += r;
        n -= r;
        offset += r;
    }
    return true;
}

} // namespace

void guasti::simulaDiscoPieno(qint64 byte)
{
    s_byteConsentiti = byte;
}

void guasti::interrompiSovrascrittura(qint64 byte)
{
    s_interrompiDopo = byte;
}

void guasti::disattivaGiornale(bool disattiva)
{
    s_senzaGiornale = disattiva;
}

ErroreArchivio::ErroreArchivio(Tipo tipo, const QString &percorso, const QString &dettaglio)
    : m_tipo(tipo), m_percorso(percorso), m_dettaglio(dettaglio),
      m_what((percorso + QStringLiteral(": ") + dettaglio).toUtf8())
{
    // Every failure of an archive goes to the log, with its kind, its file and
    // the system's words; a missing archive and a write refused to an archive
    // open for reading are states, not failures.
    const char *const cosa[] = {"apertura non riuscita", "lettura non riuscita", "scrittura non riuscita",
                                "in uso da un'altra copia oltre l'attesa", "", "", "giornale illeggibile"};
    if (tipo != Tipo::Assente && tipo != Tipo::SolaLettura)
        qCWarning(logArchivi).noquote() << QStringLiteral("Archivio, %1:").arg(QLatin1String(cosa[int(tipo)]))
                                        << percorso << QStringLiteral("-") << dettaglio;
}

FileArchivio::FileArchivio(const QString &percorso, int dimensione)
    : m_percorso(percorso), m_dimensione(dimensione)
{
}

FileArchivio::~FileArchivio()
{
    chiudi();
}

QString FileArchivio::percorsoGiornale(const QString &archivio)
{
    return archivio + QStringLiteral(".giornale");
}

void FileArchivio::errore(ErroreArchivio::Tipo tipo, int numeroErrore) const
{
    throw ErroreArchivio(tipo, m_percorso, testoErrore(numeroErrore));
}

void FileArchivio::apri(bool creaSeManca)
{
    if (m_aperto)
        return;
    m_solaLettura = m_assente = false;
    m_sovrapposto.reset();
    // An existing file is only ever opened, never created anew: if it cannot be
    // opened it is reported and left as it is. Reads and writes go straight to
    // the file, so nothing another copy wrote is hidden behind a buffer.
    int fd = -1;
    for (int tentativo = 0; fd < 0; ++tentativo) {
        fd = apriFile(m_percorso, os::LetturaScrittura);
        if (fd >= 0)
            break;
        if (errno == ENOENT) {
            if (!creaSeManca)
                throw ErroreArchivio(ErroreArchivio::Tipo::Assente, m_percorso, QStringLiteral("l'archivio non esiste"));
            fd = apriFile(m_percorso, os::LetturaScrittura | os::Crea | os::Esclusiva);
            if (fd >= 0)
                break;
            // Another copy created the missing file a moment ago: it is opened.
            if (errno == EEXIST && tentativo < 3)
                continue;
            // A folder that takes no new file, or no folder at all: a missing
            // archive is an empty one.
            if (scritturaRifiutata(errno) || errno == ENOENT) {
                m_assente = m_solaLettura = m_aperto = true;
                return;
            }
            errore(ErroreArchivio::Tipo::Apertura, errno);
        }
        if (!scritturaRifiutata(errno))
            errore(ErroreArchivio::Tipo::Apertura, errno);
        // It cannot be written here: it can still be consulted.
        fd = apriFile(m_percorso, os::SoloLettura);
        if (fd >= 0) {
            m_solaLettura = true;
            break;
        }
        if (errno == ENOENT && tentativo < 3)
            continue;
        errore(ErroreArchivio::Tipo::Apertura, errno);
    }
    const os::Tipo tipo = os::tipo(fd);
    const int statoFile = tipo == os::Tipo::Ignoto ? errno : (tipo == os::Tipo::Cartella ? EISDIR : 0);
    if (statoFile != 0) {
        os::chiudi(fd);
        errore(ErroreArchivio::Tipo::Apertura, statoFile);
    }
    m_fd = fd;
    m_aperto = true;
    try {
        if (!m_solaLettura && giornalePresente(percorsoGiornale(m_percorso)))
            ripristinaGiornale(false);
    } catch (...) {
        chiudi();
        throw;
    }
}

bool FileArchivio::soloLettura(const QString &percorso)
{
    const int fd = apriFile(percorso, os::LetturaScrittura);
    if (fd >= 0) {
        os::chiudi(fd);
        return false;
    }
    return errno == ENOENT ? percorsoSolaLettura(percorso) : scritturaRifiutata(errno);
}

void FileArchivio::ripristinaGiornale(bool bloccato)
{
    // A writer holds the lock for the whole life of its journal, so a journal
    // seen under the lock was left by a copy that ended mid-save. (A lock of
    // this process is one lock: the caller's is not taken twice, or releasing
    // the inner one would release the caller's.)
    BloccoFile blocco;
    if (!bloccato)
        blocca(blocco, true);
    const QString percorso = percorsoGiornale(m_percorso);
    const LetturaGiornale letto = leggiGiornale(percorso, m_dimensione);
    switch (letto.stato) {
    case LetturaGiornale::Stato::Assente:
        return;
    case LetturaGiornale::Stato::Illeggibile:
        // It may hold the only whole copy of a card: it stays, and so does
        // the archive until someone looks at it.
        throw ErroreArchivio(ErroreArchivio::Tipo::DaControllare, percorso, testoErrore(letto.errore));
    case LetturaGiornale::Stato::Incompleto:
        // Cut short before the card was touched.
        break;
    case LetturaGiornale::Stato::Valido: {
        // Only a whole card at a card's place in this archive is put back.
        const Giornale &g = letto.giornale;
        if (g.perArchivio(m_dimensione, dimensioneFile())) {
            const qint64 offset = qint64(g.offset);
            QByteArray ora(m_dimensione, Qt::Uninitialized);
            leggiA(offset, ora.data(), m_dimensione);
            if (g.daRipristinare(ora)) {
                if (!scriviTutto(m_fd, g.vecchi.constData(), g.vecchi.size(), offset))
                    errore(ErroreArchivio::Tipo::Apertura, errno);
                sincronizza(ErroreArchivio::Tipo::Apertura);
            }
        }
        break;
    }
    }
    rimuoviGiornale(percorso);
    sincronizzaCartella(percorso);
}

void FileArchivio::chiudi()
{
    os::chiudi(m_fd);
    m_fd = -1;
    m_aperto = false;
    m_sovrapposto.reset();
}

void FileArchivio::verificaAperto() const
{
    if (!m_aperto)
        throw ErroreArchivio(ErroreArchivio::Tipo::Lettura, m_percorso, QStringLiteral("archivio non aperto"));
}

void FileArchivio::verificaScrivibile() const
{
    if (m_solaLettura)
        throw ErroreArchivio(ErroreArchivio::Tipo::SolaLettura, m_percorso,
                             QStringLiteral("l'archivio si può soltanto leggere"));
}

qint64 FileArchivio::dimensioneFile() const
{
    if (m_assente)
        return 0;
    const qint64 dimensione = os::dimensione(m_fd);
    if (dimensione < 0)
        errore(ErroreArchivio::Tipo::Lettura, errno);
    return dimensione;
}

void FileArchivio::blocca(BloccoFile &blocco, bool esclusivo) const
{
    if (m_assente)
        return;
    if (blocco.prendi(m_fd, esclusivo ? TipoBlocco::Esclusivo : TipoBlocco::Condiviso))
        return;
    if (errno == EAGAIN)
        throw ErroreArchivio(ErroreArchivio::Tipo::Occupato, m_percorso,
                             QStringLiteral("l'archivio è in uso da un'altra copia del programma"));
    // A file system without locks (some network shares) still lets the file
    // be used, as before there were locks.
    if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL || errno == ENOSYS)
        return;
    errore(esclusivo ? ErroreArchivio::Tipo::Scrittura : ErroreArchivio::Tipo::Lettura, errno);
}

void FileArchivio::bloccaPerLeggere(BloccoFile &blocco)
{
    m_sovrapposto.reset();
    if (m_assente)
        return;
    const QString giornale = percorsoGiornale(m_percorso);
    bool ripristinato = false;
    for (;;) {
        blocca(blocco, false);
        if (!giornalePresente(giornale))
            return;
        if (!m_solaLettura && !ripristinato) {
            // A writer keeps the exclusive lock for the whole life of its
            // journal: one seen under the shared lock was left by a copy that
            // ended mid-save since this one opened the archive. Its card is put
            // back under the exclusive lock before any card is handed out.
            blocco.rilascia();
            ripristinaGiornale(false);
            ripristinato = true;
            continue;
        }
        // The journal stays (this copy cannot write the archive, or could not
        // remove it): the old card it holds is handed out in place of a torn one.
        const LetturaGiornale letto = leggiGiornale(giornale, m_dimensione);
        if (letto.stato == LetturaGiornale::Stato::Illeggibile)
            throw ErroreArchivio(ErroreArchivio::Tipo::DaControllare, giornale, testoErrore(letto.errore));
        if (letto.stato == LetturaGiornale::Stato::Valido && letto.giornale.perArchivio(m_dimensione, dimensioneFile()))
            m_sovrapposto = letto.giornale;
        return;
    }
}

void FileArchivio::sovrapponiGiornale(qint64 offset, char *dati, qint64 quanti) const
{
    if (!m_sovrapposto)
        return;
    const Giornale &g = *m_sovrapposto;
    // Reads are of whole records and the journal names a whole record.
    const quint64 inizio = quint64(offset);
    if (g.offset < inizio || g.offset - inizio >= quint64(quanti))
        return;
    char *scheda = dati + qint64(g.offset - inizio);
    if (g.daRipristinare(QByteArray::fromRawData(scheda, m_dimensione)))
        std::memcpy(scheda, g.vecchi.constData(), size_t(m_dimensione));
}

void FileArchivio::leggiA(qint64 offset, char *dati, qint64 quanti) const
{
    if (!leggiTutto(m_fd, dati, quanti, offset))
        errore(ErroreArchivio::Tipo::Lettura, errno);
}

void FileArchivio::sincronizza(ErroreArchivio::Tipo tipo)
{
    if (!os::versa(m_fd))
        errore(tipo, errno);
}

int FileArchivio::conta() const
{
    verificaAperto();
    return int(dimensioneFile() / m_dimensione);
}

QByteArray FileArchivio::leggi(int posizione)
{
    verificaAperto();
    BloccoFile blocco;
    bloccaPerLeggere(blocco);
    if (posizione < 1 || posizione > conta())
        throw ErroreArchivio(ErroreArchivio::Tipo::Lettura, m_percorso,
                             QStringLiteral("la scheda %1 non esiste").arg(posizione));
    QByteArray dati(m_dimensione, Qt::Uninitialized);
    const qint64 offset = qint64(posizione - 1) * m_dimensione;
    leggiA(offset, dati.data(), m_dimensione);
    sovrapponiGiornale(offset, dati.data(), m_dimensione);
    return dati;
}

void FileArchivio::scriviA(qint64 offset, const QByteArray &dati, bool sovrascrittura)
{
    qint64 daScrivere = dati.size();
    bool guasto = false;
    if (s_byteConsentiti >= 0) {
        daScrivere = std::min(daScrivere, s_byteConsentiti);
        guasto = daScrivere < dati.size();
        s_byteConsentiti = -1;
    }
    if (sovrascrittura && s_interrompiDopo >= 0) {
        // The power goes off part-way: what was written stays, nothing else happens.
        const qint64 n = std::min<qint64>(s_interrompiDopo, dati.size());
        if (scriviTutto(m_fd, dati.constData(), n, offset))
            os::versa(m_fd);
        std::_Exit(99);
    }
    if (!scriviTutto(m_fd, dati.constData(), daScrivere, offset))
        errore(ErroreArchivio::Tipo::Scrittura, errno);
    // What was written reaches the disk before success is reported.
    sincronizza(ErroreArchivio::Tipo::Scrittura);
    if (guasto)
        throw ErroreArchivio(ErroreArchivio::Tipo::Scrittura, m_percorso, QStringLiteral("spazio esaurito sul disco"));
}

void FileArchivio::scrivi(int posizione, const QByteArray &record)
{
    scriviScheda(posizione, record, nullptr);
}

bool FileArchivio::sostituisci(int posizione, const QByteArray &record, const QByteArray &atteso)
{
    return scriviScheda(posizione, record, &atteso);
}

bool FileArchivio::scriviScheda(int posizione, const QByteArray &record, const QByteArray *atteso)
{
    verificaAperto();
    verificaScrivibile();
    Q_ASSERT(record.size() == m_dimensione);
    BloccoFile blocco;
    blocca(blocco, true);
    if (posizione < 1 || posizione > conta())
        throw ErroreArchivio(ErroreArchivio::Tipo::Scrittura, m_percorso,
                             QStringLiteral("la scheda %1 non esiste").arg(posizione));
    const QString giornale = percorsoGiornale(m_percorso);
    // A copy that ended mid-save after this one opened the archive: its card
    // is put back before this journal takes the place of that one.
    if (giornalePresente(giornale))
        ripristinaGiornale(true);
    const qint64 offset = qint64(posizione - 1) * m_dimensione;
    QByteArray prima(m_dimensione, Qt::Uninitialized);
    leggiA(offset, prima.data(), m_dimensione);
    // Another copy saved this card since the caller read it: nothing is written.
    if (atteso && prima != *atteso && prima != record)
        return false;
    // The card's old bytes go to its history first; a history that cannot be
    // written never stops the save.
    m_storicoNonScritto.clear();
    if (prima != record && !annotaVersione(m_percorso, posizione, prima, &m_storicoNonScritto)
        && m_storicoNonScritto.isEmpty())
        m_storicoNonScritto = QStringLiteral("errore sconosciuto");
    if (!m_storicoNonScritto.isEmpty())
        qCWarning(logArchivi).noquote() << QStringLiteral("Versione precedente della scheda %1 non conservata:").arg(posizione)
                                        << m_percorso << QStringLiteral("-") << m_storicoNonScritto;
    bool conGiornale = !s_senzaGiornale;
    if (conGiornale && !scriviGiornale(giornale, componiGiornale(offset, prima, record))) {
        // A folder that takes no new file (read-only, with the archive itself
        // writable) still lets the card be saved, as it always could.
        if (!scritturaRifiutata(errno))
            throw ErroreArchivio(ErroreArchivio::Tipo::Scrittura, giornale, testoErrore(errno));
        conGiornale = false;
    }
    try {
        scriviA(offset, record, true);
    } catch (const ErroreArchivio &) {
        // Put the old card back if the disk lets us; the others were never
        // touched. If it does not, the journal puts it back at the next open.
        if (scriviTutto(m_fd, prima.constData(), prima.size(), offset) && os::versa(m_fd) && conGiornale)
            rimuoviGiornale(giornale);
        throw;
    }
    if (conGiornale)
        rimuoviGiornale(giornale);
    return true;
}

int FileArchivio::accoda(const QByteArray &record)
{
    verificaAperto();
    verificaScrivibile();
    Q_ASSERT(record.size() == m_dimensione);
    // The position comes from the file's size under the lock: another copy's
    // card, appended a moment ago, is counted.
    BloccoFile blocco;
    blocca(blocco, true);
    const int n = conta();
    const qint64 offset = qint64(n) * m_dimensione;
    try {
        // The bytes of an incomplete last record are overwritten.
        scriviA(offset, record, false);
    } catch (const ErroreArchivio &) {
        // A half-written new record is not a card; cut it off when the disk
        // allows. Under the lock nothing after `offset` belongs to anyone else.
        if (dimensioneFile() > offset)
            os::tronca(m_fd, offset);
        throw;
    }
    return n + 1;
}

void FileArchivio::scorri(const std::function<bool(int posizione, const char *dati)> &visita)
{
    verificaAperto();
    // The whole read sees one state of the archive: no card half written.
    BloccoFile blocco;
    bloccaPerLeggere(blocco);
    const int n = conta();
    const int perBlocco = int(std::max<qint64>(1, kBytePerBlocco / m_dimensione));
    QByteArray blocchi;
    for (int primo = 1; primo <= n; primo += perBlocco) {
        const int quanti = std::min(perBlocco, n - primo + 1);
        const qint64 byte = qint64(quanti) * m_dimensione;
        const qint64 offset = qint64(primo - 1) * m_dimensione;
        blocchi.resize(byte);
        leggiA(offset, blocchi.data(), byte);
        sovrapponiGiornale(offset, blocchi.data(), byte);
        for (int i = 0; i < quanti; ++i)
            if (!visita(primo + i, blocchi.constData() + qint64(i) * m_dimensione))
                return;
    }
}

} // namespace qv
