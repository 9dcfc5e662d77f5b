#pragma once
// The guide document "Guida.pdf": the general guide laid out on A4 pages.

#include <QString>

namespace qv {

// Writes the guide document to `percorso`, creating its folder when missing.
// The file appears only once it is complete: a failure leaves whatever was
// there before. Needs a QGuiApplication (the offscreen platform will do).
// On failure returns false and, when `errore` is given, says why.
bool scriviGuidaPdf(const QString &percorso, QString *errore = nullptr);

} // namespace qv
