#include "filtrocampo.h"

#include "core/date.h"
#include "core/importo.h"
#include "core/incollato.h"
#include "core/testo.h"
#include "core/traslitterazione.h"
#include "ui/servizi.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QValidator>

#include <utility>

#include <algorithm>

namespace qv {

namespace {

const QString MsgSoloCifre = QStringLiteral("In questo campo si possono inserire soltanto le cifre da 0 a 9.");
const QString MsgSoloImporto = QStringLiteral(
    "In questo campo vanno soltanto le cifre da 0 a 9, il punto delle migliaia e la virgola dei decimali.");
const QString MsgUnaVirgola = QStringLiteral(
    "L'importo ha già la virgola dei decimali: le migliaia si separano con il punto, come in 1.250,50.");
const QString MsgPuntoNeiDecimali =
    QStringLiteral("Dopo la virgola dei decimali non si può inserire il punto delle migliaia.");
const QString MsgSoloData =
    QStringLiteral("In un campo data vanno soltanto cifre e separatori (/ - . o spazio), come in 21/12/2026.");
const QString MsgCodifica = QStringLiteral(
    "Il carattere \"%1\" non è ammesso: l'archivio può conservare soltanto le lettere, le cifre e i simboli "
    "dell'alfabeto occidentale (Windows-1252).");

const QString NotaSeparatori =
    QStringLiteral("Gli spazi, i punti e i trattini non fanno parte del codice: sono stati tolti.");
const QString NotaPrefisso = QStringLiteral(
    "Il prefisso IT (la sigla dell'Italia) non fa parte della partita IVA: è stato tolto, restano le 11 cifre.");
const QString NotaSpazi = QStringLiteral("Gli spazi non fanno parte del numero: sono stati tolti.");
const QString NotaEuro =
    QStringLiteral("Il simbolo dell'euro e gli spazi non fanno parte dell'importo: sono stati tolti.");
const QString NotaRighe = QStringLiteral("Le tabulazioni e gli a capo del testo incollato sono diventati spazi.");
const QString NotaTagliato = QStringLiteral(
    "Il testo incollato supera i %1 caratteri del campo: ne sono stati inseriti soltanto i primi %2.");

// The letters named one by one in the note of letters written otherwise; the
// others are counted, so that the note stays on the info line.
constexpr qsizetype kLettereNominate = 6;

// Marks a field whose text the field's rule is rewriting while the user edits it.
constexpr char ProprietaRiscritto[] = "qvRiscritto";
constexpr char ProprietaRifiuto[] = "qvRifiuto";
constexpr char ProprietaTavolozza[] = "qvTavolozza";
constexpr char ProprietaDubbio[] = "qvImportoDubbio";

// The field's rule, applied by the edit field itself to every change of its
// text by the user, whichever way the text arrives. Pasted and dropped text
// is made fit before the field cuts it to its maximum length.
class FiltroCampo : public QValidator
{
public:
    FiltroCampo(QLineEdit *campo, int comportamenti, AvvisoCampo avviso)
        : QValidator(campo), m_campo(campo), m_comportamenti(comportamenti), m_avviso(std::move(avviso)),
          m_accettato(campo->text())
    {
        connect(campo, &QLineEdit::textChanged, this, [this](const QString &t) {
            m_accettato = t;
            // A text the program puts in starts afresh; what the user types
            // on after a refused character in an amount keeps the mark.
            if (!m_campo->isModified())
                m_campo->setProperty(ProprietaDubbio, QVariant());
            // The field puts a text the rule rewrote back as unmodified: only a
            // text the program puts in ends the visit's note.
            if (!m_campo->isModified() && !m_riscritto)
                m_traslitterate.clear();
            m_riscritto = false;
            if (!importoDubbio(m_campo))
                segnaRifiuto(m_campo, false);
        });
        campo->installEventFilter(this);
    }

    State validate(QString &testo, int &cursore) const override
    {
        const QString entrato = testo;
        const bool utente = m_campo->isModified() && testo != m_accettato;
        QString nota;
        bool grave = false;
        QList<Traslitterazione> traslitterate;
        if (utente) {
            // Taking characters away is correcting: the amount is the user's again.
            if (tolti(testo) > 0)
                m_campo->setProperty(ProprietaDubbio, QVariant());
            adattaParteNuova(testo, cursore, &nota, &grave, &traslitterate);
        }
        // What the user puts in an upper-case or trimmed field is rewritten at
        // once, typed, pasted, dropped or composed alike; a text the program
        // puts in stays as it is until the next key is released there.
        if ((m_comportamenti & (Maiuscole | TrimDigitando)) && m_campo->isModified()) {
            const QStringView parte = trimmedView(testo);
            const qsizetype inizio = parte.isEmpty() ? 0 : parte.data() - testo.constData();
            QString nuovo = parte.toString();
            if (m_comportamenti & Maiuscole)
                nuovo = upperAZ(nuovo);
            if (nuovo != testo) {
                cursore = int(std::clamp<qsizetype>(cursore - inizio, 0, nuovo.size()));
                testo = nuovo;
                // The field puts the rewritten text back as if set anew: the
                // cursor stays where the user is typing (mostraInizio).
                m_campo->setProperty(ProprietaRiscritto, true);
            }
        }
        QString carattere;
        const QString motivo = motivoRifiuto(testo, m_comportamenti, &carattere);
        if (motivo.isEmpty()) {
            if (testo != entrato)
                m_riscritto = true;
            ricorda(traslitterate, nota, grave);
            if (!nota.isEmpty() && m_avviso)
                m_avviso(nota, grave);
            return Acceptable;
        }
        m_campo->setProperty(ProprietaRiscritto, QVariant());
        // Told only when the user tries to change the text, not when the field
        // asks about a text it already holds (one loaded from an older card).
        if (utente)
            rifiuta(motivo, !carattere.isEmpty(), testo.size() - m_accettato.size() + tolti(testo) == 1);
        return Invalid;
    }

    // Puts a pasted text where the field's cursor is, made fit first, so that
    // a printed IBAN goes in whole.
    void incolla(const QString &testo)
    {
        QString nota;
        bool grave = false;
        QList<Traslitterazione> traslitterate;
        QString t = adattaInserito(testo, m_comportamenti, &nota, &grave, true, &traslitterate);
        // The whole text decides, before the field cuts it to its length: a
        // refused paste is not let in in part.
        const QString attuale = m_campo->text();
        const int inizio = m_campo->hasSelectedText() ? m_campo->selectionStart() : m_campo->cursorPosition();
        const QString risultato = attuale.left(inizio) + t + attuale.mid(inizio + m_campo->selectedText().size());
        QString carattere;
        if (const QString motivo = motivoRifiuto(risultato, m_comportamenti, &carattere); !motivo.isEmpty()) {
            rifiuta(motivo, !carattere.isEmpty(), false);
            return;
        }
        const int posto = m_campo->maxLength() - int(m_campo->text().size() - m_campo->selectedText().size());
        if (t.size() > posto) {
            nota = NotaTagliato.arg(m_campo->maxLength()).arg(std::max(posto, 0));
            grave = false;
        }
        m_rifiutato = false;
        m_campo->insert(t);
        if (!m_rifiutato)
            ricorda(traslitterate, nota, grave);
        if (!m_rifiutato && !nota.isEmpty() && m_avviso)
            m_avviso(nota, grave);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (oggetto != m_campo || m_inoltro || m_campo->isReadOnly() || !m_campo->isEnabled())
            return false;
        switch (evento->type()) {
        case QEvent::FocusIn:
            // The note of letters written otherwise starts afresh with each visit.
            m_traslitterate.clear();
            return false;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(evento)->matches(QKeySequence::Paste)) {
                incolla(QGuiApplication::clipboard()->text());
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            // The X11 selection pasted with the middle button.
            if (static_cast<QMouseEvent *>(evento)->button() == Qt::MiddleButton
                && QGuiApplication::clipboard()->supportsSelection()) {
                m_campo->deselect();
                incolla(QGuiApplication::clipboard()->text(QClipboard::Selection));
                return true;
            }
            return false;
        case QEvent::Drop: {
            auto *rilascio = static_cast<QDropEvent *>(evento);
            if (rilascio->source() == m_campo || !rilascio->mimeData()->hasText())
                return false;
            QString nota;
            bool grave = false;
            QList<Traslitterazione> traslitterate;
            QMimeData dati;
            dati.setText(adattaInserito(rilascio->mimeData()->text(), m_comportamenti, &nota, &grave, true,
                                        &traslitterate));
            QDropEvent adattato(rilascio->position(), rilascio->possibleActions(), &dati, rilascio->buttons(),
                                rilascio->modifiers());
            m_rifiutato = false;
            m_inoltro = true;
            QCoreApplication::sendEvent(m_campo, &adattato);
            m_inoltro = false;
            rilascio->setDropAction(adattato.dropAction());
            rilascio->setAccepted(adattato.isAccepted());
            if (!m_rifiutato && adattato.isAccepted())
                ricorda(traslitterate, nota, grave);
            if (!m_rifiutato && !nota.isEmpty() && m_avviso)
                m_avviso(nota, grave);
            return true;
        }
        case QEvent::ContextMenu: {
            // The field's own menu, whose "Incolla" pastes the way Ctrl+V does.
            QMenu *menu = m_campo->createStandardContextMenu();
            for (QAction *a : menu->actions()) {
                // The action the field connected to its own paste.
                if (!QObject::disconnect(a, &QAction::triggered, m_campo, &QLineEdit::paste)
                    && !QObject::disconnect(a, SIGNAL(triggered()), m_campo, SLOT(paste())))
                    continue;
                a->setObjectName(QStringLiteral("edit-paste"));
                connect(a, &QAction::triggered, this, [this] { incolla(QGuiApplication::clipboard()->text()); });
            }
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(static_cast<QContextMenuEvent *>(evento)->globalPos());
            return true;
        }
        default:
            return false;
        }
    }

private:
    // A text refused: a beep, the field marked and the reason told.
    // `digitato`: one character typed, which the user may have typed on after.
    void rifiuta(const QString &motivo, bool grave, bool digitato) const
    {
        m_rifiutato = true;
        // The digits typed on after a refused character would make another
        // amount ("1,250,50" typed fast gives 1,25050): it stays to be checked.
        if ((m_comportamenti & Importo) && digitato)
            m_campo->setProperty(ProprietaDubbio, true);
        QApplication::beep();
        segnaRifiuto(m_campo, true);
        if (m_avviso)
            m_avviso(motivo, grave);
    }

    // How many characters `testo` shares with the accepted text at its start
    // and, after those, at its end: what lies between is what the edit changed.
    std::pair<qsizetype, qsizetype> comuni(const QString &testo) const
    {
        const qsizetype minimo = std::min(testo.size(), m_accettato.size());
        qsizetype prima = 0;
        while (prima < minimo && testo.at(prima) == m_accettato.at(prima))
            ++prima;
        qsizetype dopo = 0;
        while (dopo < minimo - prima && testo.at(testo.size() - 1 - dopo) == m_accettato.at(m_accettato.size() - 1 - dopo))
            ++dopo;
        return {prima, dopo};
    }

    // How many characters of the accepted text the edit giving `testo` took away.
    qsizetype tolti(const QString &testo) const
    {
        const auto [prima, dopo] = comuni(testo);
        return m_accettato.size() - prima - dopo;
    }

    // The letters written otherwise by a change the field took in, added to
    // those of this visit: the note names them all, and it is the note told
    // (the rest of the change shows in the field).
    void ricorda(const QList<Traslitterazione> &traslitterate, QString &nota, bool &grave) const
    {
        if (traslitterate.isEmpty())
            return;
        grave = true;
        for (const Traslitterazione &t : traslitterate)
            if (!m_traslitterate.contains(t))
                m_traslitterate.append(t);
        nota = notaTraslitterazione(m_traslitterate);
    }

    // The part of `testo` the user has just put in (what differs from the text
    // the field held) is made fit; the cursor keeps its place after it.
    void adattaParteNuova(QString &testo, int &cursore, QString *nota, bool *grave,
                          QList<Traslitterazione> *traslitterate) const
    {
        const auto [prima, dopo] = comuni(testo);
        const qsizetype fine = testo.size() - dopo;
        const QString nuovo = testo.mid(prima, fine - prima);
        const QString adattato = adattaInserito(nuovo, m_comportamenti, nota, grave, false, traslitterate);
        if (adattato == nuovo)
            return;
        testo = testo.left(prima) + adattato + testo.mid(fine);
        if (cursore >= fine)
            cursore += int(adattato.size() - nuovo.size());
        else if (cursore > prima)
            cursore = int(prima + std::min(adattato.size(), qsizetype(cursore) - prima));
        m_campo->setProperty(ProprietaRiscritto, true);
    }

    QLineEdit *m_campo;
    int m_comportamenti;
    AvvisoCampo m_avviso;
    QString m_accettato;
    mutable bool m_rifiutato = false;
    bool m_inoltro = false;
    // The letters of other alphabets written otherwise since the field was
    // entered or the program set its text.
    mutable QList<Traslitterazione> m_traslitterate;
    mutable bool m_riscritto = false; // the text accepted last was rewritten by the rule
};

} // namespace

QString motivoRifiuto(const QString &testo, int comportamenti, QString *carattere)
{
    const QString fuori = primoFuoriCp1252(testo);
    if (carattere)
        *carattere = fuori;
    if (!fuori.isEmpty())
        return MsgCodifica.arg(fuori);
    if (comportamenti & Importo) {
        switch (statoImporto(testo)) {
        case StatoImporto::Valido:
        case StatoImporto::Migliaia: return QString();
        case StatoImporto::Carattere: return MsgSoloImporto;
        case StatoImporto::SecondaVirgola: return MsgUnaVirgola;
        case StatoImporto::PuntoDopoVirgola: return MsgPuntoNeiDecimali;
        }
    }
    if ((comportamenti & SoloCifre) && !allDigits(testo) && !testo.isEmpty())
        return MsgSoloCifre;
    if ((comportamenti & DataCalendario) && !std::all_of(testo.begin(), testo.end(), carattereData))
        return MsgSoloData;
    return QString();
}

QString notaTraslitterazione(const QList<Traslitterazione> &cambi)
{
    if (cambi.isEmpty())
        return QString();
    const qsizetype nominate = cambi.size() > kLettereNominate + 1 ? kLettereNominate : cambi.size();
    QString nota = cambi.constFirst().da + QStringLiteral(" è stato scritto come ") + cambi.constFirst().a;
    for (qsizetype i = 1; i < nominate; ++i)
        nota += QStringLiteral(", ") + cambi.at(i).da + QStringLiteral(" come ") + cambi.at(i).a;
    if (nominate < cambi.size())
        nota += QStringLiteral(" e altre %1 allo stesso modo").arg(cambi.size() - nominate);
    return nota
        + (cambi.size() == 1 ? QStringLiteral(": lettera fuori dall'alfabeto occidentale (Windows-1252).")
                             : QStringLiteral(": lettere fuori dall'alfabeto occidentale (Windows-1252)."));
}

QString adattaInserito(const QString &testo, int comportamenti, QString *nota, bool *grave, bool intero,
                       QList<Traslitterazione> *traslitterate)
{
    QString t;
    QString n;
    bool g = false;
    if (comportamenti & Codice) {
        t = senzaSeparatori(testo);
        if (t != testo)
            n = NotaSeparatori;
        if (intero && (comportamenti & SoloCifre) && togliPrefissoPaese(t)) {
            n = NotaPrefisso;
            g = true;
        }
    } else if (comportamenti & Importo) {
        t = importoIncollato(testo);
        if (t != testo)
            n = NotaEuro;
    } else if (comportamenti & SoloCifre) {
        t = testo;
        t.removeIf([](QChar c) { return c.isSpace(); });
        if (t != testo)
            n = NotaSpazi;
    } else if (comportamenti & DataCalendario) {
        // A date copied from a letter or a spreadsheet cell goes in the way
        // every date field shows it.
        t = suUnaRiga(testo);
        if (const DataDigitata d = leggiDataDigitata(t); intero && d.stato == DataDigitata::Valida)
            t = d.testo;
    } else {
        t = suUnaRiga(testo);
        // A line break at the end of a copied cell is no news.
        if (t.trimmed() != testo.trimmed())
            n = NotaRighe;
    }
    // A letter of another Latin alphabet is written as the code page's letter
    // that stands for it; the user hears of it, whatever else was changed.
    QList<Traslitterazione> cambi;
    t = traslittera(t, &cambi);
    if (!cambi.isEmpty()) {
        n = notaTraslitterazione(cambi);
        g = true;
    }
    if (traslitterate)
        *traslitterate = cambi;
    if (nota && !n.isEmpty())
        *nota = n;
    if (grave && g)
        *grave = true;
    return t;
}

QString motivoImportoAmbiguo(const QString &testo)
{
    return QStringLiteral("L'importo \"%1\" non è chiaro: il punto separa le migliaia (1.250,50), i decimali "
                          "vanno dopo la virgola.")
        .arg(trimmed(testo));
}

bool importoDubbio(const QLineEdit *campo)
{
    return campo->property(ProprietaDubbio).toBool();
}

QString motivoImportoDaCorreggere(const QLineEdit *campo)
{
    const QString testo = trimmed(campo->text());
    if (importoDubbio(campo))
        return QStringLiteral("Un carattere dell'importo non è stato accettato: controllare \"%1\" e correggerlo "
                              "prima di salvare.")
            .arg(testo);
    if (statoImporto(testo) == StatoImporto::Migliaia)
        return motivoImportoAmbiguo(testo);
    return QString();
}

void applicaFiltro(QLineEdit *campo, int comportamenti, AvvisoCampo avviso)
{
    if (!avviso)
        avviso = [campo](const QString &motivo, bool grave) { avvisoSenzaRigaInfo(campo, motivo, grave); };
    delete campo->validator();
    campo->setValidator(new FiltroCampo(campo, comportamenti, std::move(avviso)));
    if ((comportamenti & Importo) && capacitaImporto(campo) == 0 && campo->maxLength() < 32767) {
        // Room for the thousands dots the record field does not hold.
        campo->setProperty(ProprietaCapacitaImporto, campo->maxLength());
        campo->setMaxLength(campo->maxLength() + campo->maxLength() / 3);
    }
}

int capacitaImporto(const QLineEdit *campo)
{
    return campo->property(ProprietaCapacitaImporto).toInt();
}

// The value an amount field was given, as the card held it.
static constexpr char ProprietaImportoCaricato[] = "qvImportoCaricato";

void mostraValore(QLineEdit *campo, const QString &valore)
{
    if (capacitaImporto(campo)) {
        campo->setProperty(ProprietaImportoCaricato, trimmed(valore));
        campo->setText(mostraImporto(valore));
    } else {
        campo->setText(trimmed(valore));
    }
    campo->setCursorPosition(0);
}

QString valoreDelTesto(const QLineEdit *campo)
{
    if (!capacitaImporto(campo))
        return trimmed(campo->text());
    const QString valore = importoArchivio(campo->text());
    const QString caricato = campo->property(ProprietaImportoCaricato).toString();
    const bool stesso = !caricato.isEmpty() && statoImporto(valore) == StatoImporto::Valido
                        && statoImporto(caricato) == StatoImporto::Valido
                        && formattaImporto(valore) == formattaImporto(caricato);
    return stesso ? caricato : valore;
}

void avvisoSenzaRigaInfo(QLineEdit *campo, const QString &motivo, bool grave)
{
    // Shown once the field has finished with the text.
    if (!grave)
        return;
    // "Il carattere..." goes on as "Attenzione: il carattere..."; a text that
    // starts with the letter it is about ("Ș è stato scritto come S") keeps it.
    const bool lettera = motivo.size() > 1 && motivo.at(1) == u' ';
    const QString testo = lettera ? motivo : motivo.left(1).toLower() + motivo.mid(1);
    QTimer::singleShot(0, campo, [campo, testo] {
        Servizi::correnti().messaggio(campo->window(), TipoMessaggio::Avviso, QStringLiteral("Attenzione: ") + testo);
    });
}

void segnaRifiuto(QLineEdit *campo, bool segnato)
{
    if (segnato == rifiutoSegnato(campo))
        return;
    if (segnato) {
        campo->setProperty(ProprietaTavolozza, QVariant::fromValue(campo->palette()));
        QPalette p = campo->palette();
        p.setColor(QPalette::Base, QColor(0xFF, 0xC4, 0xC4));
        campo->setPalette(p);
    } else {
        campo->setPalette(campo->property(ProprietaTavolozza).value<QPalette>());
        campo->setProperty(ProprietaTavolozza, QVariant());
    }
    campo->setProperty(ProprietaRifiuto, segnato ? QVariant(true) : QVariant());
}

bool rifiutoSegnato(const QLineEdit *campo)
{
    return campo->property(ProprietaRifiuto).toBool();
}

void mostraInizio(QLineEdit *campo)
{
    // setText() leaves the text unmodified and the cursor at its end: a long
    // text would show its end.
    QObject::connect(campo, &QLineEdit::textChanged, campo, [campo] {
        if (campo->property(ProprietaRiscritto).toBool())
            campo->setProperty(ProprietaRiscritto, QVariant());
        else if (!campo->isModified())
            campo->setCursorPosition(0);
    });
    campo->setCursorPosition(0);
}

} // namespace qv
