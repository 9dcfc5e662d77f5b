#include "copiasicurezza.h"

#include "core/date.h"
#include "core/diario.h"
#include "storage/copiasicurezza.h"
#include "storage/ini.h"
#include "storage/pianoripristino.h"
#include "storage/presenza.h"
#include "storage/ripristino.h"
#include "storage/sololettura.h"
#include "storage/storico.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/sottofondo.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace qv {

namespace {

// The date of a copy made in this run, for a folder whose settings file
// could not keep it.
QDateTime s_ultimaDiQuestaSessione;

QString nativo(const QString &percorso)
{
    return QDir::toNativeSeparators(percorso);
}

QString dataEOra(const QDateTime &quando)
{
    return QStringLiteral("%1 alle %2").arg(scriviData(quando.date()), quando.toString(QStringLiteral("HH:mm")));
}

QString dimensione(qint64 byte)
{
    if (byte < 1024 * 1024)
        return QStringLiteral("%1 KB").arg(std::max<qint64>(1, (byte + 1023) / 1024));
    return QStringLiteral("%1 MB").arg(QString::number(double(byte) / (1024 * 1024), 'f', 1).replace(u'.', u','));
}

// The first few paths of a list, one a line, and how many more there are.
QString elenco(const QStringList &percorsi)
{
    QString out;
    const qsizetype mostrati = std::min<qsizetype>(percorsi.size(), 5);
    for (qsizetype i = 0; i < mostrati; ++i)
        out += QStringLiteral("\r\n") + nativo(percorsi.at(i));
    if (percorsi.size() > mostrati)
        out += QStringLiteral("\r\n... e altri %1.").arg(percorsi.size() - mostrati);
    return out;
}

// Where a restore put the folder's former data, for its final message;
// nothing for a folder that held none.
QString datiPrecedenti(const QString &cartella)
{
    if (cartella.isEmpty())
        return QString();
    return QStringLiteral("\r\n\r\nI dati che la cartella conteneva prima sono stati spostati nella cartella:\r\n%1")
        .arg(nativo(cartella));
}

// One line of the restore's comparison: what the copy holds and what the folder holds now.
QString riga(const QString &cosa, const QString &nellaCopia, const QString &ora)
{
    return QStringLiteral("\r\n%1: %2 nella copia, %3 ora nella cartella").arg(cosa, nellaCopia, ora);
}

QString schede(std::optional<int> n)
{
    if (!n)
        return QStringLiteral("nessun archivio");
    if (*n == 0)
        return QStringLiteral("nessuna scheda");
    return *n == 1 ? QStringLiteral("1 scheda") : QStringLiteral("%1 schede").arg(*n);
}

// What the copy holds against what the folder holds now, archive by archive.
QString confronto(const ContenutoCopia &copia, const QList<FileCopia> &attuali)
{
    struct Conti
    {
        QMap<QString, int> archivi; // name → cards
        int foto = 0, fogli = 0, allegati = 0;
    };
    const auto conta = [](const QList<FileCopia> &file) {
        Conti c;
        for (const FileCopia &f : file) {
            switch (f.genere) {
            case GenereFileCopia::Dipendenti:
            case GenereFileCopia::Contratti: c.archivi.insert(f.nome, std::max(0, f.schede)); break;
            case GenereFileCopia::Foto: ++c.foto; break;
            case GenereFileCopia::FoglioLavoro: ++c.fogli; break;
            case GenereFileCopia::Allegato: ++c.allegati; break;
            default: break;
            }
        }
        return c;
    };
    const Conti nella = conta(copia.file), ora = conta(attuali);
    QStringList nomi = nella.archivi.keys() + ora.archivi.keys();
    nomi.removeDuplicates();
    // The employees first, then the years in order.
    std::sort(nomi.begin(), nomi.end(), [](const QString &a, const QString &b) {
        return std::pair(!a.startsWith(u'D'), a) < std::pair(!b.startsWith(u'D'), b);
    });
    QString out;
    for (const QString &nome : std::as_const(nomi)) {
        const QString cosa = nome.startsWith(u'D') ? QStringLiteral("Dipendenti")
                                                   : QStringLiteral("Contratti %1").arg(QFileInfo(nome).completeBaseName());
        const auto n = [&](const Conti &c) { return c.archivi.contains(nome) ? std::optional<int>(c.archivi.value(nome)) : std::nullopt; };
        out += riga(cosa, schede(n(nella)), schede(n(ora)));
    }
    out += riga(QStringLiteral("Foto"), QString::number(nella.foto), QString::number(ora.foto));
    out += riga(QStringLiteral("Fogli dei lavori svolti"), QString::number(nella.fogli), QString::number(ora.fogli));
    out += QStringLiteral("\r\nFile allegati alle schede: %1 nella copia").arg(nella.allegati);
    return out;
}

} // namespace

namespace {

// A restore cut short (a power cut, the program ended from the task manager)
// is finished or undone before anything of the folder is read or written, and
// the user is told which. Another copy of the program at work on the folder
// may be restoring right now: then it is left alone.
void riprendiRipristinoInterrotto()
{
    const QString cartella = cartellaProgramma().dir();
    if (!ripristinoInterrotto(cartella))
        return;
    PresenzaCartella &presenza = PresenzaCartella::questa();
    if (!presenza.soloQuesta(cartella))
        return;
    const EsitoRipresa r = riprendiRipristino(cartella);
    presenza.lascia();
    const QString inizio = QStringLiteral("Un ripristino da una copia di sicurezza era stato interrotto (per esempio da "
                                          "una mancanza di corrente)");
    QString testo;
    switch (r.stato) {
    case EsitoRipresa::Stato::Nessuno:
        return;
    case EsitoRipresa::Stato::Completato:
        testo = inizio + QStringLiteral(" ed è stato completato ora: la cartella del programma contiene i dati della copia.")
                + datiPrecedenti(r.cartellaPrecedenti);
        break;
    case EsitoRipresa::Stato::Annullato:
        testo = inizio + QStringLiteral(" prima di essere completato: la cartella del programma è stata riportata "
                                        "com'era prima del ripristino.");
        if (!r.errore.isEmpty())
            testo += QStringLiteral(" (Il ripristino non si poteva completare: %1.)").arg(r.errore);
        testo += QStringLiteral("\r\n\r\nPer ripristinare la copia, ripetere il ripristino.");
        break;
    case EsitoRipresa::Stato::Fallito:
        Servizi::correnti().messaggio(
            nullptr, TipoMessaggio::Errore,
            QStringLiteral("Attenzione: un ripristino da una copia di sicurezza era stato interrotto e non è stato "
                           "possibile né completarlo né annullarlo: %1.\r\n\r\nI dati di prima e quelli della copia "
                           "sono nelle cartelle \"Dati prima del ripristino\" e \"%2\" dentro la cartella del "
                           "programma: non eliminarle e chiedere assistenza.")
                .arg(r.errore, NomeCartellaNuovi));
        return;
    }
    Servizi::correnti().messaggio(nullptr, TipoMessaggio::Informazione, testo);
}

} // namespace

void avviaCartellaProgramma()
{
    riprendiRipristinoInterrotto();
    PresenzaCartella::questa().entra(cartellaProgramma().dir());
    ImpostazioniCopia i = impostazioniCopia();
    impostaVersioniPerScheda(i.versioni);
    // The reminder of a folder never copied counts from its first run.
    if (!i.ultima.isValid() && !i.dal.isValid() && !percorsoSolaLettura(cartellaProgramma().impostazioni())) {
        i.dal = Servizi::correnti().oggi();
        scriviImpostazioniCopia(cartellaProgramma().impostazioni(), i);
    }
}

namespace {

ImpostazioniCopia impostazioniCon(const CartellaProgramma &cartella, const QDateTime &ultimaInSessione)
{
    ImpostazioniCopia i = leggiImpostazioniCopia(cartella.impostazioni());
    if (ultimaInSessione.isValid() && (!i.ultima.isValid() || i.ultima < ultimaInSessione))
        i.ultima = ultimaInSessione;
    return i;
}

} // namespace

ImpostazioniCopia impostazioniCopia()
{
    return impostazioniCon(cartellaProgramma(), s_ultimaDiQuestaSessione);
}

QDateTime ultimaCopiaInSessione()
{
    return s_ultimaDiQuestaSessione;
}

std::optional<QString> promemoriaCopia(const CartellaProgramma &cartella, const QDate &oggi,
                                       const QDateTime &ultimaInSessione)
{
    const ImpostazioniCopia i = impostazioniCon(cartella, ultimaInSessione);
    bool schede = false;
    if (!i.ultima.isValid())
        for (const FileCopia &f : fileDatiCartella(cartella.dir()))
            schede = schede || f.schede > 0;
    if (!copiaDaRicordare(i, oggi, schede))
        return std::nullopt;
    const std::optional<int> giorni = giorniDallaCopia(i, oggi);
    if (!giorni)
        return QStringLiteral("Nessuna copia di sicurezza dei dati: farla ora");
    return QStringLiteral("Ultima copia di sicurezza %1 giorni fa: farne una ora").arg(*giorni);
}

bool salvaImpostazioniCopia(QWidget *padre, const ImpostazioniCopia &impostazioni)
{
    impostaVersioniPerScheda(impostazioni.versioni);
    QString errore;
    if (scriviImpostazioniCopia(cartellaProgramma().impostazioni(), impostazioni, &errore))
        return true;
    Servizi::correnti().messaggio(padre, TipoMessaggio::Avviso,
                                  QStringLiteral("Attenzione: le impostazioni della copia di sicurezza non possono "
                                                 "essere salvate in \"Quadrivela.ini\" (%1).\r\n\r\n"
                                                 "Valgono fino alla chiusura del programma.")
                                      .arg(errore));
    return false;
}

bool eseguiCopiaSicurezza(QWidget *padre)
{
    return eseguiCopiaSicurezza(padre, impostazioniCopia().cartella);
}

bool eseguiCopiaSicurezza(QWidget *padre, const QString &scelta)
{
    Servizi &s = Servizi::correnti();
    QString cartella = scelta;
    if (cartella.isEmpty() || !QFileInfo(cartella).isDir()) {
        cartella = s.cartellaDaScegliere(padre, QStringLiteral("Scegliere la cartella in cui salvare la copia di sicurezza"),
                                         cartella.isEmpty() ? QDir::homePath() : cartella);
        if (cartella.isEmpty())
            return false;
    }
    cartella = QDir::cleanPath(cartella);
    const QDateTime quando = s.adesso();
    EsitoCopia esito;
    {
        const std::unique_ptr<Avanzamento> avanzamento =
            s.avanzamento(padre, QStringLiteral("Copia di sicurezza in corso..."));
        esito = creaCopiaSicurezza(cartellaProgramma().dir(), cartella, quando,
                                       [&](qint64 fatti, qint64 totale) { return avanzamento->aggiorna(fatti, totale); });
    }
    switch (esito.stato) {
    case EsitoCopia::Stato::Annullata:
        s.messaggio(padre, TipoMessaggio::Informazione,
                    QStringLiteral("La copia di sicurezza è stata annullata: nella cartella \"%1\" non è rimasto "
                                   "nessun file della copia.")
                        .arg(nativo(cartella)));
        return false;
    case EsitoCopia::Stato::Fallita:
        qCWarning(logCopia).noquote() << QStringLiteral("Copia di sicurezza non riuscita in") << cartella
                                      << QStringLiteral("-") << esito.errore;
        s.messaggio(padre, TipoMessaggio::Errore,
                    QStringLiteral("Attenzione: la copia di sicurezza non è stata fatta: %1.\r\n\r\n"
                                   "Nella cartella \"%2\" non è rimasto nessun file della copia.")
                        .arg(esito.errore, nativo(cartella)));
        return false;
    case EsitoCopia::Stato::Fatta:
        break;
    }
    qint64 byte = 0;
    for (const FileCopia &f : std::as_const(esito.contenuto.file))
        byte += f.byte;
    QString testo = QStringLiteral("La copia di sicurezza è stata salvata e verificata:\r\n\r\n%1\r\n\r\n"
                                   "%2 file, %3.")
                        .arg(nativo(esito.percorso))
                        .arg(esito.contenuto.file.size())
                        .arg(dimensione(byte));
    if (!esito.allegatiMancanti.isEmpty())
        testo += QStringLiteral("\r\n\r\nAttenzione: questi file allegati alle schede non sono stati trovati e non "
                                "sono nella copia:")
                 + elenco(esito.allegatiMancanti);
    // The reminder counts from now, and the next copy goes to the same folder.
    s_ultimaDiQuestaSessione = quando;
    ImpostazioniCopia i = impostazioniCopia();
    i.cartella = cartella;
    i.ultima = quando;
    QString errore;
    if (!scriviImpostazioniCopia(cartellaProgramma().impostazioni(), i, &errore))
        testo += QStringLiteral("\r\n\r\nLa data della copia non può essere annotata in \"Quadrivela.ini\" (%1): "
                                "vale fino alla chiusura del programma.")
                     .arg(errore);
    s.messaggio(padre, TipoMessaggio::Informazione, testo);
    return true;
}

bool eseguiRipristino(QWidget *padre)
{
    Servizi &s = Servizi::correnti();
    const QString cartella = cartellaProgramma().dir();
    if (percorsoSolaLettura(cartellaProgramma().archivioDipendenti())) {
        s.messaggio(padre, TipoMessaggio::Avviso,
                    QStringLiteral("Attenzione: la cartella del programma è in sola lettura: non è possibile "
                                   "ripristinarvi una copia di sicurezza.\r\n\r\n"
                                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione "
                                   "del programma."));
        return false;
    }
    const QString copia = s.fileDaAprire(padre, QStringLiteral("Scegliere la copia di sicurezza da ripristinare"),
                                         {QStringLiteral("Copie di sicurezza di Quadrivela (Quadrivela-copia-*.zip)"),
                                          QStringLiteral("Tutti i file (*.*)")},
                                         impostazioniCopia().cartella);
    if (copia.isEmpty())
        return false;

    // No other copy of the program may be working on the archives while they are replaced.
    PresenzaCartella &presenza = PresenzaCartella::questa();
    if (!presenza.soloQuesta(cartella)) {
        s.messaggio(padre, TipoMessaggio::Avviso,
                    QStringLiteral("Attenzione: un'altra copia del programma è aperta su questa cartella.\r\n\r\n"
                                   "Chiudere le altre copie di Quadrivela e riprovare il ripristino."));
        return false;
    }
    const struct Lascia
    {
        PresenzaCartella &p;
        ~Lascia() { p.lascia(); }
    } lascia{presenza};

    VerificaCopia verifica;
    {
        const std::unique_ptr<Avanzamento> avanzamento =
            s.avanzamento(padre, QStringLiteral("Verifica della copia di sicurezza in corso..."));
        verifica = verificaCopia(copia, [&](qint64 f, qint64 t) { return avanzamento->aggiorna(f, t); });
    }
    if (verifica.annullata)
        return false;
    if (!verifica.integra) {
        qCWarning(logCopia).noquote() << QStringLiteral("Copia da ripristinare non integra:") << copia
                                      << QStringLiteral("-") << verifica.errore;
        s.messaggio(padre, TipoMessaggio::Errore,
                    QStringLiteral("Attenzione: il file \"%1\" non è una copia di sicurezza integra di Quadrivela: "
                                   "%2.\r\n\r\nIl ripristino non è stato fatto.")
                        .arg(nativo(copia), verifica.errore));
        return false;
    }

    const QDateTime quando = s.adesso();
    const QString accanto = cartellaDatiPrecedenti(cartella, quando);
    const QList<FileCopia> attuali = fileDatiCartella(cartella);
    const auto haFile = [](const QList<FileCopia> &file, GenereFileCopia genere) {
        return std::any_of(file.cbegin(), file.cend(), [&](const FileCopia &f) { return f.genere == genere; });
    };
    QString domanda = QStringLiteral("Copia di sicurezza del %1.\r\n").arg(dataEOra(verifica.contenuto.creata))
                      + confronto(verifica.contenuto, attuali);
    // What the folder keeps of its own.
    QString resta;
    if (haFile(attuali, GenereFileCopia::Password))
        resta += QStringLiteral("\r\nLa password per entrare nel programma resta quella in uso ora.");
    else if (haFile(verifica.contenuto.file, GenereFileCopia::Password))
        resta += QStringLiteral("\r\nLa password per entrare nel programma sarà quella della copia.");
    if (haFile(attuali, GenereFileCopia::Impostazioni) && haFile(verifica.contenuto.file, GenereFileCopia::Impostazioni))
        resta += QStringLiteral("\r\nLe impostazioni vengono dalla copia, tranne la cartella e la data dell'ultima "
                                "copia di sicurezza, che restano quelle attuali.");
    if (!resta.isEmpty())
        domanda += QStringLiteral("\r\n") + resta;
    domanda += QStringLiteral("\r\n\r\nRipristinare i dati della copia? I dati attuali non vanno persi: vengono spostati "
                              "nella cartella \"%1\" dentro la cartella del programma.")
                   .arg(QFileInfo(accanto).fileName());
    if (!s.domanda(padre, domanda, false))
        return false;

    // The main menu's band may be reading the files about to move.
    attendiSottofondo();
    EsitoRipristino esito;
    {
        const std::unique_ptr<Avanzamento> avanzamento = s.avanzamento(padre, QStringLiteral("Ripristino in corso..."));
        esito = ripristinaCopia(cartella, copia, verifica.contenuto, quando,
                                [&](qint64 f, qint64 t) { return avanzamento->aggiorna(f, t); });
    }
    if (esito.inSospeso) {
        s.messaggio(padre, TipoMessaggio::Errore,
                    QStringLiteral("Attenzione: il ripristino non è riuscito: %1.\r\n\r\nAl prossimo avvio il "
                                   "programma lo completerà o riporterà la cartella com'era: chiudere il programma e "
                                   "riaprirlo.")
                        .arg(esito.errore));
        return false;
    }
    if (!esito.riuscito) {
        if (!esito.annullato)
            qCWarning(logCopia).noquote() << QStringLiteral("Ripristino non riuscito da") << copia << QStringLiteral("-")
                                          << esito.errore;
        s.messaggio(padre, esito.annullato ? TipoMessaggio::Informazione : TipoMessaggio::Errore,
                    esito.annullato
                        ? QStringLiteral("Il ripristino è stato annullato: la cartella del programma è com'era.")
                        : QStringLiteral("Attenzione: il ripristino non è riuscito: %1.\r\n\r\n"
                                         "La cartella del programma è stata riportata com'era.")
                              .arg(esito.errore));
        return false;
    }
    // The restored settings count from now; what they say of the copies is the folder's own.
    impostaVersioniPerScheda(impostazioniCopia().versioni);
    QString testo = QStringLiteral("Il ripristino è stato completato.") + datiPrecedenti(esito.cartellaPrecedenti);
    if (!esito.allegatiRipristinati.isEmpty())
        testo += QStringLiteral("\r\n\r\nFile allegati rimessi al loro posto, dove mancavano:")
                 + elenco(esito.allegatiRipristinati);
    if (!esito.allegatiNonRipristinati.isEmpty())
        testo += QStringLiteral("\r\n\r\nAttenzione: questi file allegati mancano e non si possono rimettere al loro "
                                "posto; restano nella copia:")
                 + elenco(esito.allegatiNonRipristinati);
    s.messaggio(padre, TipoMessaggio::Informazione, testo);
    return true;
}

} // namespace qv
