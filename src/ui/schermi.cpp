#include "schermi.h"

#include "ui/finestre.h"
#include "ui/servizi.h"

#include <QApplication>
#include <QDialog>
#include <QDir>

#include <functional>
#include <memory>

namespace qv {

namespace {

CartellaProgramma s_cartella;
QList<QWidget *> s_schermi;

QString nomeClasse(const QObject *o)
{
    return QString::fromLatin1(o->metaObject()->className()).section(QStringLiteral("::"), -1);
}

} // namespace

const CartellaProgramma &cartellaProgramma()
{
    return s_cartella;
}

void impostaCartellaProgramma(const QString &dir)
{
    s_cartella = CartellaProgramma(dir);
}

void Schermi::registra(QWidget *schermo)
{
    s_schermi.append(schermo);
}

void Schermi::distruggiTutti()
{
    for (auto it = s_schermi.rbegin(); it != s_schermi.rend(); ++it)
        delete *it;
    s_schermi.clear();
}

const QList<QWidget *> &Schermi::tutti()
{
    return s_schermi;
}

QWidget *Schermi::per(const QString &classe)
{
    for (QWidget *w : s_schermi)
        if (nomeClasse(w) == classe)
            return w;
    return nullptr;
}

void Schermi::terminaApplicazione()
{
    Servizi::correnti().termina();
}

void passaA(QWidget *destinazione, QWidget *origine)
{
    if (auto *area = qobject_cast<SchermoArea *>(destinazione))
        area->mostra();
    else
        destinazione->show();
    if (origine && origine != destinazione)
        origine->hide();
}

QString testoErroreArchivio(const ErroreArchivio &errore)
{
    switch (errore.tipo()) {
    case ErroreArchivio::Tipo::Occupato:
        return MsgFileOccupato;
    case ErroreArchivio::Tipo::SolaLettura:
        return MsgArchivioSolaLettura;
    case ErroreArchivio::Tipo::DaControllare:
        return QStringLiteral("Attenzione: l'archivio ha bisogno di un controllo: il file \"%1\", lasciato da un "
                              "salvataggio interrotto, non può essere letto.\n\r\n\rPer non perdere la scheda che "
                              "potrebbe contenere, l'archivio non viene letto né modificato finché il file non è stato "
                              "controllato.")
            .arg(QDir::toNativeSeparators(errore.percorso()));
    default:
        break;
    }
    return MsgArchivioInaccessibile;
}

void segnalaErroreArchivio(QWidget *padre, const ErroreArchivio &errore)
{
    Servizi::correnti().messaggio(padre,
                                  errore.tipo() == ErroreArchivio::Tipo::Occupato ? TipoMessaggio::Avviso
                                                                                  : TipoMessaggio::Errore,
                                  testoErroreArchivio(errore));
}

int eseguiDialogo(QDialog *dialogo)
{
    std::unique_ptr<QDialog> proprieta(dialogo);
    return Servizi::correnti().esegui(dialogo);
}

} // namespace qv
