#pragma once
// The printer link's dispatcher and helpers over the three library modules.
//
// Module state (process-wide, safe to read from any thread):
//   current port string  "USB" at start; written by the main window on printer selection,
//                        read by the open/close procedures of the command layers
//   current SDK kind     0 at start; 0 ESC/POS library, 3 CPCL library, every other
//                        value (1, 2, 4, 5, negatives) the TSPL library
// Every Prt* call goes to the library of the current SDK kind; arguments and results
// pass through unchanged.
//
// Read-to-end arguments (every *ReadDataEOF here): buffer, value = wait in ms in all
// (0 = the engine's short grace time), maxLength = most bytes stored (the buffer must
// hold that many), b1 = end byte (0 none; e.g. 13 stops after CR), b2 = reserved (0),
// count = bytes stored.
#include "mdlPrinterLib_CPCL.h"
#include "mdlPrinterLib_ESC.h"
#include "mdlPrinterLib_TSPL.h"
#include "mdlPrinterLibApi.h"
#include "mdlPrinterObjectModel.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

QString GetCurrentPortString();
void SetCurrentPortString(const QString& port);
int GetPrinterSdkKind();
void SetPrinterSdkKind(int kind);
// The library a kind (or protocol number) uses: 0 Esc, 3 Cpcl, anything else Tspl.
prt::sdk::Lib SdkLibOfKind(int kind);

int PrtCreatePrinter(const QString& model);
// Creates the global printer object of the current SDK kind when its handle is 0, with
// the model text last used for a global object. Every window calls it before it opens the
// port: closing and destroying procedures (CmdClosePort, CmdDo, ...) leave no object
// behind. Returns 0 when an object exists afterwards, else the create's code.
int EnsurePrinterObject();
// The same for the TSPL library whatever the current kind (the parameter block and the
// downloads always go over the TSPL object).
int EnsureTsplPrinterObject();
prt::sdk::Handle PrtGetHandle();
int PrtDestroyPrinter();
int PrtOpenPort(const QString& port);
int PrtClosePort();
int PrtWriteData(const uint8_t* data, uint32_t length);
int PrtWriteData(const QByteArray& data);
int PrtReadData(uint8_t* buffer, uint32_t length, uint32_t* count);
// Drops input pending on the current kind's object without waiting; bytes dropped. Every
// request whose reply is read calls it first, so a late reply is never taken for the next.
int PrtDiscardInput();
int PrtReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count);

// One shared number into which windows store the result of a link call of theirs
// (for the debug log; nothing in the link reads it).
int32_t GetLastLinkResult();
void SetLastLinkResult(int32_t code);

// The global handle of a library (used by the connection object at each call).
prt::sdk::Handle GlobalHandleOf(prt::sdk::Lib lib);

// 3 "CPCL", 1 "TSPL", 0 "ESC", 4 "ZPL", anything else the number in decimal.
QString ProtocolNameOf(int protocol);
// "VID_XXXX&PID_XXXX" of the attached USB printer; empty when the engine fails.
QString GetUsbVidPidText();
// Milliseconds from start to now on the wrapping 32-bit tick counter.
uint32_t TickDiff(uint32_t start, uint32_t now);
// Waits a little over ms in 50 ms sleeps; on the GUI thread pending events are
// processed between the sleeps so the window stays responsive. Returns the elapsed ms.
uint32_t DelayMs(uint32_t ms);

// Bounds of every drain of pending reply bytes: a device that keeps talking cannot
// hold a window longer than this.
constexpr uint32_t kDrainMaxBytes = 65536;
constexpr uint32_t kDrainMaxMs = 3000;
