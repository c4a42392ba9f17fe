// Bulk firmware update: one printer against twenty at once, each a simulated network printer
// on its own loopback address (127.0.0.2 ...) sharing one TCP port, with the protocol's
// real waits. The workers run side by side, so twenty should take little longer than one;
// prints the ratio of the medians (goal: at most 1.5).
//   bench_bulk_update [--benchmark_filter=...]
#include "BenchSupport.h"
#include "SimDefaults.h"
#include "SimFirmware.h"
#include "SimPrinter.h"
#include "SimTcpServer.h"
#include "mdlFWAllUpdate.h"
#include "mdlGDL.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

using namespace prt::dl;

using prt::bench::Median;

namespace {

std::map<int, std::vector<double>>& Times()
{
    static std::map<int, std::vector<double>> t;
    return t;
}

void BM_BulkUpdate(benchmark::State& state)
{
    const int printers = static_cast<int>(state.range(0));
    std::vector<std::unique_ptr<prt::sim::SimPrinter>> sims;
    std::vector<std::unique_ptr<prt::sim::SimTcpServer>> servers;
    uint16_t port = 0;
    for (int i = 0; i < printers; ++i) {
        sims.push_back(std::make_unique<prt::sim::SimPrinter>());
        prt::sim::AddStandardHandlers(*sims.back());
        servers.push_back(std::make_unique<prt::sim::SimTcpServer>(*sims.back(), port, prt::sim::SimReceiveLog{},
                                                                    QStringLiteral("127.0.0.%1").arg(2 + i)));
        if (!servers.back()->ok()) {
            state.SkipWithError("a simulated printer could not listen");
            return;
        }
        port = servers.front()->port();
    }
    SetBulkUpdateTcpPortOverride(port);
    auto firmware = std::make_shared<const TGDLFile>(ParseGDL(prt::sim::SimGdlFileBlock(64 * 1024, 2, "APP.BIN", "V1") + prt::sim::SimGdlFileBlock(8 * 1024, 5, "CFG.BIN", "V1")));
    for (auto _ : state) {
        auto stop = std::make_shared<TBulkStop>();
        std::vector<std::unique_ptr<TUpdateFWThread>> workers;
        for (int i = 0; i < printers; ++i) {
            auto w = std::make_unique<TUpdateFWThread>(firmware, stop);
            w->SetAddress(QStringLiteral("127.0.0.%1").arg(2 + i));
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
    SetBulkUpdateTcpPortOverride(0);
}

} // namespace

BENCHMARK(BM_BulkUpdate)->Arg(1)->Arg(20)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double one = Median(Times()[1]), twenty = Median(Times()[20]);
    if (one > 0 && twenty > 0)
        std::printf("bulk update, 20 printers / 1 printer (medians %.0f ms / %.0f ms): %.2f (goal: at most 1.50)\n",
                    twenty * 1000, one * 1000, twenty / one);
    return 0;
}
