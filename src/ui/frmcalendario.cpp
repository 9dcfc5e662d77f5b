#include "frmcalendario.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/date.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTextCharFormat>

#include <algorithm>

namespace qv {

const TfrmCalendario::Destinazione TfrmCalendario::Destinazioni[8] = {
    {"datasca", "TfrmAnagrafica", "txtDataSca"},
    {"datastipula", "TfrmContratti", "txtDataStipula"},
    {"datainizio", "TfrmContratti", "txtDataInizio"},
    {"datafine", "TfrmContratti", "txtDataFine"},
    {"datanasc", "TfrmAnagrafica", "txtDataNasc"},
    {"datanascdip", "TfrmContratti", "txtDataNasc"},
    {"datanascleg", "TfrmContratti", "txtDataNascLeg"},
    // The codice fiscale calculator is a dialog: the window that opened the picker.
    {"datanasccf", "", "txtDataNasc"},
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
    // A date typed here is read as in the date fields (the calendar's own
    // editor reads two-digit years its own way).
    calAppuntamenti->setDateEditEnabled(false);

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
    // A day chosen on the calendar takes the place of what was typed.
    connect(calAppuntamenti, &QCalendarWidget::selectionChanged, this, [this] {
        if (!m_daDigitata && !m_digitata.isEmpty()) {
            m_digitata.clear();
            mostraDigitata();
        }
    });
    // Typed on the days, where the focus is when the picker opens (on a
    // button, Space and Enter press it).
    if (QTableView *giorni = calAppuntamenti->findChild<QTableView *>())
        giorni->installEventFilter(this);
}

bool TfrmCalendario::eventFilter(QObject *, QEvent *evento)
{
    if (evento->type() != QEvent::KeyPress)
        return false;
    auto *e = static_cast<QKeyEvent *>(evento);
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString testo = e->text();
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !m_digitata.isEmpty()) {
        btnImportaDataClick();
        return true;
    }
    if (e->key() == Qt::Key_Backspace && !m_digitata.isEmpty()) {
        m_digitata.chop(1);
        mostraDigitata();
        return true;
    }
    if (testo.isEmpty() || !testo.front().isPrint())
        return false;
    // Every character typed is the date's or refused: none moves the
    // calendar to another day by its own rules.
    if (!std::all_of(testo.begin(), testo.end(), carattereData) || m_digitata.size() + testo.size() > 14) {
        QApplication::beep();
        return true;
    }
    m_digitata += testo;
    mostraDigitata();
    if (const DataDigitata d = leggiDataDigitata(m_digitata); d.stato == DataDigitata::Valida) {
        m_daDigitata = true;
        calAppuntamenti->setSelectedDate(d.data);
        calAppuntamenti->setCurrentPage(d.data.year(), d.data.month());
        m_daDigitata = false;
    }
    return true;
}

void TfrmCalendario::mostraDigitata(const QString &rifiuto)
{
    QString testo = QStringLiteral("Importare una data:");
    if (!rifiuto.isEmpty())
        testo = rifiuto;
    else if (!m_digitata.isEmpty())
        testo = QStringLiteral("Data: ") + m_digitata;
    lblCampo001->setText(testo);
    lblCampo001->setStyleSheet(rifiuto.isEmpty() ? QString() : QStringLiteral("color: #C00000;"));
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
    // The field's date in any form it was typed in.
    const QLineEdit *campo = campoDestinazione();
    if (const DataDigitata d = leggiDataDigitata(campo ? campo->text() : QString()); d.stato == DataDigitata::Valida) {
        calAppuntamenti->setSelectedDate(d.data);
        calAppuntamenti->setCurrentPage(d.data.year(), d.data.month());
    }
}

void TfrmCalendario::btnImportaDataClick()
{
    QDate data = calAppuntamenti->selectedDate();
    if (!m_digitata.isEmpty()) {
        const DataDigitata d = leggiDataDigitata(m_digitata);
        if (d.stato != DataDigitata::Valida) {
            // Kept, so that Backspace mends it.
            QApplication::beep();
            mostraDigitata(d.stato == DataDigitata::Inesistente
                               ? d.testo + QStringLiteral(" non esiste")
                               : QStringLiteral("Non valida: ") + m_digitata);
            return;
        }
        data = d.data;
    }
    emit dataImportata(data);
    for (const Destinazione &d : Destinazioni) {
        if (lblMemory->text() != QLatin1String(d.token))
            continue;
        if (QLineEdit *campo = campoDestinazione())
            campo->setText(scriviData(data));
        accept();
        return;
    }
}

void TfrmCalendario::btnAnnullaClick()
{
    reject();
}

} // namespace qv
