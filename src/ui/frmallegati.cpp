#include "frmallegati.h"

#include "ui/campi.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/testo.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>

#include <algorithm>

namespace qv {

namespace {

using T = TfrmAllegaCartella;

const QString TitoloSfoglia = QStringLiteral("Selezionare il file da allegare:");
const QString FiltroTutti = QStringLiteral("Tutti i file (*.*)");

// The controls and handlers of one slot.
struct Slot
{
    QLineEdit *T::*file;
    Figura *T::*cancella;
    QPushButton *T::*sfoglia;
    QPushButton *T::*apri;
    QLineEdit *T::*desc;
    void (T::*fileChange)();
    void (T::*cancellaClick)();
    void (T::*sfogliaClick)();
    void (T::*apriClick)();
};

const Slot kSlot[] = {
    {&T::txtFile01, &T::imgCancella01, &T::btnSfoglia01, &T::btnApri01, &T::txtDesc01,
     &T::txtFile01Change, &T::imgCancella01Click, &T::btnSfoglia01Click, &T::btnApri01Click},
    {&T::txtFile02, &T::imgCancella02, &T::btnSfoglia02, &T::btnApri02, &T::txtDesc02,
     &T::txtFile02Change, &T::imgCancella02Click, &T::btnSfoglia02Click, &T::btnApri02Click},
    {&T::txtFile03, &T::imgCancella03, &T::btnSfoglia03, &T::btnApri03, &T::txtDesc03,
     &T::txtFile03Change, &T::imgCancella03Click, &T::btnSfoglia03Click, &T::btnApri03Click},
};

const QString MsgPercorsoNonAmmesso = QStringLiteral(
    "Attenzione: il percorso del file contiene il carattere \"%1\", che l'archivio non può conservare.\r\n\r\n"
    "Rinominare il file o la cartella che lo contiene e selezionarlo di nuovo.");

constexpr QSize Area(633, 527);
constexpr QRect Pannello(12, 12, 609, 503);
constexpr int AltezzaSlot = 113;
const int YSlot[] = {80, 200, 320};

// The hidden label of the card screen that mirrors a dialog field: txtFile01 -> lblFile01.
QString nomeEtichetta(const QLineEdit *campo)
{
    return QStringLiteral("lbl") + campo->objectName().mid(3);
}

QLineEdit *campo(QWidget *parent, const QString &nome, const QRect &g, const QFont &font)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(nome);
    e->setGeometry(g);
    e->setFont(font);
    return e;
}

} // namespace

const TfrmAllegaCartella::Destinazione TfrmAllegaCartella::Destinazioni[2] = {
    {"anagrafica", "TfrmAnagrafica"},
    {"contratti", "TfrmContratti"},
};

TfrmAllegaCartella::TfrmAllegaCartella(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Allega file"), Area, QColor(0xEB, 0xE9, 0xE9), Qt::white, parent)
{
    setObjectName(QStringLiteral("frmAllegaCartella"));
    auto *pannello = new QWidget(this);
    pannello->setObjectName(QStringLiteral("panContainer"));
    pannello->setGeometry(Pannello);

    QWidget *box = riquadroBianco(pannello, QRect(0, 0, Pannello.width(), 447));
    imgLogo = new Figura(QStringLiteral("imgLogo"), QStringLiteral(":/img/all_cartella.svg"), QRect(20, 20, 46, 47), box);
    const QFont fRigo = carattere(QStringLiteral("Verdana"), 8);
    const QColor blu(0x1F, 0x3A, 0x5F);
    lblRigo01 = etichetta(box, QStringLiteral("lblRigo01"),
                          QStringLiteral("Selezionare i file da allegare alla scheda corrente servendosi del pulsante Sfoglia."),
                          QRect(78, 18, 524, 17), fRigo, blu);
    lblRigo02 = etichetta(box, QStringLiteral("lblRigo02"),
                          QStringLiteral("Quindi fare clic su Applica e chiudi e poi sul pulsante Salva per salvare le modifiche."),
                          QRect(78, 35, 524, 17), fRigo, blu);
    lblRigo03 = etichetta(box, QStringLiteral("lblRigo03"),
                          QStringLiteral("Per aprire un file è sufficiente premere il pulsante Apri."),
                          QRect(78, 52, 524, 17), fRigo, blu);

    const QFont f12 = carattere(QStringLiteral("Verdana"), 12);
    const QFont fPercorso = carattere(QStringLiteral("Verdana"), 9, true);
    const QFont fDescrizione = carattere(QStringLiteral("Verdana"), 12, true);
    QWidget *precedente = nullptr;
    for (int k = 0; k < 3; ++k) {
        const Slot &s = kSlot[k];
        const QString n = QString::number(k + 1);
        const QString nn = n.rightJustified(2, u'0');

        auto *riquadro = new QFrame(box);
        riquadro->setObjectName(QStringLiteral("shpAllegato") + nn);
        riquadro->setGeometry(16, YSlot[k], 577, AltezzaSlot);
        riquadro->setStyleSheet(QStringLiteral("#%1 { border: 1px solid #8FB0CC; border-radius: 3px;"
                                               " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                               " stop:0 #A8CAE5, stop:1 white); }")
                                    .arg(riquadro->objectName()));

        etichetta(riquadro, QStringLiteral("lblPercorso") + nn, QStringLiteral("Percorso %1° file allegato:").arg(n),
                  QRect(12, 5, 400, 22), f12);
        QLineEdit *file = campo(riquadro, QStringLiteral("txtFile") + nn, QRect(12, 29, 338, 26), fPercorso);
        file->setReadOnly(true);
        QPalette grigio = file->palette();
        grigio.setColor(QPalette::Text, QColor(0x80, 0x80, 0x80));
        file->setPalette(grigio);
        this->*s.file = file;
        this->*s.cancella = new Figura(QStringLiteral("imgCancella") + nn, QStringLiteral(":/img/all_gomma.svg"),
                                       QRect(356, 31, 22, 22), riquadro, true);
        this->*s.sfoglia = pulsante(riquadro, QStringLiteral("btnSfoglia") + nn, QStringLiteral("Sfoglia..."),
                                    QRect(386, 28, 86, 28), 10);
        this->*s.apri = pulsante(riquadro, QStringLiteral("btnApri") + nn, QStringLiteral("Apri"),
                                 QRect(479, 28, 86, 28), 10);
        (this->*s.apri)->setEnabled(false);
        etichetta(riquadro, QStringLiteral("lblDescrizione") + nn,
                  QStringLiteral("Descrizione %1° file allegato:").arg(n), QRect(12, 58, 400, 22), f12);
        this->*s.desc = campo(riquadro, QStringLiteral("txtDesc") + nn, QRect(12, 81, 552, 27), fDescrizione);
        // The description is stored with the card: only what the archive can hold.
        applicaFiltro(this->*s.desc, Semplice);
        mostraInizio(this->*s.desc);
        mostraInizio(file);

        // The eraser, beside the path, is reached between it and Sfoglia.
        for (QWidget *w : std::initializer_list<QWidget *>{file, this->*s.cancella, this->*s.sfoglia, this->*s.apri,
                                                           this->*s.desc}) {
            if (precedente)
                setTabOrder(precedente, w);
            precedente = w;
        }

        connect(file, &QLineEdit::textChanged, this, s.fileChange);
        connect(this->*s.cancella, &Figura::clicked, this, s.cancellaClick);
        connect(this->*s.sfoglia, &QPushButton::clicked, this, s.sfogliaClick);
        connect(this->*s.apri, &QPushButton::clicked, this, s.apriClick);
    }

    btnApplica = pulsante(pannello, QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"),
                          QRect(Pannello.width() - 154, 461, 154, 32), 11);
    btnAnnulla = pulsante(pannello, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                          QRect(Pannello.width() - 154 - 12 - 126, 461, 126, 32), 11);
    setTabOrder(precedente, btnApplica);
    setTabOrder(btnApplica, btnAnnulla);

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    txtFile01->setFocus();
    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);
}

int TfrmAllegaCartella::apri(QWidget *schermo, const QString &token)
{
    auto *dialogo = new TfrmAllegaCartella(schermo);
    dialogo->lblMemory->setText(token);
    for (QLineEdit *c : dialogo->campi()) {
        const auto *copia = schermo ? schermo->findChild<QLabel *>(nomeEtichetta(c)) : nullptr;
        c->setText(copia ? trimmed(copia->text()) : QString());
    }
    return eseguiDialogo(dialogo);
}

QWidget *TfrmAllegaCartella::schermoDestinazione(const QString &token) const
{
    for (const Destinazione &d : Destinazioni) {
        if (token != QLatin1String(d.token))
            continue;
        if (QWidget *schermo = Schermi::per(QLatin1String(d.schermo)))
            return schermo;
        return parentWidget() ? parentWidget()->window() : nullptr;
    }
    return nullptr;
}

QList<QLineEdit *> TfrmAllegaCartella::campi() const
{
    QList<QLineEdit *> out;
    for (const Slot &s : kSlot)
        out << this->*s.file << this->*s.desc;
    return out;
}

void TfrmAllegaCartella::fileCambiato(int k)
{
    (this->*kSlot[k].apri)->setEnabled(!trimmed((this->*kSlot[k].file)->text()).isEmpty());
}

void TfrmAllegaCartella::sfoglia(int k)
{
    QLineEdit *file = this->*kSlot[k].file;
    const QString attuale = trimmed(file->text());
    try {
        const QString scelto = Servizi::correnti().fileDaAprire(
            this, TitoloSfoglia, {FiltroTutti}, attuale.isEmpty() ? QString() : QFileInfo(attuale).absolutePath());
        // A path the archive could not hold would be stored with "?" and never found again.
        if (const QString c = primoFuoriCp1252(scelto); !c.isEmpty()) {
            Servizi::correnti().messaggio(this, TipoMessaggio::Avviso, MsgPercorsoNonAmmesso.arg(c));
            return;
        }
        if (!scelto.isEmpty())
            file->setText(QDir::toNativeSeparators(QFileInfo(scelto).absoluteFilePath()));
    } catch (...) {
        // The open dialog failed: the slot is left without a path.
        file->clear();
    }
}

void TfrmAllegaCartella::cancella(int k)
{
    (this->*kSlot[k].file)->clear();
}

void TfrmAllegaCartella::apriFile(int k)
{
    // In double quotes, so that a path with blanks reaches the system whole.
    TMisc::Open(u'"' + trimmed((this->*kSlot[k].file)->text()) + u'"', this);
}

void TfrmAllegaCartella::btnApplicaClick()
{
    const QString token = trimmed(lblMemory->text());
    if (!std::any_of(std::begin(Destinazioni), std::end(Destinazioni),
                     [&](const Destinazione &d) { return token == QLatin1String(d.token); }))
        return;
    if (QWidget *schermo = schermoDestinazione(token)) {
        for (const QLineEdit *c : campi())
            if (auto *copia = schermo->findChild<QLabel *>(nomeEtichetta(c)))
                copia->setText(trimmed(c->text()));
    }
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick()
{
    reject();
}

void TfrmAllegaCartella::txtFile01Change() { fileCambiato(0); }
void TfrmAllegaCartella::txtFile02Change() { fileCambiato(1); }
void TfrmAllegaCartella::txtFile03Change() { fileCambiato(2); }
void TfrmAllegaCartella::btnSfoglia01Click() { sfoglia(0); }
void TfrmAllegaCartella::btnSfoglia02Click() { sfoglia(1); }
void TfrmAllegaCartella::btnSfoglia03Click() { sfoglia(2); }
void TfrmAllegaCartella::imgCancella01Click() { cancella(0); }
void TfrmAllegaCartella::imgCancella02Click() { cancella(1); }
void TfrmAllegaCartella::imgCancella03Click() { cancella(2); }
void TfrmAllegaCartella::btnApri01Click() { apriFile(0); }
void TfrmAllegaCartella::btnApri02Click() { apriFile(1); }
void TfrmAllegaCartella::btnApri03Click() { apriFile(2); }

} // namespace qv
