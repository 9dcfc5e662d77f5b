#pragma once
// Reading and writing whole files in the tests, and what a folder holds.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace qv::prova {

// The file's bytes; empty when it cannot be read.
inline QByteArray leggiFile(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file with `dati`; false when that fails.
[[nodiscard]] inline bool scriviFile(const QString &percorso, const QByteArray &dati)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(dati) == dati.size();
}

// The names in a folder, hidden ones included, sorted by name.
inline QStringList contenuto(const QString &cartella)
{
    return QDir(cartella).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The text of a PDF as pdftotext lays it out, pages separated by form feeds;
// empty when pdftotext is not installed.
inline QString testoPdf(const QString &percorso)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return QString();
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), percorso, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace qv::prova
