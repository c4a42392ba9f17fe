#pragma once
// Over-the-air firmware: the packet, its acknowledgement, the way a model is switched into
// its update mode, and the whole transfer on a worker.
//
// Packet: the text command do "ota" (17 bytes: 1B 1C 26 20 56 31 20 + do "ota" CR LF), then
// u32 LE data offset, u32 LE data length n, u32 LE CRC-32 of the n data bytes (CalcCRC32:
// register starts at 0, final xor FFFFFFFF), then the data. The printer answers 8 bytes:
// good when exactly 8 came, bytes 0..2 are 1B 1C 26 and byte 7 is 0.
#include "mdlDLThread.h"

#include <QByteArray>
#include <QString>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace prt::dl {

constexpr int kOtaHeadSize = 29;

// The packet of `packageLength` bytes (less at the end of the data) from `offset`; an
// offset at or past the end gives a packet of length 0.
QByteArray BuildOtaPacket(const QByteArray& data, uint32_t offset, uint32_t packageLength);
bool IsOtaAckGood(const QByteArray& ack);
// ceiling(size / packageLength); 0 for an empty file.
int OtaPacketCount(qint64 size, uint32_t packageLength);
// The package length a printer reported, or 0 when the reply is not exactly 4 bytes or
// holds 0 or a value above 2^31-1 (no transfer can be counted with it).
uint32_t OtaPackageLength(const QByteArray& reply);

// Models of the over-the-air update (comma lists ",A,B,").
QString OtaWifiModels();         // Wi-Fi module update: do "wifi_enter_ota" when opened for Wi-Fi
QString OtaAirModels();          // do "enter_ota", then reconnect
QString OtaDirectModels();       // already in update mode: no switch command
QString OtaLongRestartModels();  // 10 s after the raw switch command instead of 5 s

enum class TOtaSwitch { WifiEnterOta, EnterOta, RawBytes, None };
// model: the current model name; binType1: the model has the feature
// "FTNNo_Dfu_Head_BinType1".
TOtaSwitch OtaSwitchFor(const QString& model, int wifiMode, bool binType1);

// What the transfer needs of the printer link (tests put a fake or the simulator behind
// the real one).
class TOtaLink {
public:
    virtual ~TOtaLink() = default;
    virtual int OpenPort() = 0;   // the current port on the global TSPL object (re-created when gone)
    virtual void ClosePort() = 0;
    virtual void DoLeaveOpen(const QByteArray& key) = 0;  // do KEY, port left open
    virtual void DoOnOpenPort(const QByteArray& key) = 0; // do KEY on the open port
    virtual int Write(const QByteArray& bytes) = 0;
    // getval KEY on its own open and close, 50 ms, one read of up to n bytes.
    virtual QByteArray GetValBytes(const QByteArray& key, uint32_t n) = 0;
    virtual int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries) = 0;
    virtual uint32_t Tick() = 0;  // ms clock
};
class TOtaGlobalLink : public TOtaLink {
public:
    int OpenPort() override;
    void ClosePort() override;
    void DoLeaveOpen(const QByteArray& key) override;
    void DoOnOpenPort(const QByteArray& key) override;
    int Write(const QByteArray& bytes) override;
    QByteArray GetValBytes(const QByteArray& key, uint32_t n) override;
    int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries) override;
    uint32_t Tick() override;
};

enum class TOtaResult : int {
    Success = 0,
    Cancelled = 1,
    OpenFailed = 2,   // the first open: "_Err_OpenPort"
    IoError = 3,      // switch, reconnect, package length, reopen, write or acknowledgement
};

struct TOtaOutcome {
    TOtaResult result = TOtaResult::Success;
    int packets = 0;       // packets acknowledged
    int openCode = 0;      // the result of the first open when it failed
    uint32_t packageLength = 0;
};

struct TOtaHooks {
    std::function<void(uint32_t ms)> sleep;
    const std::atomic<bool>* stop = nullptr;
    // After every packet written: packets sent, packet count, KB sent, total KB.
    std::function<void(int index, int count, int kbSent, int kbTotal)> progress;
    // Once the package length is known and the port is open for the packets.
    std::function<void(int count)> started;
};

// The whole transfer: first open, mode switch, package length, reopen, then per packet
// write, 10 ms, acknowledgement (after the last packet up to 30 attempts, 500 ms apart).
// The port is closed on success; on a failure it stays as it is.
TOtaOutcome RunOtaTransfer(TOtaLink& link, const QByteArray& data, TOtaSwitch how, bool longRestart,
                           const TOtaHooks& hooks);

class TOtaSender : public QThread {
    Q_OBJECT
public:
    explicit TOtaSender(QObject* parent = nullptr, std::shared_ptr<TOtaLink> link = {});
    ~TOtaSender() override;
    bool Start(const QByteArray& data, TOtaSwitch how, bool longRestart);
    void Cancel();
    void CancelAndWait();
    bool IsBusy() const { return isRunning(); }
    TOtaOutcome Outcome() const { return outcome_; }

signals:
    void started(int count);
    // When the percent of packets sent changes; the last value reached always.
    void progress(int index, int count, int kbSent, int kbTotal);
    // The outcome; openCode is the first open's result when that open failed.
    void ended(int result, int openCode);

protected:
    void run() override;

private:
    void Wait(uint32_t ms);
    std::shared_ptr<TOtaLink> link_;
    QByteArray data_;
    TOtaSwitch how_ = TOtaSwitch::None;
    bool longRestart_ = false;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable cv_;
    TOtaOutcome outcome_;
};

// Tests: replaces the waits of every OTA sender started from now on (null: real waits).
void SetOtaSleeperForTests(std::function<void(uint32_t ms)> sleeper);
// Tests: replaces the ms clock of the printer link (TOtaGlobalLink::Tick; null: the real one).
void SetOtaTickForTests(std::function<uint32_t()> tick);

} // namespace prt::dl
