#pragma once
// What the tests of the .xlsx workbooks share: the workbook read back by a
// spreadsheet reader (openpyxl) as it was written and after LibreOffice opened
// and saved it, with the values LibreOffice calculates for formulas written
// under the data (tests/support/leggicartella.py).

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace qv::prova {

struct CartellaLetta
{
    QJsonObject originale;   // as written
    QJsonObject libreoffice; // as LibreOffice saved it again
    QJsonArray formule;      // the values LibreOffice calculated
    int pagine = 0;          // the pages LibreOffice prints it on
    QString errore;          // why it could not be read; empty when it was
};

// Debian's interpreter, which has Debian's openpyxl, before any other.
inline QString python()
{
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                              : QStandardPaths::findExecutable(QStringLiteral("python3"));
}

// Reads `xlsx` back, LibreOffice working under `cartella` with a profile of
// its own. Nothing is skipped: without LibreOffice or openpyxl the reading
// fails and says why.
inline CartellaLetta leggiCartella(const QString &xlsx, const QString &cartella, const QStringList &formule = {})
{
    CartellaLetta letta;
    QProcess p;
    p.start(python(), QStringList{QStringLiteral(QV_TEST_DATA "/../support/leggicartella.py"), xlsx, cartella} + formule);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        letta.errore = QStringLiteral("leggicartella.py: ") + QString::fromUtf8(p.readAllStandardError())
                       + p.errorString();
        return letta;
    }
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    letta.originale = o.value(QStringLiteral("originale")).toObject();
    letta.libreoffice = o.value(QStringLiteral("libreoffice")).toObject();
    letta.formule = o.value(QStringLiteral("formule")).toArray();
    letta.pagine = o.value(QStringLiteral("pagine")).toInt();
    if (letta.originale.isEmpty() || letta.libreoffice.isEmpty())
        letta.errore = QStringLiteral("leggicartella.py non ha restituito la cartella");
    return letta;
}

// A cell as "type|value|number format" ("n|1250.5|#,##0.00",
// "s|00184|@", "d|1980-02-01|dd/mm/yyyy"); an empty cell is "".
inline QString cella(const QJsonValue &v)
{
    const QJsonArray a = v.toArray();
    if (a.isEmpty())
        return QString();
    return a.at(0).toString() + u'|' + a.at(1).toString() + u'|' + a.at(2).toString();
}

// The rows of a read sheet, each a list of cells as `cella` gives them.
inline QList<QStringList> righe(const QJsonObject &foglio)
{
    QList<QStringList> out;
    for (const QJsonValue &r : foglio.value(QStringLiteral("righe")).toArray()) {
        QStringList celle;
        for (const QJsonValue &c : r.toArray())
            celle << cella(c);
        out << celle;
    }
    return out;
}

// The print setup of a read sheet as one text: orientation, paper, whether
// it is fitted to pages, the pages across and down, the rows on every page
// ("landscape|9|fit|1|0|$1:$1").
inline QString stampa(const QJsonObject &foglio)
{
    const QJsonObject s = foglio.value(QStringLiteral("stampa")).toObject();
    const auto testo = [&s](const char *chiave) { return s.value(QLatin1String(chiave)).toVariant().toString(); };
    return QStringList{testo("orientamento"), testo("carta"), s.value(QStringLiteral("adatta")).toBool()
                           ? QStringLiteral("fit") : QStringLiteral("scale"),
                       testo("larghezza"), testo("altezza"), testo("titoli")}
        .join(u'|');
}

// The header texts of a read sheet.
inline QStringList intestazioni(const QJsonObject &foglio)
{
    QStringList out;
    for (const QString &c : righe(foglio).value(0))
        out << c.section(u'|', 1, 1);
    return out;
}

} // namespace qv::prova
