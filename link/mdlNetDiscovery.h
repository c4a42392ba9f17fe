#pragma once
// Network printer discovery: one UDP datagram getval "printer_message" (24 bytes, no
// command prefix, no line end) to the broadcast address, then every reply is collected
// until three receive waits of one second each came back empty in a row (or 256 replies,
// or 30 seconds in all). The loop is asynchronous (readyRead and an idle timer), so the
// window that runs it stays alive; finished() is emitted once.
//
// Reply: lines separated by CR LF, counted from 0: line 0 the printer's IPv4 address,
// line 1 its name in the printer list, line 7 its name in the bulk firmware update.
//
// The target comes from a setting: address 255.255.255.255 and the caller's port (3289
// for the printer list, 8089 for bulk firmware update) unless the environment variable
// PRT_DISCOVERY_TARGET ("host" or "host:port") or SetDiscoveryTargetOverride says
// otherwise (tests point it at a responder on 127.0.0.1).
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

class QSocketNotifier;
class QTimer;

constexpr uint16_t DISCOVERY_PORT_PRINTER_LIST = 3289;
constexpr uint16_t DISCOVERY_PORT_BULK_UPDATE = 8089;

// The 24 request bytes: getval "printer_message".
QByteArray DiscoveryRequest();

// The pieces of text before each separator, then the rest after the last one: a text that
// ends with the separator gives a last empty piece, one without it a single piece. An
// empty separator gives the text whole.
QStringList SplitDiscoveryReply(const QString& text, const QString& separator);

struct TDiscoveryReply {
    QString Address;    // line 0
    QString Name;       // line 1 (empty when the reply has fewer than two lines)
    QStringList Lines;  // every line
    // Line n, empty when the reply has fewer lines.
    QString Line(int n) const { return Lines.value(n); }
    bool operator==(const TDiscoveryReply&) const = default;
};
// Splits a reply at CR LF (8-bit text; UTF-8 when the bytes are valid UTF-8).
TDiscoveryReply ParseDiscoveryReply(const QByteArray& datagram);
// "NET," + address when line 0 is an address the port engine opens (IsStrictIPv4), else
// empty.
QString DiscoveryPortString(const TDiscoveryReply& reply);
// The port engine's network address rule (prt::sdk::IsNetHostAddress): four decimal
// parts 0..255 without leading zeros, blanks or signs.
bool IsStrictIPv4(const QString& text);

struct TDiscoveryTarget {
    QString Host;  // dotted IPv4 address
    uint16_t Port = 0;
};
// The target for a default port (see above). Only numeric IPv4 hosts are taken.
TDiscoveryTarget DiscoveryTarget(uint16_t defaultPort);
// Empty text clears the override.
void SetDiscoveryTargetOverride(const QString& hostAndPort);

class TNetDiscovery : public QObject {
    Q_OBJECT
public:
    explicit TNetDiscovery(QObject* parent = nullptr);
    ~TNetDiscovery() override;

    // Waits (ms) of the loop: one empty receive, and the whole scan. Tests shorten them.
    int IdleMs = 1000;
    int EmptyReceivesToEnd = 3;
    int MaxReplies = 256;
    int TotalLimitMs = 30000;

    // Sends the request to target and starts collecting. False when the socket could not
    // be bound or the datagram not sent (finished() is then emitted at once).
    bool Start(const TDiscoveryTarget& target);
    void Cancel();
    bool IsRunning() const { return FRunning; }
    const QList<TDiscoveryReply>& Replies() const { return FReplies; }
    // Empty receive waits counted since the last reply (3 at a normal end).
    int EmptyReceives() const { return FEmpty; }

signals:
    void replyReceived(const TDiscoveryReply& reply);
    void finished();

private:
    void ReadPending();
    void IdleTimeout();
    void Finish();
    void CloseSocket();

    int FSocket = -1;  // an IPv4 datagram socket, -1 when closed
    QSocketNotifier* FNotifier = nullptr;
    QTimer* FIdle = nullptr;
    QTimer* FTotal = nullptr;
    QList<TDiscoveryReply> FReplies;
    int FEmpty = 0;
    bool FRunning = false;
};
