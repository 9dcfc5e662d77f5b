#include "confrontocf.h"

#include "core/codicefiscale.h"
#include "core/date.h"
#include "core/identificativi.h"
#include "core/testo.h"

#include <QRegularExpression>

namespace qv {

namespace {

// Words that begin a surname of two words ("De Luca", "Della Valle").
const QStringList kParticelle = {
    QStringLiteral("DE"),    QStringLiteral("DI"),    QStringLiteral("DA"),    QStringLiteral("DEL"),
    QStringLiteral("DELLA"), QStringLiteral("DELLO"), QStringLiteral("DELLE"), QStringLiteral("DEI"),
    QStringLiteral("DEGLI"), QStringLiteral("DAL"),   QStringLiteral("DALLA"), QStringLiteral("DALLE"),
    QStringLiteral("LA"),    QStringLiteral("LO"),    QStringLiteral("LI"),    QStringLiteral("LE"),
    QStringLiteral("VAN"),   QStringLiteral("VON"),   QStringLiteral("MC"),    QStringLiteral("MAC"),
};

QStringList parole(const QString &testo)
{
    static const QRegularExpression spazi(QStringLiteral("\\s+"));
    return trimmed(testo).split(spazi, Qt::SkipEmptyParts);
}

// The year with the code's last two digits nearest to the card's year.
int annoVicino(int anno2, int annoScheda)
{
    int anno = annoScheda - ((annoScheda - anno2) % 100 + 100) % 100;
    return annoScheda - anno > 50 ? anno + 100 : anno;
}

// The six letters of every way the words split into surname and name, either
// order; the first is the card's own order.
bool nomeCorrisponde(const QStringList &p, const QString &lettere)
{
    for (qsizetype k = 1; k < p.size(); ++k) {
        const QString primi = p.mid(0, k).join(u' '), altri = p.mid(k).join(u' ');
        if (codiceCognome(primi) + codiceNome(altri) == lettere || codiceCognome(altri) + codiceNome(primi) == lettere)
            return true;
    }
    return false;
}

} // namespace

CognomeNome separaCognomeNome(const QString &testo)
{
    const QStringList p = parole(testo);
    if (p.size() < 2)
        return {p.join(u' '), QString()};
    const qsizetype n = p.size() > 2 && kParticelle.contains(lettereNome(p.at(0))) ? 2 : 1;
    return {p.mid(0, n).join(u' '), p.mid(n).join(u' ')};
}

QString descriviLuogoNascita(const QString &codiceCatastale, const QDate &data)
{
    const Luogo *l = luogoPerCodice(codiceCatastale, data);
    if (!l)
        l = luogoPerCodice(codiceCatastale, QDate());
    if (!l)
        return QStringLiteral("in un luogo sconosciuto (codice catastale ") + codiceCatastale + u')';
    if (l->estero())
        return QStringLiteral("all'estero (") + l->nome + u')';
    return QStringLiteral("a ") + l->descrizione();
}

QString descrizioneCodiceFiscale(const QString &codice, const QDate &oggi)
{
    if (!ControllaCodFisc(upperAZ(trimmed(codice))))
        return QString();
    const std::optional<DatiAnagrafici> d = LeggiCodiceFiscale(codice, oggi);
    if (!d)
        return QString();
    return (d->sesso == u'F' ? QStringLiteral("Nata il ") : QStringLiteral("Nato il ")) + scriviData(d->nascita) + u' '
           + descriviLuogoNascita(d->codiceCatastale, d->nascita);
}

QStringList discordanzeCodiceFiscale(const QString &codice, const DatiScheda &scheda, const QDate &oggi)
{
    const QString c = upperAZ(trimmed(codice));
    if (!ControllaCodFisc(c))
        return {};
    const std::optional<DatiAnagrafici> d = LeggiCodiceFiscale(c, oggi);
    if (!d)
        return {};
    QStringList discordanze;
    // The code gives the holder's sex.
    const QString nato = d->sesso == u'F' ? QStringLiteral("nata") : QStringLiteral("nato");

    const std::optional<QDate> nascitaScheda = leggiData(scheda.nascita);
    if (nascitaScheda) {
        const QDate &n = *nascitaScheda;
        if (n.day() != d->nascita.day() || n.month() != d->nascita.month() || n.year() % 100 != d->nascita.year() % 100) {
            const QDate delCodice(annoVicino(d->nascita.year() % 100, n.year()), d->nascita.month(), d->nascita.day());
            discordanze << QStringLiteral("Il codice fiscale indica %1 il %2, la scheda indica %3")
                               .arg(nato, scriviData(delCodice.isValid() ? delCodice : d->nascita), scriviData(n));
        }
    }

    // The card's birthplace is compared only when the table knows it on the birth date.
    const LuogoScritto luogo = separaProvincia(scheda.luogo);
    if (!luogo.nome.isEmpty()) {
        const QDate quando = nascitaScheda.value_or(d->nascita);
        const QList<Luogo> candidati = luoghiPerNome(luogo.nome, luogo.provincia, quando);
        if (!candidati.isEmpty()
            && std::none_of(candidati.begin(), candidati.end(),
                            [&d](const Luogo &l) { return l.codice == d->codiceCatastale; }))
            discordanze << QStringLiteral("Il codice fiscale indica %1 %2, la scheda indica %3")
                               .arg(nato, descriviLuogoNascita(d->codiceCatastale, quando), trimmed(scheda.luogo));
    }

    const QStringList p = parole(scheda.cognomeNome);
    const QString lettere = c.left(6);
    if (p.size() >= 2 && !nomeCorrisponde(p, lettere)) {
        const CognomeNome cn = separaCognomeNome(scheda.cognomeNome);
        discordanze << QStringLiteral("Il codice fiscale indica per cognome e nome le lettere %1, la scheda indica %2 (%3)")
                           .arg(lettere, codiceCognome(cn.cognome) + codiceNome(cn.nome), trimmed(scheda.cognomeNome));
    }
    return discordanze;
}

} // namespace qv
