#pragma once
// The program folder and the names of every file the program keeps in it.
// The program hands in its executable's folder; tests hand in a temporary one.

#include <QString>

namespace qv {

class CartellaProgramma
{
public:
    CartellaProgramma() = default;
    explicit CartellaProgramma(const QString &dir);

    QString dir() const { return m_dir; }
    QString file(const QString &name) const;

    QString archivioDipendenti() const;            // Dipendenti.pro
    QString archivioContratti(int anno) const;     // yyyy.con
    QString impostazioni() const;                  // Quadrivela.ini
    QString archivioPassword() const;              // unins000.dll
    QString foto(int posizione) const;             // n.jpg
    QString foglioLavoro(int posizione) const;     // Dipendente_n.xls
    QString foglioLavoroXlsx(int posizione) const; // Dipendente_n.xlsx
    QString esportazioneDipendenti() const;        // Dipendenti.xls
    QString esportazioneContratti() const;         // Contratti_Lavoro.xls
    QString cartellaDipendenti() const;            // Dipendenti.xlsx
    QString cartellaContratti() const;             // Contratti_Lavoro.xlsx
    QString documentoContratto() const;            // Contratto_Collaborazione.rtf
    QString guida() const;                         // Guida.pdf
    QString diario() const;                        // Quadrivela.log (and Quadrivela.log.1)

private:
    QString m_dir;
};

// The program folder: the executable's folder in the program, a temporary one in tests.
const CartellaProgramma &cartellaProgramma();
void impostaCartellaProgramma(const QString &dir);

// The folder of the running executable, where the program keeps its files and
// finds the libraries it carries. `processo` is what the system names as the
// running program (/proc/self/exe) and `argv0` the program's first argument.
// A program started through the system's dynamic loader (as a launcher does
// from a stick mounted without the executable bit) is the loader to the
// system: its folder is then the one of argv0. Empty when neither tells.
QString cartellaEseguibile(const QString &processo, const QString &argv0);
// The same for this process.
QString cartellaEseguibile(const QString &argv0);

} // namespace qv
