#pragma once
// The guide dialog every help button fills with its own title and text, and
// the about and credits screens of the main menu.

#include "ui/finestre.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace qv {

class TfrmGuida : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget *parent = nullptr);

    Figura *imgLogo;
    QLabel *lblTitolo;
    QPlainTextEdit *txtGuida;
    Figura *imgPDF;
    Collegamento *lnkWeb;
    QPushButton *btnChiudi;

public slots:
    void lnkWebClick();
    void btnChiudiClick();
};

// Creates a guide dialog owned by `schermo`, fills it and shows it modally.
void mostraGuida(QWidget *schermo, const QString &titolo, const QString &testo);

// Makes a picture act like the link beside it: orange while pressed, the link's click.
void collegaIcona(Figura *icona, Collegamento *link);

// A white box with a thin border, behind a dialog's pictures and links.
QWidget *riquadroBianco(QWidget *parent, const QRect &geometria);

// A push button in the dialogs' style: Verdana, hand cursor; Enter and Space
// press it while it has the focus, which it shows with a ring (Pulsante).
QPushButton *pulsante(QWidget *parent, const QString &nome, const QString &testo, const QRect &geometria,
                      int punti = 12);

} // namespace qv
