// Firmware transfers to the simulated printer over loopback, each against the sum of the
// waits its protocol prescribes: the run fails when it takes longer than those waits / 0.9;
// time_over_waits prints the measured time divided by the waits.
//   over the air  a 200 KB file in packets of 2048 bytes to a model needing no switch:
//                 getval "pack_length" (50 ms), then per packet the 10 ms step and the
//                 10 ms after the write
//   block file    two blocks of about 100 KB in all (body 100000 and 2048 bytes): per step
//                 10 ms (a header, a chunk, the step after each body, the end phase), and
//                 100 ms after each header
//   bench_firmware [--benchmark_filter=...]
#include "BenchSim.h"
#include "PrinterCMD.h"
#include "SimDefaults.h"
#include "SimFirmware.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "mdlGDL.h"
#include "mdlOTA.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <memory>

using namespace prt::dl;

namespace {

using SimAt = prt::bench::TSimAtGlobalPrinter;

void Report(benchmark::State& state, double waits, double ms)
{
    state.counters["waits_ms"] = waits;
    state.counters["elapsed_ms"] = ms;
    state.counters["time_over_waits"] = ms / waits;
    if (ms > waits / 0.9)
        state.SkipWithError("the transfer takes longer than the protocol's waits / 0.9");
}

void BM_OverTheAir200K(benchmark::State& state)
{
    SimAt sim;
    constexpr int kSize = 200 * 1024, kPackage = 2048;
    prt::sim::SimSetValue(sim.printer, "pack_length", QByteArray("\x00\x08\x00\x00", 4));
    QByteArray file(kSize, '\0');
    for (int i = 0; i < kSize; ++i)
        file[i] = char((i * 31) >> 3);
    const int packets = (kSize + kPackage - 1) / kPackage;
    const double waits = 50 + packets * (10 + 10);
    for (auto _ : state) {
        prt::sim::SimEditFirmware(sim.printer, [](prt::sim::SimFirmwareState& s) {
            s.otaImage.clear();
            s.otaPackets.clear();
        });
        TOtaSender sender;
        QElapsedTimer t;
        t.start();
        sender.Start(file, TOtaSwitch::None, false);
        sender.wait();
        const double ms = double(t.elapsed());
        if (sender.Outcome().result != TOtaResult::Success || sender.Outcome().packets != packets
            || prt::sim::SimFirmware(sim.printer).otaImage != file) {
            state.SkipWithError("transfer failed");
            break;
        }
        Report(state, waits, ms);
    }
}
BENCHMARK(BM_OverTheAir200K)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();


void BM_BlockFirmwareTwoBlocks100K(benchmark::State& state)
{
    SimAt sim;
    auto file = std::make_shared<TGDLFile>(
        ParseGDL(prt::sim::SimGdlFileBlock(100000, 2, "APP.BIN", "V1.2.3") + prt::sim::SimGdlFileBlock(2048, 5, "CFG.BIN", "V9")));
    if (!file->Ok() || file->blocks.size() != 2) {
        state.SkipWithError("the file does not parse");
        return;
    }
    // the printer answers its final status 10 ms after the last byte
    prt::sim::SimEditFirmware(sim.printer, [](prt::sim::SimFirmwareState& s) { s.quietMs = 10; });
    const int headers = 2, chunks = (100000 + 1023) / 1024 + 2;
    const int steps = headers + chunks + 2 /* after each body */ + 1 /* end phase */;
    const double waits = steps * 10 + headers * 100;
    for (auto _ : state) {
        TGDLSender sender;
        QElapsedTimer t;
        t.start();
        // as the window starts it: do "dfu" on its own open and close, then the port
        CmdDo(QByteArrayLiteral("\"dfu\""));
        EnsureTsplPrinterObject();
        const int opened = TsplOpenPort(GetCurrentPortString());
        if (opened != 0 && opened != 5) {
            state.SkipWithError("the port did not open");
            break;
        }
        sender.Start(file);
        sender.wait();
        const double ms = double(t.elapsed());
        const auto blocks = prt::sim::SimFirmware(sim.printer).blocks;
        if (sender.Outcome().result != TGDLResult::Success || blocks.size() != 2
            || blocks[0].body.size() != 100000 || blocks[1].body.size() != 2048) {
            state.SkipWithError("transfer failed");
            break;
        }
        Report(state, waits, ms);
    }
}
BENCHMARK(BM_BlockFirmwareTwoBlocks100K)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
