// Font downloads to the simulated printer over loopback:
//   direct   a 1 MB font sent by the printer language's own command in 2048-byte slices
//            by the sender, against the same slices written by a plain loop on the GUI
//            thread (raw loopback); the run fails when the sender's slices reach the
//            printer at under 90 % of that speed
//   packets  200 KB by the font manager's packet options, against the sum of the waits
//            the protocol prescribes (fails when the waits take under 90 % of the time)
//   bench_fonts [--benchmark_filter=...]
#include "BenchSim.h"
#include "BenchSupport.h"
#include "PrinterCMD.h"
#include "SimDefaults.h"
#include "SimDownload.h"
#include "SimPrinter.h"
#include "SimTcpServer.h"
#include "mdlDLThread.h"
#include "mdlFontCommands.h"
#include "mdlPrinterLib.h"

#include <QElapsedTimer>
#include <QThread>
#include <vector>
#include <benchmark/benchmark.h>

using namespace prt::dl;

namespace {

struct SimAt : prt::bench::TSimAtGlobalPrinter {
    SimAt() : TSimAtGlobalPrinter([](prt::sim::SimPrinter& p) { prt::sim::SimSetDownloadDefaults(p, "tsc"); }) {}
    // Waits until the printer holds `count` fonts (at most about 12 s).
    bool WaitStored(size_t count)
    {
        for (int i = 0; i < 60000; ++i) {
            if (prt::sim::SimStoredFiles(printer).size() >= count)
                return true;
            QThread::usleep(200);
        }
        return false;
    }
};

QByteArray FontBuffer(const QString& name)
{
    return fontcmd::BuildFontDirectBuffer(fontcmd::kLangTspl, name, QByteArray(1024 * 1024, 'f'), QString(),
                                          fontcmd::TDplCodes());
}

void BM_DirectFont1MB(benchmark::State& state)
{
    SimAt sim;
    std::vector<double> raws, sliceds;
    for (auto _ : state) {
        TsplOpenPort(sim.server->portString());
        // Raw loopback: the same slices in a plain loop.
        const size_t stored = prt::sim::SimStoredFiles(sim.printer).size();
        const QByteArray raw = FontBuffer(QStringLiteral("raw%1.ttf").arg(stored));
        QElapsedTimer t;
        t.start();
        for (qsizetype off = 0; off < raw.size(); off += fontcmd::kDirectSliceSize)
            TsplWriteData(raw.mid(off, fontcmd::kDirectSliceSize));
        if (!sim.WaitStored(stored + 1)) {
            state.SkipWithError("the raw font did not arrive");
            break;
        }
        const double rawMs = double(t.nsecsElapsed()) / 1e6;
        // The sender's slices.
        TDLOptions o;
        o.rawSlices = true;
        o.sliceWritesChecked = true;
        o.countRule = TDLCountRule::Ceil;
        o.packetSize = fontcmd::kDirectSliceSize;
        o.waitAfterLastMs = 0;
        o.closeOnSuccess = TDLPort::Close::None;
        TDLThread sender;
        t.restart();
        sender.Start(FontBuffer(QStringLiteral("sliced%1.ttf").arg(stored)), o);
        sender.wait();
        if (sender.Result() != TDLResult::Success || !sim.WaitStored(stored + 2)) {
            state.SkipWithError("the sliced font did not arrive");
            break;
        }
        const double slicedMs = double(t.nsecsElapsed()) / 1e6;
        TsplClosePort();
        raws.push_back(rawMs);
        sliceds.push_back(slicedMs);
    }
    if (raws.empty() || raws.size() != sliceds.size())
        return;
    const double raw = prt::bench::Median(raws), sliced = prt::bench::Median(sliceds);
    state.counters["raw_ms"] = raw;
    state.counters["sliced_ms"] = sliced;
    state.counters["speed_share"] = raw / sliced;
    if (raw / sliced < 0.9)
        state.SkipWithError("the slices reach the printer at under 90 % of raw loopback speed");
}
BENCHMARK(BM_DirectFont1MB)->Iterations(9)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PacketFont200K(benchmark::State& state)
{
    SimAt sim;
    constexpr int kPayload = 200 * 1024;
    TDLOptions o;
    o.packetSize = 1024;
    o.handshake = BuildDoTwoArgsValueCommand(KEY_download, KEY_fonts, QStringLiteral("E_bench.ttf"));
    o.replyReadWaitMs = 300;
    o.waitAfterLastMs = 2000;
    o.listKey = KEY_fonts;
    o.usedKey = KEY_use_capacity;
    o.remainKey = KEY_remain_capacity;
    const int n = PacketCount(kPayload, 1024, TDLCountRule::Thread);
    const double waits = 100 + n * 200 + 2000;
    for (auto _ : state) {
        CmdOpenPortOnce();
        TDLThread sender;
        QElapsedTimer t;
        t.start();
        sender.Start(QByteArray(kPayload, 'p'), o);
        sender.wait();
        const double ms = double(t.elapsed());
        if (sender.Result() != TDLResult::Success) {
            state.SkipWithError("transfer failed");
            break;
        }
        state.counters["waits_ms"] = waits;
        state.counters["elapsed_ms"] = ms;
        state.counters["waits_share"] = waits / ms;
        if (waits / ms < 0.9)
            state.SkipWithError("more than a tenth of the time is not the protocol's waits");
    }
}
BENCHMARK(BM_PacketFont200K)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
