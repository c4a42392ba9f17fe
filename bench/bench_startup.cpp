// Start-up: the program from process start to its first idle moment with the main window
// shown, against a bare toolkit window built beside it (both offscreen, each in a private
// program, data and config folder, run in turn). Each reports that moment on the monotonic
// clock and then quits; the ratio of the medians is the start-up figure (goal: at most 1.3
// on a quiet machine). The time to the end of each process (tear-down included) is printed
// beside it. Also measured: a toolkit window with the main window's list and buttons and no
// files (what the toolkit alone costs for such a window), and the program until the hidden
// start-up windows, built while the loop is idle after the first show, are all made.
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
using prt::bench::MonotonicNs;

namespace {

std::vector<double> g_program, g_programAll, g_bare;          // process start to exit
std::vector<double> g_programIdle, g_programAllIdle, g_bareIdle;  // process start to first idle
std::vector<double> g_listIdle;  // the toolkit window with the main window's controls

struct TRunTimes {
    double Exit = -1;  // seconds from the start to the end of the process
    double Idle = -1;  // seconds from the start to the first idle moment (as reported)
};


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

TRunTimes RunOnce(const QString& exe, const char* quitWhen = "1")
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
    const long long startNs = MonotonicNs();
    timer.start();
    p.start(exe, {});
    TRunTimes times;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return times;
    }
    times.Exit = double(timer.nsecsElapsed()) / 1e9;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith("PRT_IDLE_NS "))
            times.Idle = double(line.mid(12).trimmed().toLongLong() - startNs) / 1e9;
    return times;
}

// One iteration runs the bare window, the list window, the program and the program with
// every hidden window, in turn: all four see the same moment of the machine, so a slow
// spell of a shared host moves all of them, not one series. The iteration time is the
// program's.
void BM_StartupInterleaved(benchmark::State& state)
{
    const QString bare = QString::fromLocal8Bit(PRT_BARE_WINDOW_EXE);
    const QString program = QString::fromLocal8Bit(PRT_PROGRAM_EXE);
    const QString listWindow = QString::fromLocal8Bit(PRT_LIST_WINDOW_EXE);
    for (auto _ : state) {
        const TRunTimes b = RunOnce(bare);
        const TRunTimes l = RunOnce(listWindow);
        const TRunTimes p = RunOnce(program);
        const TRunTimes a = RunOnce(program, "all");
        if (b.Exit < 0 || p.Exit < 0 || a.Exit < 0) {
            state.SkipWithError("a process did not end");
            return;
        }
        if (b.Idle < 0 || l.Idle < 0 || p.Idle < 0 || a.Idle < 0) {
            state.SkipWithError("a process did not report its first idle moment");
            return;
        }
        g_bare.push_back(b.Exit);
        g_program.push_back(p.Exit);
        g_programAll.push_back(a.Exit);
        g_bareIdle.push_back(b.Idle);
        g_listIdle.push_back(l.Idle);
        g_programIdle.push_back(p.Idle);
        g_programAllIdle.push_back(a.Idle);
        state.SetIterationTime(p.Exit);
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
    const double bareIdle = Median(g_bareIdle), programIdle = Median(g_programIdle),
                 allIdle = Median(g_programAllIdle);
    if (bareIdle > 0 && programIdle > 0)
        std::printf("start-up ratio to the first idle moment (program / bare window, medians %.1f ms / %.1f ms): "
                    "%.2f (goal: at most 1.30)\n",
                    programIdle * 1000, bareIdle * 1000, programIdle / bareIdle);
    if (const double list = Median(g_listIdle); bareIdle > 0 && list > 0 && programIdle > 0)
        std::printf("a toolkit window with the main window's list and buttons and no files: %.1f ms to the "
                    "first idle moment, %.2f times the bare window; the program is %.2f times it\n",
                    list * 1000, list / bareIdle, programIdle / list);
    if (bare > 0 && program > 0)
        std::printf("to the end of the process, tear-down included (medians %.1f ms / %.1f ms): %.2f\n",
                    program * 1000, bare * 1000, program / bare);
    if (bareIdle > 0 && allIdle > 0)
        std::printf("with every hidden start-up window made: %.1f ms to that idle moment (%.2f times the bare "
                    "window), %.1f ms to the end\n",
                    allIdle * 1000, allIdle / bareIdle, all * 1000);
    return 0;
}
