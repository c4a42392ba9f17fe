#pragma once
// The simulated printer's brain, independent of the transport: bytes in, replies out.
// Protocol handlers are chained; each looks at the unconsumed input and either takes a
// whole command from its front (and appends its reply), asks for more bytes, or passes.
// Everything received is recorded. Thread-safe: transports call feed() from their
// own threads while a test inspects the record.
#include <QByteArray>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace prt::sim {

class SimPrinter;

class SimHandler {
public:
    virtual ~SimHandler() = default;
    enum : int { NotMine = -1, NeedMore = 0 };
    // Returns the number of bytes taken from the front of `in` (> 0, reply appended to
    // `reply`), NeedMore when `in` starts with an incomplete command of this handler,
    // or NotMine. Called with the printer's lock held: use `printer` only for its
    // state accessors, never feed().
    virtual int consume(SimPrinter& printer, const QByteArray& in, QByteArray& reply) = 0;
};

// Faults the transport applies to replies and to the connection.
struct SimFaults {
    bool noReply = false;          // swallow every reply
    int replyDelayMs = 0;          // send replies this late
    int shortReplyBytes = -1;      // >= 0: send only the first N bytes of each reply
    bool garbage = false;          // replace each reply by as many bytes of 0xA5
    int disconnectAfterBytes = -1; // >= 0: close the connection once this many bytes came in
    int splitReplyAt = -1;         // > 0: send each reply in two writes, split here,
    int splitDelayMs = 60;         //      this many ms apart
};

class SimPrinter {
public:
    SimPrinter();
    ~SimPrinter();

    // Handlers are asked in the order added. A scripted reply (below) is asked first.
    void addHandler(std::unique_ptr<SimHandler> handler);

    // Scripted exchange: when the unconsumed input starts with `request`, it is taken
    // and `reply` is sent. Scripts are used once each, in order added, before handlers.
    // Input that is only the beginning of the next script's request waits for more bytes.
    void script(const QByteArray& request, const QByteArray& reply);

    // Transport entry: takes received bytes, returns the reply bytes to send (faults not
    // yet applied). Input that no handler takes is dropped up to and including the next
    // LF (or entirely when there is none).
    QByteArray feed(const QByteArray& bytes);

    QByteArray received() const;      // every byte received so far, in order
    void clearReceived();
    // Whether received() keeps the bytes (on unless turned off: a benchmark of big
    // transfers turns it off, so that the printers' logs do not weigh on the program
    // measured in the same process).
    void setKeepReceived(bool keep);
    int connections() const;          // number of connections the transports accepted
    void noteConnection();            // a new connection: counts it, drops half commands
    // Connections that the other side closed without sending a byte (opened for nothing).
    int silentConnections() const;
    void noteSilentConnection();

    void setFaults(const SimFaults& faults);
    SimFaults faults() const;
    // Goes up by one with every setFaults() (transports restart their fault counters).
    int faultsGeneration() const;

    // Bytes the printer sends on its own (stale bytes the host has not asked for): the
    // network transport sends them on the current connection, or right after the next one
    // is accepted.
    void pushUnsolicited(const QByteArray& bytes);
    QByteArray takeUnsolicited();
    bool hasUnsolicited() const;
    // Handlers: the reply of the command being handled goes out this many ms late (the
    // network transport waits before sending it). Taken by the transport after each feed().
    void delayReply(int ms);
    int takeReplyDelay();
    // Handlers: the printer restarts its network link once the reply of the command being
    // handled is out: the network transport drops the connection and refuses new ones for
    // `ms` (0: drops only), then listens again. Taken by the transport after each feed();
    // -1 when none is asked.
    void restartLink(int ms);
    int takeLinkRestart();

    // Handlers: bytes the printer sends once nothing has come in for `ms` (a printer that
    // answers after a quiet time). Any input that arrives first disarms it; the handler
    // that takes the input may arm it again. The network transport asks takeQuietReply()
    // while the line is idle.
    void armQuietReply(const QByteArray& bytes, int ms);
    // The armed bytes when the line has been idle for at least their time (then disarmed).
    QByteArray takeQuietReply(int idleMs);

    // A link cut inside a command: the next time `command` comes in (whole, on one
    // connection), only its first `bytes` bytes reach the printer, and nothing after them
    // on that connection does (neither recorded nor answered). drops: the printer then
    // drops the connection and refuses new ones for `refuseMs` (as restartLink);
    // otherwise it keeps the connection open and takes nothing more on it (a link that
    // died silently). Used once; the next connection is served normally. While armed,
    // bytes that may begin the command wait until the rest comes in.
    void cutLinkIn(const QByteArray& command, int bytes, bool drops, int refuseMs = 0);
    // True once the armed cut has happened.
    bool linkWasCut() const;

    // The lock that guards the printer's state; handlers' own state may use it too.
    std::recursive_mutex& mutex() const { return mutex_; }

private:
    struct Script { QByteArray request, reply; };
    mutable std::recursive_mutex mutex_;
    std::vector<std::unique_ptr<SimHandler>> handlers_;
    std::vector<Script> scripts_;
    QByteArray pending_;
    QByteArray received_;
    bool keepReceived_ = true;
    SimFaults faults_;
    int connections_ = 0;
    int silentConnections_ = 0;
    int faultsGeneration_ = 0;
    QByteArray unsolicited_;
    int replyDelayMs_ = 0;
    int linkRestartMs_ = -1;
    QByteArray quietReply_;
    int quietMs_ = -1;
    QByteArray cutCommand_;      // armed cut: the command, its bytes that arrive, how
    int cutBytes_ = 0;
    bool cutDrops_ = true;
    int cutRefuseMs_ = 0;
    QByteArray cutHeld_;         // input that may begin the command, not yet taken
    int cutConnection_ = -1;     // the connection that was cut
    bool linkWasCut_ = false;
};

} // namespace prt::sim
