#pragma once
// The photo box of an employee card on a bare screen, with scripted services
// and an empty program folder of its own: where the photo tests start from.

#include "ui/schermi.h"
#include "registry/foto.h"
#include "support/serviziprova.h"

#include <QTemporaryDir>
#include <QWidget>

namespace qv {

struct BancoFoto
{
    ServiziProva *servizi = nullptr;
    QTemporaryDir *cartella = nullptr;
    QWidget *schermo = nullptr;
    FotoScheda *foto = nullptr;

    // For a test's init(): everything new.
    void prepara()
    {
        servizi = new ServiziProva;
        cartella = new QTemporaryDir;
        impostaCartellaProgramma(cartella->path());
        schermo = new QWidget;
        auto *pannello = new QWidget(schermo);
        pannello->resize(995, 692);
        foto = new FotoScheda(pannello, schermo);
    }

    // For a test's cleanup().
    void smonta()
    {
        delete schermo;
        delete cartella;
        delete servizi;
        schermo = nullptr;
        cartella = nullptr;
        servizi = nullptr;
        foto = nullptr;
    }
};

} // namespace qv
