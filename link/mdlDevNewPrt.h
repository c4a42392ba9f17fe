#pragma once
// One printer connection: port type, port string, the device of the printer's command
// language, an opened flag and the last open result.
//
// The connection never keeps a stale engine handle: before every operation it hands
// its device the current global handle of the device's library (a destroyed and
// re-created global object is followed; no object gives -6). Nor does its opened flag
// outlive the object it was opened on: once that object is gone, Open opens again and
// Close leaves the new object's port alone.
#include "mdlDevBasePrt.h"

#include <QByteArray>
#include <QString>
#include <memory>

class TDevNewPrt {
public:
    TDevNewPrt();
    ~TDevNewPrt();
    TDevNewPrt(const TDevNewPrt&) = delete;
    TDevNewPrt& operator=(const TDevNewPrt&) = delete;

    // Frees the current device, then makes the one of the protocol number:
    // 0 ESC/POS, 3 CPCL, anything else TSPL.
    void CreateDevice(int protocol);
    // "USB" 1, "COM" 2, "LPT" 3, "NET" 4, anything else 0 (exact, case-sensitive).
    static int32_t PortTypeFromName(const QString& name);

    // Opens the port string unless this object has it open already. On failure the
    // error text is OpenPortFailureMessage of the code; a box shows it when asked.
    bool Open(bool showMessage, QString& errorText);
    bool OpenWithMessage();
    // Closes the port when this object opened it.
    void Close();
    // Prefix, "do ", key, line end of the device.
    QByteArray BuildDoCommand(const QByteArray& key) const;
    // Writes the do command; 0 written, -1 failed (also with no device).
    int32_t SendCommand(const QByteArray& key);
    // Optionally opens first and closes after; nothing is written when that open fails.
    void SendCommandEx(bool openAndClose, const QByteArray& key);
    // Reads and drops pending reply bytes one at a time until none comes, a read fails,
    // or kDrainMaxBytes / kDrainMaxMs (mdlPrinterLib.h) are reached. Returns the bytes
    // dropped.
    uint32_t ReadLoop();

    // The device, with the current global handle of its library; null before
    // CreateDevice.
    TDevBasePrt* GetDevice();

    std::unique_ptr<TDevBasePrt> Device;
    int32_t PortType = 1;
    QString PortTypeName;
    int32_t OpenedFlag = 0;  // -1 while opened by this object
    QString PortString = QStringLiteral("USB");
    int32_t LastOpenResult = 0;

private:
    // 1 when the device's engine object has its port open, 0 when not, -1 unknown.
    static int DevicePortIsOpen(const TDevBasePrt& dev);
    prt::sdk::Handle OpenedHandle = 0;  // the engine object the port was opened on
};
