// Texts shown whole, at whatever scale the desktop uses (this program is run
// again with QT_SCALE_FACTOR 1.5 and 2): every code field shows the widest
// value its format allows, and every info line the whole of every reason the
// field filter can give, in the fonts the program really uses.

#include <QTest>

#include "app/applicazione.h"
#include "checks/frmcalcolacf.h"
#include "checks/frmcontrolli.h"
#include "contracts/frmcontratti.h"
#include "contracts/frmmenucontratti.h"
#include "contracts/frmmenuriepilogo.h"
#include "contracts/frmtrovacontratti.h"
#include "registry/frmanagrafica.h"
#include "registry/frmexpanagrafica.h"
#include "registry/frmtrovaanagrafica.h"
#include "storage/archivio.h"
#include "support/serviziprova.h"
#include "ui/schermi.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QTemporaryDir>

#include <functional>
#include <memory>

using namespace qv;

namespace {

// The formats of the code fields, one character class a place: A a letter,
// 9 a digit, X a letter or a digit, O a digit or the letter a codice fiscale
// writes in its place (omocodia), M the letter of a month; anything else
// stands for itself.
const QString CodiceFiscale = QStringLiteral("AAAAAAOOMOOAOOOA");
const QString PartitaIva = QStringLiteral("99999999999");
const QString Iban = QStringLiteral("AA99A9999999999XXXXXXXXXXXX");
const QString Cap = QStringLiteral("99999");
const QString Provincia = QStringLiteral("AA");
const QString Telefono = QStringLiteral("+999999999999999"); // the longest international number
const QString Data = QStringLiteral("99/99/9999");
const QString Giorni = QStringLiteral("999");
const QString Anno = QStringLiteral("9999");

QString classe(QChar c)
{
    const QString lettere = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const QString cifre = QStringLiteral("0123456789");
    switch (c.unicode()) {
    case u'A': return lettere;
    case u'9': return cifre;
    case u'X': return lettere + cifre;
    case u'O': return cifre + QStringLiteral("LMNPQRSTUV");
    case u'M': return QStringLiteral("ABCDEHLMPRST");
    default: return QString(c);
    }
}

// The widest value of a format in a field's font: the widest character of each place.
QString piuLargo(const QLineEdit *campo, const QString &formato)
{
    const QFontMetrics fm = campo->fontMetrics();
    QString valore;
    for (QChar posto : formato) {
        QChar scelto;
        int larghezza = -1;
        for (QChar c : classe(posto))
            if (fm.horizontalAdvance(c) > larghezza) {
                larghezza = fm.horizontalAdvance(c);
                scelto = c;
            }
        valore += scelto;
    }
    return valore;
}

// What QLineEdit tells only itself and its kind.
struct Campo : QLineEdit
{
    using QLineEdit::cursorRect;
    using QLineEdit::initStyleOption;
};

// The part of a field its text is drawn in (and cut to).
QRect areaTesto(const QLineEdit *campo)
{
    QStyleOptionFrame opzioni;
    (campo->*(&Campo::initStyleOption))(&opzioni);
    return campo->style()->subElementRect(QStyle::SE_LineEditContents, &opzioni, campo).marginsRemoved(campo->textMargins());
}

// Where the field draws its cursor now: in the middle of cursorRect().
int xCursore(const QLineEdit *campo)
{
    const QRect r = (campo->*(&Campo::cursorRect))();
    return (r.left() + r.right() + 1) / 2;
}

// Why the field does not show `testo` whole, as after typing it (the cursor at
// its end) and as after the program puts it in (the cursor at its start);
// empty when it does.
QString nonIntero(QLineEdit *campo, const QString &testo)
{
    campo->setText(testo);
    if (campo->text() != testo)
        return QStringLiteral("the field takes only %1 characters").arg(campo->maxLength());
    const QRect area = areaTesto(campo);
    for (int cursore : {int(testo.size()), 0}) {
        campo->setCursorPosition(cursore);
        campo->grab(); // the field scrolls its text as it paints
        // Under that scroll, where the first and the last character begin and end.
        campo->setCursorPosition(0);
        const int inizio = xCursore(campo);
        campo->setCursorPosition(int(testo.size()));
        const int fine = xCursore(campo);
        if (inizio < area.left() || fine > area.right() + 1)
            return QStringLiteral("\"%1\" drawn from %2 to %3, the field shows %4 to %5 (cursor at %6)")
                .arg(testo)
                .arg(inizio)
                .arg(fine)
                .arg(area.left())
                .arg(area.right() + 1)
                .arg(cursore);
    }
    return QString();
}

// Why a label does not show its text whole; empty when it does.
QString nonIntera(const QLabel *etichetta)
{
    const QRect r = etichetta->contentsRect();
    const int aCapo = etichetta->wordWrap() ? int(Qt::TextWordWrap) : 0;
    const QRect occupa = etichetta->fontMetrics().boundingRect(r, aCapo | int(etichetta->alignment()), etichetta->text());
    if (occupa.width() <= r.width() && occupa.height() <= r.height())
        return QString();
    return QStringLiteral("\"%1\" needs %2 x %3, the line has %4 x %5")
        .arg(etichetta->text())
        .arg(occupa.width())
        .arg(occupa.height())
        .arg(r.width())
        .arg(r.height());
}

} // namespace

class TestTestiInteri : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void campiCodice_data();
    void campiCodice();
    void rigaInfo_data();
    void rigaInfo();

private:
    // The window that holds the field: a screen of the program or a new dialog.
    QWidget *finestra(const QString &nome);

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    std::unique_ptr<QWidget> m_dialogo;
};

void TestTestiInteri::initTestCase()
{
    // The fonts that stand in for those the screens name, as at the program's start.
    preparaApplicazione(*qApp);
}

void TestTestiInteri::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
}

void TestTestiInteri::cleanup()
{
    m_dialogo.reset();
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

QWidget *TestTestiInteri::finestra(const QString &nome)
{
    if (QWidget *schermo = Schermi::per(nome))
        return schermo;
    const std::function<QWidget *()> dialoghi[] = {
        [] { return new TfrmCodFisc; },         [] { return new TfrmPartitaIva; },
        [] { return new TfrmIban; },            [] { return new TfrmCalcolaCF; },
        [] { return new TfrmTrovaAnagrafica; }, [] { return new TfrmTrovaContratti; },
        [] { return new TfrmExpAnagrafica; },
    };
    for (const auto &crea : dialoghi) {
        std::unique_ptr<QWidget> d(crea());
        if (QString::fromLatin1(d->metaObject()->className()).endsWith(QStringLiteral("::") + nome)) {
            m_dialogo = std::move(d);
            return m_dialogo.get();
        }
    }
    return nullptr;
}

void TestTestiInteri::campiCodice_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("formato");

    const struct
    {
        const char *finestra, *campo;
        const QString &formato;
    } campi[] = {
        {"TfrmAnagrafica", "txtCodFisc", CodiceFiscale},
        {"TfrmAnagrafica", "txtPartitaIva", PartitaIva},
        {"TfrmAnagrafica", "txtIban", Iban},
        {"TfrmAnagrafica", "txtProv", Provincia},
        {"TfrmAnagrafica", "txtCap", Cap},
        {"TfrmAnagrafica", "txtRecapito", Telefono},
        {"TfrmAnagrafica", "txtPreavviso", Giorni},
        {"TfrmAnagrafica", "txtDataNasc", Data},
        {"TfrmAnagrafica", "txtDataSca", Data},
        {"TfrmContratti", "txtDataStipula", Data},
        {"TfrmContratti", "txtProvDitta", Provincia},
        {"TfrmContratti", "txtIvaDitta", PartitaIva},
        {"TfrmContratti", "txtProvReg", Provincia},
        {"TfrmContratti", "txtDataNascLeg", Data},
        {"TfrmContratti", "txtCodFiscLeg", CodiceFiscale},
        {"TfrmContratti", "txtDataNasc", Data},
        {"TfrmContratti", "txtCodFisc", CodiceFiscale},
        {"TfrmContratti", "txtRecapito", Telefono},
        {"TfrmContratti", "txtProv", Provincia},
        {"TfrmContratti", "txtCap", Cap},
        {"TfrmContratti", "txtIban", Iban},
        {"TfrmContratti", "txtDataInizio", Data},
        {"TfrmContratti", "txtDataFine", Data},
        {"TfrmCodFisc", "txtCodFisc", CodiceFiscale},
        {"TfrmPartitaIva", "txtPartitaIva", PartitaIva},
        {"TfrmIban", "txtIban", Iban},
        {"TfrmCalcolaCF", "txtDataNasc", Data},
        {"TfrmCalcolaCF", "txtCodFisc", CodiceFiscale},
        {"TfrmTrovaAnagrafica", "txtDataNasc", Data},
        {"TfrmTrovaAnagrafica", "txtCodFisc", CodiceFiscale},
        {"TfrmTrovaAnagrafica", "txtPartitaIva", PartitaIva},
        {"TfrmTrovaContratti", "txtDataStipula", Data},
        {"TfrmTrovaContratti", "txtCodFisc", CodiceFiscale},
        {"TfrmMenuContratti", "txtAnnoFatture", Anno},
        {"TfrmMenuRiepilogo", "txtAnno", Anno},
    };
    for (const auto &c : campi)
        QTest::addRow("%s %s", c.finestra, c.campo) << QString::fromLatin1(c.finestra)
                                                    << QString::fromLatin1(c.campo) << c.formato;
}

void TestTestiInteri::campiCodice()
{
    QFETCH(QString, finestra);
    QFETCH(QString, campo);
    QFETCH(QString, formato);
    QWidget *w = this->finestra(finestra);
    QVERIFY(w);
    w->show(); // laid out
    auto *e = w->findChild<QLineEdit *>(campo);
    QVERIFY(e);
    const QString valore = piuLargo(e, formato);
    const QString motivo = nonIntero(e, valore);
    QVERIFY2(motivo.isEmpty(), qPrintable(motivo + QStringLiteral(" in ") + e->font().family()));
}

// Every reason the filter of the fields gives, by the way it arrives, with
// the longest values it can name, on every info line it can reach.
void TestTestiInteri::rigaInfo_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("via");
    QTest::addColumn<QString>("testo");

    // More letters to write otherwise than the note names.
    const QString lettere = QStringLiteral("ŴŵŶŷŹźŻżŇňŘřŢţŤť");
    const QString nessunaBase = QStringLiteral("Ꙭ");
    for (const char *schermo : {"TfrmAnagrafica", "TfrmContratti"}) {
        const auto riga = [schermo](const char *caso, const char *campo, const char *via, const QString &testo) {
            QTest::addRow("%s, %s", schermo, caso) << QString::fromLatin1(schermo) << QString::fromLatin1(campo)
                                                  << QString::fromLatin1(via) << testo;
        };
        const bool ana = QLatin1String(schermo) == QLatin1String("TfrmAnagrafica");
        riga("letters written otherwise", "txtDipendente", "incollato", lettere);
        riga("character refused", "txtDipendente", "digitato", nessunaBase);
        riga("digits only", ana ? "txtPartitaIva" : "txtIvaDitta", "digitato", QStringLiteral("x"));
        riga("country code dropped", ana ? "txtPartitaIva" : "txtIvaDitta", "incollato", QStringLiteral("IT01234567890"));
        riga("code grouped", "txtIban", "incollato", QStringLiteral("IT60 X054 2811 1010 0000 0123 456"));
        riga("blanks in a number", ana ? "txtPreavviso" : "txtIvaDitta", "incollato", QStringLiteral("1 5"));
        riga("amount, no letters", "txtStipendio", "digitato", QStringLiteral("x"));
        riga("amount, second comma", "txtStipendio", "digitato", QStringLiteral("1,2,"));
        riga("amount, dot among the decimals", "txtStipendio", "digitato", QStringLiteral("1,2."));
        riga("amount, euro sign", "txtStipendio", "incollato", QStringLiteral("€ 1.250,00"));
        riga("amount unclear", "txtStipendio", "lasciato", QStringLiteral("123456789.12"));
        riga("amount to check", "txtStipendio", "lasciato", QStringLiteral("1234567,8,90"));
        riga("tabs and line breaks", "txtNote", "incollato", QStringLiteral("Ore\t40\r\nturni"));
        riga("longer than the field", "txtNote", "incollato", QStringLiteral("x").repeated(300));
    }
    QTest::addRow("TfrmCalcolaCF, letters written otherwise") << "TfrmCalcolaCF" << "txtCognome" << "incollato" << lettere;
    QTest::addRow("TfrmCalcolaCF, character refused") << "TfrmCalcolaCF" << "txtNome" << "digitato" << nessunaBase;
    QTest::addRow("TfrmExpAnagrafica, letters written otherwise") << "TfrmExpAnagrafica" << "colEmail" << "incollato"
                                                                  << lettere;
    QTest::addRow("TfrmExpAnagrafica, character refused") << "TfrmExpAnagrafica" << "colCap" << "digitato"
                                                          << nessunaBase;
}

void TestTestiInteri::rigaInfo()
{
    QFETCH(QString, finestra);
    QFETCH(QString, campo);
    QFETCH(QString, via);
    QFETCH(QString, testo);
    if (finestra == QLatin1String("TfrmExpAnagrafica")) {
        // A grid of one card, whose cell is edited.
        ArchivioDipendenti a(cartellaProgramma().archivioDipendenti());
        a.apri();
        a.accoda(TSchedaDipendente{});
        a.chiudi();
    }
    QWidget *w = this->finestra(finestra);
    QVERIFY(w);
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QLineEdit *e = nullptr;
    if (auto *esporta = qobject_cast<TfrmEsporta *>(w)) {
        const QModelIndex cella = esporta->grdRecords->model()->index(0, esporta->colonna(campo));
        esporta->grdRecords->setCurrentIndex(cella);
        esporta->grdRecords->edit(cella);
        e = esporta->grdRecords->viewport()->findChild<QLineEdit *>();
    } else {
        e = w->findChild<QLineEdit *>(campo);
    }
    QVERIFY(e);
    e->setFocus();
    e->clear();
    auto *riga = w->findChild<QLabel *>(QStringLiteral("panInfo"));
    QVERIFY(riga);
    riga->clear();

    if (via == QLatin1String("incollato")) {
        QGuiApplication::clipboard()->setText(testo);
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    } else {
        for (QChar c : testo)
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    if (via == QLatin1String("lasciato"))
        w->findChild<QLineEdit *>(QStringLiteral("txtDipendente"))->setFocus();

    QVERIFY2(!riga->text().isEmpty(), qPrintable(e->text()));
    const QString motivo = nonIntera(riga);
    QVERIFY2(motivo.isEmpty(), qPrintable(motivo));
}

QTEST_MAIN(TestTestiInteri)
#include "tst_testiinteri.moc"
