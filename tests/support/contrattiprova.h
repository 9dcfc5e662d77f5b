#pragma once
// What the tests of the contract dialogs share: contract cards, a year file
// written with them, the contract screen those dialogs serve, and services
// that print to a PDF file read back as text.

#include "contracts/frmcontratti.h"
#include "core/testo.h"
#include "storage/archivio.h"
#include "support/serviziprova.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>

namespace qv::prova {

// A contract card with the fields the lists show; the others stay empty.
inline TSchedaContratto contratto(const QString &dipendente, const QString &stipula, const QString &inizio,
                                  const QString &fine, const QString &rescisso = QStringLiteral("No"))
{
    TSchedaContratto s;
    s.Dipendente = dipendente;
    s.DataStipula = stipula;
    s.DataInizio = inizio;
    s.DataFine = fine;
    s.Rescisso = rescisso;
    s.CodFisc = QStringLiteral("RSSMRA70A01H501U");
    s.Recapito = QStringLiteral("06 1234567");
    s.Stipendio = QStringLiteral("1250,00");
    return s;
}

// Appends the cards to the year file at `percorso`.
inline void archiviaContratti(const QString &percorso, const QList<TSchedaContratto> &schede)
{
    ArchivioContratti a(percorso);
    a.apri();
    for (const TSchedaContratto &s : schede)
        a.accoda(s);
    a.chiudi();
}

// A contract screen working on the year file `archivio`, not shown, whose
// controls the tests read back by name.
class SchermoContrattiProva : public TfrmContratti
{
public:
    explicit SchermoContrattiProva(const QString &archivio)
    {
        impostaAnno(archivio, QStringLiteral("2017"));
    }
    QString testo(const QString &nome) const
    {
        if (auto *e = findChild<QLineEdit *>(nome))
            return e->text();
        auto *l = findChild<QLabel *>(nome);
        return l ? l->text() : QString();
    }
};

// Prints every confirmed print to a PDF file instead of a printer.
class ServiziPdf : public ServiziProva
{
public:
    explicit ServiziPdf(const QString &pdf) : m_pdf(pdf) {}
    int stampe = 0;
    bool dialogoStampa(QWidget *padre, QPrinter &stampante) override
    {
        ++stampe;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(m_pdf);
        return ServiziProva::dialogoStampa(padre, stampante);
    }
    // The printed lines as pdftotext lays them out, each with its runs of
    // blanks made one (the layout spaces words by their place on the page);
    // empty without pdftotext.
    QStringList righeStampate() const
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                              QStringLiteral("UTF-8"), m_pdf, QStringLiteral("-")});
        QStringList righe;
        if (p.waitForFinished(60000))
            for (const QString &r : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'))
                if (!r.simplified().isEmpty())
                    righe.append(r.simplified());
        return righe;
    }
    static bool pdftotext() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

private:
    QString m_pdf;
};

} // namespace qv::prova
