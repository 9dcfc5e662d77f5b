#pragma once
// What the tests of the spreadsheet exports share: the questions and the
// failure message of an export, the pieces of the written document, and the
// reading of that document back through LibreOffice.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace qv::prova {

inline const QString ConfermaEsportazione = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
inline const QString RiuscitaEsportazione = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
// The workbook's closing question names the file and its folder.
inline QString RiuscitaCartella(const QString &percorso)
{
    const QFileInfo f(percorso);
    return QStringLiteral("Le schede in archivio sono state esportate con successo nel file %1, nella cartella %2."
                          "\r\n\r\nSi vuole aprire il file di Excel?")
        .arg(f.fileName(), QDir::toNativeSeparators(f.absolutePath()));
}
inline const QString ErroreEsportazione = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
    "Accertarsi che il file di Excel non sia già aperto.");

// A data cell's and a header cell's opening.
#define TD "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">"
#define TH "<td style=\"text-align: left; font-weight: bold;\" width="

// The document up to the table's first row, for a worksheet name.
inline QByteArray aperturaFoglio(const QByteArray &nomeFoglio)
{
    return "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
           " xmlns=\"http://www.w3.org/TR/REC-html40\"><head>"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
           "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
           "<x:Name>" + nomeFoglio + "</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
           "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
           "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
           "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>"
           "</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>";
}
inline const QByteArray ChiusuraFoglio = "</table></body></html>";

inline QString soffice()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

// The spreadsheet `xls` as LibreOffice reads it: converted headless, with a
// private profile under `cartella`, to UTF-8 CSV separated by ";"; one text
// per row. Empty when the conversion fails, with LibreOffice's words in `errore`.
inline QStringList righeLibreOffice(const QString &xls, const QString &cartella, QString *errore)
{
    QProcess p;
    p.start(soffice(), {QStringLiteral("-env:UserInstallation=")
                            + QUrl::fromLocalFile(cartella + QStringLiteral("/profilo")).toString(),
                        QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                        QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76"), QStringLiteral("--outdir"),
                        cartella + QStringLiteral("/csv"), xls});
    p.waitForFinished(180000);
    *errore = QString::fromLocal8Bit(p.readAllStandardError());
    QFile f(cartella + QStringLiteral("/csv/") + QFileInfo(xls).completeBaseName() + QStringLiteral(".csv"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace qv::prova
