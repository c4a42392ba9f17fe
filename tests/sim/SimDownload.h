#pragma once
// Printer side of the packet download protocol and of the stored-file commands.
//
//   handshake   do "download" "<type>" "<prefix+name>", do "userfont_download" "<enc>",
//               do "font_download_quick", or the raw bytes "ZZZFONTDL " -> handshakeReply
//               ("OK"); a new object of that type and name (an old one of the same name
//               is replaced)
//   packet      DD CC BB AA + index + length + PS bytes + sum (PS 1024 or 4096, told by
//               the sum when packetSize is 0) -> the 12-byte reply; the payload is added
//               to the object of the last handshake
//   delete      do "delete" "<type>" "<prefix+name>" -> "OK", the object is gone
//   print       do "print" "<type>" "<name>" -> logged (doLog of SimProto.h)
// After every change the getval values of the listings ("bitmaps", "labels", "autoform",
// "fonts": stored names joined by ",") and of the space keys ("use_capacity",
// "remain_capacity" for flash (E_), the *_ram pair for RAM (R_)) are rewritten in the
// text handler's values, so tests may still preset any of them with SimSetValue.
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <vector>

namespace prt::sim {

class SimPrinter;

struct SimStoredFile {
    QByteArray type;  // "bitmaps", "labels", "autoform", "fonts", "userfont", "quickfont"
    QByteArray name;  // with its storage prefix (R_ or E_) where the handshake gave one
    QByteArray data;  // the payload bytes received so far
};

struct SimDownloadState {
    QByteArray handshakeReply = QByteArray("OK");
    int packetSize = 0;        // 0: 1024 or 4096 by the packet's checksum
    int badStatusAt = -1;      // packet index answered with status 01 00
    int badSumAt = -1;         // packet index answered with a wrong reply sum
    int badEchoAt = -1;        // packet index answered with another index
    int noReplyAt = -1;        // packet index not answered at all
    uint8_t dplStx = 0x02, dplEol = 0x0D, dplSoh = 0x01;  // DPL control bytes (direct commands)
    qint64 flashCapacity = 4 * 1024 * 1024;
    qint64 ramCapacity = 1024 * 1024;
    std::vector<SimStoredFile> files;
    std::vector<QByteArray> handshakes;  // every handshake as received
    std::vector<QByteArray> packets;     // every packet as received
};

// Registers the download handler (before the text handler, whose values it writes).
void AddDownloadHandler(SimPrinter& printer);
// Registers the handler of the direct printer-language commands (SimProtoDirect.cpp):
// stored images and templates of the types "tspl", "zpl" and "dpl". Asked after the
// other handlers.
void AddDirectDownloadHandler(SimPrinter& printer);
// The state of a printer that has the handler; nullptr otherwise. Lock printer.mutex().
SimDownloadState* DownloadState(SimPrinter& printer);

// Locked helpers.
std::vector<SimStoredFile> SimStoredFiles(SimPrinter& printer);
std::vector<QByteArray> SimPackets(SimPrinter& printer);
std::vector<QByteArray> SimHandshakes(SimPrinter& printer);
void SimEditDownload(SimPrinter& printer, const std::function<void(SimDownloadState&)>& edit);
// The answers of a default printer to the queries of the download windows: "dpi" 203,
// "ppl" the given language text (left alone when empty), "control_codes" "standard",
// "autoform_switch" "off", empty listings and the space of an empty store.
void SimSetDownloadDefaults(SimPrinter& printer, const QByteArray& ppl = QByteArray("ZPL"));

} // namespace prt::sim
