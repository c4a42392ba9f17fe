#include "mdlNetDiscovery.h"

#include "PrtPort.h"

#include <QSocketNotifier>
#include <QStringConverter>
#include <QStringList>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString& TargetOverride()
{
    static QString text;
    return text;
}

bool ParseIPv4(const QString& text, in_addr* out)
{
    const QByteArray latin = text.toLatin1();
    return !text.isEmpty() && inet_pton(AF_INET, latin.constData(), out) == 1;
}

QString DecodeText(const QByteArray& bytes)
{
    // Stateless: a sequence cut off at the end is an error too (a stateful decoder would
    // keep it back for more bytes and drop it from the text).
    auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

} // namespace

QByteArray DiscoveryRequest()
{
    return QByteArray("getval \"printer_message\"");
}

QStringList SplitDiscoveryReply(const QString& text, const QString& separator)
{
    if (separator.isEmpty())
        return {text};
    return text.split(separator, Qt::KeepEmptyParts);
}

TDiscoveryReply ParseDiscoveryReply(const QByteArray& datagram)
{
    TDiscoveryReply r;
    r.Lines = SplitDiscoveryReply(DecodeText(datagram), QStringLiteral("\r\n"));
    r.Address = r.Lines.value(0);
    r.Name = r.Lines.value(1);
    return r;
}

bool IsStrictIPv4(const QString& text)
{
    return prt::sdk::IsNetHostAddress(text);  // the rule the port engine opens by
}

QString DiscoveryPortString(const TDiscoveryReply& reply)
{
    return IsStrictIPv4(reply.Address) ? QStringLiteral("NET,") + reply.Address : QString();
}

void SetDiscoveryTargetOverride(const QString& hostAndPort)
{
    TargetOverride() = hostAndPort;
}

TDiscoveryTarget DiscoveryTarget(uint16_t defaultPort)
{
    TDiscoveryTarget t;
    t.Host = QStringLiteral("255.255.255.255");
    t.Port = defaultPort;
    QString text = TargetOverride();
    if (text.isEmpty())
        text = QString::fromLocal8Bit(qgetenv("PRT_DISCOVERY_TARGET"));
    if (text.isEmpty())
        return t;
    const QString host = text.section(QLatin1Char(':'), 0, 0);
    const QString port = text.section(QLatin1Char(':'), 1, 1);
    in_addr a{};
    if (ParseIPv4(host, &a))
        t.Host = host;
    bool ok = false;
    const uint p = port.toUInt(&ok);
    if (ok && p > 0 && p < 65536)
        t.Port = static_cast<uint16_t>(p);
    return t;
}

TNetDiscovery::TNetDiscovery(QObject* parent) : QObject(parent)
{
    FIdle = new QTimer(this);
    FIdle->setSingleShot(true);
    // An empty wait lasts its whole time: a coarse timer may end it up to 5% early.
    FIdle->setTimerType(Qt::PreciseTimer);
    connect(FIdle, &QTimer::timeout, this, [this] { IdleTimeout(); });
    FTotal = new QTimer(this);
    FTotal->setSingleShot(true);
    connect(FTotal, &QTimer::timeout, this, [this] { Finish(); });
}

TNetDiscovery::~TNetDiscovery()
{
    FRunning = false;
    CloseSocket();
}

void TNetDiscovery::CloseSocket()
{
    // A reply handler may cancel while the notifier is delivering: it goes when the loop is back.
    if (FNotifier) {
        FNotifier->setEnabled(false);
        FNotifier->deleteLater();
        FNotifier = nullptr;
    }
    if (FSocket >= 0)
        ::close(FSocket);
    FSocket = -1;
}

bool TNetDiscovery::Start(const TDiscoveryTarget& target)
{
    Cancel();
    FReplies.clear();
    FEmpty = 0;
    CloseSocket();
    FRunning = true;
    // A datagram on the local network, sent straight from the socket (never through a proxy).
    FSocket = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    in_addr host{};
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    const int on = 1;
    if (FSocket < 0 || !ParseIPv4(target.Host, &host)
        || ::setsockopt(FSocket, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0
        || ::bind(FSocket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        Finish();
        return false;
    }
    FNotifier = new QSocketNotifier(FSocket, QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] { ReadPending(); });
    const QByteArray request = DiscoveryRequest();
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr = host;
    to.sin_port = htons(target.Port);
    ssize_t sent;
    do
        sent = ::sendto(FSocket, request.constData(), size_t(request.size()), 0, reinterpret_cast<const sockaddr*>(&to),
                        sizeof to);
    while (sent < 0 && errno == EINTR);
    if (sent != request.size()) {
        Finish();
        return false;
    }
    FIdle->start(IdleMs);
    FTotal->start(TotalLimitMs);
    return true;
}

void TNetDiscovery::Cancel()
{
    if (FRunning)
        Finish();
}

void TNetDiscovery::ReadPending()
{
    // A datagram is at most 64 KiB; a reply longer than the buffer is cut, as a datagram read is.
    static constexpr size_t kMaxDatagram = 65536;
    QByteArray buffer(qsizetype(kMaxDatagram), Qt::Uninitialized);
    while (FRunning && FSocket >= 0) {
        const ssize_t n = ::recv(FSocket, buffer.data(), kMaxDatagram, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;  // nothing more pending (or an error the idle wait ends)
        }
        const TDiscoveryReply r = ParseDiscoveryReply(buffer.left(qsizetype(n)));
        FReplies.append(r);
        FEmpty = 0;
        emit replyReceived(r);
        if (FReplies.size() >= MaxReplies) {
            Finish();
            return;
        }
    }
    if (FRunning)
        FIdle->start(IdleMs);
}

void TNetDiscovery::IdleTimeout()
{
    if (!FRunning)
        return;
    ++FEmpty;
    if (FEmpty >= EmptyReceivesToEnd) {
        Finish();
        return;
    }
    FIdle->start(IdleMs);
}

void TNetDiscovery::Finish()
{
    if (!FRunning)
        return;
    FRunning = false;
    FIdle->stop();
    FTotal->stop();
    CloseSocket();
    emit finished();
}
