#pragma once
// Transports behind the printer SDK engine (PrtSdk.h): port-string parsing and one class
// per kind of port. Internal to the engine; tests use the parser and the COM mapping.
#include "PrtSdkCodes.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace prt::sdk {

enum class PortKind { Net, Com, Lpt, Usb };

struct PortSpec {
    PortKind kind = PortKind::Usb;
    QByteArray host;      // Net: dotted IPv4 address
    uint16_t tcpPort = 0; // Net
    int number = 0;       // Com, Lpt: n of COMn / LPTn
    int baud = 9600;      // Com
};

// Parses a port string; PRT_OK or PRT_E_BAD_PORT.
int ParsePortString(const QString& text, PortSpec* spec);
// The address rule of network ports: four decimal parts 0..255 joined by ".", no leading
// zeros, no blanks, nothing else ("192.168.0.7"; not "1.5.01.1", " 1.2.3.4", "1.2.3").
// ParsePortString takes the host of "NET,host[:port]" by this rule; discovery takes a
// reply's address by it, so every address discovery offers opens.
bool IsNetHostAddress(const QString& text);

// Device file of COMn: $PRT_COM_DEVICE_<n> when set, else COM1-32 /dev/ttyS0-31,
// COM33-64 /dev/ttyUSB0-31, COM65-96 /dev/ttyACM0-31; empty outside 1-96.
QString ComDevicePath(int n);
// Device file of LPTn: $PRT_LPT_DEVICE_<n> when set, else /dev/lp(n-1).
QString LptDevicePath(int n);

class Port {
public:
    virtual ~Port() = default;
    // Writes every byte; PRT_OK, PRT_E_TIMEOUT (no progress for the write time-out) or PRT_E_IO.
    virtual int write(const uint8_t* data, size_t length) = 0;
    // Waits up to timeoutMs (0 = no wait) for bytes and stores at most `max` of them;
    // PRT_OK (with *got possibly 0), PRT_E_IO (peer gone, read failed) or PRT_E_NOT_SUPPORTED.
    virtual int readSome(uint8_t* buffer, size_t max, uint32_t timeoutMs, size_t* got) = 0;
    // Serial number of the device; PRT_E_NOT_SUPPORTED when the port has none.
    virtual int serialNumber(QByteArray* sn) { sn->clear(); return PRT_E_NOT_SUPPORTED; }
};

// Opens the port described by `spec`; on success *port holds it and PRT_OK is returned.
int OpenPort(const PortSpec& spec, std::unique_ptr<Port>* port);

// USB (PrtUsb.cpp).
int OpenUsbPort(std::unique_ptr<Port>* port);
// Ids of the device that OpenUsbPort would choose.
int FindUsbPrinterIds(uint16_t* vid, uint16_t* pid);

} // namespace prt::sdk
