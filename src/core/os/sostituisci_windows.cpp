#include "sostituisci.h"

#include "file.h"
#include "core/diario.h"
#include "guasti.h"
#include "scrivibile.h"
#include "sistema_windows.h"
#include "versa.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace qv::os {

namespace {

using namespace std::chrono_literals;

// How long a replace is tried again while another program holds the old file.
constexpr auto kAttesa = 2000ms;

// FILE_RENAME_INFO as SetFileInformationByHandle takes it with the class
// FileRenameInfoEx (Windows 10 1709), whose flags older headers lack.
struct InfoRinomina
{
    DWORD flag;
    HANDLE cartella;
    DWORD lunghezza;
    WCHAR nome[1];
};
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD kSostituisciSeEsiste = 0x1;
constexpr DWORD kSemanticaPosix = 0x2;

const QString kInUso = QStringLiteral("il file è aperto in un altro programma");

// One try: 0, or the system's error.
DWORD sostituisciUnaVolta(const QString &nuovo, const QString &vecchio)
{
    // The POSIX rename replaces a file that others hold open, as long as every
    // handle lets it be removed. Refused (ERROR_INVALID_PARAMETER,
    // ERROR_NOT_SUPPORTED) by older systems and by file systems without it.
    const HANDLE h = ::CreateFileW(windows::nativo(nuovo).c_str(), DELETE | SYNCHRONIZE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        const std::wstring destinazione = windows::esteso(vecchio);
        const DWORD byte = DWORD(destinazione.size() * sizeof(WCHAR));
        std::vector<char> spazio(sizeof(InfoRinomina) + byte);
        auto *info = reinterpret_cast<InfoRinomina *>(spazio.data());
        info->flag = kSostituisciSeEsiste | kSemanticaPosix;
        info->cartella = nullptr;
        info->lunghezza = byte;
        std::memcpy(info->nome, destinazione.data(), byte);
        const bool fatto = ::SetFileInformationByHandle(h, kFileRenameInfoEx, info, DWORD(spazio.size()));
        ::CloseHandle(h);
        if (fatto)
            return 0;
    }
    // The classic replace: refused while anyone holds the old file open.
    if (::MoveFileExW(windows::nativo(nuovo).c_str(), windows::nativo(vecchio).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return ::GetLastError();
}

// The errors of a replace that another handle on the old file stops.
bool inUso(DWORD e)
{
    return e == ERROR_ACCESS_DENIED || e == ERROR_SHARING_VIOLATION || e == ERROR_LOCK_VIOLATION
           || e == ERROR_USER_MAPPED_FILE;
}

QString nomeProvvisorio(const QString &percorso)
{
    static const char lettere[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString s = percorso + QLatin1Char('.');
    for (int i = 0; i < 6; ++i)
        s += QLatin1Char(lettere[QRandomGenerator::system()->bounded(int(sizeof lettere - 1))]);
    return s;
}

} // namespace

struct FileNuovo::Stato
{
    QString percorso;
    QString provvisorio; // the new file beside the old one; empty when writing in place
    int fd = -1;
    bool confermato = false;
    bool occupato = false;
    QString motivo;

    bool errore(int numero)
    {
        motivo = qt_error_string(numero);
        return false;
    }

    // The new file goes as soon as it cannot take the old one's place.
    bool rinuncia(int numero)
    {
        annulla();
        return errore(numero);
    }

    void annulla()
    {
        chiudi(fd);
        fd = -1;
        if (!confermato && !provvisorio.isEmpty())
            rimuovi(provvisorio);
        provvisorio.clear();
    }
};

FileNuovo::FileNuovo(const QString &percorso) : d(std::make_unique<Stato>())
{
    d->percorso = percorso;
}

FileNuovo::~FileNuovo()
{
    d->annulla();
}

bool FileNuovo::apri(bool scritturaDiretta)
{
    // An old file that refuses writing is not replaced behind its back.
    if (QFileInfo(d->percorso).isDir())
        return d->errore(EISDIR);
    if (esiste(d->percorso)) {
        const int e = provaScritturaFile(d->percorso);
        if (e == EACCES || e == EROFS)
            return d->errore(e);
    }
    for (int tentativo = 0; tentativo < 16; ++tentativo) {
        const QString nome = nomeProvvisorio(d->percorso);
        d->fd = os::apri(nome, SoloScrittura | Crea | Esclusiva);
        if (d->fd >= 0) {
            d->provvisorio = nome;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    if (scritturaDiretta && (errno == EACCES || errno == EROFS)) {
        d->fd = os::apri(d->percorso, SoloScrittura | Crea | Tronca);
        if (d->fd >= 0)
            return true;
    }
    return d->errore(errno);
}

bool FileNuovo::scrivi(const QByteArray &blocco)
{
    const char *p = blocco.constData();
    qint64 n = blocco.size();
    while (n > 0) {
        const qint64 w = os::scrivi(d->fd, p, n);
        if (w <= 0)
            return d->errore(w == 0 ? ENOSPC : errno);
        p += w;
        n -= w;
    }
    return true;
}

bool FileNuovo::conferma(const std::function<void()> &liberaVecchio)
{
    // A file system that cannot flush (EINVAL) is not a failure: there is
    // nothing more to be done there.
    if (!versa(d->fd) && errno != EINVAL)
        return d->rinuncia(errno);
    chiudi(d->fd);
    d->fd = -1;
    if (d->provvisorio.isEmpty()) {
        d->confermato = true;
        return true;
    }
    const auto inizio = std::chrono::steady_clock::now();
    const auto fine = inizio + kAttesa;
    auto pausa = 1ms;
    bool liberato = false;
    int tentativi = 0;
    DWORD ultimo = 0;
    for (;;) {
        if (const int e = guasti::rifiutoModifica(d->percorso))
            return d->rinuncia(e);
        const DWORD e = sostituisciUnaVolta(d->provvisorio, d->percorso);
        ++tentativi;
        if (e == 0)
            break;
        ultimo = e;
        if (!inUso(e))
            return d->rinuncia(windows::numeroErrore(e));
        if (liberaVecchio && !liberato) {
            liberaVecchio();
            liberato = true;
            continue;
        }
        // Once the caller let its own handles go, another copy that opened the
        // file meanwhile may be about to change it: the caller reads it again
        // under its lock rather than this copy replacing it blindly.
        if (liberato || std::chrono::steady_clock::now() >= fine) {
            qCWarning(logArchivi).noquote()
                << QStringLiteral("Sostituzione non riuscita dopo %1 tentativi in %2 ms:")
                       .arg(tentativi)
                       .arg(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now()
                                                                                  - inizio)
                                .count())
                << d->percorso << QStringLiteral("- errore di sistema %1").arg(ultimo);
            d->annulla();
            d->occupato = true;
            d->motivo = kInUso;
            return false;
        }
        std::this_thread::sleep_for(pausa);
        pausa = std::min(pausa * 2, std::chrono::milliseconds(50));
    }
    // A replace that had to wait for another program says so.
    if (tentativi > 1)
        qCWarning(logArchivi).noquote()
            << QStringLiteral("Sostituzione riuscita al tentativo %1, dopo %2 ms:")
                   .arg(tentativi)
                   .arg(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inizio)
                            .count())
            << d->percorso << QStringLiteral("- errore di sistema %1").arg(ultimo);
    d->confermato = true;
    versaCartella(d->percorso);
    return true;
}

QString FileNuovo::errore() const
{
    return d->motivo;
}

bool FileNuovo::occupato() const
{
    return d->occupato;
}

} // namespace qv::os
