#include "ini.h"

#include "core/filesicuro.h"
#include "core/testo.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

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

} // namespace

std::optional<FileIni> FileIni::leggi(const QString &percorso, QString *errore)
{
    FileIni ini(percorso);
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(percorso))
            return ini;
        if (errore)
            *errore = file.errorString();
        return std::nullopt;
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
    QByteArray nuovo = toCp1252(valore);
    nuovo.replace('\r', ' ').replace('\n', ' ');
    const QByteArray fine = fineRiga(m_dati);
    const QByteArray rigaChiave = toCp1252(chiave) + '=' + nuovo + fine;

    const QList<Riga> tutte = righe(m_dati);
    const qsizetype s = trovaSezione(tutte, sezione);
    if (s < 0) {
        if (!tutte.isEmpty()) {
            if (tutte.last().prossima == tutte.last().fine)
                m_dati += fine;
            if (tutte.last().tipo != Riga::Tipo::Vuota)
                m_dati += fine;
        }
        m_dati += '[' + toCp1252(sezione) + ']' + fine + rigaChiave;
        return;
    }

    qsizetype ultima = s; // last line of the section that is not empty
    for (qsizetype i = s + 1; i < tutte.size() && tutte[i].tipo != Riga::Tipo::Sezione; ++i) {
        const Riga &r = tutte[i];
        if (r.tipo == Riga::Tipo::Chiave && stessoNome(r.nome, chiave)) {
            m_dati.replace(r.uguale + 1, r.fine - r.uguale - 1, nuovo);
            return;
        }
        if (r.tipo != Riga::Tipo::Vuota)
            ultima = i;
    }
    const Riga &dopo = tutte[ultima];
    m_dati.insert(dopo.prossima, dopo.prossima == dopo.fine ? fine + rigaChiave : rigaChiave);
}

bool FileIni::salva(QString *errore)
{
    if (m_esiste && m_dati == m_letti)
        return true;
    // A folder that cannot take a temporary file (read-only, with the file
    // itself writable) still lets the file be rewritten in place.
    if (!scriviFileSicuro(m_percorso, m_dati, errore, true))
        return false;
    m_letti = m_dati;
    m_esiste = true;
    return true;
}

} // namespace qv
