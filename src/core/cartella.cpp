#include "cartella.h"

#include "sottofondo.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

namespace {

CartellaProgramma s_cartella;

} // namespace

const CartellaProgramma &cartellaProgramma()
{
    return s_cartella;
}

void impostaCartellaProgramma(const QString &dir)
{
    // A read in the background may be using the folder's name.
    attendiSottofondo();
    s_cartella = CartellaProgramma(dir);
}

CartellaProgramma::CartellaProgramma(const QString &dir)
    : m_dir(QDir::cleanPath(QDir(dir).absolutePath()))
{
}

QString CartellaProgramma::file(const QString &name) const
{
    return m_dir + QLatin1Char('/') + name;
}

QString CartellaProgramma::archivioDipendenti() const { return file(QStringLiteral("Dipendenti.pro")); }

QString CartellaProgramma::archivioContratti(int anno) const
{
    return file(QStringLiteral("%1.con").arg(anno, 4, 10, QLatin1Char('0')));
}

QString CartellaProgramma::impostazioni() const { return file(QStringLiteral("Quadrivela.ini")); }
QString CartellaProgramma::diario() const { return file(QStringLiteral("Quadrivela.log")); }
QString CartellaProgramma::archivioPassword() const { return file(QStringLiteral("unins000.dll")); }
QString CartellaProgramma::foto(int posizione) const { return file(QString::number(posizione) + QStringLiteral(".jpg")); }

QString CartellaProgramma::foglioLavoro(int posizione) const
{
    return file(QStringLiteral("Dipendente_") + QString::number(posizione) + QStringLiteral(".xls"));
}

QString CartellaProgramma::foglioLavoroXlsx(int posizione) const
{
    return file(QStringLiteral("Dipendente_") + QString::number(posizione) + QStringLiteral(".xlsx"));
}

QString CartellaProgramma::esportazioneDipendenti() const { return file(QStringLiteral("Dipendenti.xls")); }
QString CartellaProgramma::esportazioneContratti() const { return file(QStringLiteral("Contratti_Lavoro.xls")); }
QString CartellaProgramma::cartellaDipendenti() const { return file(QStringLiteral("Dipendenti.xlsx")); }
QString CartellaProgramma::cartellaContratti() const { return file(QStringLiteral("Contratti_Lavoro.xlsx")); }
QString CartellaProgramma::documentoContratto() const { return file(QStringLiteral("Contratto_Collaborazione.rtf")); }
QString CartellaProgramma::guida() const { return file(QStringLiteral("Guida.pdf")); }

QString cartellaEseguibile(const QString &processo, const QString &argv0)
{
    const QString nome = QFileInfo(processo).fileName();
    const bool caricatore = nome.startsWith(QLatin1String("ld-linux")) || nome.startsWith(QLatin1String("ld.so"))
                            || nome.startsWith(QLatin1String("ld-2."));
    if (!processo.isEmpty() && !caricatore)
        return QDir::cleanPath(QFileInfo(processo).absolutePath());
    if (caricatore && !argv0.isEmpty())
        return QDir::cleanPath(QFileInfo(argv0).absolutePath());
    return QString();
}

QString cartellaEseguibile(const QString &argv0)
{
    return cartellaEseguibile(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget(), argv0);
}

} // namespace qv
