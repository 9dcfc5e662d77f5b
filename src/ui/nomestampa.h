#pragma once
// The name a print job carries and the file that printing to a file proposes:
// what is printed and when ("Statistiche contratti 2026.pdf",
// "Riepilogo Dipendenti in archivio 10-12-2026.pdf"), in the folder the user
// last printed a file to, else the user's Documents folder, else the program
// folder; never in a folder that cannot be written: the Documents folder is
// made rather than propose a read-only program folder.

#include <QDate>
#include <QString>

class QPrintDialog;
class QPrinter;

namespace qv {

// Writes to the program's log that printing on `stampante` failed, and why
// (the printer's name or "a PDF file", never what was printed); false.
bool stampaFallita(const QPrinter &stampante, const char *perche);

// A document name: `cosa`, then the day as dd-mm-yyyy when one is given;
// characters a file name cannot hold become blanks.
QString nomeDocumentoStampa(const QString &cosa, const QDate &giorno = QDate());

// The file proposed for a document name (the printer's docName), ".pdf" added.
QString fileStampaProposto(const QString &nomeDocumento);
// The folder of a file printed to becomes the folder of the next proposals
// (for as long as the program runs).
void ricordaCartellaStampa(const QString &file);
// Back to no folder remembered.
void dimenticaCartellaStampa();

// Makes the print dialog propose that file whenever its printer is the PDF
// file and no file was chosen yet, in place of the toolkit's own "print.pdf".
void proponiFileStampa(QPrintDialog &dialogo, const QPrinter &stampante);
// After the dialog was accepted: remembers the folder of a file printed to.
void dopoDialogoStampa(const QPrinter &stampante);

} // namespace qv
