// Start-up: the program from process start to its first idle moment with the main window
// shown, against a bare toolkit window built beside it (both offscreen, each in a private
// program, data and config folder, run in turn). Prints the ratio of the medians; the goal
// is at most 1.3 on a quiet machine. Also measured: the program until the hidden start-up
// windows, built while the loop is idle after the first show, are all made.
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

using prt::bench::Median;

namespace {

std::vector<double> g_program, g_programAll, g_bare;

QTemporaryDir& Tree()
{
    static QTemporaryDir dir;
    static const bool filled = [] {
        QDir().mkpath(dir.filePath("prog/files"));
        const QDir shipped(QStringLiteral(PRT_SHIPPED_DIR));
        for (const QString& name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), dir.filePath("prog/files/") + name);
        return true;
    }();
    (void)filled;
    return dir;
}

double RunOnce(const QString& exe, const char* quitWhen = "1")
{
    QTemporaryDir& t = Tree();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("PRT_QUIT_WHEN_IDLE", QString::fromLatin1(quitWhen));
    env.insert("PRT_EXE_DIR", t.filePath("prog"));
    env.insert("PRT_DEV_ROOT", t.filePath("dev"));
    env.insert("XDG_DATA_HOME", t.filePath("data"));
    env.insert("XDG_CONFIG_HOME", t.filePath("config"));
    p.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    p.start(exe, {});
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

// One iteration runs the bare window, the program and the program with every hidden window,
// in turn: the three see the same moment of the machine, so a slow spell of a shared host
// moves all of them, not one series. The iteration time is the program's.
void BM_StartupInterleaved(benchmark::State& state)
{
    const QString bare = QString::fromLocal8Bit(PRT_BARE_WINDOW_EXE);
    const QString program = QString::fromLocal8Bit(PRT_PROGRAM_EXE);
    for (auto _ : state) {
        const double b = RunOnce(bare);
        const double p = RunOnce(program);
        const double a = RunOnce(program, "all");
        if (b < 0 || p < 0 || a < 0) {
            state.SkipWithError("a process did not end");
            return;
        }
        g_bare.push_back(b);
        g_program.push_back(p);
        g_programAll.push_back(a);
        state.SetIterationTime(p);
    }
}
BENCHMARK(BM_StartupInterleaved)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(21);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double bare = Median(g_bare), program = Median(g_program), all = Median(g_programAll);
    if (bare > 0 && program > 0)
        std::printf("start-up ratio (program / bare window, medians %.1f ms / %.1f ms): %.2f (goal: at most 1.30)\n",
                    program * 1000, bare * 1000, program / bare);
    if (bare > 0 && all > 0)
        std::printf("with every hidden start-up window made: %.1f ms, %.2f times the bare window\n", all * 1000,
                    all / bare);
    return 0;
}
