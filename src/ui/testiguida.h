#pragma once
// The guide texts: paragraphs that the guide dialog shows and that the guide
// document "Guida.pdf" is generated from.

#include <QString>
#include <QStringList>

namespace qv {

inline const QString TitoloGuidaGenerale = QStringLiteral("Uno sguardo a Quadrivela.");

// The 35 paragraphs of the general guide, in order.
const QStringList &paragrafiGuidaGenerale();

// The employee card's help: paragraphs 2 to 13 of the general guide, word for word.
QStringList paragrafiGuidaAnagrafica();

// The contract menu's and contract screen's help: paragraphs 14 to 26 of the general guide.
QStringList paragrafiGuidaContratti();

// The statistics screen's help: its title and four paragraphs.
inline const QString TitoloGuidaStatistiche = QStringLiteral("Grafici statistici contratti.");
const QStringList &paragrafiGuidaStatistiche();

// The contract summary's help.
inline const QString TitoloGuidaRiepilogo = QStringLiteral("Riepilogo Contratti.");
QStringList paragrafiGuidaRiepilogo();

// The help of the two export screens: the employees' and a year's contracts'.
QStringList paragrafiGuidaEsportaDipendenti();
QStringList paragrafiGuidaEsportaContratti();

// Paragraphs joined by an empty line (CR LF CR LF between two, nothing after the last).
QString testoGuida(const QStringList &paragrafi);

} // namespace qv
