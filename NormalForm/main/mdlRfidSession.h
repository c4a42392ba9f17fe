#pragma once
// The RFID encoder's exchanges over the text key/value commands: tag read, write,
// write-and-read, power and RSSI level, parameter read, calibration. One object per
// action; the port procedures, the tick counter and the sleep are injected so tests run
// the long waits (up to 3 s + 6 s) on a fake clock.
//
// Tag commands: setval "rfid_wr" with "r,h,2,1,<len>", "w,h,2,1,<data>" or
// "s,h,2,1,<len>,<data>". Before a tag command the printer is told do "rfid_print" and,
// unless the model skips it, "CLS"; some models then need a small CPCL job
// ("! 0 200 200 240 1", "PRINT") to carry the operation out.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

struct TRfidIo {
    // Opens the current port (ensuring a printer object first); false after its own box.
    std::function<bool()> open;
    // Closes the port (and frees the printer object, as the command layer's close does).
    std::function<void()> close;
    // 0 when written.
    std::function<int(const QByteArray& bytes)> write;
    // One read-to-end (short grace time) of at most maxLength bytes into buffer
    // (count := bytes stored); the link's code.
    std::function<int(uint8_t* buffer, uint32_t maxLength, uint32_t* count)> read;
    std::function<uint32_t()> tick;
    std::function<void(uint32_t ms)> sleep;
};
// The link's procedures: EnsurePrinterObject + CmdOpenPort, CmdClosePort, PrtWriteData,
// PrtReadDataEOF, the tick counter and a 50 ms-step sleep that keeps painting.
TRfidIo DefaultRfidIo();

// Model rules of the encoder (base model name).
struct TRfidModelFlags {
    bool noPrep = false;          // no "CLS" before the tag command
    bool cpclHeader = false;      // "! 0 200 200 240 1" after the tag command
    bool cpclPrint = false;       // "PRINT" after that
    bool splitWriteRead = false;  // write-and-read as two commands
    bool version = false;         // firmware version read and editable
};
TRfidModelFlags RfidFlagsOfModel(const QString& baseModel);

// What the window shows after an action.
struct TRfidOutcome {
    enum Box { NoBox, ErrorBox, InfoBox };
    Box box = NoBox;
    QString messageKey;        // language key of the box text ("Lang00010002", ...)
    bool readTextSet = false;  // the read field gets readText
    QString readText;
    bool opened = false;       // the port opened (the close ran)
};

struct TRfidParams {
    QString power, rssi, version;
    bool versionRead = false;
    bool opened = false;
};

// Operation texts (the value of setval "rfid_wr").
QString RfidReadOperation(int length);
QString RfidWriteOperation(const QString& data);
QString RfidWriteReadOperation(int length, const QString& data);
// Tag data as sent: letters upper-cased; false when a character is not 0-9, A-Z or a-z.
bool NormalizeRfidTagData(const QString& typed, QString& data);
// Read-length, power and RSSI checks on the trimmed text.
bool IsValidRfidReadLength(const QString& text, int limit, int* value = nullptr);
bool IsIntegerInRange(const QString& text, int low, int high);

class TRfidSession {
public:
    TRfidSession(TRfidIo io, TRfidModelFlags flags);

    TRfidOutcome ReadTag(int length);
    TRfidOutcome WriteTag(const QString& data);
    TRfidOutcome WriteAndReadTag(int length, const QString& data);
    TRfidOutcome Calibrate();
    // Power ("rfid_power_level") or RSSI ("rfid_rssi_level") with the trimmed value.
    TRfidOutcome SetLevel(const QByteArray& key, const QString& value);
    TRfidParams ReadParams();

    // Fixed waits and poll limits of the tag operations (ms).
    static constexpr uint32_t kReadWait = 1000, kReadPoll = 5000;
    static constexpr uint32_t kWriteWait = 3000;
    static constexpr uint32_t kWriteReadWait = 3000, kWriteReadPoll = 6000;

private:
    void Drain();
    // do "rfid_print", then "CLS" unless the model skips it; false when a write failed.
    bool Prepare();
    // The CPCL trigger; false when a write failed.
    bool Trigger();
    void FixedWait(uint32_t ms);
    // Reads until a byte comes or ms ran out; the bytes (empty when none came).
    QByteArray Poll(uint32_t ms);
    QString GetVal(const QByteArray& key, uint32_t waitMs);
    // setval "rfid_wr" with the write operation; 0 written, -1 failed.
    int CmdSetValExBytes(const QString& data);

    TRfidIo io_;
    TRfidModelFlags flags_;
};
