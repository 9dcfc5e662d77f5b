#include "frmcopia.h"

#include "app/copiasicurezza.h"
#include "core/date.h"
#include "ui/frmguida.h"
#include "ui/servizi.h"

#include <QDir>

namespace qv {

TfrmCopia::TfrmCopia(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Copia di sicurezza"), QSize(600, 372), QColor(0x5D, 0x85, 0xA6), Qt::white, parent)
{
    setObjectName(QStringLiteral("frmCopia"));
    m_lette = impostazioniCopia();
    QWidget *box = riquadroBianco(this, QRect(14, 14, 572, 292));
    const QFont testo = carattere(QStringLiteral("Verdana"), 10);
    const QFont grassetto = carattere(QStringLiteral("Verdana"), 10, true);

    lblSpiegazione = etichetta(
        box, QStringLiteral("lblSpiegazione"),
        QStringLiteral("La copia di sicurezza raccoglie in un solo file .zip l'archivio dei Dipendenti, gli archivi "
                       "dei contratti di ogni anno con le versioni precedenti delle schede, le foto, i fogli dei "
                       "lavori svolti, le esportazioni, i file allegati alle schede, le impostazioni e la password. "
                       "Conservarla "
                       "fuori da questo computer, per esempio su una chiavetta USB."),
        QRect(16, 12, 540, 84), testo);
    lblSpiegazione->setWordWrap(true);

    etichetta(box, QStringLiteral("lblCartellaEtichetta"), QStringLiteral("Cartella in cui salvare la copia:"),
              QRect(16, 104, 400, 20), grassetto);
    txtCartella = new QLineEdit(QDir::toNativeSeparators(m_lette.cartella), box);
    txtCartella->setObjectName(QStringLiteral("txtCartella"));
    txtCartella->setGeometry(16, 128, 424, 28);
    txtCartella->setReadOnly(true);
    txtCartella->setFont(testo);
    btnSfoglia = pulsante(box, QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."), QRect(450, 127, 106, 30), 10);

    lblUltima = etichetta(box, QStringLiteral("lblUltima"), testoUltima(m_lette.ultima), QRect(16, 168, 540, 20), testo);

    const auto numero = [&](const char *nome, int minimo, int massimo, int valore, int y, const QString &prima,
                            const QString &dopo) {
        etichetta(box, QLatin1String(nome) + QStringLiteral("Etichetta"), prima, QRect(16, y + 4, 380, 20), testo);
        auto *n = new QSpinBox(box);
        n->setObjectName(QLatin1String(nome));
        n->setRange(minimo, massimo);
        n->setValue(valore);
        n->setFont(grassetto);
        n->setGeometry(400, y, 76, 28);
        n->setAlignment(Qt::AlignRight);
        etichetta(box, QLatin1String(nome) + QStringLiteral("Unita"), dopo, QRect(484, y + 4, 80, 20), testo);
        return n;
    };
    spnGiorni = numero("spnGiorni", 1, ImpostazioniCopia::GiorniMassimi, m_lette.giorni, 204,
                       QStringLiteral("Ricordare di fare la copia dopo:"), QStringLiteral("giorni"));
    spnVersioni = numero("spnVersioni", 1, ImpostazioniCopia::VersioniMassime, m_lette.versioni, 244,
                         QStringLiteral("Versioni precedenti conservate per scheda:"), QStringLiteral("versioni"));

    btnChiudi = pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(14, 324, 126, 32), 10);
    btnCopia = pulsante(this, QStringLiteral("btnCopia"), QStringLiteral("Crea la copia"), QRect(426, 324, 160, 32), 10);
    connect(btnSfoglia, &QPushButton::clicked, this, &TfrmCopia::btnSfogliaClick);
    connect(btnCopia, &QPushButton::clicked, this, &TfrmCopia::btnCopiaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmCopia::btnChiudiClick);
    setTabOrder(btnSfoglia, spnGiorni);
    setTabOrder(spnGiorni, spnVersioni);
    setTabOrder(spnVersioni, btnChiudi);
    setTabOrder(btnChiudi, btnCopia);
    // Enter makes the copy as the dialog opens.
    btnCopia->setFocus();
}

QString TfrmCopia::testoUltima(const QDateTime &ultima)
{
    if (!ultima.isValid())
        return QStringLiteral("Non è stata ancora fatta nessuna copia di sicurezza.");
    return QStringLiteral("Ultima copia: %1 alle %2.").arg(scriviData(ultima.date()), ultima.toString(QStringLiteral("HH:mm")));
}

ImpostazioniCopia TfrmCopia::impostazioni() const
{
    ImpostazioniCopia i = m_lette;
    i.cartella = QDir::fromNativeSeparators(txtCartella->text());
    i.giorni = spnGiorni->value();
    i.versioni = spnVersioni->value();
    return i;
}

bool TfrmCopia::memorizza()
{
    const ImpostazioniCopia i = impostazioni();
    if (i.cartella == m_lette.cartella && i.giorni == m_lette.giorni && i.versioni == m_lette.versioni)
        return true;
    // Asked once: a folder that cannot keep them is said once.
    m_lette = i;
    return salvaImpostazioniCopia(this, i);
}

void TfrmCopia::btnSfogliaClick()
{
    const QString attuale = QDir::fromNativeSeparators(txtCartella->text());
    const QString scelta = Servizi::correnti().cartellaDaScegliere(
        this, QStringLiteral("Scegliere la cartella in cui salvare la copia di sicurezza"),
        attuale.isEmpty() ? QDir::homePath() : attuale);
    if (!scelta.isEmpty())
        txtCartella->setText(QDir::toNativeSeparators(QDir::cleanPath(scelta)));
}

void TfrmCopia::btnCopiaClick()
{
    memorizza();
    // Done, the dialog closes; otherwise it stays, for another folder or another try.
    if (eseguiCopiaSicurezza(this, impostazioni().cartella))
        accept();
}

void TfrmCopia::btnChiudiClick()
{
    memorizza();
    reject();
}

} // namespace qv
