#include "frmcontrolli.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "checks/frmcalcolacf.h"
#include "core/codicefiscale.h"
#include "core/confrontocf.h"
#include "core/identificativi.h"
#include "core/testo.h"
#include "ui/campi.h"

#include <QBoxLayout>
#include <QFrame>
#include <QKeyEvent>

namespace qv {

// What tells one check dialog from the others.
struct DefControllo
{
    QString titolo;
    QSize area;
    QString banner;
    QSize dimensioneBanner;
    QString istruzioni;
    const char *campo;
    int lunghezza;
    // The partita IVA field takes only digits and is never rewritten; the
    // other two are trimmed and upper-cased as they are typed or pasted. All
    // three drop the blanks, dots and dashes of a code pasted as printed.
    int comportamenti;
    // The text the check reads from the field.
    QString (*testoDaControllare)(const QString &);
    bool (*controlla)(const QString &);
    const QString &msgLunghezza;
    QString (*msgValido)(const QString &);
    const QString &msgErrato;
    // For a code whose check passes but that is impossible all the same, the
    // warning that says so; empty when there is none (nullptr: no such check).
    QString (*msgImpossibile)(const QString &) = nullptr;
};

namespace {

// Under the verdict, what a valid code says of its holder.
QString msgCodFiscValido(const QString &codice)
{
    const QString descrizione = descrizioneCodiceFiscale(codice, Servizi::correnti().oggi());
    return descrizione.isEmpty() ? MsgCodFiscValido : MsgCodFiscValido + QStringLiteral("\r\n\r\n") + descrizione;
}

QString msgCodFiscImpossibile(const QString &codice)
{
    return LeggiCodiceFiscale(codice, Servizi::correnti().oggi()) ? QString() : MsgCodFiscImpossibile;
}

const DefControllo DefCodFisc{
    QStringLiteral(" Controllo codice fiscale"), QSize(478, 254),
    QStringLiteral(":/img/banner_codfisc.svg"), QSize(421, 73),
    QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
    "txtCodFisc", LunghezzaCodFisc, Maiuscole | Codice,
    upperAZ, ControllaCodFisc, MsgCodFiscLunghezza,
    msgCodFiscValido, MsgCodFiscErrato, msgCodFiscImpossibile,
};

const DefControllo DefPartitaIva{
    QStringLiteral(" Controllo partita IVA"), QSize(480, 254),
    QStringLiteral(":/img/banner_piva.svg"), QSize(421, 73),
    QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
    "txtPartitaIva", LunghezzaPartitaIva, SoloCifre | Codice,
    upperAZ, ControllaPartitaIva, MsgPartitaIvaLunghezza,
    MsgPartitaIvaValida, MsgPartitaIvaErrata,
};

const DefControllo DefIban{
    QStringLiteral(" Controllo IBAN"), QSize(608, 270),
    QStringLiteral(":/img/banner_iban.svg"), QSize(545, 85),
    QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo."),
    "txtIban", LunghezzaIban, Maiuscole | Codice,
    trimmed, ControllaIban, MsgIbanLunghezza,
    [](const QString &) { return MsgIbanValido; }, MsgIbanErrato,
};

const QColor BluNotte(0x19, 0x19, 0x70);

// Spacing of the dialogs' boxes: margin round the panel, inside it and inside the strip.
constexpr int Bordo = 6;
constexpr int Interno = 6;
constexpr int BordoStriscia = 1;
constexpr int LarghezzaPulsante = 104;

template <typename Dialogo>
void apri(QWidget *schermo, const QString &testo)
{
    auto *dlg = new Dialogo(schermo);
    dlg->impostaTesto(testo);
    eseguiDialogo(dlg);
}

} // namespace

DialogoControllo::DialogoControllo(const DefControllo &def, QWidget *parent)
    : DialogoFisso(def.titolo, def.area, BluNotte, Qt::white, parent), m_def(def)
{
    auto *pannello = new QFrame(this);
    pannello->setObjectName(QStringLiteral("panContainer"));
    pannello->setGeometry(rect().adjusted(Bordo, Bordo, -Bordo, -Bordo));
    pannello->setStyleSheet(
        QStringLiteral("#panContainer { background: white; border: 1px solid #8A9AB8; border-radius: 6px; }"));

    auto *banner = new Figura(QStringLiteral("imgBanner"), def.banner, QRect(QPoint(), def.dimensioneBanner), pannello);
    banner->setFixedSize(def.dimensioneBanner);

    lblTitolo = etichetta(pannello, QStringLiteral("lblTitolo"), def.istruzioni, QRect(),
                          carattere(QStringLiteral("Arial"), 12), BluNotte);
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setWordWrap(true);
    // Instructions too long for one line go on two of about the same length.
    const int utile = pannello->width() - 2 * Interno;
    const int riga = lblTitolo->fontMetrics().horizontalAdvance(def.istruzioni);
    lblTitolo->setFixedWidth(riga > utile ? riga / 2 + riga / 10 : utile);

    // The strip: the field and the button that checks it, side by side.
    auto *striscia = new QFrame(pannello);
    striscia->setObjectName(QStringLiteral("shpStriscia"));
    striscia->setStyleSheet(QStringLiteral(
        "#shpStriscia { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #C6D4EA, stop: 1 #F2F6FB);"
        " border: %1px solid #A9BBD6; border-radius: 4px; }").arg(BordoStriscia));
    m_campo = new QLineEdit(striscia);
    m_campo->setObjectName(QLatin1String(def.campo));
    m_campo->setFont(carattere(QStringLiteral("Courier New"), 20, true));
    m_campo->setTextMargins(4, 0, 4, 0);
    m_campo->setMaxLength(def.lunghezza);
    btnControlla = pulsante(striscia, QStringLiteral("btnControlla"), QStringLiteral("Controlla"), QRect());
    // The button Enter moves to is pressed by Enter, as a focused button is.
    btnControlla->setAutoDefault(true);
    btnControlla->setFixedSize(LarghezzaPulsante, m_campo->sizeHint().height());
    auto *rigaCampo = new QHBoxLayout(striscia);
    // Inside the strip's border, so that the field and the button lie Interno from its edge.
    const int m = Interno - BordoStriscia;
    rigaCampo->setContentsMargins(m, m, m, m);
    rigaCampo->setSpacing(Interno);
    rigaCampo->addWidget(m_campo, 1);
    rigaCampo->addWidget(btnControlla);

    btnChiudi = pulsante(pannello, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect());
    btnChiudi->setFixedSize(LarghezzaPulsante, 30);

    auto *colonna = new QVBoxLayout(pannello);
    colonna->setContentsMargins(Interno, Interno, Interno, Interno);
    colonna->setSpacing(Interno);
    colonna->addWidget(banner, 0, Qt::AlignHCenter);
    colonna->addWidget(lblTitolo, 1, Qt::AlignHCenter);
    colonna->addWidget(striscia);
    // "Chiudi" right under "Controlla".
    auto *rigaChiudi = m_rigaPulsanti = new QHBoxLayout;
    rigaChiudi->setContentsMargins(0, 0, Interno, 0);
    rigaChiudi->addStretch();
    rigaChiudi->addWidget(btnChiudi);
    colonna->addLayout(rigaChiudi);

    setTabOrder(m_campo, btnControlla);
    setTabOrder(btnControlla, btnChiudi);

    // Enter in the field moves to "Controlla", which a second Enter presses.
    const DefCampo comportamento[] = {{def.campo, "btnControlla", def.comportamenti}};
    new ComportamentiCampi(this, comportamento);
    connect(btnControlla, &QPushButton::clicked, this, &DialogoControllo::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &DialogoControllo::btnChiudiClick);
}

void DialogoControllo::impostaTesto(const QString &testo)
{
    m_campo->setMaxLength(std::max<int>(m_def.lunghezza, testo.size()));
    m_campo->setText(testo);
}

void DialogoControllo::showEvent(QShowEvent *e)
{
    DialogoFisso::showEvent(e);
    m_campo->setFocus(Qt::OtherFocusReason);
}

void DialogoControllo::btnControllaClick()
{
    Servizi &s = Servizi::correnti();
    const QString testo = m_def.testoDaControllare(m_campo->text());
    // Characters, not UTF-16 units: an emoji is one character of the wrong kind.
    if (numeroCaratteri(testo) != m_def.lunghezza) {
        s.messaggio(this, TipoMessaggio::Avviso, m_def.msgLunghezza);
        m_campo->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString impossibile = m_def.msgImpossibile ? m_def.msgImpossibile(testo) : QString();
    if (m_def.controlla(testo) && !impossibile.isEmpty())
        s.messaggio(this, TipoMessaggio::Avviso, impossibile);
    else if (m_def.controlla(testo))
        s.messaggio(this, TipoMessaggio::Informazione, m_def.msgValido(testo));
    else
        s.messaggio(this, TipoMessaggio::Avviso, m_def.msgErrato);
    accept();
}

void DialogoControllo::btnChiudiClick()
{
    reject();
}

TfrmCodFisc::TfrmCodFisc(QWidget *parent)
    : DialogoControllo(DefCodFisc, parent), txtCodFisc(campo())
{
    setObjectName(QStringLiteral("frmCodFisc"));
    // The code computed from a person's data comes into this dialog's field.
    btnCalcola = pulsante(this, QStringLiteral("btnCalcola"), QStringLiteral("Calcola..."), QRect());
    btnCalcola->setFixedSize(LarghezzaPulsante, 30);
    m_rigaPulsanti->insertWidget(0, btnCalcola);
    setTabOrder(btnChiudi, btnCalcola);
    connect(btnCalcola, &QPushButton::clicked, this, &TfrmCodFisc::btnCalcolaClick);
}

void TfrmCodFisc::btnCalcolaClick()
{
    apriCalcolaCF(this, txtCodFisc);
}

TfrmPartitaIva::TfrmPartitaIva(QWidget *parent)
    : DialogoControllo(DefPartitaIva, parent), txtPartitaIva(campo())
{
    setObjectName(QStringLiteral("frmPartitaIva"));
}

TfrmIban::TfrmIban(QWidget *parent)
    : DialogoControllo(DefIban, parent), txtIban(campo())
{
    setObjectName(QStringLiteral("frmIban"));
}

void apriControlloCodFisc(QWidget *schermo, const QString &testoCampo)
{
    const QString testo = trimmed(testoCampo);
    if (allDigits(testo))
        apri<TfrmPartitaIva>(schermo, testo);
    else
        apri<TfrmCodFisc>(schermo, testo);
}

void apriControlloPartitaIva(QWidget *schermo, const QString &testoCampo)
{
    apri<TfrmPartitaIva>(schermo, trimmed(testoCampo));
}

void apriControlloIban(QWidget *schermo, const QString &testoCampo)
{
    apri<TfrmIban>(schermo, trimmed(testoCampo));
}

} // namespace qv
