#include "presenza.h"

#include "blocco.h"

#include <QDir>
#include <QFile>

#include <cerrno>

namespace qv {

struct PresenzaCartella::Stato
{
    QString cartella;
    QFile file;
    BloccoFile blocco;
    bool entrata = false;
};

PresenzaCartella &PresenzaCartella::questa()
{
    static PresenzaCartella p;
    return p;
}

bool PresenzaCartella::apri(const QString &cartella)
{
    // A lock belongs to the process and goes when any descriptor of its file
    // is closed: the file is opened once and kept open.
    if (m_stato && m_stato->cartella == cartella && m_stato->file.isOpen() && m_stato->file.exists())
        return true;
    // Also when the file went meanwhile: this copy is still running.
    const bool entrata = m_stato && m_stato->entrata && m_stato->cartella == cartella;
    delete m_stato;
    m_stato = new Stato;
    m_stato->cartella = cartella;
    m_stato->entrata = entrata;
    m_stato->file.setFileName(QDir(cartella).filePath(NomeFilePresenza));
    return m_stato->file.open(QIODevice::ReadWrite);
}

void PresenzaCartella::entra(const QString &cartella)
{
    if (!apri(cartella))
        return;
    m_stato->entrata = true;
    // A restore in progress elsewhere keeps it for a moment: this copy runs all the same.
    m_stato->blocco.prendi(m_stato->file.handle(), TipoBlocco::Condiviso);
}

bool PresenzaCartella::soloQuesta(const QString &cartella)
{
    if (!apri(cartella))
        return false;
    if (m_stato->blocco.prendi(m_stato->file.handle(), TipoBlocco::Esclusivo))
        return true;
    const int e = errno;
    if (m_stato->entrata)
        m_stato->blocco.prendi(m_stato->file.handle(), TipoBlocco::Condiviso);
    // A file system without locks cannot tell: as the archives, it is used as
    // before there were any.
    return e != EAGAIN;
}

void PresenzaCartella::lascia()
{
    if (!m_stato)
        return;
    if (m_stato->entrata) {
        m_stato->blocco.prendi(m_stato->file.handle(), TipoBlocco::Condiviso);
        return;
    }
    m_stato->blocco.rilascia();
    m_stato->file.close();
}

} // namespace qv
