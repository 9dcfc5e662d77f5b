#pragma once
// The login screen, the program's main window, and the password change screen.

#include "ui/finestre.h"

#include <QLineEdit>
#include <QPushButton>

namespace qv {

class ComportamentiCampi;

// Fixed-size top-level window with no title-bar buttons, centred on the screen.
class FinestraFissa : public SfondoSfumato
{
    Q_OBJECT
public:
    FinestraFissa(const QString &titolo, const QSize &area, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *e) override;

private:
    bool m_posta = false; // placed on the screen once
};

class TfrmPassword : public FinestraFissa
{
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);

    QLabel *lblRigo01, *lblRigo02, *lblRigo03, *lblRigo04, *lblRigo05;
    QLineEdit *txtPassword;
    QPushButton *cmdOK, *cmdEsci, *btnCambiaPassword;
    QLabel *lblMemory;

public slots:
    void txtPasswordChange();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;
};

class TfrmCambiaPassword : public FinestraFissa
{
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget *parent = nullptr);

    QLabel *lblRigo01, *lblRigo02;
    QLineEdit *txtPasswordOld, *txtPasswordNew, *txtConferma;
    QPushButton *cmdEsci, *cmdOK;
    QLabel *lblMemory;

    static inline const QString MsgCaratteriNonAmmessi = QStringLiteral(
        "Attenzione: la nuova password contiene caratteri che non possono essere memorizzati. "
        "Usare lettere, cifre e segni di punteggiatura comuni, al massimo 255 caratteri.");

public slots:
    void campiChange();
    void cmdOKClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    // Escape does what "Chiudi" does.
    void keyPressEvent(QKeyEvent *e) override;
};

} // namespace qv
