#include "zip.h"

#include <QIODevice>

#include <optional>

#include <unzip.h>
#include <zip.h>

namespace qv {

namespace {

// minizip's file functions on a QIODevice that the caller opened: the
// library's "file" is the device itself, which it never opens nor closes.
voidpf ZCALLBACK apri(voidpf opaco, const void *, int)
{
    return opaco;
}

uLong ZCALLBACK leggi(voidpf, voidpf flusso, void *dati, uLong quanti)
{
    const qint64 letti = static_cast<QIODevice *>(flusso)->read(static_cast<char *>(dati), qint64(quanti));
    return letti < 0 ? 0 : uLong(letti);
}

uLong ZCALLBACK scrivi(voidpf, voidpf flusso, const void *dati, uLong quanti)
{
    const qint64 scritti = static_cast<QIODevice *>(flusso)->write(static_cast<const char *>(dati), qint64(quanti));
    return scritti < 0 ? 0 : uLong(scritti);
}

ZPOS64_T ZCALLBACK posizione(voidpf, voidpf flusso)
{
    return ZPOS64_T(static_cast<QIODevice *>(flusso)->pos());
}

long ZCALLBACK sposta(voidpf, voidpf flusso, ZPOS64_T offset, int origine)
{
    auto *d = static_cast<QIODevice *>(flusso);
    qint64 dove = qint64(offset);
    switch (origine) {
    case ZLIB_FILEFUNC_SEEK_SET: break;
    case ZLIB_FILEFUNC_SEEK_CUR: dove += d->pos(); break;
    case ZLIB_FILEFUNC_SEEK_END: dove += d->size(); break;
    default: return -1;
    }
    return d->seek(dove) ? 0 : -1;
}

int ZCALLBACK chiudi(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK erroreFlusso(voidpf, voidpf)
{
    return 0;
}

zlib_filefunc64_def funzioni(QIODevice *d)
{
    zlib_filefunc64_def f{};
    f.zopen64_file = apri;
    f.zread_file = leggi;
    f.zwrite_file = scrivi;
    f.ztell64_file = posizione;
    f.zseek64_file = sposta;
    f.zclose_file = chiudi;
    f.zerror_file = erroreFlusso;
    f.opaque = d;
    return f;
}

// Entries of this size or more need the zip64 sizes in their heading; a
// margin covers data that compression makes a little larger.
constexpr qint64 kSogliaZip64 = 0xF0000000LL;

constexpr uLong kNomeUtf8 = 1 << 11;

} // namespace

ScritturaZip::ScritturaZip(QIODevice *dispositivo) : m_dispositivo(dispositivo)
{
    zlib_filefunc64_def f = funzioni(dispositivo);
    m_zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &f);
    if (!m_zip)
        m_errore = QStringLiteral("impossibile iniziare il file zip");
}

ScritturaZip::~ScritturaZip()
{
    if (m_zip) {
        if (m_voceAperta)
            zipCloseFileInZip(m_zip);
        zipClose(m_zip, nullptr);
    }
}

bool ScritturaZip::fallito(const QString &cosa)
{
    if (m_errore.isEmpty()) {
        m_errore = cosa;
        if (!m_dispositivo->errorString().isEmpty() && m_dispositivo->errorString() != QLatin1String("Unknown error"))
            m_errore += QStringLiteral(" (") + m_dispositivo->errorString() + u')';
    }
    return false;
}

bool ScritturaZip::iniziaVoce(const QString &nome, const QDateTime &quando, qint64 dimensione)
{
    if (!m_zip || m_voceAperta)
        return fallito(QStringLiteral("impossibile scrivere nel file zip"));
    zip_fileinfo info{};
    const QDate d = quando.date();
    const QTime t = quando.time();
    // A zip holds dates from 1980 on.
    const bool valida = quando.isValid() && d.year() >= 1980;
    info.tmz_date.tm_year = valida ? uInt(d.year()) : 1980;
    info.tmz_date.tm_mon = valida ? uInt(d.month() - 1) : 0;
    info.tmz_date.tm_mday = valida ? uInt(d.day()) : 1;
    info.tmz_date.tm_hour = valida ? uInt(t.hour()) : 0;
    info.tmz_date.tm_min = valida ? uInt(t.minute()) : 0;
    info.tmz_date.tm_sec = valida ? uInt(t.second()) : 0;
    const QByteArray n = nome.toUtf8();
    const int r = zipOpenNewFileInZip4_64(m_zip, n.constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                          Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                          nullptr, 0, 0, kNomeUtf8, dimensione >= kSogliaZip64 ? 1 : 0);
    if (r != ZIP_OK)
        return fallito(QStringLiteral("impossibile scrivere \"%1\" nel file zip").arg(nome));
    m_voceAperta = true;
    return true;
}

bool ScritturaZip::scrivi(const char *dati, qint64 quanti)
{
    if (!m_voceAperta)
        return fallito(QStringLiteral("impossibile scrivere nel file zip"));
    // The library takes at most an unsigned int at a time.
    constexpr qint64 kPasso = 1 << 30;
    while (quanti > 0) {
        const qint64 n = std::min(quanti, kPasso);
        if (zipWriteInFileInZip(m_zip, dati, unsigned(n)) != ZIP_OK)
            return fallito(QStringLiteral("scrittura del file zip non riuscita"));
        dati += n;
        quanti -= n;
    }
    return true;
}

bool ScritturaZip::chiudiVoce()
{
    if (!m_voceAperta)
        return fallito(QStringLiteral("impossibile scrivere nel file zip"));
    m_voceAperta = false;
    if (zipCloseFileInZip(m_zip) != ZIP_OK)
        return fallito(QStringLiteral("scrittura del file zip non riuscita"));
    return true;
}

bool ScritturaZip::chiudi()
{
    if (!m_zip || m_voceAperta)
        return fallito(QStringLiteral("impossibile completare il file zip"));
    const int r = zipClose(m_zip, nullptr);
    m_zip = nullptr;
    if (r != ZIP_OK)
        return fallito(QStringLiteral("impossibile completare il file zip"));
    return true;
}

LetturaZip::LetturaZip(QIODevice *dispositivo) : m_dispositivo(dispositivo)
{
}

LetturaZip::~LetturaZip()
{
    if (m_zip)
        unzClose(m_zip);
}

bool LetturaZip::fallito(const QString &cosa)
{
    m_errore = cosa;
    return false;
}

bool LetturaZip::apri()
{
    if (m_zip)
        return true;
    zlib_filefunc64_def f = funzioni(m_dispositivo);
    m_zip = unzOpen2_64("", &f);
    if (!m_zip)
        return fallito(QStringLiteral("il file non è un archivio zip leggibile"));
    m_voci.clear();
    for (int r = unzGoToFirstFile(m_zip); r == UNZ_OK; r = unzGoToNextFile(m_zip)) {
        unz_file_info64 info{};
        char nome[1024];
        if (unzGetCurrentFileInfo64(m_zip, &info, nome, sizeof nome, nullptr, 0, nullptr, 0) != UNZ_OK)
            return fallito(QStringLiteral("l'elenco del file zip è danneggiato"));
        VoceZip v;
        v.nome = (info.flag & kNomeUtf8) ? QString::fromUtf8(nome) : QString::fromLatin1(nome);
        v.byte = qint64(info.uncompressed_size);
        v.crc = quint32(info.crc);
        v.quando = QDateTime(QDate(int(info.tmu_date.tm_year), int(info.tmu_date.tm_mon) + 1, int(info.tmu_date.tm_mday)),
                             QTime(int(info.tmu_date.tm_hour), int(info.tmu_date.tm_min), int(info.tmu_date.tm_sec)));
        m_voci.append(v);
    }
    return true;
}

bool LetturaZip::leggi(const QString &nome, const std::function<bool(const char *, qint64)> &ricevi)
{
    if (!m_zip && !apri())
        return false;
    const QByteArray n = nome.toUtf8();
    if (unzLocateFile(m_zip, n.constData(), 1) != UNZ_OK)
        return fallito(QStringLiteral("manca \"%1\"").arg(nome));
    if (unzOpenCurrentFile(m_zip) != UNZ_OK)
        return fallito(QStringLiteral("\"%1\" non si può leggere").arg(nome));
    QByteArray blocco(256 * 1024, Qt::Uninitialized);
    bool ok = true;
    for (;;) {
        const int letti = unzReadCurrentFile(m_zip, blocco.data(), unsigned(blocco.size()));
        if (letti < 0) {
            ok = fallito(QStringLiteral("\"%1\" è danneggiato").arg(nome));
            break;
        }
        if (letti == 0)
            break;
        if (!ricevi(blocco.constData(), letti)) {
            ok = fallito(QString());
            break;
        }
    }
    // Read to its end, the entry is checked against its CRC-32 here.
    const int chiusura = unzCloseCurrentFile(m_zip);
    if (ok && chiusura == UNZ_CRCERROR)
        return fallito(QStringLiteral("\"%1\" è danneggiato (CRC)").arg(nome));
    if (ok && chiusura != UNZ_OK)
        return fallito(QStringLiteral("\"%1\" non si può leggere").arg(nome));
    return ok;
}

std::optional<QByteArray> LetturaZip::leggiTutta(const QString &nome)
{
    QByteArray out;
    if (!leggi(nome, [&out](const char *d, qint64 n) { out.append(d, n); return true; }))
        return std::nullopt;
    return out;
}

} // namespace qv
