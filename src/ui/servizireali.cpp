#include "servizireali.h"

#include "core/cartella.h"
#include "ui/anteprima.h"
#include "ui/mnemonici.h"
#include "ui/nomestampa.h"
#include "ui/richiesta.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibrary>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>

namespace qv {

namespace {

QString titoloMessaggio(TipoMessaggio tipo)
{
    switch (tipo) {
    case TipoMessaggio::Avviso: return QStringLiteral("Attenzione");
    case TipoMessaggio::Informazione: return QStringLiteral("Informazione");
    case TipoMessaggio::Errore: return QStringLiteral("Errore");
    case TipoMessaggio::Semplice: break;
    }
    return QStringLiteral("Quadrivela");
}

QMessageBox::Icon iconaMessaggio(TipoMessaggio tipo)
{
    switch (tipo) {
    case TipoMessaggio::Avviso: return QMessageBox::Warning;
    case TipoMessaggio::Informazione: return QMessageBox::Information;
    case TipoMessaggio::Errore: return QMessageBox::Critical;
    case TipoMessaggio::Semplice: break;
    }
    return QMessageBox::NoIcon;
}

// The camera of the module beside the executable (src/camera), loaded the
// first time a camera is switched on. Without the module there is no camera.
class FotocameraReale : public Fotocamera
{
public:
    bool accendi() override
    {
        if (!m_modulo && !carica())
            return false;
        bool riuscita = false;
        QMetaObject::invokeMethod(m_modulo, "accendi", Qt::DirectConnection, Q_RETURN_ARG(bool, riuscita));
        return riuscita;
    }

    void spegni() override
    {
        if (m_modulo)
            QMetaObject::invokeMethod(m_modulo, "spegni", Qt::DirectConnection);
    }

    bool accesa() const override
    {
        bool accesa = false;
        if (m_modulo)
            QMetaObject::invokeMethod(m_modulo, "accesa", Qt::DirectConnection, Q_RETURN_ARG(bool, accesa));
        return accesa;
    }

    ~FotocameraReale() override { spegni(); }

private:
    bool carica()
    {
        using Crea = QObject *(*)(QObject *);
        static Crea crea = [] {
            QString cartella = cartellaEseguibile(QCoreApplication::arguments().value(0));
            if (cartella.isEmpty())
                cartella = QCoreApplication::applicationDirPath();
            QLibrary modulo(cartella + QStringLiteral("/qv_fotocamera"));
            return modulo.load() ? reinterpret_cast<Crea>(modulo.resolve("qvCreaFotocamera")) : nullptr;
        }();
        if (!crea)
            return false;
        m_modulo = crea(this);
        connect(m_modulo, SIGNAL(fotogramma(QImage)), this, SIGNAL(fotogramma(QImage)));
        return true;
    }

    QObject *m_modulo = nullptr;
};

} // namespace

void ServiziReali::messaggio(QWidget *padre, TipoMessaggio tipo, const QString &testo)
{
    // A message asks nothing: OK is its only button, and Escape presses it too.
    const RitornoFuoco ritorno;
    QMessageBox box(iconaMessaggio(tipo), titoloMessaggio(tipo), testo, QMessageBox::NoButton, padre);
    box.setEscapeButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    assegnaMnemonici(&box);
    box.exec();
}

bool ServiziReali::domanda(QWidget *padre, const QString &testo, bool siPredefinito)
{
    const RitornoFuoco ritorno;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Conferma"), testo, QMessageBox::NoButton, padre);
    QPushButton *si = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(siPredefinito ? si : no);
    box.setEscapeButton(no);
    assegnaMnemonici(&box);
    box.exec();
    return box.clickedButton() != no;
}

int ServiziReali::scelta(QWidget *padre, const QString &testo, const QStringList &pulsanti, int predefinito, int fuga)
{
    const RitornoFuoco ritorno;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Conferma"), testo, QMessageBox::NoButton, padre);
    QList<QPushButton *> creati;
    for (int i = 0; i < pulsanti.size(); ++i)
        creati << box.addButton(pulsanti.at(i), i == fuga ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    if (predefinito >= 0 && predefinito < creati.size())
        box.setDefaultButton(creati.at(predefinito));
    if (fuga >= 0 && fuga < creati.size())
        box.setEscapeButton(creati.at(fuga));
    assegnaMnemonici(&box);
    box.exec();
    const int premuto = int(creati.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
    return premuto >= 0 ? premuto : fuga;
}

std::optional<QString> ServiziReali::chiediTesto(QWidget *padre, const QString &titolo, const QString &richiesta,
                                                 const QString &iniziale)
{
    const RitornoFuoco ritorno;
    QInputDialog dlg(padre);
    preparaRichiesta(dlg, titolo, richiesta, iniziale);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

QString ServiziReali::fileDaAprire(QWidget *padre, const QString &titolo, const QStringList &filtri,
                                   const QString &cartella)
{
    const RitornoFuoco ritorno;
    // "*.*" means every file on Windows; here it would hide the files without an extension.
    QString f = filtri.join(QStringLiteral(";;"));
    f.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    return QFileDialog::getOpenFileName(padre, titolo, cartella, f, nullptr, QFileDialog::DontUseNativeDialog);
}

QString ServiziReali::fileDaSalvare(QWidget *padre, const QString &titolo, const QStringList &filtri,
                                    const QString &nomeIniziale, const QString &estensione)
{
    const RitornoFuoco ritorno;
    QFileDialog dlg(padre, titolo, nomeIniziale, filtri.join(QStringLiteral(";;")));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(estensione);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

QString ServiziReali::cartellaDaScegliere(QWidget *padre, const QString &titolo, const QString &iniziale)
{
    const RitornoFuoco ritorno;
    return QFileDialog::getExistingDirectory(padre, titolo, iniziale,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

namespace {

// QProgressDialog shown after a moment, with "Annulla"; the bar counts in
// thousandths, so that any total fits its int range.
class AvanzamentoReale : public Avanzamento
{
public:
    AvanzamentoReale(QWidget *padre, const QString &testo)
        : m_dialogo(testo, QStringLiteral("Annulla"), 0, 1000, padre)
    {
        m_dialogo.setWindowTitle(QStringLiteral("Quadrivela"));
        m_dialogo.setWindowModality(Qt::WindowModal);
        m_dialogo.setMinimumDuration(500);
        m_dialogo.setAutoClose(false);
        m_dialogo.setAutoReset(false);
        m_dialogo.setValue(0);
    }

    bool aggiorna(qint64 fatti, qint64 totale) override
    {
        // Setting the value lets the window paint and the button be pressed.
        m_dialogo.setValue(int(std::clamp<qint64>(fatti * 1000 / std::max<qint64>(1, totale), 0, 1000)));
        QCoreApplication::processEvents();
        return !m_dialogo.wasCanceled();
    }

private:
    QProgressDialog m_dialogo;
};

} // namespace

std::unique_ptr<Avanzamento> ServiziReali::avanzamento(QWidget *padre, const QString &testo)
{
    return std::make_unique<AvanzamentoReale>(padre, testo);
}

bool ServiziReali::dialogoStampa(QWidget *padre, QPrinter &stampante)
{
    const RitornoFuoco ritorno;
    QPrintDialog dlg(&stampante, padre);
    dlg.setOption(QAbstractPrintDialog::PrintToFile);
    dlg.setOption(QAbstractPrintDialog::PrintCollateCopies);
    proponiFileStampa(dlg, stampante);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    dopoDialogoStampa(stampante);
    return true;
}

void ServiziReali::anteprima(QWidget *padre, QPrinter &stampante, const std::function<void(QPrinter *)> &disegna)
{
    const RitornoFuoco ritorno;
    FinestraAnteprima finestra(stampante, disegna, [&](QPrinter &p) { return dialogoStampa(&finestra, p); }, padre);
    finestra.exec();
}

bool ServiziReali::apriConSistema(const QUrl &url)
{
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(url);
    // The system's opener tells by its exit status whether it found a program;
    // it may go on running with the program it started, so only an early
    // failure is an answer about the address.
    auto *processo = new QProcess(qApp);
    processo->setProgram(opener);
    processo->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
    processo->setStandardOutputFile(QProcess::nullDevice());
    processo->setStandardErrorFile(QProcess::nullDevice());
    processo->start();
    if (!processo->waitForStarted()) {
        delete processo;
        return false;
    }
    auto avvio = std::make_shared<QElapsedTimer>();
    avvio->start();
    QObject::connect(processo, &QProcess::finished, processo, [processo, url, avvio](int codice, QProcess::ExitStatus s) {
        processo->deleteLater();
        if ((codice != 0 || s != QProcess::NormalExit) && avvio->elapsed() < 15000)
            Servizi::correnti().aperturaFallita(url);
    });
    return true;
}

QDateTime ServiziReali::adesso()
{
    return QDateTime::currentDateTime();
}

std::unique_ptr<Fotocamera> ServiziReali::fotocamera()
{
    return std::make_unique<FotocameraReale>();
}

int ServiziReali::esegui(QDialog *dialogo)
{
    return dialogo->exec();
}

void ServiziReali::termina()
{
    QCoreApplication::quit();
}

} // namespace qv
