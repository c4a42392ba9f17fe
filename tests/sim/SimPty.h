#pragma once
// The simulated printer's serial port: a pseudo-terminal in raw mode. The engine opens
// slavePath() as a serial device (tests map it to a COM number through
// PRT_COM_DEVICE_<n>). A reader thread feeds the printer and writes replies back with
// its faults applied. The simulator keeps a slave descriptor of its own, so the engine
// may open and close the slave any number of times. "Disconnect after N bytes" (N counted
// from when the faults were last set) hangs the line up for good: the master closes, and
// the engine's reads and writes fail.
#include "SimTransport.h"

#include <QString>
#include <thread>

namespace prt::sim {

class SimPty {
public:
    explicit SimPty(SimPrinter& printer, SimReceiveLog log = {});
    ~SimPty();
    SimPty(const SimPty&) = delete;
    SimPty& operator=(const SimPty&) = delete;

    bool ok() const { return master_ >= 0; }
    QString slavePath() const { return slavePath_; }
    void stop();

private:
    void run();

    SimPrinter& printer_;
    SimReceiveLog log_;
    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    QString slavePath_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

} // namespace prt::sim
