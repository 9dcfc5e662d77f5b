#include "ripristino.h"

#include "archivio.h"
#include "impostazionicopia.h"
#include "pianoripristino.h"
#include "core/filesicuro.h"
#include "core/zip.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace qv {

namespace {

// Writes the entry `nome` of the copy to `percorso` through a new file that
// replaces the old one only if every byte matched `sha256`.
bool estrai(LetturaZip &zip, const FileCopia &file, const QString &percorso, const std::function<bool(qint64)> &avanza,
            QString &errore)
{
    bool fermata = false;
    const bool ok = scriviFileSicuro(
        percorso,
        [&](const ScriviBlocco &scrivi) {
            QCryptographicHash sha(QCryptographicHash::Sha256);
            const bool letto = zip.leggi(file.nome, [&](const char *dati, qint64 n) {
                sha.addData(QByteArrayView(dati, n));
                if (!scrivi(QByteArray::fromRawData(dati, n)))
                    return false;
                fermata = !avanza(n);
                return !fermata;
            });
            if (!letto && !fermata && !zip.errore().isEmpty())
                errore = zip.errore();
            return letto && sha.result().toHex() == file.sha256;
        },
        &errore);
    if (!ok && errore.isEmpty())
        errore = fermata ? QStringLiteral("ripristino annullato")
                         : QStringLiteral("\"%1\" non corrisponde alla sua impronta SHA-256").arg(file.nome);
    return ok;
}

} // namespace

QString cartellaDatiPrecedenti(const QString &cartella, const QDateTime &quando)
{
    const QString base = QStringLiteral("Dati prima del ripristino %1").arg(quando.toString(QStringLiteral("yyyy-MM-dd-HHmm")));
    const QDir d(cartella);
    QString nome = base;
    for (int n = 2; d.exists(nome); ++n)
        nome = QStringLiteral("%1 (%2)").arg(base).arg(n);
    return d.filePath(nome);
}

EsitoRipristino ripristinaCopia(const QString &cartella, const QString &copia, const ContenutoCopia &contenuto,
                                const QDateTime &quando, const AvanzamentoCopia &avanzamento)
{
    EsitoRipristino esito;
    QFile file(copia);
    LetturaZip zip(&file);
    if (!file.open(QIODevice::ReadOnly) || !zip.apri()) {
        esito.errore = QStringLiteral("la copia non si può leggere");
        return esito;
    }
    qint64 totale = 0, fatti = 0;
    for (const FileCopia &f : contenuto.file)
        totale += f.byte;
    bool fermato = false;
    const auto avanza = [&](qint64 n) {
        fatti += n;
        fermato = avanzamento && !avanzamento(fatti, totale);
        return !fermato;
    };
    // Once the data are in place the attached files follow: stopping no longer undoes anything.
    const auto continua = [&](qint64 n) {
        fatti += n;
        if (avanzamento)
            avanzamento(fatti, totale);
        return true;
    };

    const QDir d(cartella);
    const QList<FileCopia> attuali = fileDatiCartella(cartella);
    // A save cut short is finished first, so the archives set aside are whole.
    for (const FileCopia &f : attuali) {
        if (f.genere != GenereFileCopia::Dipendenti && f.genere != GenereFileCopia::Contratti)
            continue;
        try {
            FileArchivio a(d.filePath(f.nome), dimensioneScheda(f.genere, f.nome));
            a.apri(false);
        } catch (const ErroreArchivio &e) {
            esito.errore = QStringLiteral("l'archivio \"%1\" non si può aprire (%2)").arg(f.nome, e.dettaglio());
            return esito;
        }
    }

    if (ripristinoInterrotto(cartella)) {
        esito.errore = QStringLiteral("un ripristino precedente è stato interrotto e va controllato (la cartella \"%1\")")
                           .arg(NomeCartellaNuovi);
        return esito;
    }
    // The password store the folder has stays: the password is the one in use now.
    const bool tieniPassword = std::any_of(attuali.cbegin(), attuali.cend(), [](const FileCopia &f) {
        return f.genere == GenereFileCopia::Password;
    });
    PianoRipristino piano;
    piano.cartella = cartella;
    piano.accanto = QFileInfo(cartellaDatiPrecedenti(cartella, quando)).fileName();
    for (const FileCopia &f : attuali)
        if (!(tieniPassword && f.genere == GenereFileCopia::Password))
            piano.sposta << f.nome;
    // A journal that could not be applied goes with its archive.
    piano.sposta << d.entryList({QStringLiteral("*.giornale")}, QDir::Files | QDir::Hidden);

    // Every file of the copy is made ready beside the folder's, whole and checked.
    const QDir nuovi(d.filePath(NomeCartellaNuovi));
    const auto rinuncia = [&](const QString &errore) {
        QDir(nuovi).removeRecursively();
        esito.annullato = fermato;
        esito.errore = errore;
        return esito;
    };
    if (!QDir().mkpath(nuovi.path()))
        return rinuncia(QStringLiteral("non è possibile creare la cartella \"%1\"").arg(QDir::toNativeSeparators(nuovi.path())));
    for (const FileCopia &f : contenuto.file) {
        if (f.genere == GenereFileCopia::Allegato)
            continue;
        if (f.genere == GenereFileCopia::Password && tieniPassword) {
            avanza(f.byte);
            continue;
        }
        QString errore;
        if (!estrai(zip, f, nuovi.filePath(f.nome), avanza, errore)
            || (f.genere == GenereFileCopia::Impostazioni
                && !conservaImpostazioniCopia(d.filePath(f.nome), nuovi.filePath(f.nome), &errore)))
            return rinuncia(QStringLiteral("il file \"%1\" non si può ripristinare (%2)").arg(f.nome, errore));
        piano.nuovi << f.nome;
        guasti::passoRipristino();
    }
    if (fermato)
        return rinuncia(QStringLiteral("ripristino annullato"));

    // From here the restore is one step: finished, or undone, even after a power cut.
    QString errore;
    if (!scriviPianoRipristino(piano, errore))
        return rinuncia(QStringLiteral("il ripristino non può cominciare (%1)").arg(errore));
    if (!eseguiPianoRipristino(piano, errore)) {
        QString annullato;
        if (!annullaPianoRipristino(piano, annullato)) {
            errore += QStringLiteral("; %1").arg(annullato);
            esito.inSospeso = true;
        }
        esito.errore = errore;
        return esito;
    }

    // The attached files: only where they are missing.
    for (const FileCopia &f : contenuto.file) {
        if (f.genere != GenereFileCopia::Allegato)
            continue;
        if (QFileInfo::exists(f.origine)) {
            continua(f.byte);
            continue;
        }
        QString errore;
        if (QDir().mkpath(QFileInfo(f.origine).absolutePath()) && estrai(zip, f, f.origine, continua, errore))
            esito.allegatiRipristinati << f.origine;
        else
            esito.allegatiNonRipristinati << f.origine;
    }
    // A folder that held no data has nothing set aside.
    if (!piano.sposta.isEmpty())
        esito.cartellaPrecedenti = d.filePath(piano.accanto);
    esito.riuscito = true;
    return esito;
}

} // namespace qv
