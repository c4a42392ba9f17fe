#pragma once
// Bulk firmware update of network printers: one worker per listed printer, each with its
// own printer object and its own connection "NET," + address, sends the same block
// firmware file (see mdlGDL.h) and reports its row's state by queued signals. Workers
// touch no widget and wait for no message box; the window owns them, stops them through
// one shared stop flag and joins them before it goes away.
//
// The TCP port: printers listen on 9100, so the port string is "NET," + address. The
// environment variable PRT_BULK_UPDATE_TCP_PORT or SetBulkUpdateTcpPortOverride (tests)
// name another port, giving "NET," + address + ":" + port, so several printers on
// 127.0.0.x can share one port.
#include "PrtSdk.h"
#include "mdlDLThread.h"
#include "mdlGDL.h"

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

// 0 = none (TCP 9100).
void SetBulkUpdateTcpPortOverride(uint16_t port);
uint16_t BulkUpdateTcpPort();
// "NET," + address (+ ":" + port when one is set); empty unless the address is a strict
// dotted IPv4 address.
QString BulkUpdatePortString(const QString& address);

// The text command do with its key: 1B 1C 26 20 56 31 20 "do " key CR LF.
QByteArray BulkDoFrame(const QByteArray& key);

// ceiling(file size / 1024): the total shown in a row's progress.
qint64 BulkChunkTotal(qint64 fileSize);

// A port over a caller-owned printer handle (the worker's own object).
class TDLHandlePort : public TDLPort {
public:
    explicit TDLHandlePort(prt::sdk::Handle handle) : handle_(handle) {}
    int Write(const QByteArray& bytes) override;
    int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries) override;
    int Read(uint8_t* buffer, uint32_t length, uint32_t* count) override;
    QString GetVal(const QByteArray& key) override;
    QString SendTextRead(const QString& text, uint32_t waitMs) override;
    void ClosePort(Close how) override;
    // The waits between reads (the worker's stoppable wait).
    std::function<void(uint32_t ms)> sleep;

private:
    // Writes, waits, reads once: the non-zero bytes of the reply.
    QString WriteWaitRead(const QByteArray& bytes, uint32_t waitMs);
    prt::sdk::Handle handle_ = 0;
};

// The stop flag every worker of one window shares; Wait returns early once it is set.
class TBulkStop {
public:
    void Stop();
    void Reset();
    bool Stopped() const { return stop_.load(); }
    const std::atomic<bool>* Flag() const { return &stop_; }
    void Wait(uint32_t ms);

private:
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable cv_;
};

// How a worker ended.
enum class TBulkResult : int {
    Success = 0,
    OpenFailed = 1,   // the port did not open (the window shows the open-failure text and code)
    Failed = 2,       // the do "dfu", a write, a status byte or the final status
    Stopped = 3,      // the window stopped the run
};

class TUpdateFWThread : public QThread {
    Q_OBJECT
public:
    TUpdateFWThread(std::shared_ptr<const TGDLFile> firmware, std::shared_ptr<TBulkStop> stop,
                    QObject* parent = nullptr);
    ~TUpdateFWThread() override;  // waits for the run to end (stop it first)

    void SetAddress(const QString& address) { address_ = address; }
    void SetItemIndex(int rowId) { rowId_ = rowId; }
    void SetPrinterName(const QString& name) { printerName_ = name; }
    const QString& Address() const { return address_; }
    int ItemIndex() const { return rowId_; }
    const QString& PrinterName() const { return printerName_; }

    // One printer's update (the thread body; tests may call it directly).
    TBulkResult UpdateFirmware();
    // Writes the do frame on the own handle: -1 when the write fails, else 0.
    int SendDoCommand(const QByteArray& key);

    // Thin calls on the own handle.
    int CreatePrinter();
    int OpenPort();
    int WriteData(const QByteArray& bytes);
    int ReadData(uint8_t* buffer, uint32_t length, uint32_t* count);
    int ClosePort();
    int DestroyPrinter();

    // The end phase's reads (1..101) up to the final status, of the last run.
    int FinalReads() const { return finalReads_; }

signals:
    void downloading(int rowId);
    // A header accepted or a chunk written: body chunks sent of the total; posted only
    // when the row's percent changes, the last value reached always.
    void progress(int rowId, qint64 total, qint64 chunks);
    // Every block sent; the printer stores the firmware.
    void endPhase(int rowId);
    // The open failed with this code (before `ended`).
    void openFailed(int rowId, int code);
    void ended(int rowId, int result);

protected:
    void run() override;

private:
    std::shared_ptr<const TGDLFile> firmware_;
    std::shared_ptr<TBulkStop> stop_;
    QString address_, printerName_;
    int rowId_ = -1;
    prt::sdk::Handle handle_ = 0;
    int finalReads_ = 0;
};

// Tests: replaces the workers' waits (null: the real, stoppable waits).
void SetBulkUpdateSleeperForTests(std::function<void(uint32_t ms)> sleeper);

} // namespace prt::dl
