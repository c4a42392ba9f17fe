#pragma once
// The simulated printer's network port: listens on a loopback address (127.0.0.1 unless
// another 127.x.y.z is given, so several printers can share one port) and serves one
// connection at a time (sequential reconnects are fine). Received bytes go to the
// printer's feed(); replies go back with the printer's faults applied.
#include "SimTransport.h"

#include <QString>
#include <cstdint>
#include <thread>

namespace prt::sim {

class SimTcpServer {
public:
    // port 0 = an ephemeral port (see port()). Listening starts here; ok() tells.
    // An address outside 127.0.0.0/8 is refused (ok() false).
    explicit SimTcpServer(SimPrinter& printer, uint16_t port = 0, SimReceiveLog log = {},
                          const QString& address = QStringLiteral("127.0.0.1"));
    ~SimTcpServer();
    SimTcpServer(const SimTcpServer&) = delete;
    SimTcpServer& operator=(const SimTcpServer&) = delete;

    bool ok() const { return listenFd_ >= 0; }
    uint16_t port() const { return port_; }
    const QString& address() const { return address_; }
    // The engine's port string for this server: "NET,<address>:<port>".
    QString portString() const { return QStringLiteral("NET,%1:%2").arg(address_).arg(port_); }
    // Stops accepting, drops the current connection and joins the thread.
    void stop();
    // Closes the current connection (if any); the server keeps listening.
    void dropConnection();

private:
    void run();
    // Serves one connection until it ends; the number of bytes that came in (-1 when the
    // server dropped it before any came).
    long long serve(int fd);

    SimPrinter& printer_;
    SimReceiveLog log_;
    int listenFd_ = -1;
    int wake_[2] = {-1, -1};   // stop pipe
    int dropWake_[2] = {-1, -1}; // drop-connection pipe
    uint16_t port_ = 0;
    QString address_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    // When the printer restarts its link (SimPrinter::restartLink), serve() shuts the
    // listening socket down (connects are refused, ECONNREFUSED) and drops the connection;
    // after the asked time run() listens again on the same address and port.
    int linkRestartMs_ = -1;
};

} // namespace prt::sim
