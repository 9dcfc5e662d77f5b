#pragma once
// What the two card screens (the employee card and the contract card) share:
// the record's fields moved to and from the controls named after them, the
// table of the four arrows, the clickable pictures made from a table, the
// framed boxes behind groups of fields, and the info line at the bottom that
// shows the hint of the control under the mouse.

#include "ui/filtrocampo.h"
#include "ui/finestre.h"
#include "ui/salvascheda.h"
#include "ui/servizi.h"
#include "core/importo.h"
#include "core/testo.h"
#include "storage/archivio.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include <functional>
#include <initializer_list>
#include <span>

namespace qv {

// The control that holds a card field: the edit field "txt" + name or the
// hidden label "lbl" + name; nullptr when the screen has neither (a field the
// screen shows in its own way, like a check box).
QWidget *controlloCampo(const QWidget *radice, const QString &campo);

// The card as the controls hold it: every text trimmed, an amount without
// its thousands dots. Fields without a control stay empty.
template <typename R>
R schedaDaiControlli(const QWidget *radice)
{
    R s;
    for (const auto &c : R::campi()) {
        QWidget *w = controlloCampo(radice, QLatin1String(c.nome));
        if (auto *e = qobject_cast<QLineEdit *>(w))
            s.*(c.membro) = valoreDelTesto(e);
        else if (auto *l = qobject_cast<QLabel *>(w))
            s.*(c.membro) = trimmed(l->text());
    }
    return s;
}

// Puts every field of a stored card, trimmed, into its control, a long value
// showing its start and an amount as it is shown (mostraImporto); fields
// without a control are left to the screen.
template <typename R>
void schedaNeiControlli(QWidget *radice, const R &scheda)
{
    for (const auto &c : R::campi()) {
        QWidget *w = controlloCampo(radice, QLatin1String(c.nome));
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            mostraValore(e, scheda.*(c.membro));
        } else if (auto *l = qobject_cast<QLabel *>(w))
            l->setText(trimmed(scheda.*(c.membro)));
    }
}

// The four arrows of a card screen.
enum class Freccia { Primo, Indietro, Avanti, Ultimo };

// The card an arrow shows in an archive of `conta` cards (at least one) while
// the screen shows card `posizione` (empty for a new card): from a new card
// both "previous" and "next" go to card 1; "previous" on card 1 and "next" on
// the last card stay where they are. 0 when nothing is to happen.
int cartaDellaFreccia(Freccia freccia, int conta, const QString &posizione);

inline const QString MsgArchivioVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");

// What an arrow does on a card screen that shows its card's position in
// `lblPosizione`: opens the archive at `percorso` (created empty when
// missing), hands the card the arrow leads to (SchedaLetta: its fields, its
// position, its stored bytes) to `carica`, and closes the archive again. On an empty archive it says so, and "next"
// empties the position; with `taceSullaPrima`, "previous" from card 1 says
// nothing there. An input/output failure is thrown as ErroreArchivio before
// anything on the screen changes.
// When the card shown was changed, `lascia` is given: it is asked, with the
// archive closed, only when the arrow leads to a card, and false keeps the
// card on the screen; the card led to is read after the answer, so a card
// just saved by it is shown as saved.
template <typename R, typename F>
void frecciaSuArchivio(QWidget *schermo, const QString &percorso, Freccia freccia, QLabel *lblPosizione, F &&carica,
                       bool taceSullaPrima = false, const std::function<bool()> &lascia = {})
{
    Archivio<R> archivio(percorso);
    archivio.apri();
    const int conta = archivio.conta();
    const QString posizione = trimmed(lblPosizione->text());
    if (conta == 0) {
        archivio.chiudi();
        if (freccia == Freccia::Avanti)
            lblPosizione->clear();
        if (!(taceSullaPrima && freccia == Freccia::Indietro && posizione == QLatin1String("1")))
            Servizi::correnti().messaggio(schermo, TipoMessaggio::Informazione, MsgArchivioVuoto);
        return;
    }
    const int destinazione = cartaDellaFreccia(freccia, conta, posizione);
    if (destinazione == 0)
        return;
    if (lascia) {
        archivio.chiudi();
        if (lascia())
            carica(leggiSchedaArchivio<R>(percorso, destinazione));
        return;
    }
    SchedaLetta<R> letta;
    letta.scheda = archivio.leggi(destinazione, &letta.byte);
    letta.posizione = destinazione;
    letta.solaLettura = archivio.solaLettura();
    archivio.chiudi();
    carica(letta);
}

// A clickable picture of a card screen: name, picture (":/img/<risorsa>.svg"),
// geometry, hint on the info line, click handler and the member that keeps it.
template <typename T>
struct DefFigura
{
    const char *nome;
    const char *risorsa;
    QRect geometria;
    const char *suggerimento; // UTF-8
    void (T::*clic)();        // nullptr: no handler on this screen (yet)
    Figura *T::*membro;
};

// Makes the pictures of a table on `pannello`, each with its hint and click.
template <typename T>
void creaFigure(T *schermo, QWidget *pannello, std::span<const DefFigura<T>> tabella)
{
    for (const DefFigura<T> &d : tabella) {
        auto *f = new Figura(QLatin1String(d.nome), QStringLiteral(":/img/%1.svg").arg(QLatin1String(d.risorsa)),
                             d.geometria, pannello, true);
        schermo->*(d.membro) = f;
        f->setProperty("suggerimento", QString::fromUtf8(d.suggerimento));
        if (d.clic)
            QObject::connect(f, &Figura::clicked, schermo, d.clic);
    }
}

// A framed box behind a group of controls.
QFrame *riquadro(QWidget *parent, const char *nome, const QRect &geometria, const char *colore);

// The info line across the bottom of a card screen's panel ("panInfo",
// Tahoma 12, white on blue). Moving the mouse over a control that carries a
// "suggerimento" property shows it there; over the background, the panels
// and the decorations the line is emptied; over an edit field it stays as it
// is (date fields show their own hint through their behaviours). A control
// with a hint that Tab reaches shows it there too. A button's hint goes as
// soon as an edit field takes the focus or a key is typed into one, and a
// note about the card shown (notaScheda) as soon as another card is shown,
// a new one started or the card saved (schedaCambiata).
class RigaInfo : public QObject
{
    Q_OBJECT
public:
    RigaInfo(QWidget *schermo, QWidget *pannello, const QString &testoIniziale);
    QLabel *panInfo() const { return m_panInfo; }
    // Hooks every control of the panel made so far; called once, when the
    // screen has all its controls.
    void collega();
    // Shows a note that holds for the card shown now and no other.
    void notaScheda(const QString &nota);
    // The card shown is now another, a new one or the one just saved.
    void schedaCambiata();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void suggerisci(const QString &suggerimento);
    // Empties the line when it still shows `testo`.
    void togli(const QString &testo);

    QWidget *m_schermo;
    QWidget *m_pannello;
    QLabel *m_panInfo;
    QString m_suggerimento; // the control's hint the line showed last
    QString m_nota;         // the note about the card shown
};

// Duplicate: a card not yet in the archive cannot be duplicated (`avviso` says
// so), nor can a card of an archive at `percorso` that can only be read (the
// copy could never be saved); otherwise, once `lascia` lets the card go (the
// question about its changes), the screen keeps its fields as the
// new card's, drops the position and the attachments (and whatever `azzera`
// drops besides), moves to `primoCampo` and tells the user to edit and save the copy.
void duplicaScheda(QWidget *schermo, const QString &percorso, QLabel *lblPosizione,
                   std::initializer_list<QLabel *> allegati, const QString &avviso, QWidget *primoCampo,
                   const std::function<void()> &azzera = {}, const std::function<bool()> &lascia = {});

// Leaving a card whose fields differ from the card as it was loaded, last
// saved or started (arrows, Nuovo, Duplica, a card opened from a list, the
// screen closed, the program's end): the question and its three answers, in
// button order; Enter and Escape stay on the card.
inline const QString DomandaSchedaModificata =
    QStringLiteral("La scheda corrente è stata modificata. Salvare le modifiche?");
inline const QStringList PulsantiSchedaModificata = {QStringLiteral("Salva"), QStringLiteral("Non salvare"),
                                                     QStringLiteral("Annulla")};
enum RispostaSchedaModificata { SalvaModifiche = 0, NonSalvare = 1, RestaSullaScheda = 2 };

// Whether a card may be left: at once when it is not `modificata`; otherwise
// as the user answers over `padre`, "Salva" leaving only when `salva` (the
// screen's own Salva, with its checks and questions) stored the card.
bool lasciaSchedaModificata(QWidget *padre, bool modificata, const std::function<bool()> &salva);

// Whether the card `attuale` differs from `partenza` in any field. An amount
// field (`importi`) that only had its writing normalised ("1200,5" shown as
// "1200,50") has not changed.
template <typename R>
bool schedaDiversa(const R &attuale, const R &partenza, std::initializer_list<QString R::*> importi = {})
{
    for (const auto &c : R::campi()) {
        const QString &a = attuale.*(c.membro), &p = partenza.*(c.membro);
        if (a == p)
            continue;
        const bool importo = std::find(importi.begin(), importi.end(), c.membro) != importi.end();
        if (!importo || statoImporto(a) != StatoImporto::Valido || statoImporto(p) != StatoImporto::Valido
            || formattaImporto(a) != formattaImporto(p))
            return true;
    }
    return false;
}

// What a card screen's info line says when it opens: that the archive can
// only be read, when it can.
void segnalaSolaLettura(QLabel *panInfo, bool solaLettura);
// What it says once a stored card is shown: that the archive can only be
// read, when it can; the line that announced a new card (`infoNuova`) no
// longer holds and is emptied; a control's hint stays.
void infoSchedaMostrata(QLabel *panInfo, bool solaLettura, const QString &infoNuova);

} // namespace qv
