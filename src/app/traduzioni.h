#pragma once
// The Italian of the few texts of Qt's own dialogs that Qt's Italian
// translations leave in English (the print dialog's page range and
// double-sided printing), for exactly those source texts.

#include <QTranslator>

namespace qv {

class TraduzioniProgramma : public QTranslator
{
public:
    using QTranslator::QTranslator;
    QString translate(const char *contesto, const char *testo, const char *disambiguazione = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

} // namespace qv
