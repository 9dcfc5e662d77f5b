#pragma once
// The real services, on Qt's own dialogs and the desktop: the message boxes,
// the input box, the file and print dialogs, the print preview, the progress
// window, the system's opener, the clock and the camera module. The program
// installs them at start-up (app/main.cpp); nothing else makes them.

#include "ui/servizi.h"

namespace qv {

class ServiziReali : public Servizi
{
public:
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
    QString cartellaDaScegliere(QWidget *padre, const QString &titolo, const QString &iniziale) override;
    std::unique_ptr<Avanzamento> avanzamento(QWidget *padre, const QString &testo) override;
    bool dialogoStampa(QWidget *padre, QPrinter &stampante) override;
    void anteprima(QWidget *padre, QPrinter &stampante, const std::function<void(QPrinter *)> &disegna) override;
    QDateTime adesso() override;
    std::unique_ptr<Fotocamera> fotocamera() override;
    int esegui(QDialog *dialogo) override;
    void termina() override;

protected:
    bool apriConSistema(const QUrl &url) override;
};

} // namespace qv
