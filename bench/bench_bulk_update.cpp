// Bulk firmware update: one printer against twenty at once, each a simulated network printer
// on its own loopback address (127.0.0.2 ...) sharing one TCP port, with the protocol's
// real waits. The workers run side by side, so twenty should take little longer than one.
//   BM_BulkUpdate        the workers alone, a 72 KB file (goal: at most 1.5)
//   BM_BulkUpdateWindow  the bulk update window (shown, offscreen) runs them and takes
//                        their reports on its thread, a 2 MB and a 200 KB file (goal: at
//                        most 1.3); also the CPU time the window's thread spends per row,
//                        which must not grow with the file size
// Prints the ratios of the medians.
//   bench_bulk_update [--benchmark_filter=...]
#include "BenchSupport.h"
#include "FormFWAllUpdate.h"
#include "PrtMsgBox.h"
#include "SimDefaults.h"
#include "SimFirmware.h"
#include "SimPrinter.h"
#include "SimTcpServer.h"
#include "mdlDLCommon.h"
#include "mdlFWAllUpdate.h"
#include "mdlGDL.h"
#include "mdlIniRead.h"
#include "mdlLanguage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <utility>
#include <vector>

using namespace prt::dl;

using prt::bench::Median;

namespace {

std::map<int, std::vector<double>>& Times()
{
    static std::map<int, std::vector<double>> t;
    return t;
}

// Window runs by (printers, KB): wall seconds, and the window thread's CPU seconds per row.
std::map<std::pair<int, int>, std::vector<double>>& WindowTimes()
{
    static std::map<std::pair<int, int>, std::vector<double>> t;
    return t;
}
std::map<std::pair<int, int>, std::vector<double>>& WindowCpuPerRow()
{
    static std::map<std::pair<int, int>, std::vector<double>> t;
    return t;
}

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

QString PrinterAddress(int i)
{
    return QStringLiteral("127.0.0.%1").arg(2 + i);
}

// `printers` simulated printers on 127.0.0.2 ... sharing one TCP port, which the workers
// are told to use; false when one cannot listen. Lean printers keep no record of the bytes
// that came in (megabytes per printer, grown in this very process).
struct SimPrinters {
    std::vector<std::unique_ptr<prt::sim::SimPrinter>> sims;
    std::vector<std::unique_ptr<prt::sim::SimTcpServer>> servers;
    bool Start(int printers, bool lean = false)
    {
        uint16_t port = 0;
        for (int i = 0; i < printers; ++i) {
            sims.push_back(std::make_unique<prt::sim::SimPrinter>());
            prt::sim::AddStandardHandlers(*sims.back());
            if (lean) {
                sims.back()->setKeepReceived(false);
                prt::sim::SimEditFirmware(*sims.back(), [](prt::sim::SimFirmwareState& s) { s.keepBodies = false; });
            }
            servers.push_back(std::make_unique<prt::sim::SimTcpServer>(*sims.back(), port, prt::sim::SimReceiveLog{},
                                                                        PrinterAddress(i)));
            if (!servers.back()->ok())
                return false;
            port = servers.front()->port();
        }
        SetBulkUpdateTcpPortOverride(port);
        return true;
    }
    ~SimPrinters() { SetBulkUpdateTcpPortOverride(0); }
};

void BM_BulkUpdate(benchmark::State& state)
{
    const int printers = static_cast<int>(state.range(0));
    SimPrinters sim;
    if (!sim.Start(printers)) {
        state.SkipWithError("a simulated printer could not listen");
        return;
    }
    auto firmware = std::make_shared<const TGDLFile>(ParseGDL(prt::sim::SimGdlFileBlock(64 * 1024, 2, "APP.BIN", "V1") + prt::sim::SimGdlFileBlock(8 * 1024, 5, "CFG.BIN", "V1")));
    for (auto _ : state) {
        auto stop = std::make_shared<TBulkStop>();
        std::vector<std::unique_ptr<TUpdateFWThread>> workers;
        for (int i = 0; i < printers; ++i) {
            auto w = std::make_unique<TUpdateFWThread>(firmware, stop);
            w->SetAddress(PrinterAddress(i));
            w->SetItemIndex(i);
            workers.push_back(std::move(w));
        }
        QElapsedTimer t;
        t.start();
        std::atomic<int> ok{0};
        for (auto& w : workers) {
            QObject::connect(w.get(), &TUpdateFWThread::ended, w.get(), [&ok](int, int r) {
                if (r == static_cast<int>(TBulkResult::Success))
                    ++ok;
            }, Qt::DirectConnection);
            w->start();
        }
        for (auto& w : workers)
            w->wait();
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        Times()[printers].push_back(s);
        if (ok != printers)
            state.SkipWithError("a printer was not updated");
    }
}

void BM_BulkUpdateWindow(benchmark::State& state)
{
    const int printers = static_cast<int>(state.range(0));
    const int kb = static_cast<int>(state.range(1));
    SimPrinters sim;
    if (!sim.Start(printers, true)) {
        state.SkipWithError("a simulated printer could not listen");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fw.gdl"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(prt::sim::SimGdlFileBlock(uint32_t(kb) * 1024, 2, "APP.BIN", "V1")) < kb * 1024) {
            state.SkipWithError("the firmware file could not be written");
            return;
        }
    }
    SetDLOpenFileDialog([path](QWidget*, const QString&) { return path; });
    const prt::MsgBoxHandler boxes = prt::SetMessageBoxHandler([](const prt::MsgBoxCall&) { return int(prt::IDOK_); });
    for (auto _ : state) {
        TForm11 window;
        window.show();
        for (int i = 0; i < printers; ++i)
            window.AddPrinterRow(QStringLiteral("Printer %1").arg(i + 1), PrinterAddress(i));
        window.Button2Click();  // reads the file
        QCoreApplication::processEvents();
        QEventLoop loop;
        QObject::connect(&window, &TForm11::runEnded, &loop, &QEventLoop::quit);
        QTimer::singleShot(300000, &loop, &QEventLoop::quit);
        QElapsedTimer t;
        t.start();
        const double cpu0 = ThreadCpuSeconds();
        window.btnDownloadClick();
        loop.exec();
        const double cpu = ThreadCpuSeconds() - cpu0;
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        WindowTimes()[{printers, kb}].push_back(s);
        WindowCpuPerRow()[{printers, kb}].push_back(cpu / printers);
        if (window.IsRunning() || window.FinishedCount() != printers || window.listFailPort->topLevelItemCount() != 0)
            state.SkipWithError("a printer was not updated");
    }
    prt::SetMessageBoxHandler(boxes);
    SetDLOpenFileDialog({});
}

} // namespace

BENCHMARK(BM_BulkUpdate)->Arg(1)->Arg(20)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_BulkUpdateWindow)
    ->Args({1, 2048})
    ->Args({20, 2048})
    ->Args({1, 200})
    ->Args({20, 200})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // the window's own texts (the row progress is the shipped template), read in place
    gFilesDir = QStringLiteral(PRT_SHIPPED_DIR "/");
    PublishLanguageTexts(QStringLiteral("UtilityForLabelLanguage.ini"), QStringLiteral("1033"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double one = Median(Times()[1]), twenty = Median(Times()[20]);
    if (one > 0 && twenty > 0)
        std::printf("bulk update, 20 printers / 1 printer (medians %.0f ms / %.0f ms): %.2f (goal: at most 1.50)\n",
                    twenty * 1000, one * 1000, twenty / one);
    for (const int kb : {2048, 200}) {
        const double w1 = Median(WindowTimes()[{1, kb}]), w20 = Median(WindowTimes()[{20, kb}]);
        if (w1 > 0 && w20 > 0)
            std::printf("bulk update window, %d KB, 20 printers / 1 printer (medians %.0f ms / %.0f ms): %.2f "
                        "(goal: at most 1.30)\n",
                        kb, w20 * 1000, w1 * 1000, w20 / w1);
        const double c1 = Median(WindowCpuPerRow()[{1, kb}]), c20 = Median(WindowCpuPerRow()[{20, kb}]);
        if (c1 > 0 || c20 > 0)
            std::printf("bulk update window, %d KB, window thread CPU per row (medians): %.2f ms with 1 printer, "
                        "%.2f ms with 20\n",
                        kb, c1 * 1000, c20 * 1000);
    }
    return 0;
}
