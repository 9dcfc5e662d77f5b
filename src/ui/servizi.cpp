#include "servizi.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace qv {

namespace {

Servizi *s_installati = nullptr;

} // namespace

RitornoFuoco::RitornoFuoco()
    : m_fuoco(QApplication::focusWidget()),
      m_finestra(m_fuoco ? m_fuoco->window() : QApplication::activeWindow())
{
}

RitornoFuoco::~RitornoFuoco()
{
    // A window hidden meanwhile (the screen left for another) is left so,
    // and a modal window still open above it keeps the keyboard.
    if (!m_finestra || !m_finestra->isVisible())
        return;
    if (QWidget *modale = QApplication::activeModalWidget(); modale && modale != m_finestra)
        return;
    QWidget *fuoco = m_finestra->focusWidget() ? m_finestra->focusWidget() : m_fuoco.data();
    m_finestra->activateWindow();
    if (fuoco && fuoco->window() == m_finestra && fuoco->isVisible() && fuoco->isEnabled())
        fuoco->setFocus(Qt::ActiveWindowFocusReason);
}

Servizi &Servizi::correnti()
{
    // A program that asks before installing any would show nothing and
    // answer nothing: it stops here, rather than go on guessing answers.
    if (!s_installati)
        qFatal("Servizi::correnti(): nessun servizio installato (Servizi::installa)");
    return *s_installati;
}

void Servizi::installa(Servizi *servizi)
{
    s_installati = servizi;
}

bool Servizi::apriUrl(const QUrl &url, QWidget *padre)
{
    if (apriConSistema(url))
        return true;
    aperturaFallita(url, padre);
    return false;
}

QString Servizi::messaggioApertura(const QUrl &url)
{
    if (url.isLocalFile()) {
        const QString percorso = QDir::toNativeSeparators(url.toLocalFile());
        if (!QFileInfo::exists(url.toLocalFile()))
            return QStringLiteral("Attenzione: impossibile aprire il documento \"%1\".\r\n\r\n"
                                  "Il file non esiste più o non è raggiungibile.").arg(percorso);
        return QStringLiteral("Attenzione: impossibile aprire il documento \"%1\".\r\n\r\n"
                              "Nel sistema non è installato un programma in grado di aprirlo.").arg(percorso);
    }
    if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Attenzione: impossibile scrivere un messaggio di posta elettronica a \"%1\".\r\n\r\n"
                              "Nel sistema non è installato un programma di posta elettronica.").arg(url.path());
    return QStringLiteral("Attenzione: impossibile aprire l'indirizzo \"%1\".\r\n\r\n"
                          "Nel sistema non è installato un programma per la navigazione in Internet.")
        .arg(url.toDisplayString());
}

void Servizi::aperturaFallita(const QUrl &url, QWidget *padre)
{
    if (!padre)
        padre = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    messaggio(padre, TipoMessaggio::Avviso, messaggioApertura(url));
}

QUrl TMisc::url(const QString &comando)
{
    QString t = comando.trimmed();
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        t = t.mid(1, t.size() - 2);
    if (t.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
        return QUrl(t, QUrl::TolerantMode);
    if (t.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)
        || t.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive)
        || t.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        return QUrl::fromUserInput(t);
    return QUrl::fromLocalFile(QFileInfo(t).absoluteFilePath());
}

bool TMisc::Open(const QString &comando, QWidget *padre)
{
    return Servizi::correnti().apriUrl(url(comando), padre);
}

} // namespace qv
