#pragma once
// The maker of the program, as the about and credits screens show it.

#include <QString>

namespace qv {

inline const QString NomeProduttore = QStringLiteral("Quadrivela Software");
inline const QString EmailProduttore = QStringLiteral("info@quadrivela.it");
inline const QString SitoProduttore = QStringLiteral("https://www.quadrivela.it");
inline const QString SitoProduttoreBreve = QStringLiteral("www.quadrivela.it");

} // namespace qv
