#include "archivio.h"

#include "blocco.h"
#include "core/filesicuro.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

qint64 s_byteConsentiti = -1;
qint64 s_interrompiDopo = -1;
bool s_senzaGiornale = false;

// Records read at once when an archive is read whole.
constexpr int kRecordPerBlocco = 512;

// The journal: a fixed heading, the old bytes of the card, a fingerprint of
// the new bytes and a checksum of everything before it. It is complete only
// when its size and its checksum agree.
//   0  8  "QVGIORN1"
//   8  8  offset of the card in the archive, little-endian
//  16  4  number of bytes of the card, little-endian
//  20  n  the card's old bytes
//  20+n 8 fingerprint of the card's new bytes
//  28+n 8 fingerprint of bytes 0 to 28+n
constexpr char kFirmaGiornale[8] = {'Q', 'V', 'G', 'I', 'O', 'R', 'N', '1'};
constexpr qint64 kTestaGiornale = 20;

quint64 impronta(const char *dati, qint64 n)
{
    // FNV-1a, 64 bits: enough to tell a whole journal from a torn one.
    quint64 h = 14695981039346656037ull;
    for (qint64 i = 0; i < n; ++i) {
        h ^= static_cast<unsigned char>(dati[i]);
        h *= 1099511628211ull;
    }
    return h;
}

void aggiungi(QByteArray &out, quint64 valore, int byte)
{
    for (int i = 0; i < byte; ++i)
        out.append(char((valore >> (8 * i)) & 0xFF));
}

quint64 numero(const char *dati, int byte)
{
    quint64 v = 0;
    for (int i = byte - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(dati[i]);
    return v;
}

struct Giornale
{
    qint64 offset = 0;
    QByteArray vecchi;
    quint64 improntaNuovi = 0;
};

QByteArray componiGiornale(qint64 offset, const QByteArray &vecchi, const QByteArray &nuovi)
{
    QByteArray g(kFirmaGiornale, sizeof kFirmaGiornale);
    aggiungi(g, quint64(offset), 8);
    aggiungi(g, quint64(vecchi.size()), 4);
    g += vecchi;
    aggiungi(g, impronta(nuovi.constData(), nuovi.size()), 8);
    aggiungi(g, impronta(g.constData(), g.size()), 8);
    return g;
}

std::optional<Giornale> leggiGiornale(const QByteArray &g)
{
    if (g.size() < kTestaGiornale + 16 || std::memcmp(g.constData(), kFirmaGiornale, sizeof kFirmaGiornale) != 0)
        return std::nullopt;
    const quint64 n = numero(g.constData() + 16, 4);
    if (quint64(g.size()) != quint64(kTestaGiornale) + n + 16)
        return std::nullopt;
    const qint64 corpo = g.size() - 8;
    if (impronta(g.constData(), corpo) != numero(g.constData() + corpo, 8))
        return std::nullopt;
    Giornale out;
    out.offset = qint64(numero(g.constData() + 8, 8));
    out.vecchi = g.mid(kTestaGiornale, qsizetype(n));
    out.improntaNuovi = numero(g.constData() + kTestaGiornale + n, 8);
    return out;
}

QString testoErrore(int numeroErrore)
{
    return QString::fromLocal8Bit(std::strerror(numeroErrore));
}

bool scriviTutto(int fd, const char *dati, qint64 n, qint64 offset)
{
    while (n > 0) {
        const ssize_t w = ::pwrite(fd, dati, size_t(n), off_t(offset));
        if (w < 0 && errno == EINTR)
            continue;
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
        const ssize_t r = ::pread(fd, dati, size_t(n), off_t(offset));
        if (r < 0 && errno == EINTR)
            continue;
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

// Writes the journal and makes it and its name durable. False with errno set.
bool scriviGiornale(const QString &percorso, const QByteArray &contenuto)
{
    const QByteArray nome = QFile::encodeName(percorso);
    const int fd = ::open(nome.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool ok = scriviTutto(fd, contenuto.constData(), contenuto.size(), 0) && ::fsync(fd) == 0;
    const int e = errno;
    ::close(fd);
    if (!ok) {
        ::unlink(nome.constData());
        errno = e;
        return false;
    }
    sincronizzaCartella(percorso);
    return true;
}

void rimuoviGiornale(const QString &percorso)
{
    // A journal left behind by a lost removal is harmless: it names the new
    // card's fingerprint, which the archive then holds.
    ::unlink(QFile::encodeName(percorso).constData());
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
}

FileArchivio::FileArchivio(const QString &percorso, int dimensione)
    : m_file(percorso), m_dimensione(dimensione)
{
}

FileArchivio::~FileArchivio()
{
    m_file.close();
}

QString FileArchivio::percorsoGiornale(const QString &archivio)
{
    return archivio + QStringLiteral(".giornale");
}

void FileArchivio::errore(ErroreArchivio::Tipo tipo, int numeroErrore) const
{
    throw ErroreArchivio(tipo, m_file.fileName(), testoErrore(numeroErrore));
}

void FileArchivio::apri()
{
    if (m_file.isOpen())
        return;
    // An existing file is only ever opened, never created anew: if it cannot be
    // opened it is reported and left as it is. Reads and writes go straight to
    // the file, so nothing another copy wrote is hidden behind a buffer.
    for (int tentativo = 0;; ++tentativo) {
        const bool esiste = QFileInfo::exists(m_file.fileName()) || QFileInfo(m_file.fileName()).isSymLink();
        const QIODevice::OpenMode modo = QIODevice::ReadWrite | QIODevice::Unbuffered
                                         | (esiste ? QIODevice::NotOpen : QIODevice::NewOnly);
        if (m_file.open(modo))
            break;
        // Another copy created the missing file a moment ago: it is opened.
        if (!esiste && QFileInfo::exists(m_file.fileName()) && tentativo < 3)
            continue;
        throw ErroreArchivio(ErroreArchivio::Tipo::Apertura, m_file.fileName(), m_file.errorString());
    }
    try {
        if (QFileInfo::exists(percorsoGiornale(m_file.fileName())))
            ripristinaGiornale(false);
    } catch (...) {
        m_file.close();
        throw;
    }
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
    const QString percorso = percorsoGiornale(m_file.fileName());
    QFile file(percorso);
    if (!file.exists())
        return;
    if (!QFileInfo(percorso).isFile())
        return; // not a journal of this program
    if (!file.open(QIODevice::ReadOnly))
        throw ErroreArchivio(ErroreArchivio::Tipo::Apertura, percorso, file.errorString());
    const QByteArray contenuto = file.read(qint64(kTestaGiornale) + m_dimensione + 16 + 1);
    file.close();
    const std::optional<Giornale> g = leggiGiornale(contenuto);
    // Only a whole card at a card's place in this archive is put back; an
    // incomplete journal was cut short before the card was touched.
    if (g && g->vecchi.size() == m_dimensione && g->offset % m_dimensione == 0
        && g->offset + m_dimensione <= dimensioneFile()) {
        QByteArray ora(m_dimensione, Qt::Uninitialized);
        leggiA(g->offset, ora.data(), m_dimensione);
        if (ora != g->vecchi && impronta(ora.constData(), ora.size()) != g->improntaNuovi) {
            if (!scriviTutto(m_file.handle(), g->vecchi.constData(), g->vecchi.size(), g->offset))
                errore(ErroreArchivio::Tipo::Apertura, errno);
            sincronizza(ErroreArchivio::Tipo::Apertura);
        }
    }
    rimuoviGiornale(percorso);
    sincronizzaCartella(percorso);
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

qint64 FileArchivio::dimensioneFile() const
{
    struct stat st {};
    if (::fstat(m_file.handle(), &st) != 0)
        errore(ErroreArchivio::Tipo::Lettura, errno);
    return qint64(st.st_size);
}

void FileArchivio::blocca(BloccoFile &blocco, bool esclusivo) const
{
    if (blocco.prendi(m_file.handle(), esclusivo ? TipoBlocco::Esclusivo : TipoBlocco::Condiviso))
        return;
    if (errno == EAGAIN)
        throw ErroreArchivio(ErroreArchivio::Tipo::Occupato, m_file.fileName(),
                             QStringLiteral("l'archivio è in uso da un'altra copia del programma"));
    // A file system without locks (some network shares) still lets the file
    // be used, as before there were locks.
    if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL || errno == ENOSYS)
        return;
    errore(esclusivo ? ErroreArchivio::Tipo::Scrittura : ErroreArchivio::Tipo::Lettura, errno);
}

void FileArchivio::leggiA(qint64 offset, char *dati, qint64 quanti) const
{
    if (!leggiTutto(m_file.handle(), dati, quanti, offset))
        errore(ErroreArchivio::Tipo::Lettura, errno);
}

void FileArchivio::sincronizza(ErroreArchivio::Tipo tipo)
{
    if (::fsync(m_file.handle()) != 0)
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
    blocca(blocco, false);
    if (posizione < 1 || posizione > conta())
        throw ErroreArchivio(ErroreArchivio::Tipo::Lettura, m_file.fileName(),
                             QStringLiteral("la scheda %1 non esiste").arg(posizione));
    QByteArray dati(m_dimensione, Qt::Uninitialized);
    leggiA(qint64(posizione - 1) * m_dimensione, dati.data(), m_dimensione);
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
        if (scriviTutto(m_file.handle(), dati.constData(), n, offset))
            ::fsync(m_file.handle());
        ::_exit(99);
    }
    if (!scriviTutto(m_file.handle(), dati.constData(), daScrivere, offset))
        errore(ErroreArchivio::Tipo::Scrittura, errno);
    // What was written reaches the disk before success is reported.
    sincronizza(ErroreArchivio::Tipo::Scrittura);
    if (guasto)
        throw ErroreArchivio(ErroreArchivio::Tipo::Scrittura, m_file.fileName(),
                             QStringLiteral("spazio esaurito sul disco"));
}

void FileArchivio::scrivi(int posizione, const QByteArray &record)
{
    verificaAperto();
    Q_ASSERT(record.size() == m_dimensione);
    BloccoFile blocco;
    blocca(blocco, true);
    if (posizione < 1 || posizione > conta())
        throw ErroreArchivio(ErroreArchivio::Tipo::Scrittura, m_file.fileName(),
                             QStringLiteral("la scheda %1 non esiste").arg(posizione));
    const QString giornale = percorsoGiornale(m_file.fileName());
    // A copy that ended mid-save after this one opened the archive: its card
    // is put back before this journal takes the place of that one.
    if (QFileInfo::exists(giornale))
        ripristinaGiornale(true);
    const qint64 offset = qint64(posizione - 1) * m_dimensione;
    QByteArray prima(m_dimensione, Qt::Uninitialized);
    leggiA(offset, prima.data(), m_dimensione);
    bool conGiornale = !s_senzaGiornale;
    if (conGiornale && !scriviGiornale(giornale, componiGiornale(offset, prima, record))) {
        // A folder that takes no new file (read-only, with the archive itself
        // writable) still lets the card be saved, as it always could.
        if (errno != EACCES && errno != EPERM && errno != EROFS)
            throw ErroreArchivio(ErroreArchivio::Tipo::Scrittura, giornale, testoErrore(errno));
        conGiornale = false;
    }
    try {
        scriviA(offset, record, true);
    } catch (const ErroreArchivio &) {
        // Put the old card back if the disk lets us; the others were never
        // touched. If it does not, the journal puts it back at the next open.
        if (scriviTutto(m_file.handle(), prima.constData(), prima.size(), offset) && ::fsync(m_file.handle()) == 0
            && conGiornale)
            rimuoviGiornale(giornale);
        throw;
    }
    if (conGiornale)
        rimuoviGiornale(giornale);
}

int FileArchivio::accoda(const QByteArray &record)
{
    verificaAperto();
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
            ::ftruncate(m_file.handle(), off_t(offset));
        throw;
    }
    return n + 1;
}

void FileArchivio::scorri(const std::function<bool(int posizione, const char *dati)> &visita)
{
    verificaAperto();
    // The whole read sees one state of the archive: no card half written.
    BloccoFile blocco;
    blocca(blocco, false);
    const int n = conta();
    QByteArray blocchi;
    for (int primo = 1; primo <= n; primo += kRecordPerBlocco) {
        const int quanti = std::min(kRecordPerBlocco, n - primo + 1);
        const qint64 byte = qint64(quanti) * m_dimensione;
        blocchi.resize(byte);
        leggiA(qint64(primo - 1) * m_dimensione, blocchi.data(), byte);
        for (int i = 0; i < quanti; ++i)
            if (!visita(primo + i, blocchi.constData() + qint64(i) * m_dimensione))
                return;
    }
}

} // namespace qv
