#pragma once
// Network printers answering the discovery datagram, on 127.0.0.1 only. Each printer
// answers from its own socket, after its own delay, with its reply bytes (for example
// "192.168.0.7\r\nPrinter A"). Every datagram received is recorded.
#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace prt::sim {

class SimUdpResponder {
public:
    struct Printer {
        QByteArray reply;
        int delayMs = 0;
    };
    // Listens on 127.0.0.1:port (0 = ephemeral); replies only to a datagram equal to
    // `request` (empty: to any datagram).
    explicit SimUdpResponder(std::vector<Printer> printers, QByteArray request = {}, uint16_t port = 0);
    ~SimUdpResponder();
    SimUdpResponder(const SimUdpResponder&) = delete;
    SimUdpResponder& operator=(const SimUdpResponder&) = delete;

    bool ok() const { return fd_ >= 0; }
    uint16_t port() const { return port_; }
    // "127.0.0.1:<port>", the discovery target text.
    QString target() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    QList<QByteArray> received() const;
    void stop();

private:
    void run();
    std::vector<Printer> printers_;
    QByteArray request_;
    int fd_ = -1;
    int wake_[2] = {-1, -1};
    uint16_t port_ = 0;
    mutable std::mutex mutex_;
    QList<QByteArray> received_;
    std::thread thread_;
};

} // namespace prt::sim
