// Firmware transfers to the simulated printer over loopback, each against the sum of the
// waits its protocol prescribes: the run fails when it takes longer than those waits / 0.9;
// time_over_waits prints the measured time divided by the waits.
//   over the air  a 200 KB file in packets of 2048 bytes to a model needing no switch:
//                 getval "pack_length" (50 ms), then per packet the 10 ms step and the
//                 10 ms after the write
//   block file    two blocks of about 100 KB in all (body 100000 and 2048 bytes): per step
//                 10 ms (a header, a chunk, the step after each body, the end phase), and
//                 100 ms after each header; the final status 10 ms after the last byte
//                 one block of 200 KB whose final status comes 300 ms after the last byte:
//                 the same waits plus those 300 ms
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


// Sends a block firmware file as the window does (do "dfu" on its own open and close, then
// the port and the sender) and reports the time against the waits.
void RunBlockFirmware(benchmark::State& state, const std::shared_ptr<TGDLFile>& file, int finalAfterMs, double waits)
{
    SimAt sim;
    if (!file->Ok()) {
        state.SkipWithError("the file does not parse");
        return;
    }
    // the printer answers its final status this long after the last byte
    prt::sim::SimEditFirmware(sim.printer, [finalAfterMs](prt::sim::SimFirmwareState& s) { s.quietMs = finalAfterMs; });
    for (auto _ : state) {
        TGDLSender sender;
        QElapsedTimer t;
        t.start();
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
        bool whole = blocks.size() == file->blocks.size();
        for (size_t i = 0; whole && i < blocks.size(); ++i)
            whole = blocks[i].body.size() == qsizetype(file->blocks[i].bodyLength);
        if (sender.Outcome().result != TGDLResult::Success || !whole) {
            state.SkipWithError("transfer failed");
            break;
        }
        Report(state, waits, ms);
    }
}

// The waits of a block file: per step 10 ms (a header, a chunk, the step after each body,
// the end phase), 100 ms after each header, and the printer's time before its final status.
double BlockFirmwareWaits(const TGDLFile& file, int finalAfterMs)
{
    qint64 steps = 1;  // the end phase
    for (const TGDLBlock& b : file.blocks)
        steps += 1 + (qint64(b.bodyLength) + 1023) / 1024 + 1;
    return double(steps * 10 + qint64(file.blocks.size()) * 100 + finalAfterMs);
}

void BM_BlockFirmwareTwoBlocks100K(benchmark::State& state)
{
    auto file = std::make_shared<TGDLFile>(
        ParseGDL(prt::sim::SimGdlFileBlock(100000, 2, "APP.BIN", "V1.2.3") + prt::sim::SimGdlFileBlock(2048, 5, "CFG.BIN", "V9")));
    RunBlockFirmware(state, file, 10, BlockFirmwareWaits(*file, 0));  // as measured so far
}
BENCHMARK(BM_BlockFirmwareTwoBlocks100K)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A printer that takes 300 ms to store 200 KB before it answers its final status.
void BM_BlockFirmware200KFinalStatus300msLate(benchmark::State& state)
{
    auto file = std::make_shared<TGDLFile>(ParseGDL(prt::sim::SimGdlFileBlock(200 * 1024, 2, "APP.BIN", "V2.0")));
    RunBlockFirmware(state, file, 300, BlockFirmwareWaits(*file, 300));
}
BENCHMARK(BM_BlockFirmware200KFinalStatus300msLate)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
