// Discovery replies: any datagram splits into lines without failing; no line, address or
// name is longer than the datagram; the lines joined by CR LF give the reply text again;
// an address discovery offers is exactly one the hand-written rule below takes (four
// numbers 0 to 255 joined by dots, no leading zeros, nothing else), and the port engine
// opens it. Four bytes of the input written as an address are offered, and refused once a
// leading zero, a blank, a sign or a fifth part is added.
#include "FuzzSupport.h"
#include "PrtPort.h"
#include "mdlNetDiscovery.h"

using namespace prt::sdk;

namespace {

// The address rule, written out on its own: exactly four parts joined by ".", each one to
// three ASCII digits, no leading zero (but "0" itself), at most 255.
bool IsDottedQuad(const QString& text)
{
    int parts = 0;
    int digits = 0;
    int value = 0;
    bool leadingZero = false;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text.at(i) == QLatin1Char('.')) {
            if (digits == 0 || ++parts > 4)
                return false;
            digits = 0;
            value = 0;
            leadingZero = false;
            continue;
        }
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9' || leadingZero)
            return false;
        leadingZero = digits == 0 && c == u'0';
        value = value * 10 + (c - u'0');
        if (++digits > 3 || value > 255)
            return false;
    }
    return parts == 4;
}

// What discovery offers for an address: the port string, or empty when it is refused.
QString Offered(const QString& address)
{
    return DiscoveryPortString(ParseDiscoveryReply(address.toUtf8() + "\r\nname"));
}

// The address is offered and the port engine opens it on TCP port 9100, host unchanged.
void CheckOffered(const QString& address)
{
    FUZZ_CHECK(IsStrictIPv4(address));
    FUZZ_CHECK(Offered(address) == QStringLiteral("NET,") + address);
    PortSpec spec;
    FUZZ_CHECK(ParsePortString(QStringLiteral("NET,") + address, &spec) == PRT_OK);
    FUZZ_CHECK(spec.kind == PortKind::Net && spec.tcpPort == 9100);
    FUZZ_CHECK(QString::fromLatin1(spec.host) == address);
}

void CheckRefused(const QString& address)
{
    FUZZ_CHECK(!IsStrictIPv4(address));
    FUZZ_CHECK(Offered(address).isEmpty());
}

} // namespace

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

    // Discovery offers line 0 exactly when the rule above takes it, as "NET," + the address.
    const QString port = DiscoveryPortString(r);
    FUZZ_CHECK(IsStrictIPv4(r.Address) == IsDottedQuad(r.Address));
    if (IsDottedQuad(r.Address))
        CheckOffered(r.Address);
    else
        FUZZ_CHECK(port.isEmpty());
    // Every line and the datagram taken whole, as an address on their own, follow it too.
    for (const QString& line : r.Lines)
        FUZZ_CHECK(IsStrictIPv4(line) == IsDottedQuad(line));
    const QString whole = QString::fromLatin1(datagram);
    FUZZ_CHECK(IsStrictIPv4(whole) == IsDottedQuad(whole));

    // Four bytes written as an address are offered; a leading zero, a blank, a sign or a
    // fifth part added to any of its numbers makes it refused.
    if (size >= 4) {
        QStringList parts;
        for (size_t i = 0; i < 4; ++i)
            parts << QString::number(data[i]);
        const QString address = parts.join(QLatin1Char('.'));
        CheckOffered(address);
        const int at = size > 4 ? data[4] % 4 : 0;
        for (const QString& spoilt : {QStringLiteral("0") + parts[at], QStringLiteral("+") + parts[at],
                                      QStringLiteral(" ") + parts[at], parts[at] + QStringLiteral(" "),
                                      parts[at] + QStringLiteral(".0")}) {
            QStringList bad = parts;
            bad[at] = spoilt;
            CheckRefused(bad.join(QLatin1Char('.')));
        }
    }
    return 0;
}
