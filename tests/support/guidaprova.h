#pragma once
// Reads back the guide dialog a help button opens, without running it.

#include "support/serviziprova.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include <functional>

namespace qv::prova {

struct GuidaMostrata
{
    QStringList dialoghi; // the dialogs run, by class name
    QString titolo;
    QStringList paragrafi; // the text split at its empty lines
};

inline GuidaMostrata guidaMostrata(ServiziProva &servizi, const std::function<void()> &apri)
{
    GuidaMostrata g;
    QString testo;
    servizi.quandoDialogo([&](QDialog *d) {
        g.titolo = d->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
        testo = d->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"))->toPlainText();
        return 0;
    });
    apri();
    g.dialoghi = servizi.dialoghiEseguiti;
    g.paragrafi = testo.split(QRegularExpression(QStringLiteral("\r?\n\r?\n")));
    return g;
}

} // namespace qv::prova
