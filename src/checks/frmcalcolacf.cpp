#include "frmcalcolacf.h"

#include "core/codicefiscale.h"
#include "core/confrontocf.h"
#include "core/date.h"
#include "core/testo.h"
#include "ui/campi.h"
#include "ui/frmcalendario.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCompleter>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>

namespace qv {

namespace {

const QColor BluNotte(0x19, 0x19, 0x70);
constexpr int AltezzaCampo = 24;

const DefCampo kCampi[] = {
    {"txtCognome", "txtNome"},
    {"txtNome", "optMaschio"},
    {"txtDataNasc", "txtLuogo", DataCalendario, "datanasccf"},
    {"txtLuogo", "btnImporta"},
};

const QString MsgNonCalcolabile = QStringLiteral("Attenzione: il codice fiscale non può essere calcolato.");

QString domandaSostituzione(const QString &attuale, const QString &nuovo)
{
    return QStringLiteral("Il campo contiene già il codice fiscale ") + attuale
           + QStringLiteral(".\r\n\r\nSi vuole sostituirlo con il codice calcolato ") + nuovo + QStringLiteral("?");
}

} // namespace

TfrmCalcolaCF::TfrmCalcolaCF(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Calcolo codice fiscale"), QSize(520, 376), BluNotte, Qt::white, parent)
{
    setObjectName(QStringLiteral("frmCalcolaCF"));
    auto *pannello = new QFrame(this);
    pannello->setObjectName(QStringLiteral("panContainer"));
    pannello->setGeometry(6, 6, 508, 320);
    pannello->setStyleSheet(
        QStringLiteral("#panContainer { background: white; border: 1px solid #8A9AB8; border-radius: 6px; }"));

    auto *titolo = etichetta(pannello, QStringLiteral("lblTitolo"),
                             QStringLiteral("Immettere i dati anagrafici: il codice fiscale è calcolato mentre si scrive."),
                             QRect(14, 8, 480, 36), carattere(QStringLiteral("Arial"), 11), BluNotte);
    titolo->setWordWrap(true);

    const QFont fEtichetta = carattere(QStringLiteral("Verdana"), 9);
    const QFont fCampo = carattere(QStringLiteral("Verdana"), 12, true);
    auto campo = [&](const char *nome, const char *testo, QRect g, int lunghezza) {
        etichetta(pannello, QLatin1String(nome).mid(3) + QStringLiteral("Etichetta"), QString::fromUtf8(testo),
                  QRect(g.x(), g.y() - 18, 300, 16), fEtichetta);
        return creaCampo(pannello, QLatin1String(nome), g, lunghezza, fCampo);
    };
    txtCognome = campo("txtCognome", "Cognome:", QRect(18, 66, 230, AltezzaCampo), 50);
    txtNome = campo("txtNome", "Nome:", QRect(262, 66, 230, AltezzaCampo), 50);

    etichetta(pannello, QStringLiteral("lblSessoEtichetta"), QStringLiteral("Sesso:"), QRect(18, 100, 100, 16),
              fEtichetta);
    optMaschio = new QRadioButton(QStringLiteral("M"), pannello);
    optMaschio->setObjectName(QStringLiteral("optMaschio"));
    optMaschio->setGeometry(18, 118, 50, AltezzaCampo);
    optFemmina = new QRadioButton(QStringLiteral("F"), pannello);
    optFemmina->setObjectName(QStringLiteral("optFemmina"));
    optFemmina->setGeometry(72, 118, 50, AltezzaCampo);
    for (QRadioButton *o : {optMaschio, optFemmina}) {
        o->setFont(fCampo);
        o->setCursor(Qt::PointingHandCursor);
    }
    // Neither is chosen until the user or the card's code says which.
    auto *sesso = new QButtonGroup(this);
    sesso->addButton(optMaschio);
    sesso->addButton(optFemmina);

    txtDataNasc = campo("txtDataNasc", "Data di nascita:", QRect(148, 118, 122, AltezzaCampo), 10);
    txtDataNasc->setAlignment(Qt::AlignCenter);
    btnCalendario = new Figura(QStringLiteral("btnCalendario"), QStringLiteral(":/img/calendario.svg"),
                               QRect(276, 119, 22, 22), pannello, true);

    txtLuogo = campo("txtLuogo", "Luogo di nascita (comune o stato estero):", QRect(18, 170, 474, AltezzaCampo), 50);
    completamento = new QCompleter(nomiLuoghi(), this);
    completamento->setCaseSensitivity(Qt::CaseInsensitive);
    completamento->setFilterMode(Qt::MatchContains);
    completamento->setMaxVisibleItems(12);
    txtLuogo->setCompleter(completamento);

    etichetta(pannello, QStringLiteral("lblCodFiscEtichetta"), QStringLiteral("Codice fiscale:"),
              QRect(18, 204, 300, 16), fEtichetta);
    txtCodFisc = new QLineEdit(pannello);
    txtCodFisc->setObjectName(QStringLiteral("txtCodFisc"));
    txtCodFisc->setGeometry(18, 222, 276, 36);
    txtCodFisc->setFont(carattere(QStringLiteral("Courier New"), 20, true));
    txtCodFisc->setReadOnly(true);
    txtCodFisc->setFocusPolicy(Qt::NoFocus);
    lblStato = etichetta(pannello, QStringLiteral("lblStato"), QString(), QRect(302, 216, 192, 48),
                         carattere(QStringLiteral("Verdana"), 8), BluNotte);
    lblStato->setWordWrap(true);

    btnAnnulla = pulsante(pannello, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QRect(288, 278, 96, 30), 10);
    btnImporta = pulsante(pannello, QStringLiteral("btnImporta"), QStringLiteral("Importa"), QRect(396, 278, 96, 30), 10);

    auto *barra = new QFrame(this);
    barra->setObjectName(QStringLiteral("shpInfo"));
    barra->setGeometry(0, 334, 520, 42);
    barra->setStyleSheet(QStringLiteral("#shpInfo { background: #3030DD; }"));
    panInfo = etichetta(barra, QStringLiteral("panInfo"), QString(), QRect(10, 0, 500, 42),
                        carattere(QStringLiteral("Tahoma"), 9), Qt::white);
    panInfo->setWordWrap(true);

    const struct { QWidget *w; const char *testo; } suggerimenti[] = {
        {txtCognome, "Il cognome come risulta dai documenti; per una donna, il cognome da nubile."},
        {txtNome, "Il nome o i nomi come risultano dai documenti."},
        {optMaschio, "Sesso maschile."},
        {optFemmina, "Sesso femminile: il giorno di nascita nel codice è aumentato di 40."},
        {txtDataNasc, "La data di nascita nel formato gg/mm/aaaa."},
        {btnCalendario, "Importa la data di nascita dal calendario."},
        {txtLuogo, "Il comune di nascita (con la provincia tra parentesi se il nome non basta) o lo stato estero di nascita."},
        {txtCodFisc, "Il codice fiscale calcolato dai dati indicati."},
        {btnImporta, "Riporta il codice fiscale calcolato nel campo della scheda."},
        {btnAnnulla, "Chiude questa finestra senza modificare la scheda."},
    };
    for (const auto &s : suggerimenti) {
        s.w->setProperty("suggerimento", QString::fromUtf8(s.testo));
        s.w->setMouseTracking(true);
        s.w->installEventFilter(this);
    }
    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(pannello), static_cast<QWidget *>(barra)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    setTabOrder(txtCognome, txtNome);
    setTabOrder(txtNome, optMaschio);
    setTabOrder(optMaschio, optFemmina);
    setTabOrder(optFemmina, txtDataNasc);
    setTabOrder(txtDataNasc, txtLuogo);
    setTabOrder(txtLuogo, btnImporta);
    setTabOrder(btnImporta, btnAnnulla);

    auto *comportamenti = new ComportamentiCampi(this, kCampi);
    comportamenti->suggerimento = [this](const QString &t) { panInfo->setText(t); };

    for (QLineEdit *e : {txtCognome, txtNome, txtDataNasc, txtLuogo})
        connect(e, &QLineEdit::textChanged, this, &TfrmCalcolaCF::aggiorna);
    connect(sesso, &QButtonGroup::buttonToggled, this, &TfrmCalcolaCF::aggiorna);
    connect(btnImporta, &QPushButton::clicked, this, &TfrmCalcolaCF::btnImportaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmCalcolaCF::btnAnnullaClick);
    connect(btnCalendario, &Figura::clicked, this, &TfrmCalcolaCF::btnCalendarioClick);
    aggiorna();
}

void TfrmCalcolaCF::precompila(const QString &cognomeNome, const QString &luogo, const QString &dataNascita)
{
    const CognomeNome cn = separaCognomeNome(cognomeNome);
    txtCognome->setText(cn.cognome);
    txtNome->setText(cn.nome);
    const DataDigitata data = leggiDataDigitata(dataNascita);
    txtDataNasc->setText(data.stato == DataDigitata::Valida ? data.testo : trimmed(dataNascita));
    txtLuogo->setText(trimmed(luogo));
    for (QLineEdit *e : {txtCognome, txtNome, txtDataNasc, txtLuogo})
        e->setCursorPosition(0);
}

void TfrmCalcolaCF::impostaDestinazione(QLineEdit *campo)
{
    m_destinazione = campo;
    // The sex of the code already there, when it is a valid one.
    const QChar sesso = campo ? SessoDaCodiceFiscale(campo->text()) : QChar();
    if (sesso == u'M')
        optMaschio->setChecked(true);
    else if (sesso == u'F')
        optFemmina->setChecked(true);
}

QString TfrmCalcolaCF::motivo(QWidget **campo) const
{
    auto manca = [campo](QWidget *w, const QString &testo) {
        *campo = w;
        return testo;
    };
    if (lettereNome(txtCognome->text()).isEmpty())
        return manca(txtCognome, QStringLiteral("Indicare il cognome."));
    if (lettereNome(txtNome->text()).isEmpty())
        return manca(txtNome, QStringLiteral("Indicare il nome."));
    if (!optMaschio->isChecked() && !optFemmina->isChecked())
        return manca(optMaschio, QStringLiteral("Indicare il sesso."));
    const QString testoData = trimmed(txtDataNasc->text());
    if (testoData.isEmpty())
        return manca(txtDataNasc, QStringLiteral("Indicare la data di nascita."));
    // Read as typed ("1/2/85"), as the field writes it once left.
    const DataDigitata digitata = leggiDataDigitata(testoData);
    if (digitata.stato != DataDigitata::Valida)
        return manca(txtDataNasc, QStringLiteral("La data di nascita ")
                                      + (digitata.stato == DataDigitata::Inesistente ? digitata.testo : testoData)
                                      + QStringLiteral(" non esiste: indicarla nel formato gg/mm/aaaa."));
    const std::optional<QDate> data = digitata.data;
    if (*data > Servizi::correnti().oggi())
        return manca(txtDataNasc, QStringLiteral("La data di nascita è successiva alla data odierna."));
    const LuogoScritto luogo = separaProvincia(txtLuogo->text());
    if (luogo.nome.isEmpty())
        return manca(txtLuogo, QStringLiteral("Indicare il luogo di nascita."));
    const QList<Luogo> trovati = luoghiPerNome(luogo.nome, luogo.provincia, *data);
    if (trovati.isEmpty()) {
        const QString ora = luogoNonPiuItaliano(luogo.nome, luogo.provincia, *data);
        return manca(txtLuogo, QStringLiteral("Il luogo di nascita ") + trimmed(txtLuogo->text())
                                   + QStringLiteral(" non risulta tra i comuni e gli stati esteri esistenti alla data "
                                                    "di nascita")
                                   + (ora.isEmpty() ? QString() : QStringLiteral(": ") + ora) + u'.');
    }
    if (trovati.size() > 1) {
        QStringList province;
        for (const Luogo &l : trovati)
            province << l.provincia;
        return manca(txtLuogo, QStringLiteral("Più comuni si chiamano ") + luogo.nome + QStringLiteral(" (")
                                   + province.join(QStringLiteral(", "))
                                   + QStringLiteral("): indicare la provincia tra parentesi."));
    }
    *campo = nullptr;
    return QString();
}

void TfrmCalcolaCF::aggiorna()
{
    QWidget *campo = nullptr;
    const QString perche = motivo(&campo);
    if (!perche.isEmpty()) {
        txtCodFisc->clear();
        lblStato->setText(perche);
        return;
    }
    const QDate data = leggiDataDigitata(txtDataNasc->text()).data;
    const LuogoScritto luogo = separaProvincia(txtLuogo->text());
    const DatiAnagrafici dati{txtCognome->text(), txtNome->text(), optFemmina->isChecked() ? u'F' : u'M', data,
                              luoghiPerNome(luogo.nome, luogo.provincia, data).constFirst().codice};
    const QString codice = CalcolaCodiceFiscale(dati);
    txtCodFisc->setText(codice);
    lblStato->setText(descrizioneCodiceFiscale(codice, Servizi::correnti().oggi()));
}

void TfrmCalcolaCF::btnImportaClick()
{
    Servizi &s = Servizi::correnti();
    QWidget *campo = nullptr;
    const QString perche = motivo(&campo);
    if (!perche.isEmpty()) {
        s.messaggio(this, TipoMessaggio::Avviso, MsgNonCalcolabile + QStringLiteral("\r\n\r\n") + perche);
        if (campo)
            campo->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString nuovo = codice();
    if (m_destinazione) {
        // A code already there may be one the office changed for omocodia:
        // it is replaced only when the user says so.
        const QString attuale = trimmed(m_destinazione->text());
        if (!attuale.isEmpty() && upperAZ(attuale) != nuovo && !s.domanda(this, domandaSostituzione(attuale, nuovo)))
            return;
        m_destinazione->setText(nuovo);
        m_destinazione->setCursorPosition(0);
    }
    accept();
}

void TfrmCalcolaCF::btnAnnullaClick()
{
    reject();
}

void TfrmCalcolaCF::btnCalendarioClick()
{
    apriCalendario(this, QStringLiteral("datanasccf"));
    txtDataNasc->setFocus(Qt::OtherFocusReason);
}

bool TfrmCalcolaCF::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) {
        const QVariant h = o->property("suggerimento");
        panInfo->setText(h.isValid() ? h.toString() : QString());
    } else if (e->type() == QEvent::KeyPress && (o == optMaschio || o == optFemmina)) {
        // Enter on the sex moves on to the birth date, as in the fields.
        auto *k = static_cast<QKeyEvent *>(e);
        if (ComportamentiCampi::tastoInvio(k->key())) {
            txtDataNasc->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return DialogoFisso::eventFilter(o, e);
}

void TfrmCalcolaCF::showEvent(QShowEvent *e)
{
    DialogoFisso::showEvent(e);
    txtCognome->setFocus(Qt::OtherFocusReason);
}

void apriCalcolaCF(QWidget *schermo, QLineEdit *destinazione, const QString &cognomeNome, const QString &luogo,
                   const QString &dataNascita)
{
    auto *dlg = new TfrmCalcolaCF(schermo);
    dlg->precompila(cognomeNome, luogo, dataNascita);
    dlg->impostaDestinazione(destinazione);
    eseguiDialogo(dlg);
}

} // namespace qv
