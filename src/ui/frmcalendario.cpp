#include "frmcalendario.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/date.h"

#include <QFrame>
#include <QLineEdit>
#include <QTextCharFormat>

namespace qv {

const TfrmCalendario::Destinazione TfrmCalendario::Destinazioni[4] = {
    {"datasca", "TfrmAnagrafica", "txtDataSca"},
    {"datastipula", "TfrmContratti", "txtDataStipula"},
    {"datainizio", "TfrmContratti", "txtDataInizio"},
    {"datafine", "TfrmContratti", "txtDataFine"},
};

TfrmCalendario::TfrmCalendario(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Importazione data"), QSize(253, 294), Qt::white, QColor(0x35, 0x25, 0x25), parent)
{
    setObjectName(QStringLiteral("frmCalendario"));
    auto *pannello = new QFrame(this);
    pannello->setObjectName(QStringLiteral("panContainer"));
    pannello->setGeometry((253 - 230) / 2, (294 - 266) / 2, 230, 266);
    pannello->setStyleSheet(QStringLiteral("#panContainer { background: white; border: 1px solid #B0B8C0; }"));

    lblCampo001 = etichetta(pannello, QStringLiteral("lblCampo001"), QStringLiteral("Importare una data:"),
                            QRect(12, 8, 206, 20), carattere(QStringLiteral("Verdana"), 10, true));

    auto *riquadro = new QFrame(pannello);
    riquadro->setObjectName(QStringLiteral("shpCalendario"));
    riquadro->setGeometry(10, 32, 210, 184);
    riquadro->setStyleSheet(QStringLiteral("#shpCalendario { background: #D6DCE1; border: 1px solid #AEB6BE; }"));

    calAppuntamenti = new QCalendarWidget(riquadro);
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti->setGeometry(14, 10, 182, 164);
    calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calAppuntamenti->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    calAppuntamenti->setFont(carattere(QStringLiteral("Verdana"), 7));
    calAppuntamenti->setSelectedDate(Servizi::correnti().oggi());

    btnAnnulla = pulsante(pannello, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QRect(12, 226, 96, 28), 9);
    btnImportaData =
        pulsante(pannello, QStringLiteral("btnImportaData"), QStringLiteral("Importa"), QRect(122, 226, 96, 28), 9);

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    setTabOrder(calAppuntamenti, btnImportaData);
    setTabOrder(btnImportaData, btnAnnulla);
    calAppuntamenti->setFocus();

    connect(btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    // Enter on the calendar and a double click on a day import the date, as "Importa" does.
    connect(calAppuntamenti, &QCalendarWidget::activated, this, &TfrmCalendario::btnImportaDataClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmCalendario::btnAnnullaClick);
}

QLineEdit *TfrmCalendario::campoDestinazione() const
{
    for (const Destinazione &d : Destinazioni) {
        if (lblMemory->text() != QLatin1String(d.token))
            continue;
        // The long-lived screen the token names; without one, the window that opened the picker.
        QWidget *schermo = Schermi::per(QLatin1String(d.schermo));
        if (!schermo && parentWidget())
            schermo = parentWidget()->window();
        return schermo ? schermo->findChild<QLineEdit *>(QLatin1String(d.campo)) : nullptr;
    }
    return nullptr;
}

void TfrmCalendario::mostraDataDelCampo()
{
    const QLineEdit *campo = campoDestinazione();
    if (const std::optional<QDate> data = campo ? leggiData(campo->text()) : std::nullopt) {
        calAppuntamenti->setSelectedDate(*data);
        calAppuntamenti->setCurrentPage(data->year(), data->month());
    }
}

void TfrmCalendario::btnImportaDataClick()
{
    for (const Destinazione &d : Destinazioni) {
        if (lblMemory->text() != QLatin1String(d.token))
            continue;
        if (QLineEdit *campo = campoDestinazione())
            campo->setText(scriviData(calAppuntamenti->selectedDate()));
        accept();
        return;
    }
}

void TfrmCalendario::btnAnnullaClick()
{
    reject();
}

} // namespace qv
