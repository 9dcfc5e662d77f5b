#include "frmstampaana.h"

#include "ui/disegno.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/nomestampa.h"
#include "ui/servizi.h"
#include "core/testo.h"
#include "registry/foto.h"
#include "registry/frmanagrafica.h"

#include <QLineEdit>
#include <QPainter>
#include <QLocale>

namespace qv {

namespace {

const QColor ArancioScuro(0xFF, 0x8C, 0x00);
const QColor Verdeacqua(0x00, 0x80, 0x80);

// The eighteen printed rows: label and the card screen field the value comes from.
struct Riga
{
    const char *titolo;
    const char *campo;
    const char *prefisso;
};
const Riga kRighe[] = {
    {"Cognome e nome:", "txtDipendente", ""},
    {"Cittadinanza:", "txtCittadinanza", ""},
    {"Stipendio:", "txtStipendio", "€ "},
    {"Luogo di nascita:", "txtLuogo", ""},
    {"Data di nascita:", "txtDataNasc", ""},
    {"Codice fiscale:", "txtCodFisc", ""},
    {"Partita IVA:", "txtPartitaIva", ""},
    {"Indirizzo di residenza:", "txtIndirizzo", ""},
    {"Città:", "txtCitta", ""},
    {"Provincia:", "txtProv", ""},
    {"CAP:", "txtCap", ""},
    {"Qualifiche:", "txtQualifiche", ""},
    {"Familiari a carico:", "txtFamiliari", ""},
    {"IBAN:", "txtIban", ""},
    {"Note:", "txtNote", ""},
    {"Scadenza contratto:", "txtDataSca", ""},
    {"Recapito telefonico:", "txtRecapito", ""},
    {"E-mail:", "txtEmail", ""},
};

// The two page templates: with the photo the rows start below its frame,
// without it they start higher and a notes box fills the space left.
struct Modello
{
    bool foto;
    qreal primaRiga;  // mm
    qreal passo;      // mm
};
constexpr Modello ModelloFoto{true, 104, 9};
constexpr Modello ModelloScheda{false, 24, 10};

QString nomeRiga(const char *radice, int n)
{
    return QStringLiteral("%1%2").arg(QLatin1String(radice)).arg(n, 2, 10, QLatin1Char('0'));
}

OggettoReport memo(const QString &nome, const QRectF &rettMm, int punti, const QColor &colore,
                   const QColor &riempimento, Qt::Alignment allineamento)
{
    OggettoReport o;
    o.nome = nome;
    o.rett = QRectF(mm(rettMm.x()), mm(rettMm.y()), mm(rettMm.width()), mm(rettMm.height()));
    o.carattere = QFont(QStringLiteral("Arial"), punti);
    o.colore = colore;
    o.riempimento = riempimento;
    o.allineamento = allineamento;
    return o;
}

OggettoReport figura(OggettoReport::Tipo tipo, const QString &nome, const QRectF &rettMm)
{
    OggettoReport o;
    o.nome = nome;
    o.tipo = tipo;
    o.rett = QRectF(mm(rettMm.x()), mm(rettMm.y()), mm(rettMm.width()), mm(rettMm.height()));
    return o;
}

// The folder icon on a transparent ground, sharp enough for a printer.
QImage iconaCartella()
{
    const Disegno svg(QStringLiteral(":/img/all_cartella.svg"));
    QImage img(svg.misura() * 8, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.disegna(&p, QRectF(img.rect()));
    return img;
}

void costruisci(Report &r, const Modello &m)
{
    using T = OggettoReport::Tipo;
    Banda &b = r.aggiungiBanda(Banda::Tipo::Titolo, QStringLiteral("bndScheda"), r.area().height());
    b.aggiungi(figura(T::Immagine, QStringLiteral("imgCartella"), {3, 3, 17, 13})).immagine =
        iconaCartella();
    b.aggiungi(memo(QStringLiteral("txtTitolo"), {23, 3, 165, 9}, 16, Qt::white, ArancioScuro, Qt::AlignCenter));
    b.aggiungi(figura(T::Linea, QStringLiteral("linTitolo"), {23, 16, 165, 0}));
    if (m.foto)
        b.aggiungi(figura(T::Immagine, QStringLiteral("imgFoto"), {4, 21, 183, 79}));
    for (int n = 1; n <= int(std::size(kRighe)); ++n) {
        const qreal y = m.primaRiga + m.passo * (n - 1);
        b.aggiungi(memo(nomeRiga("titCampo", n), {3, y, 52, 6}, 9, Qt::white, Verdeacqua,
                        Qt::AlignLeft | Qt::AlignVCenter));
        b.aggiungi(memo(nomeRiga("txtCampo", n), {60, y, 128, 6}, 10, Qt::black, QColor(),
                        Qt::AlignLeft | Qt::AlignVCenter));
    }
    if (!m.foto) {
        b.aggiungi(figura(T::Rettangolo, QStringLiteral("shpAppunti"), {3, 204, 185, 57}));
        b.aggiungi(memo(QStringLiteral("txtAppunti"), {4, 205, 60, 4}, 6, Qt::black, QColor(), Qt::AlignLeft))
            .impostaTesto(QStringLiteral("SPAZIO PER APPUNTI:"));
    }
    b.aggiungi(figura(T::Linea, QStringLiteral("linCalce"), {3, 265, 185, 0}));
    b.aggiungi(memo(QStringLiteral("txtCalce"), {3, 269, 185, 6}, 10, Qt::white, ArancioScuro, Qt::AlignCenter));
}

// The time as the system writes it in full (hours, minutes and seconds), without the time zone.
QString oraLunga(const QTime &ora)
{
    QString formato = QLocale::system().timeFormat(QLocale::LongFormat);
    formato.remove(QLatin1Char('t'));
    return ora.toString(formato.trimmed());
}

} // namespace

DialogoStampaScheda::DialogoStampaScheda(const Testi &testi, QWidget *parent)
    : DialogoFisso(QString::fromUtf8(testi.didascalia), QSize(364, 361), QColor(0x9D, 0xB5, 0xCA), Qt::white,
                   parent)
{
    new Figura(QStringLiteral("imgDecoro"), QStringLiteral(":/img/logo.svg"), QRect(300, 8, 48, 48), this);
    lblTitolo = etichetta(this, QStringLiteral("lblTitolo"), QString::fromUtf8(testi.titolo), QRect(16, 16, 280, 32),
                          carattere(QStringLiteral("Verdana"), 16, true));

    const QFont f = carattere(QStringLiteral("Verdana"), 12);
    QLabel **info[] = {&lblInfo01, &lblInfo02, &lblInfo03};
    for (int i = 0; i < 3; ++i)
        *info[i] = etichetta(this, nomeRiga("lblInfo", i + 1), QString::fromUtf8(testi.info[i]),
                             QRect(16, 56 + 22 * i, 332, 22), f);
    QLabel **istruz[] = {&lblIstruz01, &lblIstruz02, &lblIstruz03, &lblIstruz04};
    for (int i = 0; i < 4; ++i)
        *istruz[i] = etichetta(this, nomeRiga("lblIstruz", i + 1), QString::fromUtf8(testi.istruzioni[i]),
                               QRect(16, 134 + 22 * i, 332, 22), f);

    auto opzione = [&](const QString &nome, const char *testo, int y) {
        auto *o = new QRadioButton(QString::fromUtf8(testo), this);
        o->setObjectName(nome);
        o->setFont(f);
        o->setGeometry(16, y, 332, 24);
        o->setCursor(Qt::PointingHandCursor);
        return o;
    };
    optUno = opzione(QStringLiteral("optUno"), testi.conFoto, 240);
    optDue = opzione(QStringLiteral("optDue"), testi.senzaFoto, 268);
    optUno->setChecked(true);
    connect(optUno, &QRadioButton::clicked, this, &DialogoStampaScheda::optUnoClick);
    connect(optDue, &QRadioButton::clicked, this, &DialogoStampaScheda::optDueClick);

    btnStampa = pulsante(this, QStringLiteral("btnStampa"), QString::fromUtf8(testi.pulsante), QRect(16, 312, 200, 34));
    btnAnnulla = pulsante(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QRect(228, 312, 120, 34));
    connect(btnStampa, &QPushButton::clicked, this, &DialogoStampaScheda::btnStampaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &DialogoStampaScheda::btnAnnullaClick);

    lblMemory = new QLabel(QStringLiteral("con"), this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();
    imgLogo = new RiquadroFoto(QStringLiteral("imgLogo"), QRect(QPoint(), DimensioniFoto), this);
    imgLogo->hide();
    // Blank: a card without a photo prints nothing in the photo's frame.
    imgBianco = new RiquadroFoto(QStringLiteral("imgBianco"), QRect(QPoint(), DimensioniFoto), this);
    imgBianco->hide();

    costruisci(repFoto, ModelloFoto);
    costruisci(repScheda, ModelloScheda);
}

QWidget *DialogoStampaScheda::scheda() const
{
    if (auto *a = Schermi::di<TfrmAnagrafica>())
        return a;
    return parentWidget() ? parentWidget()->window() : nullptr;
}

void DialogoStampaScheda::showEvent(QShowEvent *e)
{
    DialogoFisso::showEvent(e);
    FormShow();
}

void DialogoStampaScheda::FormShow()
{
    // The card's photo, or nothing when it has none: the placeholder of the
    // photo box is not a photo.
    QImage foto;
    if (auto *a = Schermi::di<TfrmAnagrafica>())
        foto = a->foto->foto();
    else if (QWidget *s = scheda()) {
        if (auto *box = s->findChild<FotoScheda *>())
            foto = box->foto();
        else if (auto *img = s->findChild<RiquadroFoto *>(QStringLiteral("imgFoto")))
            foto = img->immagine();
    }
    imgLogo->impostaImmagine(foto.isNull() ? imgBianco->immagine() : foto);
}

void DialogoStampaScheda::optUnoClick()
{
    lblMemory->setText(QStringLiteral("con"));
}

void DialogoStampaScheda::optDueClick()
{
    lblMemory->setText(QStringLiteral("senza"));
}

void DialogoStampaScheda::btnStampaClick()
{
    const bool conFoto = trimmed(lblMemory->text()) != QLatin1String("senza");
    Report &r = conFoto ? repFoto : repScheda;
    if (conFoto)
        r.oggetto(QStringLiteral("imgFoto"))->immagine = imgLogo->immagine();
    r.oggetto(QStringLiteral("txtTitolo"))->impostaTesto(QLatin1String(TitoloScheda));

    const QWidget *s = scheda();
    for (int n = 1; n <= int(std::size(kRighe)); ++n) {
        const Riga &riga = kRighe[n - 1];
        const QLineEdit *campo = s ? s->findChild<QLineEdit *>(QLatin1String(riga.campo)) : nullptr;
        r.oggetto(nomeRiga("titCampo", n))->impostaTesto(QString::fromUtf8(riga.titolo));
        r.oggetto(nomeRiga("txtCampo", n))
            ->impostaTesto(QString::fromUtf8(riga.prefisso) + (campo ? trimmed(campo->text()) : QString()));
    }

    const QDateTime adesso = Servizi::correnti().adesso();
    const QLineEdit *nome = s ? s->findChild<QLineEdit *>(QStringLiteral("txtDipendente")) : nullptr;
    stampante.setDocName(nomeDocumentoStampa(
        (QStringLiteral("Scheda ") + (nome ? trimmed(nome->text()) : QString())).trimmed(), adesso.date()));
    r.oggetto(QStringLiteral("txtCalce"))
        ->impostaTesto(QStringLiteral("Stampa eseguita in data %1 alle ore %2")
                           .arg(adesso.date().toString(QStringLiteral("dd/MM/yyyy")), oraLunga(adesso.time())));
    esegui(r);
    accept();
}

void DialogoStampaScheda::btnAnnullaClick()
{
    reject();
}

// ---------------------------------------------------------------- print

TfrmStampaAna::TfrmStampaAna(QWidget *parent)
    : DialogoStampaScheda({" Stampa scheda", "Stampa scheda",
                           {"Questa operazione provvederà a", "stampare la scheda dei dati",
                            "testuali con o senza foto."},
                           {"Premere il pulsante Stampa per", "dare avvio alla stampa su carta",
                            "oppure premere Annulla per", "annullare l'operazione."},
                           "Stampa dati con foto.", "Stampa dati senza foto.", "Stampa"},
                          parent)
{
    setObjectName(QStringLiteral("frmStampaAna"));
}

void TfrmStampaAna::esegui(Report &report)
{
    if (Servizi::correnti().dialogoStampa(this, stampante))
        report.stampa(stampante);
}

// ---------------------------------------------------------------- preview

TfrmAnteprimaAna::TfrmAnteprimaAna(QWidget *parent)
    : DialogoStampaScheda({" Anteprima di stampa", "Anteprima di stampa",
                           {"Questa operazione provvederà a", "visualizzare l'anteprima dei",
                            "dati testuali con o senza foto."},
                           {"Fare clic su Mostra anteprima", "per visualizzare il documento",
                            "sullo schermo prima di", "eseguire la stampa."},
                           "Anteprima dati con foto.", "Anteprima dati senza foto.", "Mostra anteprima"},
                          parent)
{
    setObjectName(QStringLiteral("frmAnteprimaAna"));
}

void TfrmAnteprimaAna::esegui(Report &report)
{
    Servizi::correnti().anteprima(this, stampante, [&report](QPrinter *p) { report.stampa(*p); });
}

} // namespace qv
