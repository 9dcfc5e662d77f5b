#include "copiasicurezza.h"

#include "archivio.h"
#include "ini.h"
#include "schede.h"
#include "storico.h"
#include "core/filesicuro.h"
#include "core/zip.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

namespace qv {

namespace {

using G = GenereFileCopia;

constexpr char kCartellaAllegati[] = "allegati/";
constexpr int kFormato = 1;

// Files are read and written a block at a time, so that a large attached
// file never sits whole in memory.
constexpr qint64 kBlocco = 1024 * 1024;

bool archivio(G genere)
{
    return genere == G::Dipendenti || genere == G::Contratti;
}

// A file on its way into the zip: its bytes already read (an archive under
// its lock, the settings) or the path to read them from.
struct Sorgente
{
    FileCopia file;
    QString percorso;
    QByteArray dati;
    bool inMemoria = false;
    QDateTime modificato;
};

QString dettaglioArchivio(const ErroreArchivio &e, const QString &nome)
{
    switch (e.tipo()) {
    case ErroreArchivio::Tipo::Occupato:
        return QStringLiteral("l'archivio \"%1\" è in uso da un'altra copia del programma: riprovare fra poco").arg(nome);
    case ErroreArchivio::Tipo::DaControllare:
        return QStringLiteral("l'archivio \"%1\" ha un salvataggio interrotto che non si può leggere e va controllato").arg(nome);
    default:
        return QStringLiteral("l'archivio \"%1\" non si può leggere (%2)").arg(nome, e.dettaglio());
    }
}

// The whole cards of an archive, read under its shared lock once a pending
// journal has been applied. No value, with the reason, when it cannot be read.
std::optional<QByteArray> leggiArchivio(const QString &percorso, int dimensione, QString &errore)
{
    const QString nome = QFileInfo(percorso).fileName();
    try {
        FileArchivio f(percorso, dimensione);
        f.apri(false);
        QByteArray out;
        f.scorri([&](int, const char *dati) {
            out.append(dati, dimensione);
            return true;
        });
        return out;
    } catch (const ErroreArchivio &e) {
        errore = dettaglioArchivio(e, nome);
        return std::nullopt;
    }
}

template <typename R>
void allegatiDi(const QByteArray &schede, QStringList &percorsi)
{
    const PosizioneCampo campi[] = {posizioneCampo<R>(&R::File01), posizioneCampo<R>(&R::File02),
                                    posizioneCampo<R>(&R::File03)};
    for (qsizetype o = 0; o + R::Dimensione <= schede.size(); o += R::Dimensione)
        for (const PosizioneCampo &c : campi) {
            const QString p = decodificaCampo(schede.constData() + o + c.offset, c.capacita);
            if (!p.isEmpty() && !percorsi.contains(p))
                percorsi.append(p);
        }
}

// Reads what the copy takes from the folder; false, with the reason, when
// something that must be in it cannot be read.
bool raccogli(const QString &cartella, QList<Sorgente> &sorgenti, QStringList &mancanti, QString &errore)
{
    QStringList allegati;
    for (const FileCopia &f : fileDatiCartella(cartella)) {
        Sorgente s;
        s.file = f;
        s.percorso = QDir(cartella).filePath(f.nome);
        s.modificato = QFileInfo(s.percorso).lastModified();
        const int dimensione = dimensioneScheda(f.genere, f.nome);
        switch (f.genere) {
        case G::Dipendenti:
        case G::Contratti: {
            const std::optional<QByteArray> dati = leggiArchivio(s.percorso, dimensione, errore);
            if (!dati)
                return false;
            s.dati = *dati;
            s.file.schede = int(dati->size() / dimensione);
            if (f.genere == G::Dipendenti)
                allegatiDi<TSchedaDipendente>(s.dati, allegati);
            else
                allegatiDi<TSchedaContratto>(s.dati, allegati);
            break;
        }
        case G::Impostazioni:
        case G::Password: {
            const std::optional<FileIni> ini = FileIni::leggi(s.percorso, &errore);
            if (!ini) {
                errore = QStringLiteral("il file \"%1\" non si può leggere (%2)").arg(f.nome, errore);
                return false;
            }
            s.dati = ini->contenuto();
            break;
        }
        case G::Storico: {
            QFile file(s.percorso);
            if (!file.open(QIODevice::ReadOnly)) {
                errore = QStringLiteral("il file \"%1\" non si può leggere (%2)").arg(f.nome, file.errorString());
                return false;
            }
            // A record being written meanwhile is not whole yet: it is left out.
            s.dati = recordStoricoIntegri(file.readAll(), dimensione);
            break;
        }
        default:
            s.file.byte = QFileInfo(s.percorso).size();
            break;
        }
        // Photos, sheets and exports are read from their files as they go into the zip.
        s.inMemoria = archivio(f.genere) || f.genere == G::Storico || f.genere == G::Impostazioni
                      || f.genere == G::Password;
        if (s.inMemoria)
            s.file.byte = s.dati.size();
        sorgenti.append(s);
    }
    int n = 0;
    for (const QString &percorso : std::as_const(allegati)) {
        const QFileInfo info(percorso);
        if (!info.isAbsolute() || !info.isFile()) {
            mancanti.append(percorso);
            continue;
        }
        Sorgente s;
        s.file.genere = G::Allegato;
        s.file.nome = QStringLiteral("%1%2/%3").arg(QLatin1String(kCartellaAllegati)).arg(++n).arg(info.fileName());
        s.file.origine = info.absoluteFilePath();
        s.file.byte = info.size();
        s.percorso = s.file.origine;
        s.modificato = info.lastModified();
        sorgenti.append(s);
    }
    return true;
}

QJsonObject descrizione(const ContenutoCopia &c)
{
    QJsonArray file;
    for (const FileCopia &f : c.file) {
        QJsonObject o{{QStringLiteral("nome"), f.nome},
                      {QStringLiteral("genere"), parolaGenere(f.genere)},
                      {QStringLiteral("byte"), f.byte},
                      {QStringLiteral("sha256"), QString::fromLatin1(f.sha256)}};
        if (f.schede >= 0)
            o.insert(QStringLiteral("schede"), f.schede);
        if (!f.origine.isEmpty())
            o.insert(QStringLiteral("origine"), f.origine);
        file.append(o);
    }
    return {{QStringLiteral("programma"), QStringLiteral("Quadrivela")},
            {QStringLiteral("formato"), kFormato},
            {QStringLiteral("creata"), c.creata.toString(Qt::ISODate)},
            {QStringLiteral("file"), file}};
}

// The description read back; no value, with the reason, when it is not one.
std::optional<ContenutoCopia> leggiDescrizione(const QByteArray &testo, QString &errore)
{
    const QJsonObject o = QJsonDocument::fromJson(testo).object();
    if (o.value(QStringLiteral("programma")).toString() != QLatin1String("Quadrivela")
        || o.value(QStringLiteral("formato")).toInt() != kFormato) {
        errore = QStringLiteral("la descrizione della copia non è di Quadrivela o è danneggiata");
        return std::nullopt;
    }
    ContenutoCopia c;
    c.creata = QDateTime::fromString(o.value(QStringLiteral("creata")).toString(), Qt::ISODate);
    QSet<QString> nomi;
    static const QRegularExpression esadecimale(QStringLiteral("^[0-9a-f]{64}$"));
    for (const QJsonValue &v : o.value(QStringLiteral("file")).toArray()) {
        const QJsonObject fo = v.toObject();
        FileCopia f;
        f.nome = fo.value(QStringLiteral("nome")).toString();
        const std::optional<G> genere = generePerParola(fo.value(QStringLiteral("genere")).toString());
        f.byte = qint64(fo.value(QStringLiteral("byte")).toDouble(-1));
        f.sha256 = fo.value(QStringLiteral("sha256")).toString().toLatin1();
        f.schede = fo.value(QStringLiteral("schede")).toInt(-1);
        f.origine = fo.value(QStringLiteral("origine")).toString();
        // A name the restore would write outside its place is not one of a copy.
        bool valido = genere && f.byte >= 0 && esadecimale.match(QString::fromLatin1(f.sha256)).hasMatch()
                      && !nomi.contains(f.nome);
        if (valido && *genere == G::Allegato)
            valido = f.nome.startsWith(QLatin1String(kCartellaAllegati)) && !f.nome.contains(QLatin1String(".."))
                     && QDir::isAbsolutePath(f.origine);
        else if (valido)
            valido = genereFileDati(f.nome) == genere;
        if (!valido) {
            errore = QStringLiteral("la descrizione della copia è danneggiata (\"%1\")").arg(f.nome);
            return std::nullopt;
        }
        f.genere = *genere;
        nomi.insert(f.nome);
        c.file.append(f);
    }
    return c;
}

} // namespace

QString nomeFileCopia(const QDateTime &quando)
{
    return QStringLiteral("Quadrivela-copia-%1.zip").arg(quando.toString(QStringLiteral("yyyy-MM-dd-HHmm")));
}

QList<FileCopia> fileDatiCartella(const QString &cartella)
{
    QList<FileCopia> out;
    const QDir d(cartella);
    for (const QFileInfo &info : d.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const std::optional<G> genere = genereFileDati(info.fileName());
        if (!genere)
            continue;
        FileCopia f;
        f.nome = info.fileName();
        f.genere = *genere;
        f.byte = info.size();
        if (archivio(*genere))
            f.schede = int(f.byte / dimensioneScheda(*genere, f.nome));
        out.append(f);
    }
    return out;
}

EsitoCopia creaCopiaSicurezza(const QString &cartella, const QString &destinazione, const QDateTime &quando,
                              const AvanzamentoCopia &avanzamento)
{
    EsitoCopia esito;
    QList<Sorgente> sorgenti;
    if (!raccogli(cartella, sorgenti, esito.allegatiMancanti, esito.errore))
        return esito;
    qint64 totale = 0;
    for (const Sorgente &s : std::as_const(sorgenti))
        totale += s.file.byte;
    // Written, then read back: twice the bytes.
    totale *= 2;
    qint64 fatti = 0;
    const auto avanza = [&](qint64 n) {
        fatti += n;
        return !avanzamento || avanzamento(fatti, totale);
    };

    esito.percorso = QDir(destinazione).filePath(nomeFileCopia(quando));
    esito.contenuto.creata = quando;
    QSaveFile zip(esito.percorso);
    if (!zip.open(QIODevice::WriteOnly)) {
        esito.errore = QStringLiteral("non è possibile scrivere nella cartella \"%1\" (%2)")
                           .arg(QDir::toNativeSeparators(destinazione), zip.errorString());
        return esito;
    }
    ScritturaZip z(&zip);
    bool annullata = false;
    const auto guasto = [&](const QString &motivo) {
        zip.cancelWriting();
        esito.stato = annullata ? EsitoCopia::Stato::Annullata : EsitoCopia::Stato::Fallita;
        esito.errore = motivo;
        return esito;
    };
    for (Sorgente &s : sorgenti) {
        QCryptographicHash sha(QCryptographicHash::Sha256);
        qint64 byte = 0;
        const auto passa = [&](const char *dati, qint64 n) {
            sha.addData(QByteArrayView(dati, n));
            byte += n;
            if (!z.scrivi(dati, n))
                return false;
            annullata = !avanza(n);
            return !annullata;
        };
        if (!z.iniziaVoce(s.file.nome, s.modificato, s.file.byte))
            return guasto(z.errore());
        bool ok = true;
        if (s.inMemoria) {
            for (qint64 o = 0; ok && o < s.dati.size(); o += kBlocco)
                ok = passa(s.dati.constData() + o, std::min(kBlocco, s.dati.size() - o));
        } else {
            QFile f(s.percorso);
            if (!f.open(QIODevice::ReadOnly))
                return guasto(QStringLiteral("il file \"%1\" non si può leggere (%2)")
                                  .arg(QDir::toNativeSeparators(s.percorso), f.errorString()));
            QByteArray blocco;
            while (ok && !(blocco = f.read(kBlocco)).isEmpty())
                ok = passa(blocco.constData(), blocco.size());
            if (ok && f.error() != QFileDevice::NoError)
                return guasto(QStringLiteral("il file \"%1\" non si può leggere (%2)")
                                  .arg(QDir::toNativeSeparators(s.percorso), f.errorString()));
        }
        if (annullata)
            return guasto(QString());
        if (!ok || !z.chiudiVoce())
            return guasto(z.errore());
        s.file.byte = byte;
        s.file.sha256 = sha.result().toHex();
        esito.contenuto.file.append(s.file);
    }
    const QByteArray testo = QJsonDocument(descrizione(esito.contenuto)).toJson();
    if (!z.iniziaVoce(NomeDescrizioneCopia, quando, testo.size()) || !z.scrivi(testo) || !z.chiudiVoce() || !z.chiudi())
        return guasto(z.errore());
    // Complete and on the disk before it takes its name.
    if (!zip.commit()) {
        esito.errore = QStringLiteral("il file della copia non si può completare (%1)").arg(zip.errorString());
        return esito;
    }
    sincronizzaCartella(esito.percorso);

    // Read back from where it lies, every file against what was written.
    const qint64 scritti = fatti;
    const VerificaCopia v = verificaCopia(esito.percorso, [&](qint64 letti, qint64) {
        fatti = scritti + letti;
        return !avanzamento || avanzamento(fatti, totale);
    });
    QString difetto = v.errore;
    if (v.integra && v.contenuto.file.size() != esito.contenuto.file.size())
        difetto = QStringLiteral("la copia riletta non contiene tutti i file");
    for (qsizetype i = 0; v.integra && difetto.isEmpty() && i < v.contenuto.file.size(); ++i)
        if (v.contenuto.file[i].nome != esito.contenuto.file[i].nome
            || v.contenuto.file[i].sha256 != esito.contenuto.file[i].sha256)
            difetto = QStringLiteral("\"%1\" riletto dalla copia è diverso dall'originale").arg(esito.contenuto.file[i].nome);
    if (!v.integra || !difetto.isEmpty()) {
        QFile::remove(esito.percorso);
        sincronizzaCartella(esito.percorso);
        esito.stato = v.annullata ? EsitoCopia::Stato::Annullata : EsitoCopia::Stato::Fallita;
        esito.errore = QStringLiteral("la copia riletta non corrisponde ai dati: %1").arg(difetto);
        return esito;
    }
    esito.stato = EsitoCopia::Stato::Fatta;
    return esito;
}

VerificaCopia verificaCopia(const QString &percorso, const AvanzamentoCopia &avanzamento)
{
    VerificaCopia v;
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        v.errore = QStringLiteral("il file non si può aprire (%1)").arg(f.errorString());
        return v;
    }
    LetturaZip z(&f);
    if (!z.apri()) {
        v.errore = z.errore();
        return v;
    }
    const std::optional<QByteArray> testo = z.leggiTutta(NomeDescrizioneCopia);
    if (!testo) {
        v.errore = QStringLiteral("la descrizione della copia manca o è danneggiata");
        return v;
    }
    std::optional<ContenutoCopia> c = leggiDescrizione(*testo, v.errore);
    if (!c)
        return v;
    // A file the description does not name, or a second file of one name,
    // is not one the program put there.
    QSet<QString> nomi{NomeDescrizioneCopia};
    for (const FileCopia &file : std::as_const(c->file))
        nomi.insert(file.nome);
    for (const VoceZip &voce : z.voci())
        if (!nomi.remove(voce.nome)) {
            v.errore = QStringLiteral("contiene un file che la sua descrizione non nomina, o due volte lo stesso file "
                                      "(\"%1\")")
                           .arg(voce.nome);
            return v;
        }
    qint64 totale = 0;
    for (const FileCopia &file : std::as_const(c->file))
        totale += file.byte;
    qint64 fatti = 0;
    for (const FileCopia &file : std::as_const(c->file)) {
        QCryptographicHash sha(QCryptographicHash::Sha256);
        qint64 byte = 0;
        const bool letto = z.leggi(file.nome, [&](const char *dati, qint64 n) {
            sha.addData(QByteArrayView(dati, n));
            byte += n;
            fatti += n;
            v.annullata = avanzamento && !avanzamento(fatti, totale);
            return !v.annullata;
        });
        if (v.annullata)
            return v;
        if (!letto) {
            v.errore = z.errore();
            return v;
        }
        if (byte != file.byte || sha.result().toHex() != file.sha256) {
            v.errore = QStringLiteral("\"%1\" non corrisponde alla sua impronta SHA-256").arg(file.nome);
            return v;
        }
    }
    v.contenuto = std::move(*c);
    v.integra = true;
    return v;
}

} // namespace qv
