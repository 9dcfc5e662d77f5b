#include "pianoripristino.h"

#include "giornale.h"
#include "core/filesicuro.h"
#include "core/os/file.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>

namespace qv {

namespace {

constexpr char kTesta[] = "QVRIPRISTINO1";
constexpr char kAccanto[] = "accanto";
constexpr char kSposta[] = "sposta";
constexpr char kNuovo[] = "nuovo";
constexpr char kImpronta[] = "impronta";

int s_interrompiAlPasso = -1;
int s_passi = 0;

QByteArray riga(const char *chiave, const QString &valore)
{
    return QByteArray(chiave) + '\t' + valore.toUtf8() + '\n';
}

QString percorsoGiornale(const QString &cartella)
{
    return QDir(cartella).filePath(NomeGiornaleRipristino);
}

// Moves `da` to `a`; false, with the reason, when the system refuses.
bool sposta(const QString &da, const QString &a, QString &errore)
{
    if (os::rinomina(da, a)) {
        guasti::passoRipristino();
        return true;
    }
    const int e = errno;
    errore = QStringLiteral("il file \"%1\" non si può spostare in \"%2\" (%3)")
                 .arg(QDir::toNativeSeparators(da), QDir::toNativeSeparators(QFileInfo(a).absolutePath()),
                      qt_error_string(e));
    return false;
}

void sincronizza(const QString &cartella)
{
    sincronizzaCartella(QDir(cartella).filePath(QStringLiteral("x")));
}

// The journal goes: the restore is over.
bool rimuoviGiornale(const QString &cartella, QString &errore)
{
    const QString giornale = percorsoGiornale(cartella);
    if (os::nomePresente(giornale) && !os::rimuovi(giornale)) {
        const int e = errno;
        errore = QStringLiteral("il file \"%1\" non si può eliminare (%2)").arg(NomeGiornaleRipristino, qt_error_string(e));
        return false;
    }
    sincronizza(cartella);
    guasti::passoRipristino();
    return true;
}

// Whether every file of the copy is still in "Ripristino in corso" or already
// in its place: the plan can be carried out.
bool pronto(const PianoRipristino &p)
{
    const QDir d(p.cartella), accanto(d.filePath(p.accanto)), nuovi(d.filePath(NomeCartellaNuovi));
    for (const QString &nome : p.nuovi)
        if (!os::nomePresente(nuovi.filePath(nome))
            && !(os::nomePresente(d.filePath(nome)) && (!p.sposta.contains(nome) || os::nomePresente(accanto.filePath(nome)))))
            return false;
    return true;
}

} // namespace

void guasti::interrompiRipristino(int passo)
{
    s_interrompiAlPasso = passo;
    s_passi = 0;
}

void guasti::passoRipristino()
{
    if (s_interrompiAlPasso >= 0 && ++s_passi >= s_interrompiAlPasso)
        std::_Exit(99);
}

bool scriviPianoRipristino(const PianoRipristino &p, QString &errore)
{
    QByteArray testo = QByteArray(kTesta) + '\n' + riga(kAccanto, p.accanto);
    for (const QString &nome : p.sposta)
        testo += riga(kSposta, nome);
    for (const QString &nome : p.nuovi)
        testo += riga(kNuovo, nome);
    testo += riga(kImpronta, QString::number(impronta(testo.constData(), testo.size()), 16));
    if (!scriviFileSicuro(percorsoGiornale(p.cartella), testo, &errore))
        return false;
    guasti::passoRipristino();
    return true;
}

std::optional<PianoRipristino> leggiPianoRipristino(const QString &cartella, bool *danneggiato)
{
    if (danneggiato)
        *danneggiato = false;
    QFile f(percorsoGiornale(cartella));
    if (!os::nomePresente(f.fileName()))
        return std::nullopt;
    const QByteArray testo = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const qsizetype ultima = testo.lastIndexOf(QByteArray("\n") + kImpronta + '\t');
    bool ok = testo.startsWith(QByteArray(kTesta) + '\n') && ultima > 0 && testo.endsWith('\n');
    if (ok) {
        const QByteArray numero = testo.mid(ultima + 2 + qsizetype(qstrlen(kImpronta))).trimmed();
        ok = numero.toULongLong(nullptr, 16) == impronta(testo.constData(), ultima + 1);
    }
    PianoRipristino p;
    p.cartella = cartella;
    const QList<QByteArray> righe = testo.left(ultima + 1).split('\n');
    for (qsizetype i = 1; ok && i < righe.size(); ++i) {
        if (righe[i].isEmpty())
            continue;
        const qsizetype tab = righe[i].indexOf('\t');
        const QByteArray chiave = righe[i].left(tab);
        const QString valore = QString::fromUtf8(righe[i].mid(tab + 1));
        // Every name is one inside the program folder.
        ok = tab > 0 && !valore.isEmpty() && !valore.contains(u'/') && !valore.contains(u'\\') && valore != QLatin1String("..");
        if (chiave == kAccanto)
            p.accanto = valore;
        else if (chiave == kSposta)
            p.sposta << valore;
        else if (chiave == kNuovo)
            p.nuovi << valore;
        else
            ok = false;
    }
    if (!ok || p.accanto.isEmpty()) {
        if (danneggiato)
            *danneggiato = true;
        return std::nullopt;
    }
    return p;
}

bool eseguiPianoRipristino(const PianoRipristino &p, QString &errore)
{
    const QDir d(p.cartella);
    const QDir accanto(d.filePath(p.accanto));
    const QDir nuovi(d.filePath(NomeCartellaNuovi));
    if (!p.sposta.isEmpty()) {
        if (!QDir().mkpath(accanto.path())) {
            errore = QStringLiteral("non è possibile creare la cartella \"%1\"").arg(QDir::toNativeSeparators(accanto.path()));
            return false;
        }
        sincronizza(d.path());
    }
    // First every former file goes aside: one already there, or whose place
    // the copy's file has taken, was moved before.
    for (const QString &nome : p.sposta)
        if (os::nomePresente(d.filePath(nome)) && !os::nomePresente(accanto.filePath(nome))
            && !sposta(d.filePath(nome), accanto.filePath(nome), errore))
            return false;
    sincronizza(accanto.path());
    sincronizza(d.path());
    // Then the copy's files come in: one no longer among them is in place.
    for (const QString &nome : p.nuovi)
        if (os::nomePresente(nuovi.filePath(nome)) && !sposta(nuovi.filePath(nome), d.filePath(nome), errore))
            return false;
    sincronizza(d.path());
    // "Ripristino in corso" holds nothing of the plan now; the journal goes last.
    QDir(nuovi).removeRecursively();
    sincronizza(d.path());
    return rimuoviGiornale(p.cartella, errore);
}

bool annullaPianoRipristino(const PianoRipristino &p, QString &errore)
{
    const QDir d(p.cartella);
    const QDir accanto(d.filePath(p.accanto));
    const QDir nuovi(d.filePath(NomeCartellaNuovi));
    // A file of the copy already in the folder goes back; a former file of
    // that name that was never set aside is no file of the copy.
    for (const QString &nome : p.nuovi)
        if (!os::nomePresente(nuovi.filePath(nome)) && os::nomePresente(d.filePath(nome))
            && (!p.sposta.contains(nome) || os::nomePresente(accanto.filePath(nome)))
            && !sposta(d.filePath(nome), nuovi.filePath(nome), errore))
            return false;
    for (const QString &nome : p.sposta)
        if (os::nomePresente(accanto.filePath(nome)) && !sposta(accanto.filePath(nome), d.filePath(nome), errore))
            return false;
    sincronizza(d.path());
    QDir().rmdir(accanto.path());
    // Without the journal, what is left of "Ripristino in corso" is not to be used.
    if (!rimuoviGiornale(p.cartella, errore))
        return false;
    QDir(nuovi).removeRecursively();
    return true;
}

bool ripristinoInterrotto(const QString &cartella)
{
    return os::nomePresente(percorsoGiornale(cartella)) || QFileInfo(QDir(cartella).filePath(NomeCartellaNuovi)).isDir();
}

EsitoRipresa riprendiRipristino(const QString &cartella)
{
    EsitoRipresa r;
    bool danneggiato = false;
    if (const std::optional<PianoRipristino> piano = leggiPianoRipristino(cartella, &danneggiato)) {
        if (!pronto(*piano))
            r.errore = QStringLiteral("alcuni file della copia mancano nella cartella \"%1\"").arg(NomeCartellaNuovi);
        else if (eseguiPianoRipristino(*piano, r.errore)) {
            r.stato = EsitoRipresa::Stato::Completato;
            if (!piano->sposta.isEmpty())
                r.cartellaPrecedenti = QDir(cartella).filePath(piano->accanto);
            return r;
        }
        QString errore;
        r.stato = annullaPianoRipristino(*piano, errore) ? EsitoRipresa::Stato::Annullato : EsitoRipresa::Stato::Fallito;
        if (!errore.isEmpty())
            r.errore += (r.errore.isEmpty() ? QString() : QStringLiteral("; ")) + errore;
        return r;
    }
    if (danneggiato) {
        r.stato = EsitoRipresa::Stato::Fallito;
        r.errore = QStringLiteral("il file \"%1\", che descrive il ripristino, è danneggiato").arg(NomeGiornaleRipristino);
        return r;
    }
    // Cut short while the copy's files were being made ready: the folder was not touched.
    const QString nuovi = QDir(cartella).filePath(NomeCartellaNuovi);
    if (QFileInfo(nuovi).isDir()) {
        QDir(nuovi).removeRecursively();
        sincronizza(cartella);
        r.stato = EsitoRipresa::Stato::Annullato;
    }
    return r;
}

} // namespace qv
