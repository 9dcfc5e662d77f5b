#include "luoghi.h"

#include "core/testo.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

// The resource lives in this static library: it is registered before first use.
static void registraRisorsaLuoghi()
{
    Q_INIT_RESOURCE(luoghi);
}

namespace qv {

namespace {

struct Tabella
{
    QList<Luogo> luoghi;                 // sorted by code
    QMultiHash<QString, qsizetype> nomi; // chiaveLuogo of each name -> index
};

QDate leggiGiorno(QStringView s)
{
    return s.isEmpty() ? QDate() : QDate::fromString(s.toString(), QStringLiteral("yyyyMMdd"));
}

Tabella carica()
{
    registraRisorsaLuoghi();
    Tabella t;
    QFile f(QStringLiteral(":/dati/luoghi.tsv"));
    if (!f.open(QIODevice::ReadOnly))
        return t;
    const QString testo = QString::fromUtf8(f.readAll());
    for (QStringView riga : QStringView(testo).split(u'\n', Qt::SkipEmptyParts)) {
        const QList<QStringView> c = riga.split(u'\t');
        // The other names and what the place is today come last, when it has them.
        if (c.size() < 5 || c.size() > 7)
            continue;
        t.luoghi.append({c[0].toString(), c[1].toString(), leggiGiorno(c[2]), leggiGiorno(c[3]), c[4].toString(),
                         c.size() > 6 ? c[6].toString() : QString()});
        const qsizetype i = t.luoghi.size() - 1;
        QStringList nomi = t.luoghi.at(i).nome.split(u'/');
        if (c.size() > 5 && !c[5].isEmpty())
            nomi += c[5].toString().split(u'/');
        for (const QString &nome : std::as_const(nomi))
            if (const QString chiave = chiaveLuogo(nome); !t.nomi.contains(chiave, i))
                t.nomi.insert(chiave, i);
    }
    return t;
}

const Tabella &tabella()
{
    static const Tabella t = carica();
    return t;
}

} // namespace

bool Luogo::validoIl(const QDate &data) const
{
    if (!data.isValid())
        return true;
    return (!dal.isValid() || dal <= data) && (!al.isValid() || data <= al);
}

QString Luogo::descrizione() const
{
    return estero() || provincia.isEmpty() ? nome : nome + QStringLiteral(" (") + provincia + u')';
}

const QList<Luogo> &tabellaLuoghi()
{
    return tabella().luoghi;
}

QString chiaveLuogo(const QString &nome)
{
    const QString scomposto = nome.normalized(QString::NormalizationForm_D);
    QString chiave;
    chiave.reserve(scomposto.size());
    for (QChar c : scomposto) {
        const char16_t u = c.toUpper().unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'))
            chiave += QChar(u);
    }
    return chiave;
}

QList<Luogo> luoghiPerNome(const QString &luogo, const QString &provincia, const QDate &data)
{
    const Tabella &t = tabella();
    const QString prov = upperAZ(trimmed(provincia));
    QList<Luogo> trovati;
    for (qsizetype i : t.nomi.values(chiaveLuogo(luogo))) {
        const Luogo &l = t.luoghi.at(i);
        if ((prov.isEmpty() || l.provincia == prov) && l.validoIl(data)
            && std::none_of(trovati.begin(), trovati.end(), [&l](const Luogo &x) { return x.codice == l.codice; }))
            trovati.append(l);
    }
    std::sort(trovati.begin(), trovati.end(), [](const Luogo &a, const Luogo &b) { return a.codice < b.codice; });
    return trovati;
}

const Luogo *luogoPerCodice(const QString &codiceCatastale, const QDate &data)
{
    const QList<Luogo> &l = tabella().luoghi;
    const QString codice = upperAZ(trimmed(codiceCatastale));
    auto it = std::lower_bound(l.begin(), l.end(), codice, [](const Luogo &a, const QString &c) { return a.codice < c; });
    const Luogo *ultimo = nullptr;
    for (; it != l.end() && it->codice == codice; ++it) {
        if (data.isValid() && it->validoIl(data))
            return &*it;
        ultimo = &*it;
    }
    return data.isValid() ? nullptr : ultimo;
}

LuogoScritto separaProvincia(const QString &testo)
{
    static const QRegularExpression conProvincia(QStringLiteral(R"(^(.*?)[\s,\-]*\(\s*([A-Za-z]{2})\s*\)\s*$)"));
    const QString t = trimmed(testo);
    const QRegularExpressionMatch m = conProvincia.match(t);
    if (m.hasMatch())
        return {trimmed(m.captured(1)), upperAZ(m.captured(2))};
    return {t, QString()};
}

QString CodiceCatastale(const QString &luogo, const QString &provincia, QDate data)
{
    // "Roma (RM)" with no province beside it carries its own.
    const LuogoScritto scritto = trimmed(provincia).isEmpty() ? separaProvincia(luogo) : LuogoScritto{luogo, provincia};
    const QList<Luogo> trovati = luoghiPerNome(scritto.nome, scritto.provincia, data);
    return trovati.size() == 1 ? trovati.constFirst().codice : QString();
}

QString LuogoDaCodice(const QString &codiceCatastale, QDate data)
{
    const Luogo *l = luogoPerCodice(codiceCatastale, data);
    return l ? l->nome : QString();
}

QString luogoNonPiuItaliano(const QString &luogo, const QString &provincia, const QDate &data)
{
    for (const Luogo &l : luoghiPerNome(luogo, provincia, QDate()))
        if (!l.oggi.isEmpty() && l.al.isValid() && data.isValid() && data > l.al)
            return QStringLiteral("%1 fu un comune italiano fino al %2; oggi è %3: per chi vi è nato dopo, indicare "
                                  "lo stato estero")
                .arg(l.nome, l.al.toString(QStringLiteral("dd/MM/yyyy")), l.oggi);
    return QString();
}

QStringList nomiLuoghi()
{
    QStringList nomi;
    nomi.reserve(tabella().luoghi.size());
    for (const Luogo &l : tabella().luoghi)
        nomi.append(l.descrizione());
    nomi.sort(Qt::CaseInsensitive);
    nomi.removeDuplicates();
    return nomi;
}

} // namespace qv
