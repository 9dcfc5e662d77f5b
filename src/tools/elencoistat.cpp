#include "elencoistat.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace {

// The words that join the parts of a name, lower case in ISTAT's names.
const QSet<QString> kParticelle = {
    QStringLiteral("di"),    QStringLiteral("del"),   QStringLiteral("della"), QStringLiteral("dello"),
    QStringLiteral("dei"),   QStringLiteral("degli"), QStringLiteral("delle"), QStringLiteral("de'"),
    QStringLiteral("e"),     QStringLiteral("ed"),    QStringLiteral("a"),     QStringLiteral("al"),
    QStringLiteral("alla"),  QStringLiteral("allo"),  QStringLiteral("ai"),    QStringLiteral("agli"),
    QStringLiteral("alle"),  QStringLiteral("in"),    QStringLiteral("nel"),   QStringLiteral("nella"),
    QStringLiteral("nello"), QStringLiteral("nei"),   QStringLiteral("negli"), QStringLiteral("nelle"),
    QStringLiteral("sul"),   QStringLiteral("sulla"), QStringLiteral("sullo"), QStringLiteral("sui"),
    QStringLiteral("sugli"), QStringLiteral("sulle"), QStringLiteral("con"),
};
// The same joined to the next word by an apostrophe.
const QStringList kElisioni = {QStringLiteral("d'"),    QStringLiteral("dell'"), QStringLiteral("nell'"),
                               QStringLiteral("sull'"), QStringLiteral("all'"),  QStringLiteral("dall'")};
// Joining words after a hyphen, also French ones ("Saint-Rhémy-en-Bosses").
const QSet<QString> kParticelleTrattino = {QStringLiteral("en"), QStringLiteral("du"), QStringLiteral("de"),
                                           QStringLiteral("des"), QStringLiteral("la"), QStringLiteral("le")};

QString leggiFile(const QString &percorso, QString *errore)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        *errore = QStringLiteral("non si legge ") + percorso;
        return QString();
    }
    return QString::fromUtf8(f.readAll());
}

// The text of a JavaScript string as the packages write it.
QString senzaEscape(const QString &s)
{
    QString t;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i) != u'\\' || i + 1 >= s.size()) {
            t += s.at(i);
        } else if (s.at(i + 1) == u'u' && i + 5 < s.size()) {
            t += QChar(char16_t(s.mid(i + 2, 4).toUShort(nullptr, 16)));
            i += 5;
        } else {
            t += s.at(++i);
        }
    }
    return t;
}

QString maiuscolaIniziale(const QString &parola)
{
    return parola.isEmpty() ? parola : parola.left(1).toUpper() + parola.mid(1);
}

} // namespace

QString chiaveNome(const QString &nome)
{
    QString chiave;
    for (QChar c : nome.normalized(QString::NormalizationForm_D)) {
        const char16_t u = c.toUpper().unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'))
            chiave += QChar(u);
    }
    return chiave;
}

QString casoIstat(const QString &nome)
{
    QStringList parole = nome.split(u' ');
    for (qsizetype i = 0; i < parole.size(); ++i) {
        QString p = parole.at(i);
        const QString minuscola = p.toLower();
        if (i > 0) {
            if (kParticelle.contains(minuscola)) {
                p = minuscola;
            } else {
                for (const QString &e : kElisioni)
                    if (minuscola.startsWith(e) && minuscola.size() > e.size()) {
                        p = e + p.mid(e.size());
                        break;
                    }
            }
        }
        for (qsizetype k = 1; k + 1 < p.size(); ++k)
            if (p.at(k) == u'\'' && p.at(k - 1).isLetter())
                p[k + 1] = p.at(k + 1).toUpper();
        QStringList trattini = p.split(u'-');
        for (qsizetype k = 1; k < trattini.size(); ++k)
            if (!kParticelle.contains(trattini.at(k).toLower())
                && !kParticelleTrattino.contains(trattini.at(k).toLower()))
                trattini[k] = maiuscolaIniziale(trattini.at(k));
        parole[i] = trattini.join(u'-');
    }
    return parole.join(u' ');
}

QString leggiComuniInUso(const QString &listaComuni, const QString &citta, const QString &province,
                         const QString &correzioni, QHash<QString, ComuneInUso> *comuni)
{
    QString errore;
    // The list of the codes: ['A001', 'PD', 'ABANO TERME', 1], 1 for a comune in use.
    const QString lista = leggiFile(listaComuni, &errore);
    if (!errore.isEmpty())
        return errore;
    static const QRegularExpression voce(
        QStringLiteral(R"re(\[\s*(['"])([A-Z]\d{3})\1\s*,\s*(['"])([A-Z]{2})\3\s*,\s*(['"])(.*?)\5\s*,\s*([01])\s*\])re"));
    QHash<QString, ComuneInUso> maiuscoli;
    for (auto it = voce.globalMatch(lista); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(7) == u'1' && m.captured(4) != QLatin1String("EE"))
            maiuscoli.insert(m.captured(2), {m.captured(4), senzaEscape(m.captured(6))});
    }
    if (maiuscoli.size() < 7000)
        return QStringLiteral("troppo pochi comuni in uso in %1: %2").arg(listaComuni).arg(maiuscoli.size());

    // The names as ISTAT writes them: province: province_1.default.TORINO, name: 'Caravino'.
    const QString testoProvince = leggiFile(province, &errore);
    const QString testoCitta = leggiFile(citta, &errore);
    if (!errore.isEmpty())
        return errore;
    static const QRegularExpression sigla(QStringLiteral(R"re(Province\["(\w+)"\]\s*=\s*"([A-Z]{2})")re"));
    QHash<QString, QString> sigle;
    for (auto it = sigla.globalMatch(testoProvince); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        sigle.insert(m.captured(1), m.captured(2));
    }
    static const QRegularExpression citta1(
        QStringLiteral(R"re(province:\s*province_1\.default\.(\w+),\s*name:\s*(['"])((?:\\.|(?!\2).)*)\2)re"));
    QList<ComuneInUso> scritti;
    for (auto it = citta1.globalMatch(testoCitta); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!sigle.contains(m.captured(1)))
            return QStringLiteral("provincia sconosciuta in %1: %2").arg(citta, m.captured(1));
        scritti.append({sigle.value(m.captured(1)), senzaEscape(m.captured(3))});
    }
    if (scritti.size() < 7000)
        return QStringLiteral("troppo pochi comuni in %1: %2").arg(citta).arg(scritti.size());
    // Province and name -> the name as written. A name in two languages
    // ("Bolzano/Bozen", "Sgonico-Zgonik") also answers to its Italian part,
    // after every whole name.
    QHash<QString, QString> grafie;
    QHash<QString, QString> bilingui; // province and Italian name -> the name in the other language
    for (const ComuneInUso &c : std::as_const(scritti)) {
        grafie.insert(c.provincia + chiaveNome(c.nome), c.nome);
        if (c.nome.contains(u'/'))
            bilingui.insert(c.provincia + chiaveNome(c.nome.section(u'/', 0, 0)), c.nome.section(u'/', 1));
    }
    for (const ComuneInUso &c : std::as_const(scritti))
        for (QChar separatore : {u'/', u'-'}) {
            const QString italiano = c.nome.section(separatore, 0, 0);
            if (!grafie.contains(c.provincia + chiaveNome(italiano)))
                grafie.insert(c.provincia + chiaveNome(italiano), italiano);
        }

    // The manual repairs, which win over both.
    const QString testoCorrezioni = leggiFile(correzioni, &errore);
    if (!errore.isEmpty())
        return errore;
    QHash<QString, ComuneInUso> aMano;
    for (const QString &riga : testoCorrezioni.split(u'\n')) {
        if (riga.trimmed().isEmpty() || riga.startsWith(u'#'))
            continue;
        const QStringList c = riga.split(u'\t');
        if (c.size() != 3 || !QRegularExpression(QStringLiteral("^[A-Z]\\d{3}$")).match(c.at(0)).hasMatch()
            || c.at(1).size() != 2 || c.at(2).trimmed().isEmpty())
            return QStringLiteral("riga illeggibile in %1: %2").arg(correzioni, riga);
        aMano.insert(c.at(0), {c.at(1), c.at(2).trimmed()});
    }

    QStringList senzaNome;
    for (auto it = maiuscoli.cbegin(); it != maiuscoli.cend(); ++it) {
        ComuneInUso c = aMano.value(it.key(), ComuneInUso());
        if (c.nome.isEmpty())
            c = {it->provincia, grafie.value(it->provincia + chiaveNome(it->nome))};
        // "Bolzano/Bozen": the Italian name, and the other that it answers to.
        if (c.nome.contains(u'/')) {
            c.altri = c.nome.section(u'/', 1);
            c.nome = c.nome.section(u'/', 0, 0);
        } else {
            c.altri = bilingui.value(c.provincia + chiaveNome(c.nome));
        }
        if (c.nome.isEmpty())
            senzaNome.append(it.key() + u' ' + it->nome + QStringLiteral(" (") + it->provincia + u')');
        comuni->insert(it.key(), c);
    }
    for (auto it = aMano.cbegin(); it != aMano.cend(); ++it)
        if (!maiuscoli.contains(it.key()))
            return QStringLiteral("correzione per un codice non in uso: ") + it.key();
    if (!senzaNome.isEmpty()) {
        senzaNome.sort();
        return QStringLiteral("comuni in uso senza il nome scritto da ISTAT (aggiungerli alle correzioni): ")
            + senzaNome.join(QStringLiteral(", "));
    }
    return QString();
}

void aggiornaLuoghi(QList<Luogo> &luoghi, const QHash<QString, ComuneInUso> &inUso, QString *resoconto)
{
    int nomi = 0, province = 0, aggiunti = 0, casi = 0;
    QHash<QString, qsizetype> ultimo; // code -> its row in use today, or its last row
    for (qsizetype i = 0; i < luoghi.size(); ++i) {
        const Luogo &l = luoghi.at(i);
        if (l.provincia == QLatin1String("EE"))
            continue;
        const auto it = ultimo.constFind(l.codice);
        if (it == ultimo.cend() || l.al.isEmpty() || (!luoghi.at(*it).al.isEmpty() && luoghi.at(*it).al < l.al))
            ultimo.insert(l.codice, i);
    }
    QSet<qsizetype> dallElenco;
    QStringList nonInElenco;
    for (auto it = ultimo.cbegin(); it != ultimo.cend(); ++it)
        if (luoghi.at(*it).al.isEmpty() && !inUso.contains(it.key()))
            nonInElenco.append(it.key());
    for (auto it = inUso.cbegin(); it != inUso.cend(); ++it) {
        const auto riga = ultimo.constFind(it.key());
        if (riga == ultimo.cend() || !luoghi.at(*riga).al.isEmpty()) {
            // In use again, or new since the first source was made.
            Luogo nuovo{it.key(), it->provincia, QString(), QString(), it->nome, it->altri, QString()};
            if (riga != ultimo.cend())
                nuovo.dal = QDate::fromString(luoghi.at(*riga).al, QStringLiteral("yyyyMMdd"))
                                .addDays(1)
                                .toString(QStringLiteral("yyyyMMdd"));
            dallElenco.insert(luoghi.size());
            luoghi.append(nuovo);
            ++aggiunti;
            continue;
        }
        Luogo &l = luoghi[*riga];
        nomi += l.nome != it->nome;
        province += l.provincia != it->provincia;
        l.nome = it->nome;
        l.altri = it->altri;
        l.provincia = it->provincia;
        dallElenco.insert(*riga);
    }
    // Every other Italian place keeps its name, in ISTAT's case.
    for (qsizetype i = 0; i < luoghi.size(); ++i) {
        Luogo &l = luoghi[i];
        if (l.provincia == QLatin1String("EE") || dallElenco.contains(i))
            continue;
        const QString caso = casoIstat(l.nome);
        casi += caso != l.nome;
        l.nome = caso;
    }
    nonInElenco.sort();
    *resoconto = QStringLiteral("%1 nomi e %2 province dei comuni in uso dall'elenco ISTAT, %3 comuni aggiunti, "
                                "%4 nomi di altri luoghi scritti come ISTAT")
                     .arg(nomi)
                     .arg(province)
                     .arg(aggiunti)
                     .arg(casi);
    if (!nonInElenco.isEmpty())
        *resoconto += QStringLiteral("; in uso per la prima fonte ma non nell'elenco ISTAT: ")
                      + nonInElenco.join(QStringLiteral(", "));
}

QString aggiungiAltriNomi(const QString &percorso, QList<Luogo> &luoghi)
{
    QString errore;
    const QString testo = leggiFile(percorso, &errore);
    if (!errore.isEmpty())
        return errore;
    static const QRegularExpression codice(QStringLiteral("^[A-Z]\\d{3}$"));
    for (const QString &riga : testo.split(u'\n')) {
        if (riga.trimmed().isEmpty() || riga.startsWith(u'#'))
            continue;
        const QStringList c = riga.split(u'\t');
        if (c.size() < 2 || c.size() > 3 || !codice.match(c.at(0)).hasMatch() || c.at(1).trimmed().isEmpty())
            return QStringLiteral("riga illeggibile in %1: %2").arg(percorso, riga);
        bool trovato = false;
        for (Luogo &l : luoghi) {
            if (l.codice != c.at(0))
                continue;
            trovato = true;
            l.altri = l.altri.isEmpty() ? c.at(1).trimmed() : l.altri + u'/' + c.at(1).trimmed();
            if (c.size() == 3)
                l.oggi = c.at(2).trimmed();
        }
        if (!trovato)
            return QStringLiteral("altri nomi per un codice che la tabella non ha: ") + c.at(0);
    }
    return QString();
}
