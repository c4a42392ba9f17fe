// Port strings: any text parses or is refused with -10; a string that parses means what the
// README says, and its canonical spelling parses to the same port.
#include "FuzzSupport.h"
#include "PrtPort.h"
#include "PrtPorts.h"

#include <arpa/inet.h>

using namespace prt::sdk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(fuzz::Bytes(data, size));
    PortSpec spec;
    const int rc = ParsePortString(text, &spec);
    FUZZ_CHECK(rc == PRT_OK || rc == PRT_E_BAD_PORT);
    if (rc == PRT_OK) {
        QString canonical;
        switch (spec.kind) {
        case PortKind::Net: {
            in_addr a{};
            FUZZ_CHECK(::inet_pton(AF_INET, spec.host.constData(), &a) == 1);
            FUZZ_CHECK(spec.tcpPort >= 1);
            canonical = QStringLiteral("NET,%1:%2").arg(QString::fromLatin1(spec.host)).arg(spec.tcpPort);
            break;
        }
        case PortKind::Com:
            FUZZ_CHECK(spec.number >= 1 && spec.number <= 96 && spec.baud > 0);
            canonical = QStringLiteral("COM%1,BAUDRATE_%2").arg(spec.number).arg(spec.baud);
            FUZZ_CHECK(!ComDevicePath(spec.number).isEmpty());
            break;
        case PortKind::Lpt:
            FUZZ_CHECK(spec.number >= 1 && spec.number <= 64);
            canonical = QStringLiteral("LPT%1").arg(spec.number);
            // Every parallel port the engine opens has a device the port list can name.
            FUZZ_CHECK(prt::PortNameOfDevice(prt::DeviceOfPortName(canonical)) == canonical);
            break;
        case PortKind::Usb:
            FUZZ_CHECK(text.trimmed().compare(QLatin1String("USB"), Qt::CaseInsensitive) == 0);
            canonical = QStringLiteral("USB");
            break;
        }
        PortSpec again;
        FUZZ_CHECK(ParsePortString(canonical, &again) == PRT_OK);
        FUZZ_CHECK(again.kind == spec.kind && again.host == spec.host && again.tcpPort == spec.tcpPort &&
                   again.number == spec.number && (spec.kind != PortKind::Com || again.baud == spec.baud));
    }
    // Device names and port names map both ways.
    const QString name = prt::PortNameOfDevice(text);
    if (!name.isEmpty())
        FUZZ_CHECK(prt::DeviceOfPortName(name) == text);
    const QString device = prt::DeviceOfPortName(text);
    if (!device.isEmpty())
        FUZZ_CHECK(prt::DeviceOfPortName(prt::PortNameOfDevice(device)) == device);
    return 0;
}
