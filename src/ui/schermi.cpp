#include "schermi.h"

#include "core/sottofondo.h"

#include "ui/finestre.h"
#include "ui/servizi.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPointer>

#include <functional>
#include <memory>

namespace qv {

namespace {

// The start-up order: each screen with its maker and, once made, its instance.
struct Posto
{
    Schermi::Fabbrica fabbrica;
    QPointer<QWidget> schermo;
};
QList<Posto> s_posti;
// The screens made, in the order of their places: what tutti() hands out.
QList<QWidget *> s_schermi;

QString nomeClasse(const QMetaObject *m)
{
    return QString::fromLatin1(m->className()).section(QStringLiteral("::"), -1);
}

QWidget *istanza(Posto &posto)
{
    if (!posto.schermo && posto.fabbrica.crea) {
        // A screen reads no file while it is made: made late, it is the same screen.
        posto.schermo = posto.fabbrica.crea();
        s_schermi.clear();
        for (const Posto &p : std::as_const(s_posti))
            if (p.schermo)
                s_schermi.append(p.schermo);
    }
    return posto.schermo;
}

} // namespace

void Schermi::prepara(const QList<Fabbrica> &ordine)
{
    distruggiTutti();
    for (const Fabbrica &f : ordine)
        s_posti.append({f, nullptr});
    principale();
}

void Schermi::registra(QWidget *schermo)
{
    s_posti.append({{schermo->metaObject(), nullptr}, schermo});
    s_schermi.append(schermo);
}

void Schermi::distruggiTutti()
{
    // No read in the background outlives the screens that wait for it.
    attendiSottofondo();
    // The screens made go in the reverse of their order.
    const QList<Posto> posti = std::exchange(s_posti, {});
    s_schermi.clear();
    for (auto it = posti.crbegin(); it != posti.crend(); ++it)
        delete it->schermo.data();
}

const QList<QWidget *> &Schermi::tutti()
{
    for (qsizetype i = 0; i < s_posti.size(); ++i)
        istanza(s_posti[i]);
    return s_schermi;
}

QWidget *Schermi::principale()
{
    return s_posti.isEmpty() ? nullptr : istanza(s_posti.first());
}

QWidget *Schermi::per(const QString &classe)
{
    for (qsizetype i = 0; i < s_posti.size(); ++i)
        if (nomeClasse(s_posti.at(i).fabbrica.classe) == classe)
            return istanza(s_posti[i]);
    return nullptr;
}

QWidget *Schermi::primoDi(const QMetaObject *classe)
{
    for (qsizetype i = 0; i < s_posti.size(); ++i)
        if (s_posti.at(i).fabbrica.classe->inherits(classe))
            return istanza(s_posti[i]);
    return nullptr;
}

bool Schermi::lasciaSchede()
{
    // Each card screen shown is left the way its Esci leaves it: asked about
    // its changes, then closed (and a closed screen asks nothing more).
    for (QWidget *w : std::as_const(s_schermi))
        if (dynamic_cast<SchermoConScheda *>(w) && w->isVisible() && !w->close())
            return false;
    return true;
}

bool Schermi::terminaApplicazione()
{
    if (!lasciaSchede())
        return false;
    Servizi::correnti().termina();
    return true;
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

// An archive failure is already in the log, with its kind, path and detail,
// from the moment it happened (core/diario.h): here only the user's words.
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
    // Made first, it gives the focus back once the dialog is gone.
    const RitornoFuoco ritorno;
    std::unique_ptr<QDialog> proprieta(dialogo);
    return Servizi::correnti().esegui(dialogo);
}

} // namespace qv
