#pragma once
// The printers' text key/value command channel: ESC FS "& V1 ", a verb ("do ",
// "getval ", "setval "), a quoted key, an optional quoted value, CR LF.
//
// Keys are 8-bit texts stored with their own double quotes (KEY_ppl is "\"ppl\"");
// values are wrapped in double quotes by the builders. Values are QString and go to the
// printer in the system 8-bit code page. Nothing is escaped, so unsafe input is refused:
// a key holding CR, LF, NUL or an inner double quote, or a value holding a double quote,
// CR, LF or NUL, is not sent; the procedure gives its failure result (Boolean do: true,
// numbers: -1, texts: empty) without touching the port.
//
// Replies are raw text: every non-zero byte of the reply becomes one character (byte
// value = character code); nothing is trimmed.
//
// Port disciplines:
//   CmdOpenPort/CmdClosePort      open (0 and 5 are success, else a box) ... close and
//                                 destroy the engine object of the current kind (and
//                                 clear the opened flag of the guarded pair)
//   CmdOpenPortOnce/CmdClosePortIfOpen  guarded pair: only 0 is success; the opened flag
//                                 is set only after a successful open (shared with the
//                                 key-frame module)
//   "caller's"                    the procedure neither opens nor closes
// Every write and read stores its code as the last result (CmdLastResult).
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// ---- constants ------------------------------------------------------------------

constexpr char CMD_PREFIX[] = "\x1B\x1C\x26\x20\x56\x31\x20";   // ESC FS "& V1 "
constexpr char CMD_PREFIX_V[] = "\x1B\x1C\x26\x20\x56\x20";      // ESC FS "& V "
constexpr char CMD_CRLF[] = "\r\n";
constexpr char CMD_END_CRLF[] = "END\r\n";
constexpr char CMD_VERB_DO[] = "do ";
constexpr char CMD_VERB_GETVAL[] = "getval ";
constexpr char CMD_VERB_SETVAL[] = "setval ";
constexpr char CMD_VERB_GETKEY[] = "getkey";
constexpr char CMD_VERB_SETKEY[] = "setkey";
constexpr char CMD_VERB_GETKEY_SP[] = "getkey ";
constexpr char CMD_VERB_SETKEY_SP[] = "setkey ";
constexpr char CMD_TSPL_TILDE_F[] = "~!F";
constexpr char CMD_ZPL_HWE[] = "^HWE:";

// KEY_<name>: each key of the table with its double quotes, e.g. KEY_ppl = "\"ppl\"",
// KEY_get_counter_heat = "\"get_counter heat\"".
#define PRT_CMD_KEY(name, text) constexpr char KEY_##name[] = "\"" text "\"";
#include "PrinterCMDKeys.inc"
#undef PRT_CMD_KEY

// The 182 keys in table order (with their quotes).
const std::vector<QByteArray>& PrinterCmdKeyTable();

// ---- module state ---------------------------------------------------------------

int32_t CmdLastResult();
void SetCmdLastResult(int32_t code);  // windows store some results of their own here
int32_t CmdReadCount();               // bytes of the last do-reader
int32_t GetCmdOpenedFlag();           // 0 closed, -1 opened by the guarded open
void SetCmdOpenedFlag(int32_t flag);  // windows that open the port themselves mark it

// ---- checks and builders (no port access) -------------------------------------------

bool IsSafeCmdKey(const QByteArray& key);
bool IsSafeCmdValue(const QByteArray& value);

// prefix, "getval ", key, CR LF; empty for an empty or unsafe key.
QByteArray BuildGetValCommand(const QByteArray& key);
// prefix, "setval ", key, blank, quoted value, CR LF; empty when unsafe.
QByteArray BuildSetValCommand(const QByteArray& key, const QString& value);
QByteArray BuildSetValCommandEx(const QByteArray& key, const QString& value, bool lower);
// prefix, "do ", key, CR LF; empty when unsafe.
QByteArray BuildDoCommand(const QByteArray& key);
// prefix, "do ", key, blank, quoted value, CR LF.
QByteArray BuildDoKeyValueCommand(const QByteArray& key, const QString& value);
// prefix, "do ", key, blank, argument, blank, quoted value, CR LF.
QByteArray BuildDoTwoArgsValueCommand(const QByteArray& key, const QByteArray& argument, const QString& value);
// The non-zero bytes of bytes[offset .. offset+count-1] (clipped) as text.
QString BytesToTextFrom(int offset, const QByteArray& bytes, int count);
QByteArray TsplClsCommand();    // "CLS" CR LF
QByteArray TsplPrintCommand();  // "PRINT" CR LF

// ---- port handling --------------------------------------------------------------

bool CmdOpenPort();
void CmdClosePort();
bool CmdOpenPortOnce();
void CmdClosePortIfOpen();

// ---- commands -------------------------------------------------------------------

// Boolean do-commands: true when a write failed (or the input was refused); false when
// written or when the open failed.
bool CmdDo(const QByteArray& key);
bool CmdDoWithData(const QByteArray& key, const QByteArray& data);
bool CmdDoLeaveOpen(const QByteArray& key);
bool CmdDoLeaveOpen2(const QByteArray& key);
bool CmdDoKeyValue(const QByteArray& key, const QString& value);
bool CmdDoTwoArgsValue(const QByteArray& key, const QByteArray& argument, const QString& value);
// 0 written, -1 failed (open failure included).
int32_t CmdDoEx(const QByteArray& key, bool openAndClose);
// Caller's port; 100 ms, one read of up to 128 bytes. First four bytes little-endian
// (missing bytes 0); -1 when no byte came.
int32_t CmdDoReadInt(const QByteArray& key);
QString CmdDoReadText(const QByteArray& key);
// Caller's port; 0 written, -1 failed.
int32_t CmdSetVal(const QByteArray& key, const QString& value);
int32_t CmdSetValLower(const QByteArray& key, const QString& value);
int32_t CmdSetValEx(const QByteArray& key, const QString& value);
// Caller's port; getval (nothing for an empty key), 100 ms, one read of up to 512 bytes.
QString CmdGetVal(const QByteArray& key);
void CmdGetVal(const QByteArray& key, QString& reply);
// Caller's port; getval, waitMs, one read-to-end of up to 512 bytes; empty on a read error.
QString CmdGetValEOF(const QByteArray& key, uint32_t waitMs);
// Own port (open ... close); 50 ms; one read of n bytes into buffer (grown to n when
// shorter). The count when above 0, -1 on a read error, else 0 (0 when the open failed).
int32_t CmdGetValBytes(const QByteArray& key, QByteArray& buffer, uint32_t n);
// Caller's port; the text (system code page) and CR LF, no prefix; waitMs; one read of
// up to 512 bytes. An empty text sends nothing but still waits and reads.
QString CmdSendTextRead(const QString& text, uint32_t waitMs);
QString CmdSendTextRead100(const QString& text);
// Drops pending reply bytes, one per read, within the drain bounds. Returns the count.
uint32_t CmdDrainToLog();
int CmdReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count);
void CmdNop();
