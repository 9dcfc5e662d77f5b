#pragma once
// Another copy of the program in the tests: this test program started again
// as a child process that does one job and answers on its standard output,
// the same program on every system. A test program that uses it ends with
// QV_MAIN_CON_ALTRE_COPIE(ClasseDelTest, lavoro), where
// `int lavoro(const QStringList &argomenti)` does the job its arguments name
// and returns the copy's exit code (an exception is exit code 1).

#include "core/os/file.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <atomic>
#include <cstdio>
#include <thread>

namespace qv::prova {

inline constexpr char kArgomentoCopia[] = "--altra-copia";

class AltraCopia
{
public:
    explicit AltraCopia(const QStringList &lavoro)
    {
        m_processo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_processo.start(QCoreApplication::applicationFilePath(),
                         QStringList{QString::fromLatin1(kArgomentoCopia)} + lavoro);
        m_avviata = m_processo.waitForStarted(60000);
    }
    ~AltraCopia() { fine(); }
    AltraCopia(const AltraCopia &) = delete;
    AltraCopia &operator=(const AltraCopia &) = delete;

    // The next line the copy writes, without its end; empty when it ended or
    // wrote none within `ms`.
    QByteArray riga(int ms = 60000)
    {
        const QDeadlineTimer scadenza(ms);
        while (!m_processo.canReadLine()) {
            if (m_processo.state() != QProcess::Running
                || !m_processo.waitForReadyRead(int(std::max<qint64>(1, scadenza.remainingTime()))))
                break;
        }
        return m_processo.readLine().trimmed();
    }

    // Tells the copy to stop (a line on its input) and waits for its end: its
    // exit code, or -1 when it did not start, crashed or did not end in time.
    int fine(int ms = 120000)
    {
        if (!m_avviata)
            return -1;
        if (m_processo.state() != QProcess::NotRunning) {
            m_processo.write("fine\n");
            m_processo.closeWriteChannel();
            if (!m_processo.waitForFinished(ms)) {
                termina();
                return -1;
            }
        }
        return m_processo.exitStatus() == QProcess::NormalExit ? m_processo.exitCode() : -1;
    }

    // Ends the copy at once, as a power cut or the task manager does.
    void termina()
    {
        m_processo.kill();
        m_processo.waitForFinished(60000);
        m_avviata = false;
    }

private:
    QProcess m_processo;
    bool m_avviata = false;
};

// In the copy: a line for the test that waits for it with riga().
inline void rispondi(const char *testo)
{
    std::fputs(testo, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// In the copy: waits for the word to stop, or for the end of the input when
// the test is gone. The descriptor is read directly, so a reader that still
// waits when the copy ends holds no lock of the C library's streams.
inline void attendiFine()
{
    char c = 0;
    while (os::leggi(0, &c, 1) == 1 && c != '\n') {
    }
}

// In the copy: true once the word to stop came, asked without waiting.
inline bool fineRichiesta()
{
    static std::atomic<bool> arrivata{false};
    static const bool inAscolto = [] {
        std::thread([] {
            attendiFine();
            arrivata = true;
        }).detach();
        return true;
    }();
    (void)inAscolto;
    return arrivata;
}

template <typename F>
int eseguiCopia(F &&lavoro, const QStringList &argomenti)
{
    try {
        return lavoro(argomenti);
    } catch (...) {
        return 1;
    }
}

} // namespace qv::prova

#define QV_MAIN_CON_ALTRE_COPIE(Classe, lavoro)                                                                       \
    int main(int argc, char *argv[])                                                                                  \
    {                                                                                                                 \
        QCoreApplication app(argc, argv);                                                                             \
        if (argc > 1 && qstrcmp(argv[1], qv::prova::kArgomentoCopia) == 0)                                            \
            return qv::prova::eseguiCopia(lavoro, app.arguments().mid(2));                                            \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                      \
        Classe tc;                                                                                                    \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                    \
        return QTest::qExec(&tc, argc, argv);                                                                         \
    }
