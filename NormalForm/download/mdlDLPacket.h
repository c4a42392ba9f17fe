#pragma once
// The packet download protocol: handshakes, packets and their replies, as plain
// functions (no port access). The sender that uses them is TDLThread (mdlDLThread.h).
//
//   handshake  a text key/value command naming the object (answered by the 2 bytes "OK"),
//              or for the quick font download of most models the 10 raw bytes
//              "ZZZFONTDL " (no line end)
//   packet     DD CC BB AA, index (u32 LE), length L (u16 LE), PS bytes: L payload bytes
//              then padding (00 from the file/font windows, FF from the font-file windows),
//              checksum (u16 LE: sum mod 65536 of every byte before it); PS + 12 bytes
//   reply      12 bytes: packet bytes 0..7 echoed, status 00 00, checksum (u16 LE: sum of
//              reply bytes 0..9)
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace prt::dl {

constexpr int kPacketHeadSize = 10;   // magic, index, length
constexpr int kPacketExtraSize = 12;  // head + checksum
constexpr int kReplySize = 12;
constexpr int kDefaultPacketSize = 1024;
constexpr uint8_t kPacketMagic[4] = {0xDD, 0xCC, 0xBB, 0xAA};

// Storage prefixes of the stored objects: printer RAM and flash.
inline QString StoragePrefix(bool ram) { return ram ? QStringLiteral("R_") : QStringLiteral("E_"); }

// do "download" "<typeWord>" "<prefix><name>": typeWord is bitmaps, labels, autoform or
// fonts (without quotes). Empty when a part cannot be sent safely (a double quote, CR,
// LF or NUL in the name).
QByteArray BuildDownloadHandshake(const QString& typeWord, const QString& storedName);
// do "userfont_download" "<encoding lower-cased>".
QByteArray BuildUserFontHandshake(const QString& encoding);
// do "font_download_quick" (33 bytes).
QByteArray BuildQuickFontTextHandshake();
// The 10 raw bytes "ZZZFONTDL ".
QByteArray QuickFontRawHandshake();
// True for exactly the two bytes "OK".
bool IsHandshakeOk(const QByteArray& reply);

// Packets of a transfer, by the sender's rule:
//   Thread  total / PS + 1, 0 for an empty payload (a payload of a whole number of
//           packets ends with a packet of length 0)
//   Ceil    ceiling of total / PS (the font-file windows; raw slices)
enum class TDLCountRule { Thread, Ceil };
int PacketCount(qint64 total, int packetSize, TDLCountRule rule);

// Packet `index` of the payload: its payload starts at index * packetSize; the length is
// the smaller of packetSize and what is left (0 past the end).
QByteArray BuildPacket(const QByteArray& payload, uint32_t index, int packetSize, uint8_t padding);
// Sum mod 65536 of bytes[from .. from+count-1].
uint16_t Sum16(const uint8_t* bytes, qsizetype count);

// The printer's answer to a packet (simulator and tests).
QByteArray BuildReply(const QByteArray& packet, uint16_t status = 0);

// Outcome of the reply test, in test order: count, echo, status, then sum.
enum class TDLReplyCheck { Ok, Count, Echo, Status, Sum };
// How a short reply is judged:
//   Strict      every count other than 12 is refused
//   ByteEleven  a count other than 12 is refused only when reply byte 11 is 0 (the reply
//               buffer starts zeroed; the font-file windows)
// Status and sum are tested only when the last read reported success (readOk).
enum class TDLReplyRule { Strict, ByteEleven };
TDLReplyCheck CheckReply(const QByteArray& packet, const uint8_t reply[kReplySize], uint32_t count, bool readOk,
                         TDLReplyRule rule);

} // namespace prt::dl
