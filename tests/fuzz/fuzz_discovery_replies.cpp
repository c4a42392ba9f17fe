// Discovery replies: any datagram splits into lines without failing; no line, address or
// name is longer than the datagram; the lines joined by CR LF give the reply text again;
// an address discovery offers is one the port engine opens.
#include "FuzzSupport.h"
#include "PrtPort.h"
#include "mdlNetDiscovery.h"

using namespace prt::sdk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray datagram = fuzz::Bytes(data, size);
    const TDiscoveryReply r = ParseDiscoveryReply(datagram);
    const qsizetype limit = datagram.size();
    FUZZ_CHECK(!r.Lines.isEmpty());
    FUZZ_CHECK(r.Lines.size() <= limit / 2 + 1);
    qsizetype total = 0;
    for (const QString& line : r.Lines) {
        FUZZ_CHECK(line.size() <= limit);
        total += line.size();
    }
    FUZZ_CHECK(total <= limit);
    FUZZ_CHECK(r.Address == r.Lines.value(0) && r.Name == r.Lines.value(1));
    FUZZ_CHECK(r.Line(7) == r.Lines.value(7));
    // Nothing is lost or made up: the reply is UTF-8 when valid, else 8-bit text.
    const QString text = datagram.isValidUtf8() ? QString::fromUtf8(datagram) : QString::fromLatin1(datagram);
    FUZZ_CHECK(r.Lines.join(QStringLiteral("\r\n")) == text);

    // What discovery offers, the port engine opens: the same address, TCP port 9100.
    const QString port = DiscoveryPortString(r);
    FUZZ_CHECK(port.isEmpty() == !IsStrictIPv4(r.Address));
    if (!port.isEmpty()) {
        FUZZ_CHECK(port == QStringLiteral("NET,") + r.Address);
        PortSpec spec;
        FUZZ_CHECK(ParsePortString(port, &spec) == PRT_OK);
        FUZZ_CHECK(spec.kind == PortKind::Net && spec.tcpPort == 9100);
        FUZZ_CHECK(QString::fromLatin1(spec.host) == r.Address);
    }
    // The datagram taken as an address on its own follows the same rule.
    const QString whole = QString::fromLatin1(datagram);
    if (IsStrictIPv4(whole)) {
        PortSpec spec;
        FUZZ_CHECK(ParsePortString(QStringLiteral("NET,") + whole, &spec) == PRT_OK);
    }
    return 0;
}
