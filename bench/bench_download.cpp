// Downloads: a 200 KB payload sent to the simulated printer over loopback by the sender
// of the file windows and by that of the font-file windows, measured against the sum of
// the waits the protocol prescribes (the run fails when the waits take less than 90 % of
// the time); and a decoded 4000 x 3000 picture turned into the work bitmap and the packet
// payload, beside a plain threshold-and-pack loop over the same pixels.
//   bench_download [--benchmark_filter=...]
#include "PrinterCMD.h"
#include "SimDefaults.h"
#include "SimDownload.h"
#include "SimPrinter.h"
#include "SimTcpServer.h"
#include "mdlDLImage.h"
#include "mdlDLThread.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QElapsedTimer>
#include <QImage>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>

using namespace prt::dl;

namespace {

constexpr int kPayload = 200 * 1024;

void SendToSimulator(benchmark::State& state, bool fontFile)
{
    prt::sim::SimPrinter printer;
    prt::sim::AddStandardHandlers(printer);
    prt::sim::SimSetDownloadDefaults(printer);
    prt::sim::SimTcpServer server(printer);
    SetCurrentPortString(server.portString());
    SetPrinterSdkKind(1);
    TsplCreateGlobalPrinter(QStringLiteral("SIM"));
    TDLOptions o;
    uint32_t waits = 0;
    const QByteArray payload(kPayload, 'b');
    if (fontFile) {
        o.packetSize = 1024;
        o.padding = 0xFF;
        o.countRule = TDLCountRule::Ceil;
        o.replyRule = TDLReplyRule::ByteEleven;
        o.waitAfterFirstPacketMs = 1000;
        o.waitAfterPacketMs = 30;
        o.waitAfterLastMs = 0;
        o.handshake = BuildUserFontHandshake("GBK");
        o.closeOnSuccess = TDLPort::Close::Tspl;
        const int n = PacketCount(kPayload, 1024, TDLCountRule::Ceil);
        waits = 100 + 1000 + (n - 1) * 30;
    } else {
        o.handshake = BuildDownloadHandshake("bitmaps", "E_bench.GRF");
        o.listKey = KEY_bitmaps;
        o.usedKey = KEY_use_capacity;
        o.remainKey = KEY_remain_capacity;
        const int n = PacketCount(kPayload, 1024, TDLCountRule::Thread);
        waits = 100 + n * 200 + 1000;
    }
    for (auto _ : state) {
        if (fontFile)
            TsplOpenPort(server.portString());
        else
            CmdOpenPortOnce();
        TDLThread sender;
        QElapsedTimer t;
        t.start();
        sender.Start(payload, o);
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
    TsplDestroyGlobalPrinter();
    server.stop();
}

void BM_FileWindowSender200K(benchmark::State& state)
{
    SendToSimulator(state, false);
}
BENCHMARK(BM_FileWindowSender200K)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FontFileSender200K(benchmark::State& state)
{
    SendToSimulator(state, true);
}
BENCHMARK(BM_FontFileSender200K)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

QImage Picture()
{
    QImage img(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = qRgb((x * 7) & 255, (y * 3) & 255, (x ^ y) & 255);
    }
    return img;
}

// The work bitmap of the decoded picture, read back, and form A.
void BM_WorkBitmapAndFormA(benchmark::State& state)
{
    const QImage img = Picture();
    for (auto _ : state) {
        const QByteArray bmp = EncodeMonoBmpScaled(img, img.width(), img.height());
        TMonoBitmap mono;
        DecodeMonoBitmap(bmp, mono);
        const QByteArray a = BuildPacketImagePayload(mono);
        benchmark::DoNotOptimize(a.data());
    }
}
BENCHMARK(BM_WorkBitmapAndFormA)->Unit(benchmark::kMillisecond);

// The plain loop: threshold every pixel and pack eight to a byte.
void BM_PlainThresholdAndPack(benchmark::State& state)
{
    const QImage img = Picture();
    const int w = img.width(), h = img.height(), r = (w + 7) / 8;
    for (auto _ : state) {
        QByteArray out(qsizetype(r) * h, '\0');  // a fresh result each time, as the conversion makes
        for (int y = 0; y < h; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            auto* row = reinterpret_cast<uint8_t*>(out.data()) + qsizetype(y) * r;
            for (int x = 0; x < w; ++x)
                if (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x]) < 383)
                    row[x >> 3] |= uint8_t(0x80 >> (x & 7));
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_PlainThresholdAndPack)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Freed buffers stay with the process: the comparison measures the conversion, not
    // the system's cost of handing out fresh pages (large on virtual machines).
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
