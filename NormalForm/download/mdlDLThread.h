#pragma once
// TDLThread: the one sender of every packet or slice download (files, images, templates,
// fonts). It runs on its own worker thread; the window that owns it never blocks on it.
//
// How a window uses it:
//   1. Own one as a member: `TDLThread m_dl{this};` (its destructor cancels and joins, so
//      the window can be freed at any time; call CancelAndWait() in the close handler too).
//   2. Connect its signals to slots of the window; they arrive on the GUI thread (queued):
//        progress(index, count)       packets sent so far, packet count: at the start, then
//                                     when the percent sent changes; the last packet
//                                     reached always comes before transferEnded
//        listed(key, reply)           the getval reply of options.listKey after the transfer
//        spaceRead(used, remaining)   the getval replies of the space keys (raw texts)
//        reported(what, data)         whatever an afterTransfer step hands over
//        transferEnded(result, index) once, at the very end (result: TDLResult as int;
//                                     index: the packet the sender stopped at)
//   3. Open the port (the window's own open road), fill TDLOptions, call
//      Start(payload, options). Start copies the payload and the options; it refuses
//      (false) while an earlier transfer still runs, so the window disables the controls
//      that use the port between Start() and transferEnded.
//   4. Cancel() (any thread, any time) sets the atomic cancel flag and wakes a wait: the
//      sender stops before its next packet and closes the port by options.closeOnCancel;
//      it shows nothing. transferEnded(Cancelled) still follows; a failure that happens
//      after the cancel (a reply cut short by it) also ends as Cancelled.
//   5. On transferEnded the window shows the message of the result (the sender shows no
//      message box and touches no widget) and restores its captions.
//
// Order on the wire (all waits are the options'):
//   [handshake: write, wait, read 2 bytes with retries, "OK" or stop]
//   per packet: cancel test, build, write, wait (first / others), read the 12-byte reply
//               with retries, test count, echo, status, sum
//   raw slices: cancel test, write the next slice; no framing, no reply, no pause
//   end: wait, [listing getval + optional drained read], [space getvals],
//        [afterTransfer step], close by closeOnSuccess
// Every port exchange goes through a TDLPort: TDLLinkPort (the default) uses the global
// TSPL object of the printer link and the text commands of the current SDK kind (the
// windows set kind 1 while they run a transfer, so both share one connection); tests put
// a fake in its place.
#include "mdlDLPacket.h"
#include "mdlDLProgress.h"

#include <QByteArray>
#include <QString>
#include <QThread>
#include <QVariant>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace prt::dl {

// The port calls of a transfer.
class TDLPort {
public:
    virtual ~TDLPort() = default;
    // 0 when every byte was written.
    virtual int Write(const QByteArray& bytes) = 0;
    // Up to `length` bytes in at most `tries` reads, waitMs after each short read;
    // *count := bytes stored; the code of the last read.
    virtual int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries) = 0;
    // One read; *count := bytes stored.
    virtual int Read(uint8_t* buffer, uint32_t length, uint32_t* count) = 0;
    // getval with the quoted key on the open port, 100 ms, one read: the non-zero bytes.
    virtual QString GetVal(const QByteArray& key) = 0;
    // The text and CR LF, waitMs, one read: the non-zero bytes.
    virtual QString SendTextRead(const QString& text, uint32_t waitMs) = 0;
    enum class Close { None, IfOpen, Tspl, Destroy };
    //   IfOpen  the guarded close (only when the guarded open opened it)
    //   Tspl    the global TSPL object's port
    //   Destroy close and destroy the printer object of the current kind
    virtual void ClosePort(Close how) = 0;
};

// The printer link's global objects (see the header comment).
class TDLLinkPort : public TDLPort {
public:
    int Write(const QByteArray& bytes) override;
    int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries) override;
    int Read(uint8_t* buffer, uint32_t length, uint32_t* count) override;
    QString GetVal(const QByteArray& key) override;
    QString SendTextRead(const QString& text, uint32_t waitMs) override;
    void ClosePort(Close how) override;
};

enum class TDLResult : int {
    Success = 0,
    Cancelled = 1,
    HandshakeWriteFailed = 2,  // the handshake could not be written
    HandshakeRefused = 3,      // anything but the 2 bytes "OK"
    WriteFailed = 4,           // a packet could not be written
    ReplyRefused = 5,          // reply count, echo or status
    BadSum = 6,                // reply checksum alone
    AfterStepFailed = 7,       // the afterTransfer step said so
};

class TDLThread;

struct TDLOptions {
    // packets
    int packetSize = kDefaultPacketSize;
    uint8_t padding = 0x00;
    TDLCountRule countRule = TDLCountRule::Thread;
    bool atLeastOnePacket = false;  // an empty payload still sends one packet of length 0
    bool rawSlices = false;         // plain slices of packetSize bytes: no framing, no reply
    bool sliceWritesChecked = false;  // a slice that cannot be written ends with WriteFailed
    TDLReplyRule replyRule = TDLReplyRule::Strict;
    uint32_t waitAfterFirstPacketMs = 200;
    uint32_t waitAfterPacketMs = 200;
    uint32_t replyReadWaitMs = 150;
    int replyReadTries = 5;
    // handshake (empty: the window has done it)
    QByteArray handshake;
    bool handshakeWriteChecked = true;  // false: a failed write still waits for the reply
    uint32_t handshakeWaitMs = 100;
    uint32_t handshakeReadWaitMs = 100;
    int handshakeReadTries = 2;
    // after the last packet
    uint32_t waitAfterLastMs = 1000;
    QByteArray listKey;             // quoted getval key; empty: no listing
    bool drainAfterList = false;    // one read of up to 512 bytes, dropped
    QByteArray usedKey, remainKey;  // quoted getval keys; empty: no space read
    // Custom end step on the worker (after listing and space): false ends the transfer
    // with AfterStepFailed. It may call TDLThread::Report and TDLThread::Sleep.
    std::function<bool(TDLThread& sender, TDLPort& port)> afterTransfer;
    // closing
    TDLPort::Close closeOnSuccess = TDLPort::Close::IfOpen;
    TDLPort::Close closeOnFailure = TDLPort::Close::IfOpen;
    TDLPort::Close closeOnHandshakeFailure = TDLPort::Close::IfOpen;
    TDLPort::Close closeOnCancel = TDLPort::Close::Destroy;
    // Tests: replaces every wait of the sender (null = real time, woken by Cancel).
    std::function<void(uint32_t ms)> sleeper;
};

class TDLThread : public QThread {
    Q_OBJECT
public:
    // port: null = TDLLinkPort.
    explicit TDLThread(QObject* parent = nullptr, std::shared_ptr<TDLPort> port = {});
    ~TDLThread() override;  // CancelAndWait()

    void SetPort(std::shared_ptr<TDLPort> port);  // only while idle

    // Copies payload and options and starts the worker; false while one still runs.
    bool Start(const QByteArray& payload, const TDLOptions& options);
    void Cancel();
    void CancelAndWait();
    bool IsCancelled() const { return cancel_.load() != 0; }
    bool IsBusy() const { return isRunning(); }

    int PacketCount() const { return count_.load(); }
    int PacketIndex() const { return index_.load(); }
    TDLResult Result() const { return static_cast<TDLResult>(result_.load()); }
    // The payload of the running (or last) transfer.
    const QByteArray& Payload() const { return payload_; }

    // For afterTransfer steps (worker thread).
    void Report(const QString& what, const QVariant& data);
    // Waits ms (the options' sleeper when set); an interruptible wait ends early on Cancel.
    void Sleep(uint32_t ms, bool interruptible = false);

signals:
    void progress(int index, int count);
    void listed(const QString& key, const QString& reply);
    void spaceRead(const QString& used, const QString& remaining);
    void reported(const QString& what, const QVariant& data);
    void transferEnded(int result, int packetIndex);

protected:
    void run() override;

private:
    TDLResult Transfer();
    void End(TDLResult result);

    std::shared_ptr<TDLPort> port_;
    QByteArray payload_;
    TDLOptions options_;
    std::atomic<int> cancel_{0};
    std::atomic<int> count_{0};
    std::atomic<int> index_{0};
    std::atomic<int> result_{0};
    std::mutex waitMutex_;
    std::condition_variable waitCv_;
    TProgressPost<int, int> shown_;  // the worker's progress reports
};

// Tests: the sleeper of every sender started from now on whose options name none (the
// windows' senders); null restores real waits.
void SetDLSleeperForTests(std::function<void(uint32_t ms)> sleeper);

// Text of a result for the operator: the language key of its message ("" for Success
// and Cancelled): BadSum "_Err_CheckSum", the others `ioErrorKey`.
QString ResultMessageKey(TDLResult result, const QString& ioErrorKey);

} // namespace prt::dl
