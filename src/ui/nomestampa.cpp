#include "nomestampa.h"

#include "core/cartella.h"
#include "core/diario.h"
#include "storage/sololettura.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace qv {

namespace {

QString s_cartellaRicordata;

// Whether the file `nome` could be written in `cartella` (tried, not guessed
// from the permission bits).
bool scrivibile(const QString &cartella, const QString &nome)
{
    return QFileInfo(cartella).isDir() && !percorsoSolaLettura(QDir(cartella).filePath(nome));
}

QString cartellaProposta(const QString &nome)
{
    if (!s_cartellaRicordata.isEmpty() && scrivibile(s_cartellaRicordata, nome))
        return s_cartellaRicordata;
    const QString documenti = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const bool haDocumenti = !documenti.isEmpty() && documenti != QDir::homePath();
    if (haDocumenti && QFileInfo(documenti).isDir())
        return documenti;
    const QString programma = cartellaProgramma().dir();
    if (scrivibile(programma, nome))
        return programma;
    // A program folder that can only be read (a locked USB stick, a share):
    // the user's Documents folder, made when it is not there yet.
    if (haDocumenti && QDir().mkpath(documenti))
        return documenti;
    return QDir::homePath();
}

} // namespace

QString nomeDocumentoStampa(const QString &cosa, const QDate &giorno)
{
    QString nome = cosa;
    if (giorno.isValid())
        nome += QLatin1Char(' ') + giorno.toString(QStringLiteral("dd-MM-yyyy"));
    for (QChar &c : nome)
        if (c.unicode() < 32 || QStringView(u"/\\:*?\"<>|").contains(c))
            c = u' ';
    return nome.simplified();
}

bool stampaFallita(const QPrinter &stampante, const char *perche)
{
    qCWarning(logStampa).noquote() << QStringLiteral("Stampa non riuscita su")
                                   << (stampante.outputFormat() == QPrinter::PdfFormat
                                           ? QStringLiteral("un file PDF")
                                           : QStringLiteral("\"%1\"").arg(stampante.printerName()))
                                   << QStringLiteral("-") << QString::fromUtf8(perche);
    return false;
}

QString fileStampaProposto(const QString &nomeDocumento)
{
    const QString nome = (nomeDocumento.trimmed().isEmpty() ? QStringLiteral("Stampa Quadrivela") : nomeDocumento.trimmed())
                         + QStringLiteral(".pdf");
    return QDir(cartellaProposta(nome)).filePath(nome);
}

void ricordaCartellaStampa(const QString &file)
{
    if (!file.isEmpty())
        s_cartellaRicordata = QFileInfo(file).absolutePath();
}

void dimenticaCartellaStampa()
{
    s_cartellaRicordata.clear();
}

namespace {

// Puts the proposal into the dialog's file name whenever the toolkit has just
// filled in its own: when the dialog is shown (it adds its PDF entry only
// then) and each time another printer is chosen.
class Proposta : public QObject
{
public:
    Proposta(QPrintDialog &dialogo, const QPrinter &stampante)
        : QObject(&dialogo), m_dialogo(dialogo), m_stampante(stampante)
    {
        dialogo.installEventFilter(this);
    }

    void collega()
    {
        if (m_collegata)
            return;
        // The toolkit's own dialog names its two pieces "printers" and "filename".
        if (auto *stampanti = m_dialogo.findChild<QComboBox *>(QStringLiteral("printers"))) {
            connect(stampanti, &QComboBox::currentIndexChanged, this, &Proposta::proponi);
            m_collegata = true;
        }
    }

    void proponi()
    {
        auto *nome = m_dialogo.findChild<QLineEdit *>(QStringLiteral("filename"));
        if (nome && m_stampante.outputFileName().isEmpty())
            nome->setText(QDir::toNativeSeparators(fileStampaProposto(m_stampante.docName())));
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == &m_dialogo && e->type() == QEvent::Show) {
            collega();
            proponi();
        }
        return false;
    }

private:
    QPrintDialog &m_dialogo;
    const QPrinter &m_stampante;
    bool m_collegata = false;
};

} // namespace

void proponiFileStampa(QPrintDialog &dialogo, const QPrinter &stampante)
{
    auto *p = new Proposta(dialogo, stampante);
    p->collega();
    p->proponi();
}

void dopoDialogoStampa(const QPrinter &stampante)
{
    if (stampante.outputFormat() == QPrinter::PdfFormat)
        ricordaCartellaStampa(stampante.outputFileName());
}

} // namespace qv
