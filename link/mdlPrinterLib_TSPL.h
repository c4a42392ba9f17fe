#pragma once
// Procedures over the global printer object of the TSPL library, plus the variants on
// a handle that the caller owns (bulk network update threads).
//
// Open rule (TsplOpenPort): a port string containing "COM" (case-sensitive) that this
// layer has already opened returns 0 without touching the engine; "already open" (5)
// is answered by one close and one more open. The COM-open flag (GetComOpenFlag) is -1
// while such a serial port is open and is cleared by TsplClosePort, TsplClosePortByName,
// TsplDestroyGlobalPrinter and TsplCreateGlobalPrinter (a new object never inherits it).
#include "PrtSdk.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// Closes and destroys an object that still exists (clearing the COM-open flag), then
// creates a new one for the model. Returns the engine's code; the handle stays 0 when
// the create failed.
int TsplCreateGlobalPrinter(const QString& model);
prt::sdk::Handle TsplGetHandle();
int TsplDestroyGlobalPrinter();
int TsplOpenPort(const QString& port);
// PortClose; clears the COM-open flag when the current port string contains "COM".
int TsplClosePort();
// Closes the global object; clears the COM-open flag when `port` contains "COM".
int TsplClosePortByName(const QString& port);
int TsplWriteData(const uint8_t* data, uint32_t length);
int TsplWriteData(const QByteArray& data);
int TsplReadData(uint8_t* buffer, uint32_t length, uint32_t* count);
int TsplReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count);
// Reads up to `length` bytes into buffer in at most `tries` reads, sleeping waitMs after
// every read that leaves bytes missing (the last one included). *count := bytes stored.
// Returns the code of the last read.
// Drops input that is pending on the global TSPL object without waiting (a late reply to
// an earlier request); the number of bytes dropped.
int TsplDiscardInput();
int TsplReadDataRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries);
// Serial number of the printer behind the global object (bytes up to the first zero).
int TsplGetSN(QByteArray& serial);

// Caller-owned handles.
int TsplPrinterCreator(prt::sdk::Handle* handle, const QString& model);
int TsplPrinterDestroy(prt::sdk::Handle* handle);
// handle 0 -> -6; on 5: PortClose and PortOpen once more; the last code.
int TsplPortOpen(prt::sdk::Handle handle, const QString& port);
int TsplPortClose(prt::sdk::Handle handle);
int TsplWriteDataTo(prt::sdk::Handle handle, const uint8_t* data, uint32_t length);
int TsplReadDataFrom(prt::sdk::Handle handle, uint8_t* buffer, uint32_t length, uint32_t* count);
int TsplProtocolId();

// -1 while a serial port opened through TsplOpenPort is open, else 0.
int GetComOpenFlag();
