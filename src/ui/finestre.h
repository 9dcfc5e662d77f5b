#pragma once
// The building blocks every screen is made of: the process-wide formats, the
// gradient backgrounds, the maximised area screen with its centred panel, the
// fixed-size dialog, clickable pictures and text links.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <memory>
#include <optional>


namespace qv {

class Disegno;

// Dates as "dd/mm/yyyy" and the comma as decimal separator for the whole
// process; every screen sets them again when it is created.
void impostaFormati();

// A vertical gradient from `alto` at the top to `basso` at the bottom.
void dipingiSfumatura(QWidget *w, const QColor &alto, const QColor &basso);

// Sets a widget's font from a family, a size in points and a weight.
QFont carattere(const QString &famiglia, int punti, bool grassetto = false, bool sottolineato = false);

// The title-bar buttons a window asks the window manager for. A fixed window
// asks for none (it moves, and closes only through its own buttons); the
// system's close (Alt+F4) still reaches its closeEvent.
enum PulsantiTitolo : int {
    SenzaPulsanti = 0,
    PulsanteChiudi = 1,
    PulsanteRiduci = 2,      // minimise
    PulsanteIngrandisci = 4, // maximise
    BordoRidimensionabile = 8,
};
// Asks for them before the window is first shown (call it from showEvent) and
// whenever it is shown again. Nothing happens without a window manager's protocol.
void chiediPulsantiTitolo(QWidget *finestra, int pulsanti);
// The buttons asked for; -1 when the window asked nothing yet (for tests).
int pulsantiTitoloChiesti(const QWidget *finestra);

// The part of the screen a window may use: the screen it is on, without
// panels and task bars.
QRect areaUtile(const QWidget *finestra);
// Shrinks the window, with the window manager's frame, to fit that area if
// needed and places it inside it, centred on `centro` (the area's centre when none).
void adattaAllArea(QWidget *finestra, std::optional<QPoint> centro = std::nullopt);

// A window whose background is a vertical gradient.
class SfondoSfumato : public QWidget
{
    Q_OBJECT
public:
    SfondoSfumato(const QColor &alto, const QColor &basso, QWidget *parent = nullptr);
    void impostaColori(const QColor &alto, const QColor &basso);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_alto, m_basso;
};

// An area screen: opens maximised and draws its content in the fixed-size
// panel `panContainer` (995 x 692), centred in the window.
class SchermoArea : public QWidget
{
    Q_OBJECT
public:
    static constexpr int LarghezzaPannello = 995;
    static constexpr int AltezzaPannello = 692;

    SchermoArea(const QString &titolo, const QColor &alto, const QColor &basso, QWidget *parent = nullptr);
    QWidget *pannello() const { return m_pannello; }
    // Shows the screen maximised.
    void mostra();

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    // Every button gets its mnemonic (ui/mnemonici.h).
    void showEvent(QShowEvent *) override;
    // Escape closes the screen back to the one that opened it, as its own
    // "Esci" or "Chiudi" does (a screen that shows a card asks first about its
    // changes, in its own close).
    void keyPressEvent(QKeyEvent *) override;
    // The main menu, which Escape does not close: closing it ends the program.
    bool m_escChiude = true;

private:
    QWidget *m_pannello;
    QColor m_alto, m_basso;
};

// A push button of the program: Enter and Space press it while it has the
// focus, and the focus shows as a ring in the colours of the fields' focus mark.
class Pulsante : public QPushButton
{
    Q_OBJECT
public:
    explicit Pulsante(const QString &testo, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *) override;
};

// The captions of the buttons that close a dialog without doing anything else.
inline const QStringList TestiChiusura = {QStringLiteral("Chiudi"), QStringLiteral("Annulla"), QStringLiteral("Esci")};

// The control of `finestra` that closes it without doing anything else, the
// one Escape presses: a push button with one of those captions, or a picture
// button named after one (cmdEsci); nullptr when it has none shown.
QWidget *controlloChiusura(const QWidget *finestra);

// A dialog of fixed client size with a single border and no title-bar buttons,
// centred on the screen or on the window that opened it. Escape presses its
// "Chiudi", "Annulla" or "Esci" (a push button with that caption, or a picture
// button named after it, such as cmdEsci); a dialog without one ignores it.
class DialogoFisso : public QDialog
{
    Q_OBJECT
public:
    DialogoFisso(const QString &titolo, const QSize &area, const QColor &alto, const QColor &basso,
                 QWidget *parent = nullptr);
    // Centres the dialog on its parent window, or on the screen without one.
    void centra();
    // Makes the dialog a maximised window that draws its content in `pannello`
    // (995 x 692, like an area screen's), kept centred in the window.
    void massimizza(QWidget *pannello);
    // The control Escape presses; nullptr when the dialog has none.
    QWidget *pulsanteChiusura() const;

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    // The title-bar buttons this dialog asks for (none unless a dialog says otherwise).
    int m_pulsantiTitolo = SenzaPulsanti;

private:
    QColor m_alto, m_basso;
    QWidget *m_pannello = nullptr; // the centred panel of a maximised dialog
};

// A picture from the program's resources, scaled to the size of the control;
// clickable pictures show the hand cursor and emit clicked(). A clickable
// picture is a button for the keyboard too: Tab reaches it (a click of the
// mouse leaves the focus where it was), it shows the focus as a ring like
// Pulsante's, and Enter or Space presses it.
class Figura : public QWidget
{
    Q_OBJECT
public:
    Figura(const QString &nome, const QString &risorsa, const QRect &geometria, QWidget *parent,
           bool cliccabile = false);
    ~Figura() override;
    void impostaRisorsa(const QString &risorsa);
    void impostaImmagine(const QImage &immagine); // a bitmap picture instead of the resource
    bool cliccabile() const { return m_cliccabile; }
    // What a click does, from the keyboard (Enter, Space, a shortcut): nothing
    // for a picture that is not a button or is disabled.
    void premi();

signals:
    void clicked();
    void premuto();
    void rilasciato();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void focusInEvent(QFocusEvent *) override;
    void focusOutEvent(QFocusEvent *) override;

private:
    // The resource is read when the picture is first painted: a screen that is
    // never shown never decodes its pictures.
    void caricaRisorsa();

    QString m_risorsa;
    std::unique_ptr<Disegno> m_disegno;
    QImage m_immagine;
    bool m_cliccabile;
};

// A text link: underlined, dark blue, orange while the mouse button is held.
class Collegamento : public QLabel
{
    Q_OBJECT
public:
    static inline const QColor BluScuro = QColor(0x00, 0x00, 0x8B);
    static inline const QColor Arancione = QColor(0xFF, 0xA5, 0x00);

    Collegamento(const QString &nome, const QString &testo, QWidget *parent);
    void colora(const QColor &colore);
    QColor colore() const { return m_colore; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    QColor m_colore;
};

// Helpers that create a named control in one line.
QLabel *etichetta(QWidget *parent, const QString &nome, const QString &testo, const QRect &geometria,
                  const QFont &font, const QColor &colore = Qt::black);

} // namespace qv
