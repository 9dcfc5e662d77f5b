// Random actions on every screen: a seeded driver shows the screens and
// dialogs of the program in random order and fires clicks, double clicks,
// keys, typed and pasted texts and mouse moves at their controls, while the
// services answer questions, file dialogs and input boxes at random inside a
// temporary program folder. After every action the archives must hold whole
// cards only, every card must read back, no card may change but the one a
// save wrote, and no dialog may be left open; no exception may escape.
//
// By hand: tst_azionicasuali --seme 123 --azioni 100000 (offscreen).
// A failure prints the seed and the last actions; a crash prints them too.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "app/pannelloscadenze.h"
#include "storage/archivio.h"
#include "storage/archiviopassword.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"
#include "ui/finestre.h"
#include "ui/schermi.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>

#include <unistd.h>

using namespace qv;
using namespace qv::prova;

namespace {

quint64 s_seme = 20261214;
int s_azioni = 10000;

// The last actions, kept formatted so that a crash handler can print them.
char s_resoconto[16384];

void allaFine(int segnale)
{
    const char testa[] = "\n*** azioni casuali: arresto anomalo\n";
    (void)!::write(2, testa, sizeof testa - 1);
    (void)!::write(2, s_resoconto, std::strlen(s_resoconto));
    std::signal(segnale, SIG_DFL);
    std::raise(segnale);
}

// The kind, path and detail of each archive failure the program shows, as it
// writes them to its log: a message alone says what the user reads, not which
// file failed and how.
QStringList s_erroriArchivio;
QtMessageHandler s_gestoreQt = nullptr;

void annotaLog(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (contesto.category && std::strcmp(contesto.category, "qv.archivi") == 0) {
        s_erroriArchivio << testo;
        return;
    }
    if (s_gestoreQt)
        s_gestoreQt(tipo, contesto, testo);
}

QString nomeClasse(const QObject *o)
{
    return QString::fromLatin1(o->metaObject()->className()).section(QStringLiteral("::"), -1);
}

QString nomeDi(const QWidget *w)
{
    const QString finestra = nomeClasse(w->window());
    const QString nome = w->objectName().isEmpty() ? nomeClasse(w) : w->objectName();
    return w == w->window() ? finestra : finestra + u'/' + nome;
}

struct Archivi
{
    QString percorso;
    int dimensione;
    QByteArray dati;
};

} // namespace

class TestAzioniCasuali;

// Services that answer at random; dialogs run by a screen get a few random
// actions of their own and are then closed, accepted or left by a button.
class ServiziCasuali : public ServiziProva
{
public:
    explicit ServiziCasuali(TestAzioniCasuali &driver) : m_driver(driver) {}

    bool domanda(QWidget *padre, const QString &testo, bool siPredefinito) override;
    int scelta(QWidget *padre, const QString &testo, const QStringList &pulsanti, int predefinito,
               int fuga) override;
    std::optional<QString> chiediTesto(QWidget *, const QString &, const QString &, const QString &) override;
    QString fileDaAprire(QWidget *, const QString &, const QStringList &, const QString &) override;
    QString fileDaSalvare(QWidget *, const QString &, const QStringList &, const QString &, const QString &) override;
    QString cartellaDaScegliere(QWidget *, const QString &, const QString &) override;
    bool dialogoStampa(QWidget *, QPrinter &stampante) override;
    void anteprima(QWidget *, QPrinter &stampante, const std::function<void(QPrinter *)> &disegna) override;
    int esegui(QDialog *dialogo) override;

    QList<QPointer<QDialog>> inCorso; // dialogs being run, innermost last

private:
    TestAzioniCasuali &m_driver;
};

class TestAzioniCasuali : public QObject
{
    Q_OBJECT
public:
    QRandomGenerator rng;
    QString cartella;

    int caso(int n) { return n <= 1 ? 0 : int(rng.bounded(quint32(n))); }
    bool probabile(int percento) { return caso(100) < percento; }
    QString testoCasuale();
    void annota(const QString &azione);
    void fallisci(const QString &motivo);
    // One random action on a control of `finestra`.
    void agisci(QWidget *finestra);

private slots:
    void initTestCase();
    void cleanupTestCase();
    void azioniCasuali();

private:
    void preparaCartella();
    void mostraSchermoCasuale();
    void mostra(QWidget *schermo);
    void dopoAzione();
    QWidget *finestraBersaglio();
    void controllaArchivi();
    void controllaDialoghi();
    void sorveglia();

    std::unique_ptr<ServiziCasuali> m_servizi;
    QTemporaryDir m_dir;
    std::deque<QString> m_ultime;
    int m_numero = 0;
    QStringList m_guasti;
    std::map<QString, Archivi> m_archivi;
    std::map<QString, int> m_finestre; // actions per window class
    std::map<QString, int> m_testi;    // messages shown, by their start
    int m_dialoghi = 0, m_messaggi = 0, m_scritture = 0;
    QTimer m_sorvegliante;
};

void TestAzioniCasuali::annota(const QString &azione)
{
    m_ultime.push_back(QStringLiteral("#%1 %2").arg(m_numero).arg(azione));
    while (m_ultime.size() > 25)
        m_ultime.pop_front();
    QString r = QStringLiteral("seme %1, azione %2 di %3; ultime azioni:\n").arg(s_seme).arg(m_numero).arg(s_azioni);
    for (const QString &a : m_ultime)
        r += QStringLiteral("  ") + a + u'\n';
    const QByteArray b = r.toUtf8().left(sizeof s_resoconto - 1);
    std::memcpy(s_resoconto, b.constData(), size_t(b.size()));
    s_resoconto[b.size()] = 0;
}

void TestAzioniCasuali::fallisci(const QString &motivo)
{
    m_guasti << motivo;
}

QString TestAzioniCasuali::testoCasuale()
{
    static const QStringList kTesti = {
        QString(), QStringLiteral(" "), QStringLiteral("ROSSI MARIO"), QStringLiteral("bianchi anna"),
        QStringLiteral("01/02/2017"), QStringLiteral("31/12/2017"), QStringLiteral("29/02/2016"),
        QStringLiteral("30/02/2017"), QStringLiteral("99/99/9999"), QStringLiteral("1.234,56"),
        QStringLiteral("125,5"), QStringLiteral("-3"), QStringLiteral("0"), QStringLiteral("2017"),
        QStringLiteral("1900"), QStringLiteral("99999999999999999999"), QStringLiteral("€ è à ì ò ù"),
        QStringLiteral("😀 ∑ 中文"), QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("rssmra80a01h501u"),
        QStringLiteral("IT60X0542811101000000123456"), QStringLiteral("01234567890"), QStringLiteral("12345678903"),
        QStringLiteral("a\tb\r\nc"), QStringLiteral("\"'<>&%;=[]"), QString(300, u'x'),
        QStringLiteral("mirtillobianco"), QStringLiteral("Roma"), QStringLiteral("RM"), QStringLiteral("30"),
    };
    if (probabile(15)) {
        // Any characters at all, control characters included.
        QString t;
        const int n = caso(40);
        for (int i = 0; i < n; ++i)
            t += QChar(char16_t(probabile(80) ? 1 + caso(255) : 0x100 + caso(0xD000)));
        return t;
    }
    return kTesti.at(caso(int(kTesti.size())));
}

bool ServiziCasuali::domanda(QWidget *padre, const QString &testo, bool siPredefinito)
{
    ServiziProva::domanda(padre, testo, siPredefinito);
    return m_driver.probabile(60);
}

// Any of the buttons: saving a changed card on the way out, leaving it, staying.
int ServiziCasuali::scelta(QWidget *padre, const QString &testo, const QStringList &pulsanti, int predefinito,
                           int fuga)
{
    ServiziProva::scelta(padre, testo, pulsanti, predefinito, fuga);
    return m_driver.caso(int(pulsanti.size()));
}

std::optional<QString> ServiziCasuali::chiediTesto(QWidget *, const QString &, const QString &, const QString &iniziale)
{
    if (m_driver.probabile(25))
        return std::nullopt;
    return m_driver.probabile(30) ? iniziale : m_driver.testoCasuale();
}

QString ServiziCasuali::fileDaAprire(QWidget *, const QString &, const QStringList &, const QString &)
{
    const QDir d(m_driver.cartella);
    const QString scelte[] = {
        QString(),
        d.filePath(QStringLiteral("foto_prova.jpg")),
        d.filePath(QStringLiteral("foto_prova.bmp")),
        d.filePath(QStringLiteral("rotta.jpg")),
        d.filePath(QStringLiteral("documento.txt")),
        d.filePath(QStringLiteral("manca.jpg")),
        d.filePath(QStringLiteral("una cartella")),
        d.filePath(QStringLiteral("Dipendenti.pro")),
    };
    return scelte[m_driver.caso(std::size(scelte))];
}

QString ServiziCasuali::fileDaSalvare(QWidget *, const QString &, const QStringList &, const QString &nomeIniziale,
                                      const QString &)
{
    const QDir d(m_driver.cartella);
    const QString scelte[] = {
        QString(),
        d.filePath(nomeIniziale.isEmpty() ? QStringLiteral("salvato") : QFileInfo(nomeIniziale).fileName()),
        d.filePath(QStringLiteral("uscita.jpg")),
        d.filePath(QStringLiteral("una cartella")),
        d.filePath(QStringLiteral("manca/dentro.xls")),
    };
    return scelte[m_driver.caso(std::size(scelte))];
}

// A safety copy goes into a folder beside the program's, or is given up.
QString ServiziCasuali::cartellaDaScegliere(QWidget *, const QString &, const QString &)
{
    const QDir d(m_driver.cartella);
    const QString scelte[] = {QString(), d.filePath(QStringLiteral("una cartella")), d.filePath(QStringLiteral("manca"))};
    return scelte[m_driver.caso(std::size(scelte))];
}

bool ServiziCasuali::dialogoStampa(QWidget *, QPrinter &stampante)
{
    // Printing goes to a file in the program folder, rarely: it is slow.
    if (!m_driver.probabile(5))
        return false;
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(QDir(m_driver.cartella).filePath(QStringLiteral("stampa.pdf")));
    return true;
}

void ServiziCasuali::anteprima(QWidget *, QPrinter &stampante, const std::function<void(QPrinter *)> &disegna)
{
    ++anteprime;
    if (!m_driver.probabile(10))
        return;
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(QDir(m_driver.cartella).filePath(QStringLiteral("anteprima.pdf")));
    disegna(&stampante);
}

int ServiziCasuali::esegui(QDialog *dialogo)
{
    dialoghiEseguiti << nomeClasse(dialogo);
    // Dialogs opened from dialogs, a few deep at most.
    if (inCorso.size() >= 3)
        return QDialog::Rejected;
    QPointer<QDialog> d(dialogo);
    inCorso.append(d);
    d->setResult(QDialog::Rejected);
    d->show();
    m_driver.annota(QStringLiteral("  apre il dialogo %1").arg(nomeClasse(dialogo)));
    const int passi = m_driver.caso(10);
    for (int i = 0; i < passi && d && d->isVisible(); ++i)
        m_driver.agisci(d);
    int esito = QDialog::Rejected;
    if (d) {
        if (d->isVisible()) {
            // The user leaves it: Escape, or the window's close.
            if (m_driver.probabile(50))
                QTest::keyClick(d, Qt::Key_Escape);
            if (d && d->isVisible())
                d->reject();
        }
        if (d) {
            esito = d->result();
            d->hide();
        }
    }
    inCorso.removeAll(d);
    inCorso.removeAll(QPointer<QDialog>());
    return esito;
}

void TestAzioniCasuali::preparaCartella()
{
    QDir d(cartella);
    QVERIFY(creaArchivioPassword(d.filePath(QStringLiteral("unins000.dll"))));
    QImage foto(120, 160, QImage::Format_RGB32);
    foto.fill(Qt::darkCyan);
    QVERIFY(foto.save(d.filePath(QStringLiteral("foto_prova.jpg"))));
    QVERIFY(foto.save(d.filePath(QStringLiteral("foto_prova.bmp"))));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("rotta.jpg")), QByteArray("\xFF\xD8\xFF\xE0 non è una foto", 22)));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("documento.txt")), "testo"));
    QVERIFY(d.mkpath(QStringLiteral("una cartella")));
    // Settings with mixed line endings and a line of garbage.
    QVERIFY(scriviFile(d.filePath(QStringLiteral("Quadrivela.ini")),
                       QByteArray("[Ditta Emittente]\r\nNome Ditta=ROSSI SRL\nLuogo Stipula=Roma\r\n\x01\xFF\0=\x80\r\n", 67)));
    // A damaged year: random bytes, impossible lengths, an incomplete last card.
    QRandomGenerator g(7);
    QByteArray danneggiato(2 * TSchedaContratto::Dimensione + 999, Qt::Uninitialized);
    for (char &c : danneggiato)
        c = char(g.bounded(256));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("2015.con")), danneggiato));
    // A few cards to browse, search, list and export.
    QByteArray dipendenti;
    for (int i = 1; i <= 6; ++i) {
        TSchedaDipendente s;
        s.Dipendente = QStringLiteral("DIPENDENTE %1").arg(i);
        s.Stipendio = QStringLiteral("1.000,00");
        s.CodFisc = QStringLiteral("RSSMRA80A01H501U");
        s.DataSca = QStringLiteral("%1/03/2017").arg(10 + i);
        s.Preavviso = QString::number(i * 5);
        s.File01 = d.filePath(QStringLiteral("documento.txt"));
        s.Desc01 = QStringLiteral("Documento");
        dipendenti += codificaScheda(s);
    }
    QVERIFY(scriviFile(d.filePath(QStringLiteral("Dipendenti.pro")), dipendenti));
    for (const int anno : {2016, 2017}) {
        QByteArray contratti;
        for (int i = 1; i <= 4; ++i) {
            TSchedaContratto c;
            c.DataStipula = QStringLiteral("0%1/0%1/%2").arg(i).arg(anno);
            c.LuogoStipula = QStringLiteral("Roma");
            c.NomeDitta = QStringLiteral("ROSSI SRL");
            c.Dipendente = QStringLiteral("COLLABORATORE %1").arg(i);
            c.CodFisc = QStringLiteral("RSSMRA80A01H501U");
            c.DataInizio = QStringLiteral("01/0%1/%2").arg(i).arg(anno);
            c.DataFine = QStringLiteral("28/0%1/%2").arg(i + 2).arg(anno);
            c.Prestazioni = QStringLiteral("Consulenza");
            c.Stipendio = QStringLiteral("500,00");
            c.Rescisso = TSchedaContratto::testoRescisso(i == 3);
            contratti += codificaScheda(c);
        }
        QVERIFY(scriviFile(d.filePath(QStringLiteral("%1.con").arg(anno)), contratti));
    }
}

void TestAzioniCasuali::initTestCase()
{
    QVERIFY(m_dir.isValid());
    cartella = m_dir.path();
    rng.seed(s_seme);
    std::printf("azioni casuali: seme %llu, %d azioni\n", static_cast<unsigned long long>(s_seme), s_azioni);
    std::fflush(stdout);
    for (const int s : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        std::signal(s, allaFine);
    s_gestoreQt = qInstallMessageHandler(annotaLog);
    m_servizi = std::make_unique<ServiziCasuali>(*this);
    impostaCartellaProgramma(cartella);
    // A file opened by a relative name lands in the temporary folder, not
    // in the folder the run was started from.
    QVERIFY(QDir::setCurrent(cartella));
    preparaCartella();
    Schermi::creaTutti();
    // A nested event loop during an action is a modal window run outside the
    // services: the program would wait there for the user. It is reported and
    // closed so that the run goes on.
    m_sorvegliante.setInterval(20);
    connect(&m_sorvegliante, &QTimer::timeout, this, &TestAzioniCasuali::sorveglia);
    m_sorvegliante.start();
}

void TestAzioniCasuali::cleanupTestCase()
{
    m_sorvegliante.stop();
    Schermi::distruggiTutti();
    m_servizi.reset();
}

void TestAzioniCasuali::sorveglia()
{
    if (QThread::currentThread()->loopLevel() == 0)
        return;
    // A drop-down menu (the calendar's month list) runs while it is open, as
    // it does for a user: closed as a click elsewhere would close it.
    if (QWidget *p = QApplication::activePopupWidget()) {
        p->close();
        return;
    }
    if (QWidget *m = QApplication::activeModalWidget()) {
        fallisci(QStringLiteral("finestra modale aperta fuori dai servizi: %1").arg(nomeDi(m)));
        if (auto *d = qobject_cast<QDialog *>(m))
            d->reject();
        else
            m->close();
    }
}

void TestAzioniCasuali::mostraSchermoCasuale()
{
    const QList<QWidget *> &schermi = Schermi::tutti();
    mostra(schermi.at(caso(int(schermi.size()))));
}

void TestAzioniCasuali::mostra(QWidget *w)
{
    annota(QStringLiteral("mostra %1").arg(nomeClasse(w)));
    // A screen that works on a year's archive gets its file as the contract
    // menu hands it over, before it is shown: a year with cards, a damaged
    // one or a new one. A screen already showing a year keeps it.
    auto *file = w->findChild<QLabel *>(QStringLiteral("lblFile"));
    if (file && !w->isVisible()) {
        static const char *const kAnni[] = {"2015", "2016", "2017", "2018"};
        file->setText(QDir(cartella).filePath(QString::fromLatin1(kAnni[caso(4)]) + QStringLiteral(".con")));
    }
    if (auto *area = qobject_cast<SchermoArea *>(w))
        area->mostra();
    else
        w->show();
}

QWidget *TestAzioniCasuali::finestraBersaglio()
{
    QList<QWidget *> visibili;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip && !w->inherits("QMenu"))
            visibili.append(w);
    if (visibili.isEmpty())
        return nullptr;
    return visibili.at(caso(int(visibili.size())));
}

void TestAzioniCasuali::agisci(QWidget *finestra)
{
    // Mostly the controls a user works with: fields, buttons, lists and
    // clickable pictures; now and then anything at all.
    QList<QWidget *> controlli{finestra}, attivi;
    for (QWidget *c : finestra->findChildren<QWidget *>()) {
        if (!c->isVisible() || !c->isEnabled() || c->window() != finestra)
            continue;
        controlli.append(c);
        if (c->focusPolicy() != Qt::NoFocus || c->cursor().shape() == Qt::PointingHandCursor)
            attivi.append(c);
    }
    const QList<QWidget *> &scelti = (!attivi.isEmpty() && probabile(80)) ? attivi : controlli;
    QPointer<QWidget> t = scelti.at(caso(int(scelti.size())));
    const QPoint punto(caso(std::max(1, t->width())), caso(std::max(1, t->height())));
    static const Qt::Key kTasti[] = {
        Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Up, Qt::Key_Down,
        Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End,
        Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Space, Qt::Key_F1, Qt::Key_F4, Qt::Key_A, Qt::Key_1,
        Qt::Key_Comma, Qt::Key_Period, Qt::Key_Slash, Qt::Key_Minus, Qt::Key_Insert,
    };
    static const Qt::KeyboardModifiers kModificatori[] = {
        Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
    };
    const int scelta = caso(100);
    const QString chi = nomeDi(t);
    try {
        if (scelta < 32) {
            annota(QStringLiteral("clic su %1 (%2,%3)").arg(chi).arg(punto.x()).arg(punto.y()));
            QTest::mouseClick(t, Qt::LeftButton, {}, punto);
        } else if (scelta < 42) {
            annota(QStringLiteral("doppio clic su %1 (%2,%3)").arg(chi).arg(punto.x()).arg(punto.y()));
            QTest::mouseDClick(t, Qt::LeftButton, {}, punto);
        } else if (scelta < 67) {
            const Qt::Key tasto = kTasti[caso(std::size(kTasti))];
            const Qt::KeyboardModifiers mod = kModificatori[caso(std::size(kModificatori))];
            annota(QStringLiteral("tasto %1 (mod %2) su %3").arg(int(tasto), 0, 16).arg(int(mod), 0, 16).arg(chi));
            t->setFocus(Qt::OtherFocusReason);
            if (t)
                QTest::keyClick(t, tasto, mod);
        } else if (scelta < 82) {
            const QString testo = testoCasuale();
            annota(QStringLiteral("scrive %1 caratteri in %2").arg(testo.size()).arg(chi));
            t->setFocus(Qt::OtherFocusReason);
            for (const QChar c : testo) {
                if (!t)
                    break;
                if (c.unicode() < 128 && c.isLetterOrNumber())
                    QTest::keyClick(t, char(c.unicode()));
                else
                    QTest::sendKeyEvent(QTest::KeyAction::Click, t, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        } else if (scelta < 90) {
            const QString testo = testoCasuale();
            annota(QStringLiteral("incolla %1 caratteri in %2").arg(testo.size()).arg(chi));
            QGuiApplication::clipboard()->setText(testo);
            t->setFocus(Qt::OtherFocusReason);
            if (t)
                QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier);
        } else if (scelta < 93) {
            // A user filling in a whole card, so that saves happen too.
            annota(QStringLiteral("compila i campi di %1").arg(nomeDi(finestra)));
            static const QStringList kValori = {
                QStringLiteral("ROSSI MARIO"), QStringLiteral("12/05/2017"), QStringLiteral("1250,5"),
                QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("30"), QStringLiteral("Roma"),
                QStringLiteral("2017"), QStringLiteral("01234567890"), QStringLiteral("RM"),
            };
            QList<QPointer<QLineEdit>> campi;
            for (QLineEdit *e : finestra->findChildren<QLineEdit *>())
                if (e->isVisible() && e->isEnabled() && !e->isReadOnly())
                    campi.append(e);
            for (const QPointer<QLineEdit> &e : std::as_const(campi)) {
                if (!e || !e->isVisible())
                    continue;
                e->setFocus(Qt::OtherFocusReason);
                e->selectAll();
                if (e)
                    QTest::keyClicks(e, kValori.at(caso(int(kValori.size()))));
            }
        } else if (scelta < 95) {
            annota(QStringLiteral("muove il mouse su %1").arg(chi));
            QTest::mouseMove(t, punto);
        } else if (scelta < 98) {
            annota(QStringLiteral("Escape su %1").arg(nomeDi(finestra)));
            QTest::keyClick(finestra, Qt::Key_Escape);
        } else {
            annota(QStringLiteral("chiude %1").arg(nomeDi(finestra)));
            finestra->close();
        }
    } catch (const std::exception &e) {
        fallisci(QStringLiteral("eccezione uscita da un'azione: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        fallisci(QStringLiteral("eccezione uscita da un'azione"));
    }
}

void TestAzioniCasuali::controllaArchivi()
{
    QDir d(cartella);
    QStringList nomi = d.entryList({QStringLiteral("*.con"), QStringLiteral("Dipendenti.pro")}, QDir::Files);
    for (const QString &giornale : d.entryList({QStringLiteral("*.giornale")}, QDir::Files))
        fallisci(QStringLiteral("giornale rimasto dopo l'azione: %1").arg(giornale));
    for (const QString &nome : nomi) {
        Archivi &a = m_archivi[nome];
        const bool primaVolta = a.percorso.isEmpty();
        if (primaVolta) {
            a.percorso = d.filePath(nome);
            a.dimensione = nome.endsWith(QLatin1String(".pro")) ? TSchedaDipendente::Dimensione
                                                                : TSchedaContratto::Dimensione;
        }
        const QByteArray ora = leggiFile(a.percorso);
        if (primaVolta && ora.size() > 0) {
            // What was there before the run (a damaged year file too) is the start.
            a.dati = ora;
            continue;
        }
        // A damaged tail already there stays until a card takes its place.
        if (ora.size() % a.dimensione != 0 && ora.size() != a.dati.size())
            fallisci(QStringLiteral("%1: %2 byte, non un numero intero di schede").arg(nome).arg(ora.size()));
        if (ora.size() < a.dati.size())
            fallisci(QStringLiteral("%1: l'archivio si è accorciato da %2 a %3 byte").arg(nome).arg(a.dati.size()).arg(ora.size()));
        int cambiate = 0;
        const qsizetype schede = ora.size() / a.dimensione;
        for (qsizetype i = 0; i < schede; ++i) {
            const QByteArrayView scheda(ora.constData() + i * a.dimensione, a.dimensione);
            const bool nuova = (i + 1) * a.dimensione > a.dati.size();
            if (!nuova && scheda == QByteArrayView(a.dati.constData() + i * a.dimensione, a.dimensione))
                continue;
            if (!nuova)
                ++cambiate;
            // A card the program wrote reads back as written: every length
            // within its field, and the same bytes after a decode and encode.
            const bool rilegge = a.dimensione == TSchedaDipendente::Dimensione
                ? codificaScheda(decodificaScheda<TSchedaDipendente>(scheda.data())) == scheda
                : codificaScheda(decodificaScheda<TSchedaContratto>(scheda.data())) == scheda;
            if (!rilegge)
                fallisci(QStringLiteral("%1: la scheda %2 non si rilegge come è stata scritta").arg(nome).arg(i + 1));
        }
        m_scritture += cambiate + int(std::max<qsizetype>(0, schede - a.dati.size() / a.dimensione));
        if (cambiate > 1)
            fallisci(QStringLiteral("%1: %2 schede cambiate in un'azione sola").arg(nome).arg(cambiate));
        a.dati = ora;
    }
}

void TestAzioniCasuali::controllaDialoghi()
{
    // Once an action is over, no dialog the program ran is still open; the
    // screens shown by the driver itself are not run as dialogs.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *d = qobject_cast<QDialog *>(w);
        if (!d || !d->isVisible() || Schermi::tutti().contains(d))
            continue;
        fallisci(QStringLiteral("dialogo lasciato aperto: %1").arg(nomeDi(d)));
        d->hide();
    }
}

void TestAzioniCasuali::dopoAzione()
{
    // The main menu's band reads the archives in the background: the read
    // started by this action ends here, so that the band's lines (controls the
    // next actions may pick) and the archives are the same on a busy machine
    // and an idle one, whatever the order in which the threads run.
    for (QWidget *w : QApplication::topLevelWidgets())
        for (PannelloScadenze *p : w->findChildren<PannelloScadenze *>())
            if (!QTest::qWaitFor([p] { return !p->inLettura(); }, 60000))
                fallisci(QStringLiteral("lettura della fascia delle scadenze non terminata in 60 secondi"));
    // Posted events (deferred deletes, single-shot timers) run now.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (QWidget *p = QApplication::activePopupWidget())
        p->close();
    controllaArchivi();
    controllaDialoghi();
    m_dialoghi += int(m_servizi->dialoghiEseguiti.size());
    m_messaggi += int(m_servizi->messaggi.size());
    for (const MessaggioMostrato &m : std::as_const(m_servizi->messaggi)) {
        // In a sound folder the archives are always within reach.
        if (m.testo == MsgArchivioInaccessibile || m.testo == MsgFileOccupato)
            fallisci(QStringLiteral("messaggio d'errore d'archivio in una cartella sana: %1\nerrore (tipo, "
                                    "percorso: dettaglio): %2")
                         .arg(m.testo, s_erroriArchivio.isEmpty() ? QStringLiteral("non annotato")
                                                                  : s_erroriArchivio.join(QStringLiteral("; "))));
        ++m_testi[m.testo.left(60)];
    }
    m_servizi->azzera();
    m_servizi->inCorso.clear();
    s_erroriArchivio.clear();
}

void TestAzioniCasuali::azioniCasuali()
{
    controllaArchivi();
    // Every screen once, whatever the seed, with a few actions of its own;
    // then anything, anywhere.
    const QList<QWidget *> schermi = Schermi::tutti();
    for (QWidget *w : schermi) {
        if (!m_guasti.isEmpty() || m_numero >= s_azioni)
            break;
        ++m_numero;
        mostra(w);
        dopoAzione();
        for (int i = 0; i < 5 && w->isVisible() && m_guasti.isEmpty() && m_numero < s_azioni; ++i) {
            ++m_numero;
            ++m_finestre[nomeClasse(w)];
            agisci(w);
            dopoAzione();
        }
    }
    for (++m_numero; m_numero <= s_azioni && m_guasti.isEmpty(); ++m_numero) {
        QWidget *finestra = finestraBersaglio();
        if (!finestra || probabile(3)) {
            mostraSchermoCasuale();
        } else {
            ++m_finestre[nomeClasse(finestra)];
            agisci(finestra);
        }
        dopoAzione();
    }
    if (!m_guasti.isEmpty()) {
        const QString resoconto = QString::fromUtf8(s_resoconto);
        QFAIL(qPrintable(m_guasti.join(u'\n') + QStringLiteral("\n") + resoconto));
    }
    std::printf("azioni casuali: %d azioni senza guasti (seme %llu)\n", s_azioni,
                static_cast<unsigned long long>(s_seme));
    // What the run reached, so that a run that reached little is seen.
    std::printf("finestre toccate: %lld, dialoghi eseguiti: %d, messaggi: %d, schede scritte: %d\n",
                static_cast<long long>(m_finestre.size()), m_dialoghi, m_messaggi, m_scritture);
    QStringList finestre;
    for (auto it = m_finestre.cbegin(); it != m_finestre.cend(); ++it)
        finestre << QStringLiteral("%1 %2").arg(it->first).arg(it->second);
    std::printf("%s\n", qPrintable(finestre.join(QStringLiteral(", "))));
    for (auto it = m_testi.cbegin(); it != m_testi.cend(); ++it)
        std::printf("  %5d x %s\n", it->second, qPrintable(QString(it->first).replace(u'\n', u' ').replace(u'\r', u' ')));
}

int main(int argc, char **argv)
{
    // --seme N and --azioni N are the driver's own; the rest goes to Qt Test.
    std::vector<char *> resto;
    for (int i = 0; i < argc; ++i) {
        if (i + 1 < argc && std::strcmp(argv[i], "--seme") == 0) {
            s_seme = std::strtoull(argv[++i], nullptr, 10);
        } else if (i + 1 < argc && std::strcmp(argv[i], "--azioni") == 0) {
            s_azioni = std::atoi(argv[++i]);
        } else {
            resto.push_back(argv[i]);
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A long run by hand outlasts Qt Test's five minutes per test function.
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(300000 + qint64(s_azioni) * 50));
    int n = int(resto.size());
    QApplication app(n, resto.data());
    TestAzioniCasuali t;
    return QTest::qExec(&t, n, resto.data());
}

#include "tst_azionicasuali.moc"
