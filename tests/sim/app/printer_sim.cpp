// printer-sim: a simulated printer for manual runs.
//   printer-sim [--port N] [--pty] [--demo] [--block FILE]
// Listens on 127.0.0.1:N (0 or absent = any free port) and prints "port N"; with --pty it
// also opens a pseudo-terminal and prints "pty /dev/pts/X". Every received chunk is logged
// to stdout as a line of hex bytes. --demo seeds the printer of scripts/demo (SimDemo.h):
// every window of the demo's rows reads values. --block presets the stored parameter block
// from FILE (256 raw bytes, or hex bytes as text; marker and sum are set), after --demo.
// Runs until interrupted.
#include "SimDefaults.h"
#include "SimDemo.h"
#include "SimDownload.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimPty.h"
#include "SimTcpServer.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }
} // namespace

int main(int argc, char** argv)
{
    int port = 0;
    bool pty = false;
    bool demo = false;
    const char* blockFile = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--port") && i + 1 < argc) {
            port = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--block") && i + 1 < argc) {
            blockFile = argv[++i];
        } else if (!std::strcmp(argv[i], "--pty")) {
            pty = true;
        } else if (!std::strcmp(argv[i], "--demo")) {
            demo = true;
        } else {
            std::fprintf(stderr, "usage: %s [--port N] [--pty] [--demo] [--block FILE]\n", argv[0]);
            return 2;
        }
    }
    if (port < 0 || port > 65535) {
        std::fprintf(stderr, "bad port %d\n", port);
        return 2;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    prt::sim::SimPrinter printer;
    prt::sim::AddStandardHandlers(printer);
    if (demo) {
        prt::sim::SimSeedDemoPrinter(printer);
    } else {
        // the download windows' queries (resolution, space, listings); "ppl" stays unanswered
        prt::sim::SimSetDownloadDefaults(printer, QByteArray());
    }
    if (blockFile) {
        const QByteArray block = prt::sim::SimLoadBlockFile(QString::fromLocal8Bit(blockFile));
        if (block.isEmpty()) {
            std::fprintf(stderr, "cannot read the block file %s\n", blockFile);
            return 2;
        }
        prt::sim::SimSetBlock(printer, block);
    }

    std::mutex outLock;
    auto log = [&outLock](const char* where, const QByteArray& bytes) {
        std::lock_guard lock(outLock);
        std::printf("%s %s\n", where, bytes.toHex(' ').toUpper().constData());
        std::fflush(stdout);
    };
    prt::sim::SimTcpServer server(printer, uint16_t(port),
                                  [&log](const QByteArray& b) { log("net", b); });
    if (!server.ok()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::printf("port %u\n", unsigned(server.port()));
    std::unique_ptr<prt::sim::SimPty> pt;
    if (pty) {
        pt = std::make_unique<prt::sim::SimPty>(printer, [&log](const QByteArray& b) { log("pty", b); });
        if (!pt->ok()) {
            std::fprintf(stderr, "cannot open a pseudo-terminal\n");
            return 1;
        }
        std::printf("pty %s\n", pt->slavePath().toLocal8Bit().constData());
    }
    std::fflush(stdout);
    while (!g_stop)
        ::usleep(100 * 1000);
    return 0;
}
