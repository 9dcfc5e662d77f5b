#include "pannelloscadenze.h"

#include "app/copiasicurezza.h"
#include "contracts/frmcontratti.h"
#include "contracts/frmvalidi.h"
#include "registry/frmanagrafica.h"
#include "registry/frmscadute.h"
#include "ui/finestre.h"
#include "ui/mnemonici.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/sottofondo.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace qv {

namespace {

QPushButton *collegamento(QWidget *parent, const QString &nome)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(nome);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setFont(carattere(QStringLiteral("Verdana"), 10));
    b->setStyleSheet(QStringLiteral("QPushButton { color: #1F3A5F; text-decoration: underline; border: none;"
                                    " padding: 2px 6px; background: transparent; }"
                                    "QPushButton:hover, QPushButton:focus { color: #B22222; }"));
    b->hide();
    return b;
}

} // namespace

PannelloScadenze::PannelloScadenze(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("panScadenze"));
    setStyleSheet(QStringLiteral("#panScadenze { background: #FFF7EC; border: 1px solid #E3C9A8; border-radius: 4px; }"));
    auto *righe = new QHBoxLayout(this);
    righe->setContentsMargins(12, 0, 12, 0);
    righe->setSpacing(6);
    lblScadenze = new QLabel(QStringLiteral("Scadenze vicine:"), this);
    lblScadenze->setObjectName(QStringLiteral("lblScadenze"));
    lblScadenze->setFont(carattere(QStringLiteral("Verdana"), 10, true));
    lblScadenze->setStyleSheet(QStringLiteral("color: #8B5A2B;"));
    btnScadenzeDipendenti = collegamento(this, QStringLiteral("btnScadenzeDipendenti"));
    btnScadenzeContratti = collegamento(this, QStringLiteral("btnScadenzeContratti"));
    btnPromemoriaCopia = collegamento(this, QStringLiteral("btnPromemoriaCopia"));
    btnPromemoriaCopia->setFont(carattere(QStringLiteral("Verdana"), 10, true));
    btnPromemoriaCopia->setStyleSheet(btnPromemoriaCopia->styleSheet().replace(QStringLiteral("#1F3A5F"),
                                                                               QStringLiteral("#B22222")));
    righe->addStretch(1);
    righe->addWidget(lblScadenze);
    righe->addWidget(btnScadenzeDipendenti);
    righe->addWidget(btnScadenzeContratti);
    righe->addWidget(btnPromemoriaCopia);
    righe->addStretch(1);
    connect(btnScadenzeDipendenti, &QPushButton::clicked, this, &PannelloScadenze::btnScadenzeDipendentiClick);
    connect(btnScadenzeContratti, &QPushButton::clicked, this, &PannelloScadenze::btnScadenzeContrattiClick);
    connect(btnPromemoriaCopia, &QPushButton::clicked, this, &PannelloScadenze::btnPromemoriaCopiaClick);
    hide();
    // Read again each time the main menu is shown (after the login, back from an area).
    if (window() != this)
        window()->installEventFilter(this);
}

QString PannelloScadenze::testoDipendenti(int quanti)
{
    return quanti == 1 ? QStringLiteral("1 contratto di un Dipendente scade entro %1 giorni").arg(GiorniScadenza)
                       : QStringLiteral("%1 contratti di Dipendenti scadono entro %2 giorni").arg(quanti).arg(GiorniScadenza);
}

QString PannelloScadenze::testoContratti(int quanti, int anno)
{
    return quanti == 1
        ? QStringLiteral("1 contratto di collaborazione del %1 termina entro %2 giorni").arg(anno).arg(GiorniScadenza)
        : QStringLiteral("%1 contratti di collaborazione del %2 terminano entro %3 giorni")
              .arg(quanti)
              .arg(anno)
              .arg(GiorniScadenza);
}

bool PannelloScadenze::eventFilter(QObject *o, QEvent *e)
{
    if (o == window() && e->type() == QEvent::Show && !e->spontaneous())
        aggiorna();
    return QFrame::eventFilter(o, e);
}

void PannelloScadenze::aggiorna()
{
    const QDate oggi = Servizi::correnti().oggi();
    const QString dipendenti = cartellaProgramma().archivioDipendenti();
    const QString contratti = cartellaProgramma().archivioContratti(oggi.year());
    const int generazione = ++m_generazione;
    ++m_inAttesa;
    // The archives may be slow (a network drive, another copy's lock): the
    // menu never waits for them.
    auto esito = std::make_shared<ScadenzeVicine>();
    auto promemoria = std::make_shared<std::optional<QString>>();
    // The thread holds its own copies of all it uses.
    inSottofondo(
        [=, cartella = cartellaProgramma(), ultima = ultimaCopiaInSessione()] {
            *esito = contaScadenzeVicine(dipendenti, contratti, oggi);
            *promemoria = promemoriaCopia(cartella, oggi, ultima);
        },
        this,
        [this, esito, promemoria, generazione, anno = oggi.year()] {
            --m_inAttesa;
            // Only the newest read counts.
            if (generazione == m_generazione)
                mostra(*esito, anno, *promemoria);
            emit aggiornato();
        });
}

void PannelloScadenze::mostra(const ScadenzeVicine &s, int anno, const std::optional<QString> &promemoria)
{
    const int dip = s.dipendenti.value_or(0), con = s.contratti.value_or(0);
    lblScadenze->setVisible(dip > 0 || con > 0);
    testoPulsante(btnScadenzeDipendenti, dip > 0 ? testoDipendenti(dip) : QString());
    btnScadenzeDipendenti->setVisible(dip > 0);
    testoPulsante(btnScadenzeContratti, con > 0 ? testoContratti(con, anno) : QString());
    btnScadenzeContratti->setVisible(con > 0);
    testoPulsante(btnPromemoriaCopia, promemoria.value_or(QString()));
    btnPromemoriaCopia->setVisible(promemoria.has_value());
    setVisible(dip > 0 || con > 0 || promemoria);
    // Three lines at once are too long for the band at the usual size: the
    // texts get smaller until they are whole.
    for (int punti = 10; punti >= 7; --punti) {
        for (QWidget *w : {static_cast<QWidget *>(lblScadenze), static_cast<QWidget *>(btnScadenzeDipendenti),
                           static_cast<QWidget *>(btnScadenzeContratti), static_cast<QWidget *>(btnPromemoriaCopia)}) {
            QFont f = w->font();
            f.setPointSize(punti);
            w->setFont(f);
        }
        layout()->invalidate();
        if (layout()->minimumSize().width() <= width())
            break;
    }
    layout()->activate();
}

void PannelloScadenze::btnPromemoriaCopiaClick()
{
    eseguiCopiaSicurezza(window());
    aggiorna();
}

void PannelloScadenze::btnScadenzeDipendentiClick()
{
    auto *anagrafica = Schermi::di<TfrmAnagrafica>();
    if (!anagrafica)
        return;
    passaA(anagrafica, window());
    eseguiDialogo(new TfrmScadenzeVicine(anagrafica));
}

void PannelloScadenze::btnScadenzeContrattiClick()
{
    auto *contratti = Schermi::di<TfrmContratti>();
    if (!contratti)
        return;
    // As the contract menu opens a year: the current year's file.
    const int anno = Servizi::correnti().oggi().year();
    contratti->impostaAnno(cartellaProgramma().archivioContratti(anno),
                           QStringLiteral("%1").arg(anno, 4, 10, QLatin1Char('0')));
    passaA(contratti, window());
    eseguiDialogo(new TfrmContrattiInScadenza(contratti));
}

} // namespace qv
