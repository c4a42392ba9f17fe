#pragma once
// Small helpers for the port engine tests: an owned printer object and byte-array calls.
#include "PrtSdk.h"
#include "SimPrinter.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <thread>

namespace prt::test {

using namespace prt::sdk;

// The UTF-16 text of `s` as the engine takes it (valid while `s` lives).
inline const char16_t* U16(const QString& s)
{
    return reinterpret_cast<const char16_t*>(s.utf16());
}

// A printer object of one library, destroyed at the end of the scope.
struct SdkObj {
    explicit SdkObj(Lib l = Lib::Tspl) : lib(l) { PrinterCreator(lib, &h, u"TEST"); }
    ~SdkObj()
    {
        if (h)
            PrinterDestroy(lib, &h);
    }
    SdkObj(const SdkObj&) = delete;
    SdkObj& operator=(const SdkObj&) = delete;

    int open(const QString& port) { return PortOpen(lib, h, U16(port)); }
    int close() { return PortClose(lib, h); }
    int write(const QByteArray& b)
    {
        return WriteData(lib, h, reinterpret_cast<const uint8_t*>(b.constData()), uint32_t(b.size()));
    }
    QByteArray read(uint32_t length, int* rc = nullptr)
    {
        QByteArray buf(int(length), '\0');
        uint32_t n = 0;
        const int r = ReadData(lib, h, reinterpret_cast<uint8_t*>(buf.data()), length, &n);
        if (rc)
            *rc = r;
        return buf.left(int(n));
    }
    QByteArray readEof(uint32_t waitMs, uint32_t maxLength, uint8_t endByte, int* rc = nullptr)
    {
        QByteArray buf(int(maxLength) + 16, '\x7F');
        uint32_t n = 0;
        const int r = ReadDataEOF(lib, h, reinterpret_cast<uint8_t*>(buf.data()), waitMs, maxLength,
                                  endByte, 0, &n);
        if (rc)
            *rc = r;
        return buf.left(int(n));
    }

    Lib lib;
    Handle h = 0;
};

inline QString NetPort(uint16_t port)
{
    return QStringLiteral("NET,127.0.0.1:%1").arg(port);
}

// Waits (bounded, about 3 s) until the simulator has received `n` bytes.
inline bool WaitReceived(const prt::sim::SimPrinter& p, qsizetype n)
{
    for (int i = 0; i < 300 && p.received().size() < n; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return p.received().size() >= n;
}

} // namespace prt::test
