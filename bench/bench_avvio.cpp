// The program's start to its visible login window, compared with a bare Qt
// Widgets window showing a label (bench_finestra_nuda, built beside this
// bench). Each of 15 pairs runs the two processes one after the other, the
// order alternating; the figures are the medians of wall time, processor time
// (user + system) and peak resident memory of the runs. The program is told
// by QV_BANCO_AVVIO to end once its login window has been painted; the bare
// window does the same.
//
// Then, in a process of its own, the first show of every area screen after
// the login (each made when first asked for): the time from asking for the
// screen to its first paint.
//
//   bench_avvio [xcb] [programma]
//       offscreen by default; "xcb" runs both on $DISPLAY (for instance an
//       Xvfb server); another program than the one built beside the bench
//       (an older build, to compare) when its path is given
#include "app/frmavvio.h"
#include "ui/schermi.h"
#include "comune.h"
#include "support/serviziprova.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using namespace qv;

namespace {

constexpr int kCoppie = 15;

struct Esecuzione
{
    double parete = 0, cpu = 0, memoriaMb = 0; // ms, ms, MB
};

// Runs `programma` to its end with the extra environment `ambiente`.
Esecuzione esegui(const QByteArray &programma, const QList<QByteArray> &ambiente)
{
    std::vector<QByteArray> variabili;
    for (char **e = environ; *e; ++e) {
        const QByteArray v(*e);
        if (!v.startsWith("QT_QPA_PLATFORM=") && !v.startsWith("QV_BANCO_AVVIO="))
            variabili.push_back(v);
    }
    for (const QByteArray &v : ambiente)
        variabili.push_back(v);
    std::vector<char *> env;
    for (QByteArray &v : variabili)
        env.push_back(v.data());
    env.push_back(nullptr);
    QByteArray nome = programma;
    char *argv[] = {nome.data(), nullptr};

    Esecuzione r;
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, nome.constData(), nullptr, nullptr, argv, env.data()) != 0) {
        std::fprintf(stderr, "impossibile avviare %s\n", nome.constData());
        std::exit(1);
    }
    int stato = 0;
    rusage uso{};
    if (wait4(pid, &stato, 0, &uso) != pid || !WIFEXITED(stato) || WEXITSTATUS(stato) != 0) {
        std::fprintf(stderr, "%s non è terminato bene\n", nome.constData());
        std::exit(1);
    }
    r.parete = t.nsecsElapsed() / 1e6;
    r.cpu = (uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1e3 + (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e3;
    r.memoriaMb = uso.ru_maxrss / 1024.0;
    return r;
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Ends a wait when the watched window has been painted.
class Pittura : public QObject
{
public:
    bool dipinta = false;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            dipinta = true;
        return QObject::eventFilter(o, e);
    }
};

// In this process: the login shown, then each area screen asked for, shown
// and painted for the first time, as the program moves between them.
int primiSchermi(int argc, char **argv)
{
    QApplication app(argc, argv);
    ServiziProva servizi;
    QTemporaryDir dir;
    impostaCartellaProgramma(dir.path());
    Schermi::creaTutti();
    QWidget *precedente = Schermi::principale();
    precedente->show();
    QCoreApplication::processEvents();
    const char *const aree[] = {"TfrmAvvio", "TfrmAnagrafica", "TfrmMenuContratti", "TfrmContratti",
                                "TfrmStatistiche", "TfrmMenuRiepilogo", "TfrmCambiaPassword"};
    double peggiore = 0;
    for (const char *area : aree) {
        Pittura pittura;
        QElapsedTimer t;
        t.start();
        QWidget *schermo = Schermi::per(QLatin1String(area));
        schermo->installEventFilter(&pittura);
        passaA(schermo, precedente);
        while (!pittura.dipinta && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double ms = t.nsecsElapsed() / 1e6;
        schermo->removeEventFilter(&pittura);
        std::printf("primo_schermo %s %.1f\n", area, ms);
        peggiore = std::max(peggiore, ms);
        precedente = schermo;
    }
    std::printf("primo_schermo_peggiore %.1f\n", peggiore);
    Schermi::distruggiTutti();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--primi-schermi") == 0)
        return primiSchermi(argc, argv);

    bool xcb = false;
    QByteArray programma = QV_PROGRAMMA;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "xcb") == 0)
            xcb = true;
        else
            programma = argv[i];
    }
    const QByteArray piattaforma = xcb ? "QT_QPA_PLATFORM=xcb" : "QT_QPA_PLATFORM=offscreen";
    const QByteArray nuda = QV_FINESTRA_NUDA;
    std::printf("programma: %s\npiattaforma: %s, %d coppie\n", programma.constData(), piattaforma.constData() + 16,
                kCoppie);

    // One run of each first, so that both start from warm disk caches.
    esegui(programma, {piattaforma, "QV_BANCO_AVVIO=1"});
    esegui(nuda, {piattaforma});
    std::vector<double> pareteP, cpuP, memP, pareteN, cpuN, memN, rapporti;
    for (int i = 0; i < kCoppie; ++i) {
        Esecuzione p, n;
        if (i % 2 == 0) {
            p = esegui(programma, {piattaforma, "QV_BANCO_AVVIO=1"});
            n = esegui(nuda, {piattaforma});
        } else {
            n = esegui(nuda, {piattaforma});
            p = esegui(programma, {piattaforma, "QV_BANCO_AVVIO=1"});
        }
        pareteP.push_back(p.parete), cpuP.push_back(p.cpu), memP.push_back(p.memoriaMb);
        pareteN.push_back(n.parete), cpuN.push_back(n.cpu), memN.push_back(n.memoriaMb);
        rapporti.push_back(p.parete / n.parete);
    }
    const double pp = mediana(pareteP), pn = mediana(pareteN), cp = mediana(cpuP), cn = mediana(cpuN),
                 mp = mediana(memP), mn = mediana(memN);
    std::printf("%-22s %10s %10s %10s\n", "", "parete ms", "cpu ms", "memoria MB");
    std::printf("%-22s %10.1f %10.1f %10.1f\n", "programma (login)", pp, cp, mp);
    std::printf("%-22s %10.1f %10.1f %10.1f\n", "finestra nuda", pn, cn, mn);
    std::printf("mediana dei rapporti di coppia (parete): %.2f\n", mediana(rapporti));

    // The first show of each area screen, in a fresh process.
    std::fflush(stdout);
    const QByteArray comando = QByteArray(argv[0]) + " --primi-schermi";
    qputenv("QT_QPA_PLATFORM", piattaforma.mid(16));
    if (std::system(comando.constData()) != 0)
        return 1;
    std::printf("obiettivo: parete, cpu e memoria al massimo 1,5 volte la finestra nuda; primo schermo sotto i 100 ms\n");
    std::printf("ratios: avvio_parete=%.2f avvio_cpu=%.2f avvio_memoria=%.2f\n", pp / pn, cp / cn, mp / mn);
    std::printf("peak_mb: %.0f\n", mp);
    return 0;
}
