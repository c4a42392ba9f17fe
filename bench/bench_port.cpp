// Throughput and round trip of the printer port engine over loopback TCP, against the
// simulated printer.
//   bench_port [--benchmark_filter=...]
#include "PrtSdk.h"
#include "SimPrinter.h"
#include "SimTcpServer.h"

#include <QByteArray>
#include <QString>
#include <benchmark/benchmark.h>

#include <memory>

using namespace prt::sdk;

namespace {

// Answers every "Q\n" with a fixed reply line, like a status query.
class EchoHandler : public prt::sim::SimHandler {
public:
    explicit EchoHandler(QByteArray reply) : reply_(std::move(reply)) {}
    int consume(prt::sim::SimPrinter&, const QByteArray& in, QByteArray& reply) override
    {
        if (in.startsWith("Q\n")) {
            reply += reply_;
            return 2;
        }
        // Bulk data: take everything that is not a query (the record is cleared below).
        const qsizetype q = in.indexOf("Q\n");
        return q < 0 ? int(in.size()) : (q > 0 ? int(q) : NotMine);
    }

private:
    QByteArray reply_;
};

struct Rig {
    explicit Rig(QByteArray reply = "OK\r\n")
    {
        printer.addHandler(std::make_unique<EchoHandler>(std::move(reply)));
        server = std::make_unique<prt::sim::SimTcpServer>(printer);
        PrinterCreator(Lib::Tspl, &h, u"BENCH");
        const QString port = QStringLiteral("NET,127.0.0.1:%1").arg(server->port());
        rc = PortOpen(Lib::Tspl, h, reinterpret_cast<const char16_t*>(port.utf16()));
    }
    ~Rig() { PrinterDestroy(Lib::Tspl, &h); }

    prt::sim::SimPrinter printer;
    std::unique_ptr<prt::sim::SimTcpServer> server;
    Handle h = 0;
    int rc = -1;
};

void BM_WriteThroughput(benchmark::State& state)
{
    Rig rig;
    if (rig.rc != PRT_OK) {
        state.SkipWithError("cannot open the simulated printer");
        return;
    }
    const QByteArray block(int(state.range(0)), 'x');
    int n = 0;
    for (auto _ : state) {
        if (WriteData(Lib::Tspl, rig.h, reinterpret_cast<const uint8_t*>(block.constData()),
                      uint32_t(block.size())) != PRT_OK) {
            state.SkipWithError("write failed");
            break;
        }
        if (++n % 16 == 0)
            rig.printer.clearReceived(); // keep the simulator's record small
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * block.size());
}
BENCHMARK(BM_WriteThroughput)->Arg(64)->Arg(4096)->Arg(65536)->Arg(1 << 20)->UseRealTime();

void BM_RequestReply(benchmark::State& state)
{
    Rig rig(QByteArray(int(state.range(0)) - 1, 'r') + "\r");
    if (rig.rc != PRT_OK) {
        state.SkipWithError("cannot open the simulated printer");
        return;
    }
    QByteArray buf(int(state.range(0)) + 16, '\0');
    const uint8_t q[2] = {'Q', '\n'};
    for (auto _ : state) {
        uint32_t count = 0;
        WriteData(Lib::Tspl, rig.h, q, 2);
        const int rc = ReadDataEOF(Lib::Tspl, rig.h, reinterpret_cast<uint8_t*>(buf.data()), 2000,
                                   uint32_t(state.range(0)), 13, 0, &count);
        if (rc != PRT_OK || count != uint32_t(state.range(0))) {
            state.SkipWithError("short reply");
            break;
        }
        rig.printer.clearReceived();
    }
}
BENCHMARK(BM_RequestReply)->Arg(8)->Arg(256)->Arg(4096)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
