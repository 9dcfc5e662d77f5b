#include "serviziprova.h"

#include <QFileInfo>
#include <QPrinter>

#include "app/applicazione.h"

namespace qv {

namespace {

// Records every step in the services' list and stops where the test said.
class AvanzamentoProva : public Avanzamento
{
public:
    AvanzamentoProva(QList<AvanzamentoMostrato> &elenco, qsizetype fermaA)
        : m_elenco(elenco), m_indice(elenco.size() - 1), m_fermaA(fermaA)
    {
    }
    bool avanza(qsizetype fatti) override
    {
        const bool ferma = m_fermaA >= 0 && fatti >= m_fermaA;
        if (m_indice < m_elenco.size()) { // the test may have emptied the list meanwhile
            m_elenco[m_indice].passi.append(fatti);
            m_elenco[m_indice].fermato = m_elenco[m_indice].fermato || ferma;
        }
        return !ferma;
    }

private:
    QList<AvanzamentoMostrato> &m_elenco;
    qsizetype m_indice;
    qsizetype m_fermaA;
};

} // namespace

ServiziProva::ServiziProva()
{
    caricaRisorse();
    Servizi::installa(this);
}

QStringList ServiziProva::testi() const
{
    QStringList out;
    for (const auto &m : messaggi)
        out << m.testo;
    return out;
}

void ServiziProva::azzera()
{
    messaggi.clear();
    siPredefiniti.clear();
    pulsantiScelte.clear();
    aperti.clear();
    dialoghiEseguiti.clear();
    titoliFile.clear();
    filtriFile.clear();
    nomiIniziali.clear();
    copieOfferte.clear();
    avanzamenti.clear();
    anteprime = 0;
}

void ServiziProva::messaggio(QWidget *, TipoMessaggio tipo, const QString &testo)
{
    using G = MessaggioMostrato::Genere;
    G g = G::Semplice;
    switch (tipo) {
    case TipoMessaggio::Avviso: g = G::Avviso; break;
    case TipoMessaggio::Informazione: g = G::Informazione; break;
    case TipoMessaggio::Errore: g = G::Errore; break;
    case TipoMessaggio::Semplice: g = G::Semplice; break;
    }
    messaggi.append({g, testo});
}

bool ServiziProva::domanda(QWidget *, const QString &testo, bool siPredefinito)
{
    messaggi.append({MessaggioMostrato::Genere::Domanda, testo});
    siPredefiniti.append(siPredefinito);
    return m_risposte.isEmpty() ? true : m_risposte.dequeue();
}

int ServiziProva::scelta(QWidget *, const QString &testo, const QStringList &pulsanti, int, int fuga)
{
    messaggi.append({MessaggioMostrato::Genere::Scelta, testo});
    pulsantiScelte << pulsanti;
    return m_scelte.isEmpty() ? fuga : m_scelte.dequeue();
}

std::optional<QString> ServiziProva::chiediTesto(QWidget *, const QString &, const QString &richiesta,
                                                 const QString &iniziale)
{
    messaggi.append({MessaggioMostrato::Genere::Richiesta, richiesta});
    return m_testi.isEmpty() ? std::optional<QString>(iniziale) : m_testi.dequeue();
}

QString ServiziProva::fileDaAprire(QWidget *, const QString &titolo, const QStringList &filtri, const QString &)
{
    titoliFile << titolo;
    filtriFile << filtri;
    nomiIniziali << QString();
    return m_file.isEmpty() ? QString() : m_file.dequeue();
}

QString ServiziProva::fileDaSalvare(QWidget *, const QString &titolo, const QStringList &filtri,
                                    const QString &nomeIniziale, const QString &estensione)
{
    titoliFile << titolo;
    filtriFile << filtri;
    nomiIniziali << nomeIniziale;
    QString f = m_file.isEmpty() ? QString() : m_file.dequeue();
    if (!f.isEmpty() && !estensione.isEmpty() && QFileInfo(f).suffix().isEmpty())
        f += u'.' + estensione;
    return f;
}

bool ServiziProva::dialogoStampa(QWidget *, QPrinter &stampante)
{
    ++dialoghiStampa;
    copieOfferte << stampante.copyCount();
    const bool si = m_stampe.isEmpty() ? true : m_stampe.dequeue();
    if (si && nelDialogoStampa)
        nelDialogoStampa(stampante);
    return si;
}

void ServiziProva::anteprima(QWidget *, QPrinter &stampante, const std::function<void(QPrinter *)> &disegna)
{
    ++anteprime;
    disegna(&stampante);
}

std::unique_ptr<Fotocamera> ServiziProva::fotocamera()
{
    auto f = std::make_unique<FotocameraProva>();
    ultimaFotocamera = f.get();
    return f;
}

int ServiziProva::esegui(QDialog *dialogo)
{
    dialoghiEseguiti << QString::fromLatin1(dialogo->metaObject()->className()).section(u':', -1);
    if (m_dialoghi.isEmpty())
        return QDialog::Rejected;
    return m_dialoghi.dequeue()(dialogo);
}

std::unique_ptr<Avanzamento> ServiziProva::avanzamento(QWidget *, const QString &testo, qsizetype totale)
{
    avanzamenti.append({testo, totale, {}, false});
    return std::make_unique<AvanzamentoProva>(avanzamenti, m_annullamenti.isEmpty() ? -1 : m_annullamenti.dequeue());
}

} // namespace qv
