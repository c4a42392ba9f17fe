#pragma once
// Our printer SDK engine: the same call shapes for three independent libraries
// (TSPL, CPCL, ESC). Each library keeps its own printer objects; a handle of one is
// unknown to the others. Handles are checked ids, never pointers: an unknown or
// destroyed handle gives PRT_E_NO_OBJECT.
//
// Port strings:
//   "NET,a.b.c.d"        TCP to port 9100;  "NET,a.b.c.d:port" TCP to that port
//   "COMn,BAUDRATE_b"    serial 8N1 at b baud (default 9600 when ",BAUDRATE_" is absent);
//                        COM1-32 /dev/ttySn-1, COM33-64 /dev/ttyUSB0-31, COM65-96 /dev/ttyACM0-31
//                        $PRT_COM_DEVICE_<n> overrides the device file of COMn (tests: a pty)
//   "LPTn"               /dev/lp(n-1), write-only ($PRT_LPT_DEVICE_<n> overrides the file)
//   "USB"                the first USB printer-class device (libusb), maker's vendor ids first
//
// Result codes: see PrtSdkCodes (PrtSdkCodes.h). Every call is safe from any thread: one mutex
// per printer object serialises its I/O.
#include "PrtSdkCodes.h"

#include <cstdint>

namespace prt::sdk {

enum class Lib : int { Tspl = 0, Cpcl = 1, Esc = 2 };

using Handle = uint32_t;  // 0 = none

// Creates a printer object for the model; *handle receives its id (0 on failure).
int PrinterCreator(Lib lib, Handle* handle, const char16_t* model);
// Closes the object's port if open and frees it; *handle is set to 0.
int PrinterDestroy(Lib lib, Handle* handle);
int PortOpen(Lib lib, Handle handle, const char16_t* port);
int PortClose(Lib lib, Handle handle);
// 0 when all bytes were written.
int WriteData(Lib lib, Handle handle, const uint8_t* data, uint32_t length);
// Returns promptly with what has arrived (waits at most a short grace time for the
// first byte); *count receives the number of bytes (0 is a normal answer).
int ReadData(Lib lib, Handle handle, uint8_t* buffer, uint32_t length, uint32_t* count);
// Reads until an end byte, a maximum length or a wait runs out:
//   waitMs    : how long to wait in all (0 = the short grace time of ReadData)
//   maxLength : at most this many bytes are stored
//   endByte   : when non-zero, reading stops after this byte (e.g. 13, CR)
//   reserved  : pass 0
// *count receives the number of bytes stored.
int ReadDataEOF(Lib lib, Handle handle, uint8_t* buffer, uint32_t waitMs, uint32_t maxLength,
                uint8_t endByte, uint8_t reserved, uint32_t* count);
// USB ids of the attached printer as "VID_XXXX&PID_XXXX" into a 64-byte buffer (rest zero).
int GetVidPid(char* buffer64);
// Serial number of the printer behind the TSPL object (zero-terminated, at most 64 bytes).
int TSPL_GetSN(Handle handle, char* buffer);

// ---- Details of this engine (not part of the call shapes above) ----
//
// Reading: every port keeps the bytes it received but did not hand out yet, so bytes that
// follow an end byte are kept for the next read. A peer that closed the connection, or a
// failed read, gives PRT_E_IO once nothing buffered is left.
//   ReadData    waits at most ReadGraceMs for the first byte, then takes what is already
//               there without waiting (up to `length`). PRT_OK with *count 0 = nothing came.
//   ReadDataEOF waitMs > 0: reads until the end byte (stored, counted), maxLength bytes, or
//               waitMs in all ran out. waitMs == 0: waits ReadGraceMs for the first byte,
//               then stops at the first gap longer than EofIdleMs (the link went quiet),
//               and never reads longer than EofTrailMs in all, however slowly bytes come.
//               Running out of time is not an error: PRT_OK with what came (maybe 0 bytes).
//               maxLength 0 or a null buffer/count -> PRT_E_BAD_ARG.
//   Parallel ports cannot be read: both reads give PRT_E_NOT_SUPPORTED with *count 0.
// Writing: WriteData writes every byte or fails; it gives PRT_E_TIMEOUT when the port
// accepts nothing for WriteTimeoutMs (slow serial lines are fine while bytes move).
// One call's bytes are never interleaved with another thread's call on the same object.
// PrinterDestroy waits for a call in progress on the object (another thread), then closes.
// Opening: TCP connects time out after ConnectTimeoutMs (PRT_E_TIMEOUT); refused or
// unreachable -> PRT_E_CONNECT. A serial device is locked while open: a second object on
// the same COM port gets PRT_E_OPEN_FAILED. A USB printer, by contrast, may be open in
// several objects (of any library) at once; they share the device. Port prefixes ("NET",
// "COM", "LPT", "USB") are accepted in any letter case; blanks around the string are
// ignored. PortClose of an object whose port is not open gives PRT_E_NOT_OPEN.
// USB: GetVidPid reports the device that "USB" would open (PRT_E_NO_DEVICE without one,
// PRT_E_NO_USB without USB support). TSPL_GetSN: on a USB port, the device's
// serial-number string (PRT_E_NOT_SUPPORTED when it has none); on every other port the
// empty text and PRT_E_NOT_SUPPORTED; PRT_E_NOT_OPEN when the port is closed.
constexpr uint32_t ReadGraceMs = 30;
constexpr uint32_t EofIdleMs = 10;
constexpr uint32_t EofTrailMs = 1000;

// Drops the bytes already received and not handed out, and what the link holds right now
// (no waiting), at most maxBytes; *dropped receives the number. A port that cannot be read
// drops nothing (PRT_OK). Callers use it before a request whose reply they read, so a late
// reply to an earlier request is never taken for the new one.
int DiscardInput(Lib lib, Handle handle, uint32_t maxBytes, uint32_t* dropped);
// 1 when the object's port is open, 0 when not, PRT_E_NO_OBJECT for an unknown handle.
int PortIsOpen(Lib lib, Handle handle);
// Number of live printer objects of a library (leak checks).
int LiveObjectCount(Lib lib);
// Time-outs in milliseconds (defaults 3000 and 5000); tests may shorten them.
void SetPortTimeouts(uint32_t connectTimeoutMs, uint32_t writeTimeoutMs);
uint32_t ConnectTimeoutMs();
uint32_t WriteTimeoutMs();

} // namespace prt::sdk
