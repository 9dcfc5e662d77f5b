#pragma once
// Scripted services for the screen tests: answers and file names are queued
// beforehand, and everything the screens showed or opened is read back after.

#include "ui/servizi.h"

#include <QDialog>
#include <QList>
#include <QQueue>

#include <functional>

namespace qv {

struct MessaggioMostrato
{
    enum class Genere { Avviso, Informazione, Errore, Semplice, Domanda, Richiesta, Scelta };
    Genere genere;
    QString testo;
};

// A camera that is switched on and off by the screens and fed by the test.
class FotocameraProva : public Fotocamera
{
    Q_OBJECT
public:
    bool presente = true;
    bool accendi() override { m_accesa = presente; return presente; }
    void spegni() override { m_accesa = false; }
    bool accesa() const override { return m_accesa; }
    void invia(const QImage &img) { if (m_accesa) emit fotogramma(img); }

private:
    bool m_accesa = false;
};

// A progress window as the screens used it: its text, its total and every
// step it was told; `fermato` once it stopped the work.
struct AvanzamentoMostrato
{
    QString testo;
    qsizetype totale = 0;
    QList<qsizetype> passi;
    bool fermato = false;
};

class ServiziProva : public Servizi
{
public:
    ServiziProva();
    ~ServiziProva() override { Servizi::installa(nullptr); }

    // --- scripting
    QDateTime orologio = QDateTime(QDate(2017, 3, 15), QTime(10, 30, 0));
    void rispondi(bool si) { m_risposte.enqueue(si); }
    // The button pressed in the next question with buttons of its own; with
    // none queued, Escape (the question's own way back).
    void scegli(int indice) { m_scelte.enqueue(indice); }
    void testoDaDigitare(std::optional<QString> testo) { m_testi.enqueue(testo); }
    void prossimoFile(const QString &percorso) { m_file.enqueue(percorso); }
    void stampaConfermata(bool si) { m_stampe.enqueue(si); }
    // What the print dialog does before it closes (print to a file, change the
    // copies...); the copies each print dialog was opened with are recorded.
    std::function<void(QPrinter &)> nelDialogoStampa;
    QList<int> copieOfferte;
    // What to do with the next modal dialog instead of running it: the handler
    // may fill it in and press its buttons, and returns its result.
    void quandoDialogo(std::function<int(QDialog *)> gestore) { m_dialoghi.enqueue(std::move(gestore)); }
    // The next progress window is stopped with Annulla once the work reaches `passo`.
    void annullaAvanzamento(qsizetype passo) { m_annullamenti.enqueue(passo); }

    // --- what the screens did
    QList<MessaggioMostrato> messaggi;
    QList<bool> siPredefiniti; // for each question, whether Enter answers Sì
    QList<QStringList> pulsantiScelte; // the buttons of each question with buttons of its own
    QList<QUrl> aperti;
    QList<AvanzamentoMostrato> avanzamenti;
    QStringList dialoghiEseguiti;  // class names, in order
    QStringList titoliFile;
    QList<QStringList> filtriFile;
    QStringList nomiIniziali;
    int anteprime = 0;
    int dialoghiStampa = 0;   // print dialogs offered
    int terminazioni = 0;
    // The system has no program to open anything with: addresses are still recorded in `aperti`.
    bool aperturaImpossibile = false;
    FotocameraProva *ultimaFotocamera = nullptr;

    QStringList testi() const;
    QString ultimoTesto() const { return messaggi.isEmpty() ? QString() : messaggi.constLast().testo; }
    void azzera();

    // --- Servizi
    void messaggio(QWidget *padre, TipoMessaggio tipo, const QString &testo) override;
    bool domanda(QWidget *padre, const QString &testo, bool siPredefinito) override;
    int scelta(QWidget *padre, const QString &testo, const QStringList &pulsanti, int predefinito,
               int fuga) override;
    std::optional<QString> chiediTesto(QWidget *padre, const QString &titolo, const QString &richiesta,
                                       const QString &iniziale) override;
    QString fileDaAprire(QWidget *padre, const QString &titolo, const QStringList &filtri,
                         const QString &cartella) override;
    QString fileDaSalvare(QWidget *padre, const QString &titolo, const QStringList &filtri,
                          const QString &nomeIniziale, const QString &estensione) override;
    bool dialogoStampa(QWidget *padre, QPrinter &stampante) override;
    void anteprima(QWidget *padre, QPrinter &stampante, const std::function<void(QPrinter *)> &disegna) override;
    QDateTime adesso() override { return orologio; }
    std::unique_ptr<Fotocamera> fotocamera() override;
    std::unique_ptr<Avanzamento> avanzamento(QWidget *padre, const QString &testo, qsizetype totale) override;
    int esegui(QDialog *dialogo) override;
    void termina() override { ++terminazioni; }

protected:
    bool apriConSistema(const QUrl &url) override { aperti.append(url); return !aperturaImpossibile; }

private:
    QQueue<bool> m_risposte;
    QQueue<int> m_scelte;
    QQueue<std::optional<QString>> m_testi;
    QQueue<QString> m_file;
    QQueue<bool> m_stampe;
    QQueue<std::function<int(QDialog *)>> m_dialoghi;
    QQueue<qsizetype> m_annullamenti;
};

} // namespace qv
