#pragma once
// Key frames: parameters addressed by a 16-bit key id, riding on the text command prefix.
//
//   offset 0  7 bytes  1B 1C 26 20 56 31 20
//          7  6 bytes  "getkey" or "setkey"
//         13  2 bytes  0D 0A
//         15  1 byte   operation byte (1; 0 in developer factory mode)
//         16  2 bytes  key id, little-endian
//         18  1 byte   n: value length (setkey) or bytes asked for (getkey)
//         19  n bytes  value (setkey only)
// The reply to getkey is the value bytes alone. Frames go through the dispatcher of
// mdlPrinterLib.h; codes go to the command layer's last result (CmdLastResult).
//
// Rules kept by every reader: when the frame write fails nothing is read and the result
// is -1 (empty text for the string reader); n above 255 is refused (nothing sent, -1).
// The open/close pairs are those of PrinterCMD.h and share its opened flag.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The key ids of the module, in order.
constexpr std::array<uint16_t, 42> CMD_KEY_IDS = {
    0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6C, 0x71, 0x81, 0x7C, 0x7D, 0x86, 0x85,
    0x9A, 0x9B, 0x80, 0x7B, 0x7A, 0x79, 0x84, 0x82, 0x93, 0x83, 0x78, 0xCA, 0xF0, 0xCB,
    0xD5, 0xCE, 0xD0, 0xD1, 0xEC, 0xEE, 0xF1, 0x12C, 0x142, 0x138, 0x194, 0x195, 0x19E, 0x1A0};
// The id read by CmdKeyGetKeyByte.
constexpr uint16_t KEYID_CE = 0xCE;

// Eleven module texts that start as a single comma (filled by the windows that use them).
std::array<QString, 11>& CmdKeyCommaTexts();

// ---- frames (no port access) ---------------------------------------------------------

// The frame for a verb ("getkey"/"setkey"); for getkey pass the bytes asked for as n and
// an empty value. The value is cut or zero-padded to n. Empty when n > 255.
QByteArray BuildKeyFrame(const char* verb, uint8_t op, uint16_t id, uint32_t n, const QByteArray& value = {});
QByteArray BuildGetKeyFrame(uint8_t op, uint16_t id, uint32_t n);
// The 19-byte getkey frame with n = 1 as "XX " per byte (upper-case, trailing blank).
QString BuildGetKeyFrameHex(uint8_t op, uint16_t id);

// ---- port handling -------------------------------------------------------------------

bool CmdKeyOpenPort();
void CmdKeyClosePort();
bool CmdKeyOpenOnce();
void CmdKeyCloseIfOpen();
// CmdKeyOpenPort, then one read of up to 512 bytes that are dropped; stays open.
void CmdKeyOpenAndDrain();
// Open, do KEY, close and destroy; true when the write failed (or the key was refused).
bool CmdKeyDo(const QByteArray& key);
// Open, getval KEY, 100 ms, one read of up to 512 bytes, close; the non-zero bytes.
QString CmdKeyGetVal(const QByteArray& key);
void CmdKeyGetVal(const QByteArray& key, QString& text);

// ---- readers ---------------------------------------------------------------------
// Buffers grow to the bytes asked for when shorter. Result: the count when above 0,
// -1 on a read error or a failed frame write, else 0 (0 also when an open failed).

int32_t CmdGetKeyByte(uint8_t op, uint16_t id, QByteArray& buffer);   // opens, leaves open
int32_t CmdGetKeyFrame(uint8_t op, uint16_t id, QByteArray& buffer);  // caller's port
int32_t CmdKeyGetKeyByteValue(uint8_t op, uint16_t id, QByteArray& buffer);
int32_t CmdKeyGetKeyByte2(uint8_t op, uint16_t id, QByteArray& buffer, bool openAndClose);
// value := byte 0 + 256 x byte 1 when a byte came (else unchanged).
int32_t CmdKeyGetKeyWord(uint8_t op, uint16_t id, int32_t& value);
int32_t CmdKeyGetKeyWord2(uint8_t op, uint16_t id, int32_t& value, QByteArray& raw);
// The same exchange leaving the two reply bytes in buffer[0], buffer[1] (the caller
// combines them); the buffer is untouched when the open fails.
int32_t CmdKeyGetKeyWord(uint8_t op, uint16_t id, QByteArray& buffer);
// n only when exactly n bytes came; -1 on a read error; else 0. 60 ms wait.
int32_t CmdKeyGetKeyBytes(uint8_t op, uint16_t id, QByteArray& buffer, uint32_t n);
// Read-to-end of at most 128 bytes; text := the non-zero bytes (empty when none).
void CmdKeyGetKeyString(uint8_t op, uint16_t id, uint32_t n, QString& text);
// Key 0xCE, operation 1; value := the byte received (0 when none).
void CmdKeyGetKeyByte(bool openAndClose, uint8_t& value);

// ---- writers (caller's port): 0 written, -1 failed or refused -----------------------

int32_t CmdKeySetKey(uint8_t op, uint16_t id, const QString& text, uint32_t n, bool lower);
int32_t CmdKeySetKeyByte(uint8_t op, uint16_t id, uint8_t value);
int32_t CmdKeySetKeyByte2(uint8_t op, uint16_t id, uint8_t value);
// (value mod 256, value div 256), division truncated toward zero.
int32_t CmdKeySetKeyWord(uint8_t op, uint16_t id, int32_t value);
// The low 16 bits, little-endian.
int32_t CmdKeySetKeyTwoBytes(uint8_t op, uint16_t id, int32_t value);
int32_t CmdKeySetKeyDWord(uint8_t op, uint16_t id, uint32_t value);
// The first n bytes (zero-padded when the array is shorter).
int32_t CmdKeySetKeyBytes(uint8_t op, uint16_t id, const QByteArray& bytes, uint32_t n);

// ---- small helpers ---------------------------------------------------------------

// The text's 8-bit bytes from index 0 of buffer (grown when shorter).
void CmdKeyTextToBytes(const QString& text, QByteArray& buffer);
int CmdKeyReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count);
void CmdKeyNop();
