#pragma once
// Block firmware files and their exchange with the printer.
//
// A firmware file is a run of blocks: a 76-byte header, then the body. Header (LE):
//   0..3   passed through      4..7  u32 body length     8  u8 block type
//   9..11  passed through      12..43 file name text     44..75 version text
// The printer, switched to its update mode by do "dfu", takes per block the header (and
// answers one status byte), then the body in chunks of 1024 bytes (no answer); after the
// last body it answers a final status byte once it has stored everything.
//
// The file is checked when it is read: at least one block, every header and every body
// wholly inside the file (offsets are 64-bit); a file that fails cannot be sent.
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
#include <vector>

namespace prt::dl {

constexpr int kGDLHeaderSize = 76;
constexpr int kGDLChunkSize = 1024;

struct TGDLBlock {
    qint64 offset = 0;        // of the header in the file
    uint32_t bodyLength = 0;
    uint8_t type = 0;
    QString fileName;         // header bytes 12.. up to the first byte <= 32 (at most 32)
    QString version;          // header bytes 44.. the same way
};

enum class TGDLFault {
    None,
    TooShort,   // not even one header
    CutHeader,  // a header runs past the end of the file
    CutBody,    // a body runs past the end of the file
};

struct TGDLFile {
    QByteArray data;
    std::vector<TGDLBlock> blocks;
    qint64 totalPackets = 0;  // headers plus, per block, ceiling(body length / 1024)
    TGDLFault fault = TGDLFault::None;
    int faultBlock = 0;       // 1-based number of the faulty block
    qint64 faultOffset = 0;   // offset of its header
    bool Ok() const { return fault == TGDLFault::None; }
};

// Reads the blocks of a whole file.
TGDLFile ParseGDL(const QByteArray& data);
// The operator's text of a file's fault (language templates with the block, offset and
// sizes filled in); empty for a good file.
QString GDLFaultText(const TGDLFile& file);
// Reads and checks the file the operator chose. Null after a box: that of
// DLReadChosenFile when it cannot be read, else the text of its fault.
std::shared_ptr<const TGDLFile> ReadGDLFileOrTell(const QString& path);
// The language key of a status byte: 1 "FormGDL_err_Type", 2 "FormGDL_err_Head",
// 3 "FormGDL_err_Crc", 4 "FormGDL_err_Storage " (the key ends with a blank),
// 5 "FormGDL_err_StorageCheck", 6 "FormGDL_err_Name"; empty for 0 and any other value.
QString GDLStatusKey(int status);
// The text of a status byte's message (empty for values without a key).
QString GDLStatusText(int status);

enum class TGDLResult : int {
    Success = 0,
    Cancelled = 1,
    WriteFailed = 2,     // a header or chunk could not be written
    HeaderRefused = 3,   // status byte non-zero after a header
    NoHeaderStatus = 4,  // no status byte after a header
    FinalRefused = 5,    // final status non-zero
    NoFinalStatus = 6,   // no final status within 101 reads
    FinalTooLate = 7,    // a final status 0 that came only at the 101st read
};

struct TGDLOutcome {
    TGDLResult result = TGDLResult::Success;
    int status = -1;     // the refusing status byte
    int block = -1;      // the block (from 0) at which it stopped
    int finalReads = 0;  // reads of the end phase up to the final status
};

// The end phase reads the final status up to this many times; a status 0 counts only
// when it came within the first kGDLFinalReadsInTime reads.
constexpr int kGDLFinalReads = 101;
constexpr int kGDLFinalReadsInTime = 100;
constexpr uint32_t kGDLFinalReadMs = 1000;

// A read of up to `length` bytes that waits at most `ms` for the first byte and returns as
// soon as one came: `port` is read again and again, with `pause` (10 ms at most) between
// reads that brought nothing, until a byte came, `ms` have passed or `stop` is set.
int GDLReadWithin(TDLPort& port, uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t ms,
                  const std::function<void(uint32_t ms)>& pause, const std::atomic<bool>* stop);

struct TGDLRunHooks {
    // Every wait of the exchange (ms); it may return early when `stop` is set.
    std::function<void(uint32_t ms)> sleep;
    // Set by another thread to stop before the next step.
    const std::atomic<bool>* stop = nullptr;
    // After every packet (header or chunk): packets sent so far.
    std::function<void(qint64 sent)> progress;
    // When every block is sent and the end phase begins.
    std::function<void()> endPhase;
    // After a header was accepted or a chunk written: body chunks sent so far.
    std::function<void(qint64 chunks)> chunkProgress;
    // The pause before each step (the window's timer tick); 0: none (the bulk update's loop).
    uint32_t stepMs = 10;
    // Reads of a header's status byte and the wait after each empty one.
    int headerReadTries = 5;
    uint32_t headerRetryMs = 150;
    // The end phase's read: waits up to the given ms for the status byte and returns at it
    // (GDLReadWithin). Null: one plain read, then a sleep of those ms when nothing came.
    std::function<int(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t ms)> readWithin;
};

// The whole exchange on an open port (the do "dfu" and the open come before): per step a
// 10 ms pause, then
//   header: write 76 bytes; 100 ms; read one status byte (5 tries, 150 ms apart)
//   chunk:  write min(1024, rest of the body); no reply
//   after a body one step passes without sending
// and in the end phase up to 101 reads of one byte, each waiting up to 1000 ms for it.
// Status 0 within the first 100 reads is success; at the 101st it is too late.
TGDLOutcome RunGDLExchange(TDLPort& port, const TGDLFile& file, const TGDLRunHooks& hooks);

// The exchange of one window on a worker thread (the printer link's global TSPL object by
// default). Start() takes a shared, unchanging file. Signals arrive queued on the owner's
// thread. However the exchange ends, the worker closes the port before `ended`.
class TGDLSender : public QThread {
    Q_OBJECT
public:
    explicit TGDLSender(QObject* parent = nullptr, std::shared_ptr<TDLPort> port = {});
    ~TGDLSender() override;  // CancelAndWait()

    bool Start(std::shared_ptr<const TGDLFile> file);
    void Cancel();
    void CancelAndWait();
    bool IsBusy() const { return isRunning(); }
    TGDLOutcome Outcome() const;

signals:
    // Packets sent of the total: when the percent changes, the last value reached always.
    void progress(qint64 sent, qint64 total);
    void endPhase();
    void ended(int result, int status);

protected:
    void run() override;

private:
    void Wait(uint32_t ms);

    std::shared_ptr<TDLPort> port_;
    std::shared_ptr<const TGDLFile> file_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable cv_;
    TGDLOutcome outcome_;
};

// Tests: replaces the waits of every sender started from now on (null: real waits).
void SetGDLSleeperForTests(std::function<void(uint32_t ms)> sleeper);

} // namespace prt::dl
