#pragma once
// A simulated printer on 127.0.0.1 behind the link's global TSPL object, for the transfer
// benchmarks.
#include "PrinterCMD.h"
#include "SimDefaults.h"
#include "SimPrinter.h"
#include "SimTcpServer.h"
#include "mdlPrinterLib.h"

#include <functional>
#include <memory>

namespace prt::bench {

// The simulator with its standard handlers (then `setup`), listening on 127.0.0.1; the
// current port string names it and the global TSPL object exists for as long as this does.
struct TSimAtGlobalPrinter {
    prt::sim::SimPrinter printer;
    std::unique_ptr<prt::sim::SimTcpServer> server;
    explicit TSimAtGlobalPrinter(const std::function<void(prt::sim::SimPrinter&)>& setup = {})
    {
        prt::sim::AddStandardHandlers(printer);
        if (setup)
            setup(printer);
        server = std::make_unique<prt::sim::SimTcpServer>(printer);
        SetCurrentPortString(server->portString());
        SetPrinterSdkKind(1);
        TsplCreateGlobalPrinter(QStringLiteral("SIM"));
    }
    ~TSimAtGlobalPrinter()
    {
        TsplDestroyGlobalPrinter();
        server->stop();
    }
};

} // namespace prt::bench
