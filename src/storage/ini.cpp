#include "ini.h"

#include "blocco.h"
#include "sololettura.h"
#include "core/diario.h"
#include "core/filesicuro.h"
#include "core/os/file.h"
#include "core/os/identita.h"
#include "core/testo.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace qv {

namespace {

// One line of the file, as byte offsets into its content.
struct Riga
{
    enum class Tipo { Vuota, Sezione, Chiave, Altro };

    qsizetype inizio = 0;
    qsizetype fine = 0;     // end of the text, before CR LF or LF
    qsizetype prossima = 0; // start of the next line; equal to `fine` for a last line without end
    Tipo tipo = Tipo::Altro;
    QString nome;           // section or key name, trimmed
    qsizetype uguale = -1;  // offset of the "=" of a key line
};

// Windows-1252 gives one character per byte, so offsets in the decoded text
// are offsets in the bytes.
QList<Riga> righe(const QByteArray &dati)
{
    QList<Riga> out;
    qsizetype inizio = 0;
    while (inizio < dati.size()) {
        Riga r;
        r.inizio = inizio;
        const qsizetype a = dati.indexOf('\n', inizio);
        if (a < 0) {
            r.fine = r.prossima = dati.size();
        } else {
            r.prossima = a + 1;
            r.fine = (a > inizio && dati.at(a - 1) == '\r') ? a - 1 : a;
        }
        const QString testo = fromCp1252(dati.constData() + r.inizio, r.fine - r.inizio);
        const QString pulito = trimmed(testo);
        if (pulito.isEmpty()) {
            r.tipo = Riga::Tipo::Vuota;
        } else if (pulito.startsWith(u'[')) {
            // "[Name]", anything after the bracket ignored; without one, no section.
            const qsizetype chiusa = pulito.indexOf(u']');
            if (chiusa > 0) {
                r.tipo = Riga::Tipo::Sezione;
                r.nome = trimmed(pulito.mid(1, chiusa - 1));
            }
        } else if (const qsizetype uguale = testo.indexOf(u'='); uguale >= 0) {
            r.tipo = Riga::Tipo::Chiave;
            r.nome = trimmed(testo.left(uguale));
            r.uguale = r.inizio + uguale;
        }
        out.append(r);
        inizio = r.prossima;
    }
    return out;
}

// Names match as the Windows profile functions match them: A-Z folded only.
bool stessoNome(const QString &a, const QString &b)
{
    return lowerAZ(a) == lowerAZ(b);
}

qsizetype trovaSezione(const QList<Riga> &righe, const QString &sezione)
{
    for (qsizetype i = 0; i < righe.size(); ++i)
        if (righe[i].tipo == Riga::Tipo::Sezione && stessoNome(righe[i].nome, sezione))
            return i;
    return -1;
}

QByteArray fineRiga(const QByteArray &dati)
{
    const qsizetype a = dati.indexOf('\n');
    return (a < 0 || (a > 0 && dati.at(a - 1) == '\r')) ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

enum class Apertura { Aperto, Manca, Errore };

bool stessoFile(const QFile &file, const QString &percorso)
{
    const std::optional<os::IdentitaFile> aperto = os::identita(file.handle());
    return aperto && aperto == os::identita(percorso);
}

// Opens the file at `percorso` through the system's own call, whose handle
// lets another copy replace the file meanwhile (core/os/file.h), and hands it
// to `file`. A folder is refused as a file. False with errno.
bool apri(QFile &file, const QString &percorso, int modo)
{
    const int fd = os::apri(percorso, modo);
    if (fd < 0)
        return false;
    if (os::tipo(fd) == os::Tipo::Cartella) {
        os::chiudi(fd);
        errno = EISDIR;
        return false;
    }
    file.setFileName(percorso);
    const QIODevice::OpenMode modoQt = (modo & os::LetturaScrittura) ? QIODevice::ReadWrite : QIODevice::ReadOnly;
    if (!file.open(fd, modoQt, QFileDevice::AutoCloseHandle)) {
        os::chiudi(fd);
        errno = EBADF;
        return false;
    }
    return true;
}

// Opens the file at `percorso` and locks it. A rewrite replaces the file by a
// rename, so a lock taken on a file that has meanwhile been replaced is taken
// again on the new one. For writing a missing file is created to be locked
// (`creato` tells); a file that can be read but not written is opened
// without a lock, as the rewrite by rename still works in a writable folder.
Apertura apriBloccato(const QString &percorso, QFile &file, BloccoFile &blocco, bool scrittura, QString *errore,
                      bool *creato = nullptr)
{
    for (int tentativi = 0; tentativi < 100; ++tentativi) {
        file.close();
        file.setFileName(percorso);
        const bool esiste = QFileInfo::exists(percorso) || QFileInfo(percorso).isSymLink();
        if (!esiste && !scrittura)
            return Apertura::Manca;
        int modo = scrittura ? os::LetturaScrittura : os::SoloLettura;
        if (!esiste)
            modo |= os::Crea | os::Esclusiva;
        bool bloccabile = true;
        if (!apri(file, percorso, modo)) {
            int e = errno;
            if (!esiste && QFileInfo::exists(percorso))
                continue; // another copy created it meanwhile
            if (esiste && !QFileInfo::exists(percorso))
                continue; // gone meanwhile
            bool leggibile = false;
            if (scrittura && !QFileInfo(percorso).isDir()) {
                leggibile = apri(file, percorso, os::SoloLettura);
                e = errno;
            }
            if (!leggibile) {
                qCWarning(logArchivi).noquote() << QStringLiteral("Apertura non riuscita:") << percorso
                                                << QStringLiteral("-") << qt_error_string(e);
                if (errore)
                    *errore = qt_error_string(e);
                return Apertura::Errore;
            }
            bloccabile = false;
        }
        if (creato)
            *creato = !esiste;
        if (!bloccabile)
            return Apertura::Aperto;
        if (!blocco.prendi(file.handle(), scrittura ? TipoBlocco::Esclusivo : TipoBlocco::Condiviso)) {
            if (errno == EAGAIN) {
                qCWarning(logArchivi).noquote() << QStringLiteral("Blocco non ottenuto entro %1 ms:").arg(attesaBlocco())
                                                << percorso;
                if (errore)
                    *errore = MsgFileOccupato;
                if (creato && *creato)
                    QFile::remove(percorso);
                return Apertura::Errore;
            }
            // A file system without locks: used as before there were any.
            return Apertura::Aperto;
        }
        if (stessoFile(file, percorso))
            return Apertura::Aperto;
        blocco.rilascia();
        if (creato && *creato)
            *creato = false;
    }
    qCWarning(logArchivi).noquote() << QStringLiteral("File sostituito di continuo da un'altra copia:") << percorso;
    if (errore)
        *errore = MsgFileOccupato;
    return Apertura::Errore;
}

void applica(QByteArray &dati, const QString &sezione, const QString &chiave, const QString &valore);

} // namespace

std::optional<FileIni> FileIni::leggi(const QString &percorso, QString *errore)
{
    FileIni ini(percorso);
    QFile file;
    BloccoFile blocco;
    switch (apriBloccato(percorso, file, blocco, false, errore)) {
    case Apertura::Manca:
        return ini;
    case Apertura::Errore:
        return std::nullopt;
    case Apertura::Aperto:
        break;
    }
    ini.m_dati = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (errore)
            *errore = file.errorString();
        return std::nullopt;
    }
    ini.m_letti = ini.m_dati;
    ini.m_esiste = true;
    return ini;
}

QString FileIni::valore(const QString &sezione, const QString &chiave) const
{
    const QList<Riga> tutte = righe(m_dati);
    const qsizetype s = trovaSezione(tutte, sezione);
    if (s < 0)
        return {};
    for (qsizetype i = s + 1; i < tutte.size() && tutte[i].tipo != Riga::Tipo::Sezione; ++i) {
        const Riga &r = tutte[i];
        if (r.tipo == Riga::Tipo::Chiave && stessoNome(r.nome, chiave))
            return trimmed(fromCp1252(m_dati.constData() + r.uguale + 1, r.fine - r.uguale - 1));
    }
    return {};
}

void FileIni::imposta(const QString &sezione, const QString &chiave, const QString &valore)
{
    applica(m_dati, sezione, chiave, valore);
    m_modifiche.append({sezione, chiave, valore});
}

namespace {

void applica(QByteArray &dati, const QString &sezione, const QString &chiave, const QString &valore)
{
    QByteArray nuovo = toCp1252(valore);
    nuovo.replace('\r', ' ').replace('\n', ' ');
    const QByteArray fine = fineRiga(dati);
    const QByteArray rigaChiave = toCp1252(chiave) + '=' + nuovo + fine;

    const QList<Riga> tutte = righe(dati);
    const qsizetype s = trovaSezione(tutte, sezione);
    if (s < 0) {
        if (!tutte.isEmpty()) {
            if (tutte.last().prossima == tutte.last().fine)
                dati += fine;
            if (tutte.last().tipo != Riga::Tipo::Vuota)
                dati += fine;
        }
        dati += '[' + toCp1252(sezione) + ']' + fine + rigaChiave;
        return;
    }

    qsizetype ultima = s; // last line of the section that is not empty
    for (qsizetype i = s + 1; i < tutte.size() && tutte[i].tipo != Riga::Tipo::Sezione; ++i) {
        const Riga &r = tutte[i];
        if (r.tipo == Riga::Tipo::Chiave && stessoNome(r.nome, chiave)) {
            dati.replace(r.uguale + 1, r.fine - r.uguale - 1, nuovo);
            return;
        }
        if (r.tipo != Riga::Tipo::Vuota)
            ultima = i;
    }
    const Riga &dopo = tutte[ultima];
    dati.insert(dopo.prossima, dopo.prossima == dopo.fine ? fine + rigaChiave : rigaChiave);
}

} // namespace

bool FileIni::solaLettura(const QString &percorso)
{
    return percorsoSolaLettura(percorso);
}

bool FileIni::salva(QString *errore)
{
    if (m_esiste && m_dati == m_letti)
        return true;
    // Said before anything is tried: nothing is created, locked or left behind.
    if (solaLettura(m_percorso)) {
        if (errore)
            *errore = MotivoSolaLettura;
        return false;
    }
    // Where a file held open cannot be replaced (core/os/sostituisci.h) this
    // copy lets its own handle and lock go just before the replace; if
    // another copy opened the file in that moment, it is read again under the
    // lock and the values set here are applied anew, until the wait for a
    // lock is over.
    const auto fine = std::chrono::steady_clock::now() + std::chrono::milliseconds(attesaBlocco());
    bool creatoQui = false;
    for (;;) {
        QFile attuale;
        BloccoFile blocco;
        bool creato = false;
        const Apertura a = apriBloccato(m_percorso, attuale, blocco, true, errore, &creato);
        creatoQui = creatoQui || creato;
        // A file created here only to hold the lock goes again if the write
        // fails, as if nothing had been tried.
        const auto annullaCreazione = [&] {
            if (creatoQui && QFileInfo(m_percorso).size() == 0)
                QFile::remove(m_percorso);
        };
        if (a == Apertura::Errore) {
            annullaCreazione();
            return false;
        }
        if (a == Apertura::Aperto) {
            attuale.seek(0);
            const QByteArray suDisco = attuale.readAll();
            if (attuale.error() != QFileDevice::NoError) {
                // A file that cannot be read is never rewritten.
                if (errore)
                    *errore = attuale.errorString();
                return false;
            }
            if (suDisco != m_letti) {
                // Another copy wrote it meanwhile: its lines stay, ours go on top.
                m_dati = suDisco;
                for (const Modifica &m : std::as_const(m_modifiche))
                    applica(m_dati, m.sezione, m.chiave, m.valore);
                m_letti = suDisco;
            }
            if (!creato && m_dati == suDisco) {
                m_esiste = true;
                m_modifiche.clear();
                return true;
            }
        }
        // A folder that cannot take a temporary file (read-only, with the file
        // itself writable) still lets the file be rewritten in place.
        const auto libera = [&] {
            blocco.rilascia();
            attuale.close();
        };
        bool occupato = false;
        const QByteArray &dati = m_dati;
        if (!scriviFileSicuro(
                m_percorso, [&dati](const ScriviBlocco &scrivi) { return scrivi(dati); }, errore, true, libera,
                &occupato)) {
            if (occupato && std::chrono::steady_clock::now() < fine)
                continue;
            if (occupato) {
                qCWarning(logArchivi).noquote() << QStringLiteral("Sostituzione impedita da un'altra copia fino alla fine dell'attesa:")
                                                << m_percorso;
                if (errore)
                    *errore = MsgFileOccupato;
            }
            annullaCreazione();
            return false;
        }
        m_letti = m_dati;
        m_esiste = true;
        m_modifiche.clear();
        return true;
    }
}

} // namespace qv
