#pragma once
// Printer side of the firmware updates.
//
// Block firmware (after the text command do "dfu"):
//   header  76 bytes -> one status byte (headerStatus[block index], 0 when not set), sent
//           headerReplyDelayMs late; a refused header (non-zero) leaves the printer waiting
//           for a header again
//   body    body-length bytes (u32 LE at header offset 4), taken silently
//   end     once a body is complete (or a header of a 0-byte body was accepted) and nothing
//           more comes for quietMs, the printer sends finalStatus (none when < 0)
// Every do "dfu" starts a fresh update: the received headers and bodies are cleared.
//
// Over the air:
//   1D 75 55 AA        the raw switch into update mode (counted)
//   do "wifi_enter_ota", do "enter_ota"   logged by the text handler (doLog); after
//                      "enter_ota" the printer restarts into its update mode: the network
//                      transport drops the connection and refuses connects for otaRestartMs
//                      (counted in otaRestarts), then takes them again
//   getval "pack_length"                   the text handler's value (4 bytes LE)
//   packet   1B 1C 26 20 56 31 20 do "ota" CR LF + u32 offset + u32 n + u32 CRC-32 + n bytes
//            -> 8 bytes 1B 1C 26, the offset (LE), status (0 good, 1 a CRC that does not
//            match); the data is stored at its offset in otaImage. Faults by packet index:
//            a status 1, a reply of 5 bytes, no reply.
//
// TSPL storage (flash "F", DRAM "N"):
//   ZZZFILES F|N CR LF     -> the stored names joined by "," and CR (nothing when empty;
//                             listReply replaces it when set)
//   ZZZFILESSIZE CR LF     -> 16 bytes: flash used, flash free, DRAM used, DRAM free (u32
//                             LE; spaceReply replaces it when set)
//   KILL "NAME" / KILL F,"NAME" CR LF   deletes (NAME * : all of that storage)
//   RUN "NAME" CR LF       logged in tsplRuns
//   DOWNLOAD "NAME",SIZE,<SIZE bytes>  or  DOWNLOAD "NAME" CR LF ... EOP CR LF; with F, before
//                          the name into flash
#include <QByteArray>
#include <functional>
#include <map>
#include <vector>

namespace prt::sim {

class SimPrinter;

struct SimGdlBlock {
    QByteArray header;  // the 76 bytes as received
    QByteArray body;    // the body bytes received so far
};

struct SimFirmwareState {
    std::map<int, int> headerStatus;  // block index (from 0) -> status byte
    int headerReplyDelayMs = 0;       // every header's status byte goes out this late
    int finalStatus = 0;              // < 0: no final byte at all
    int quietMs = 30;
    bool dfuMode = false;
    int dfuCount = 0;                 // do "dfu" commands seen
    std::vector<SimGdlBlock> blocks;  // accepted and refused headers with their bodies
    bool keepBodies = true;           // false: bodies are taken (counted down), not stored
    qint64 bodyLeft = 0;              // bytes of the current body still to come
    // over the air
    int rawSwitches = 0;
    int otaRestartMs = 1500;
    int otaRestarts = 0;
    std::vector<QByteArray> otaPackets;  // every packet as received
    QByteArray otaImage;
    int otaBadAckAt = -1;
    int otaShortAckAt = -1;
    int otaNoAckAt = -1;
    // TSPL storage
    std::vector<std::pair<QByteArray, QByteArray>> tsplFlash, tsplDram;  // name, data
    QByteArray listReply;   // when non-empty: the raw answer to ZZZFILES
    QByteArray spaceReply;  // when non-empty: the raw answer to ZZZFILESSIZE
    uint32_t flashTotal = 4u * 1024 * 1024, dramTotal = 1024u * 1024;
    std::vector<QByteArray> tsplRuns;
    std::vector<QByteArray> tsplKills;  // every KILL line (without CR LF)
};
// One block of a firmware file as the printer expects it: header "GDL" 01, the body length
// (u32 LE), the type, A1 A2 A3, the file name and version zero-padded to 32 bytes each, then
// `bodyBytes` body bytes (the body length when < 0) of a counting pattern.
QByteArray SimGdlFileBlock(uint32_t bodyLength, uint8_t type, const QByteArray& name, const QByteArray& version,
                           qint64 bodyBytes = -1);
// The CRC-32 of the packets: reflected, polynomial EDB88320, register from 0, final xor.
uint32_t SimOtaCrc(const QByteArray& bytes);

// Registers the block firmware handler (it must come before the text handler: it watches
// do "dfu" and lets the text handler log it).
void AddFirmwareHandler(SimPrinter& printer);
// Locked helpers.
SimFirmwareState SimFirmware(SimPrinter& printer);
void SimEditFirmware(SimPrinter& printer, const std::function<void(SimFirmwareState&)>& edit);

} // namespace prt::sim
