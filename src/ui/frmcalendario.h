#pragma once
// The date picker: a month calendar whose date goes into the date field named
// by the token in lblMemory. A date typed while it is open (the digits and
// separators of leggiDataDigitata) shows at its top, moves the calendar to
// that day as soon as it can be read, and is the date Enter and "Importa"
// take; one that cannot be, or a day that does not exist, is refused there.

#include "ui/finestre.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qv {

class TfrmCalendario : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);

    QLabel *lblCampo001;
    QCalendarWidget *calAppuntamenti;
    QPushButton *btnImportaData;
    QPushButton *btnAnnulla;
    QLabel *lblMemory;

    // The date field each token names: screen class and field.
    struct Destinazione { const char *token; const char *schermo; const char *campo; };
    static const Destinazione Destinazioni[8];

    // Shows the month of the date the field named by lblMemory holds and
    // selects that date; a field without a date leaves today's.
    void mostraDataDelCampo();

    // The date typed so far; empty when none.
    QString digitata() const { return m_digitata; }

signals:
    // A date taken, by "Importa", Enter or a double click, before it is
    // written into the field the token names (a dialog that opened the picker
    // for a field of its own takes it from here).
    void dataImportata(const QDate &data);

public slots:
    void btnImportaDataClick();
    void btnAnnullaClick();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    // The field the token in lblMemory names; nullptr for an unknown token.
    QLineEdit *campoDestinazione() const;
    // The typed date at the top, or why it is refused.
    void mostraDigitata(const QString &rifiuto = QString());

    QString m_digitata;
    bool m_daDigitata = false; // the calendar is being moved to the typed date
};

} // namespace qv
