// Turns the data file of the birthplace package (every Italian comune, past and
// present, and every foreign state, with its cadastral code) into the table the
// program carries as a resource: one line a place, sorted by code,
//
//     code TAB province TAB valid from TAB valid to TAB name TAB other names TAB today
//
// dates as yyyyMMdd (an empty "to": still in use), the province "EE" for a
// foreign state, names in UTF-8; the other names (separated by "/") are the
// other official name of a comune named in two languages and the names people
// use that the lists lack (altrinomiluoghi.tsv), "today" what a place that
// was Italian is now. The name and province of every code in use
// today come from ISTAT's list of comuni (elencoistat.h), which the package
// has wrong for a few hundred of them (an old name, the province of 1861,
// "D'ivrea" for "d'Ivrea"). Run by the build; it reads only the files it is
// given and writes only the table.
//
// The package keeps each column of a group of places as one long text: the
// codes as three base-32 digits each (letter index * 1000 + number), the dates
// as four base-32 digits each (days since 1 January 1861), the two-letter
// province (or ISO country) codes one after the other and the names joined by
// "|". A group without expiry dates holds places still in use.

#include "elencoistat.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

struct Gruppo
{
    std::map<QString, QString> colonne;
};

// The value of a JSON string as the package writes it.
QString stringaJson(const QString &grezza)
{
    QString s;
    s.reserve(grezza.size());
    for (qsizetype i = 0; i < grezza.size(); ++i) {
        const QChar c = grezza.at(i);
        if (c != u'\\' || i + 1 >= grezza.size()) {
            s += c;
            continue;
        }
        const QChar e = grezza.at(++i);
        switch (e.unicode()) {
        case u'n': s += u'\n'; break;
        case u't': s += u'\t'; break;
        case u'u':
            s += QChar(char16_t(grezza.mid(i + 1, 4).toUShort(nullptr, 16)));
            i += 4;
            break;
        default: s += e; break;
        }
    }
    return s;
}

// A few names of the package went through UTF-8 read as Latin-1 ("CittÃ\u00a0"
// for "Città"); such a name is decoded once more. A final "Ã" lost the
// no-break space that completed its "à" when the name was trimmed.
QString riparaNome(QString nome)
{
    if (!nome.contains(QChar(0xC3)) && !nome.contains(QChar(0xC2)))
        return nome;
    if (nome.endsWith(QChar(0xC3)))
        nome += QChar(0xA0);
    QByteArray byte;
    for (QChar c : nome) {
        if (c.unicode() > 0xFF)
            return nome;
        byte += char(c.unicode());
    }
    const QString riparato = QString::fromUtf8(byte);
    return riparato.contains(QChar::ReplacementCharacter) ? nome : riparato;
}

QString data(const QString &base32)
{
    bool ok = false;
    const qint64 giorni = base32.toLongLong(&ok, 32);
    return ok ? QDate(1861, 1, 1).addDays(giorni).toString(QStringLiteral("yyyyMMdd")) : QString();
}

int esci(const QString &messaggio)
{
    std::fprintf(stderr, "crealuoghi: %s\n", qPrintable(messaggio));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 8)
        return esci(QStringLiteral("uso: crealuoghi <cities-countries.ts> <lista-comuni.js> <city.js> <province.js> "
                                   "<correzioni> <altri nomi> <tabella>"));
    QHash<QString, ComuneInUso> inUso;
    const QString errore = leggiComuniInUso(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                                            QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[5]), &inUso);
    if (!errore.isEmpty())
        return esci(errore);

    QFile sorgente(QString::fromLocal8Bit(argv[1]));
    if (!sorgente.open(QIODevice::ReadOnly))
        return esci(QStringLiteral("non si legge ") + sorgente.fileName());
    QString testo = QString::fromUtf8(sorgente.readAll());
    // The places come before the licences and the sources.
    testo.truncate(testo.indexOf(QStringLiteral("\"licenses\"")));

    // Every "key": "value" pair in order; a code column starts a new group.
    QList<Gruppo> gruppi;
    for (qsizetype i = 0; (i = testo.indexOf(u'"', i)) >= 0;) {
        const qsizetype fineChiave = testo.indexOf(u'"', i + 1);
        if (fineChiave < 0)
            break;
        const QString chiave = testo.mid(i + 1, fineChiave - i - 1);
        qsizetype j = fineChiave + 1;
        while (j < testo.size() && testo.at(j).isSpace())
            ++j;
        if (j >= testo.size() || testo.at(j) != u':') {
            i = fineChiave; // a value, not a key: its closing quote opens the next look
            continue;
        }
        ++j;
        while (j < testo.size() && testo.at(j).isSpace())
            ++j;
        if (j >= testo.size() || testo.at(j) != u'"') {
            i = j; // a key whose value is not a text ("data": [...])
            continue;
        }
        qsizetype k = j + 1;
        while (k < testo.size() && testo.at(k) != u'"')
            k += testo.at(k) == u'\\' ? 2 : 1;
        if (chiave == QLatin1String("belfioreCode"))
            gruppi.append(Gruppo());
        if (!gruppi.isEmpty())
            gruppi.last().colonne[chiave] = stringaJson(testo.mid(j + 1, k - j - 1));
        i = k + 1;
    }

    QList<Luogo> luoghi;
    for (const Gruppo &g : std::as_const(gruppi)) {
        auto col = [&g](const char *nome) {
            const auto it = g.colonne.find(QLatin1String(nome));
            return it == g.colonne.end() ? QString() : it->second;
        };
        const QString codici = col("belfioreCode");
        const QStringList nomi = col("name").split(u'|');
        const QString province = col("provinceOrCountry");
        const QString inizi = col("creationDate");
        const QString fini = col("expirationDate");
        const qsizetype n = codici.size() / 3;
        if (codici.size() % 3 || nomi.size() != n || province.size() != 2 * n
            || (!inizi.isEmpty() && inizi.size() != 4 * n) || (!fini.isEmpty() && fini.size() != 4 * n))
            return esci(QStringLiteral("colonne di lunghezze diverse nel file dei luoghi (%1 codici, %2 nomi, %3 province)").arg(n).arg(nomi.size()).arg(province.size()));
        for (qsizetype i = 0; i < n; ++i) {
            bool ok = false;
            const int numero = codici.mid(3 * i, 3).toInt(&ok, 32);
            if (!ok || numero >= 26000)
                return esci(QStringLiteral("codice catastale illeggibile: ") + codici.mid(3 * i, 3));
            Luogo l;
            l.codice = QChar(u'A' + numero / 1000) + QStringLiteral("%1").arg(numero % 1000, 3, 10, QChar(u'0'));
            l.provincia = l.codice.startsWith(u'Z') ? QStringLiteral("EE") : province.mid(2 * i, 2).trimmed();
            l.dal = data(inizi.isEmpty() ? QStringLiteral("0") : inizi.mid(4 * i, 4));
            l.al = fini.isEmpty() ? QString() : data(fini.mid(4 * i, 4));
            l.nome = riparaNome(nomi.at(i).trimmed());
            luoghi.append(l);
        }
    }
    if (luoghi.size() < 9000)
        return esci(QStringLiteral("troppo pochi luoghi: %1").arg(luoghi.size()));
    QString resoconto;
    aggiornaLuoghi(luoghi, inUso, &resoconto);
    std::printf("crealuoghi: %s\n", qPrintable(resoconto));
    if (const QString e = aggiungiAltriNomi(QString::fromLocal8Bit(argv[6]), luoghi); !e.isEmpty())
        return esci(e);
    std::sort(luoghi.begin(), luoghi.end(), [](const Luogo &a, const Luogo &b) {
        return a.codice != b.codice ? a.codice < b.codice : a.dal < b.dal;
    });

    QSaveFile uscita(QString::fromLocal8Bit(argv[7]));
    if (!uscita.open(QIODevice::WriteOnly))
        return esci(QStringLiteral("non si scrive ") + uscita.fileName());
    QByteArray righe;
    for (const Luogo &l : std::as_const(luoghi))
        righe += (QStringList{l.codice, l.provincia, l.dal, l.al, l.nome, l.altri, l.oggi}.join(u'\t') + u'\n').toUtf8();
    uscita.write(righe);
    if (!uscita.commit())
        return esci(QStringLiteral("non si scrive ") + uscita.fileName());
    return 0;
}
