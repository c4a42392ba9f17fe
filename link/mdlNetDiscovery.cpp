#include "mdlNetDiscovery.h"

#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QStringConverter>
#include <QStringList>
#include <QTimer>
#include <QUdpSocket>

namespace {

QString& TargetOverride()
{
    static QString text;
    return text;
}

QString DecodeText(const QByteArray& bytes)
{
    auto decoder = QStringDecoder(QStringDecoder::Utf8);
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
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& p : parts) {
        if (p.isEmpty() || p.size() > 3)
            return false;
        for (QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        if (p.toInt() > 255)
            return false;
    }
    return true;
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
    t.Host = QHostAddress(QStringLiteral("255.255.255.255"));
    t.Port = defaultPort;
    QString text = TargetOverride();
    if (text.isEmpty())
        text = QString::fromLocal8Bit(qgetenv("PRT_DISCOVERY_TARGET"));
    if (text.isEmpty())
        return t;
    const QString host = text.section(QLatin1Char(':'), 0, 0);
    const QString port = text.section(QLatin1Char(':'), 1, 1);
    QHostAddress a;
    if (a.setAddress(host))
        t.Host = a;
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
    connect(FIdle, &QTimer::timeout, this, [this] { IdleTimeout(); });
    FTotal = new QTimer(this);
    FTotal->setSingleShot(true);
    connect(FTotal, &QTimer::timeout, this, [this] { Finish(); });
}

TNetDiscovery::~TNetDiscovery()
{
    FRunning = false;
}

bool TNetDiscovery::Start(const TDiscoveryTarget& target)
{
    Cancel();
    FReplies.clear();
    FEmpty = 0;
    delete FSocket;
    FSocket = new QUdpSocket(this);
    FSocket->setProxy(QNetworkProxy::NoProxy);  // a broadcast on the local network, never through a proxy
    connect(FSocket, &QUdpSocket::readyRead, this, [this] { ReadPending(); });
    FRunning = true;
    if (!FSocket->bind(QHostAddress::AnyIPv4, 0)) {
        Finish();
        return false;
    }
    const QByteArray request = DiscoveryRequest();
    if (FSocket->writeDatagram(request, target.Host, target.Port) != request.size()) {
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
    while (FRunning && FSocket && FSocket->hasPendingDatagrams()) {
        const QNetworkDatagram d = FSocket->receiveDatagram();
        if (!d.isValid())
            continue;
        const TDiscoveryReply r = ParseDiscoveryReply(d.data());
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
    if (FSocket)
        FSocket->close();
    emit finished();
}
