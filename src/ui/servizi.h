#pragma once
// Everything the screens ask of the world outside them goes through here:
// message boxes, questions, the input box, file dialogs, printing, opening
// documents and addresses, the clock, the camera and running modal dialogs.
// Nothing here shows a window: the program installs the real services
// (ui/servizireali.h) at start-up, before any screen exists; tests install
// scripted ones.

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QPrinter;

namespace qv {

// The kinds of message box; each offers OK only, since a message asks nothing.
enum class TipoMessaggio {
    Avviso,        // warning
    Informazione,  // information
    Errore,        // error
    Semplice,      // plain box, no icon
};

// A camera: switched on and off; while on, it hands every new frame over on
// the user-interface thread.
class Fotocamera : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool accendi() = 0;   // false when there is no camera to switch on
    virtual void spegni() = 0;
    virtual bool accesa() const = 0;
signals:
    void fotogramma(const QImage &immagine);
};

// The progress of a long task (an export, a safety copy), in a window with a button
// that asks it to stop. It goes when it is destroyed.
class Avanzamento
{
public:
    virtual ~Avanzamento() = default;
    // Shows that `fatti` of `totale` are done; false once the user asked to stop.
    virtual bool aggiorna(qint64 fatti, qint64 totale) = 0;
};

class Servizi
{
public:
    virtual ~Servizi() = default;

    // The services installed. None installed is a fault of the program that
    // asks: it stops there with a message.
    static Servizi &correnti();
    static void installa(Servizi *servizi); // nullptr: none again

    virtual void messaggio(QWidget *padre, TipoMessaggio tipo, const QString &testo) = 0;
    // A confirmation with Sì and No; true for Sì. Enter answers Sì, or No
    // when `siPredefinito` is false (a question whose safe answer is to go back).
    virtual bool domanda(QWidget *padre, const QString &testo, bool siPredefinito = true) = 0;
    // A question with buttons of its own (`pulsanti`, left to right); the index
    // of the one pressed. Enter presses `predefinito`; Escape, or closing the
    // box, gives `fuga`.
    virtual int scelta(QWidget *padre, const QString &testo, const QStringList &pulsanti, int predefinito,
                       int fuga) = 0;
    // The input box; no value when the user cancels.
    virtual std::optional<QString> chiediTesto(QWidget *padre, const QString &titolo,
                                               const QString &richiesta, const QString &iniziale) = 0;
    // File dialogs; an empty text when the user cancels. `filtri` are
    // "Descrizione (*.ext)" entries.
    virtual QString fileDaAprire(QWidget *padre, const QString &titolo, const QStringList &filtri,
                                 const QString &cartella) = 0;
    // Asks before overwriting; `estensione` (without the dot) is added to a bare name.
    virtual QString fileDaSalvare(QWidget *padre, const QString &titolo, const QStringList &filtri,
                                  const QString &nomeIniziale, const QString &estensione) = 0;
    // The folder dialog, opening at `iniziale`; an empty text when the user cancels.
    virtual QString cartellaDaScegliere(QWidget *padre, const QString &titolo, const QString &iniziale) = 0;
    // The progress window of a task described by `testo`; it appears only if
    // the task lasts (a short one shows nothing).
    virtual std::unique_ptr<Avanzamento> avanzamento(QWidget *padre, const QString &testo) = 0;
    // The print dialog: printer choice and copies; false when cancelled.
    virtual bool dialogoStampa(QWidget *padre, QPrinter &stampante) = 0;
    // The preview window; `disegna` paints every page on the printer it gets.
    virtual void anteprima(QWidget *padre, QPrinter &stampante,
                           const std::function<void(QPrinter *)> &disegna) = 0;
    // Hands a document, a mail message or a web address to the system's own
    // program. When the system cannot open it, the user is told what could not
    // be opened (aperturaFallita), whoever asked; false then.
    bool apriUrl(const QUrl &url, QWidget *padre = nullptr);
    // The one message for an address that could not be opened, also when the
    // system's opener finds out only later; over `padre` or the active window.
    void aperturaFallita(const QUrl &url, QWidget *padre = nullptr);
    static QString messaggioApertura(const QUrl &url);
    virtual QDateTime adesso() = 0;
    virtual std::unique_ptr<Fotocamera> fotocamera() = 0;
    // Runs a dialog modally and returns its result.
    virtual int esegui(QDialog *dialogo) = 0;
    // Ends the program: the event loop stops after the current event.
    virtual void termina() = 0;

    QDate oggi() { return adesso().date(); }

protected:
    // The system's opener itself: false when it cannot take the address.
    virtual bool apriConSistema(const QUrl &url) = 0;
};

// While it lives, a modal window may come and go: when it goes, the focus
// goes back to the control of the window below that had it (or the one that
// window's code gave it meanwhile), and that window is made active again,
// since a window manager may leave the program with no window in focus
// (Openbox does, once a message box over a dialog has closed).
class RitornoFuoco
{
public:
    RitornoFuoco();
    ~RitornoFuoco();
    RitornoFuoco(const RitornoFuoco &) = delete;
    RitornoFuoco &operator=(const RitornoFuoco &) = delete;

private:
    QPointer<QWidget> m_fuoco, m_finestra;
};

// Shell-open: a path (the callers' double quotes removed), a "mailto:" text
// or a web address, handed to the program the system associates with it.
// What cannot be opened is reported to the user (Servizi::apriUrl); false then.
struct TMisc
{
    static bool Open(const QString &comando, QWidget *padre = nullptr);
    // What Open hands to the system for a command text.
    static QUrl url(const QString &comando);
};

} // namespace qv
