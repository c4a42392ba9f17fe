#pragma once
// Printer side of the text command channel, key frames, the 256-byte parameter block,
// the protocol probe and the firmware query.
//
//   text command  1B 1C 26 20 56 31 20 + "do "/"getval "/"setval " + "key" [...] CR LF
//                 getval answers the stored value bytes (nothing for an unknown key);
//                 setval stores (and is logged) and answers the next of setvalReplies[key]
//                 when set (the last one repeats); do is logged and answers doReplies[key]
//   key frame     prefix + "getkey"/"setkey" CR LF + op + id (LE) + n [+ n bytes]
//                 getkey answers the first n stored bytes of the id (nothing when unknown,
//                 silent or shortened by the key-frame faults); setkey is logged in order
//   block read    "ZZZCR" LF or 12 62 -> blockReply when set, else the stored block
//   block write   "ZZZCW " or 12 63 + 256 bytes -> stored (and logged in blockWrites) when
//                 its marker and sum are right, else logged in blockRefused and the stored
//                 block stays; no answer either way. With blockKeepsOld a valid write is
//                 logged but not stored. A write cut short by a dropped connection
//                 (SimFaults::disconnectAfterBytes) is never stored: the next connection
//                 starts afresh.
//   probe         1B 1B 08 -> one byte, protocolByte (none when < 0)
//   version       "ZZZGETVERSION" CR LF -> the version bytes (none when empty)
//
// State lives with the printer's handlers; tests read and preset it under the
// printer's lock: { std::lock_guard l(printer.mutex()); ProtoState(printer)->values[...] }
// or through the small locked helpers below.
#include <QByteArray>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <vector>

namespace prt::sim {

class SimPrinter;

struct SimSetKeyFrame {
    uint8_t op = 0;
    uint16_t id = 0;
    QByteArray value;
};

// One setval or do of the text channel, in arrival order.
struct SimTextCmd {
    QByteArray verb;   // "setval" or "do"
    QByteArray key;    // without quotes
    QByteArray value;  // setval: the value without quotes
};

struct SimProtoState {
    std::map<QByteArray, QByteArray> values;     // key (no quotes) -> value bytes
    bool replyCrLf = false;                      // getval replies end with CR LF
    std::set<QByteArray> silentTextKeys;         // getval of these keys gets no answer
    std::vector<SimTextCmd> textLog;             // every setval and do, in order
    std::vector<QByteArray> rawLines;            // DPL control lines (STX/~/NUL "KcPJ..." CR LF)
    std::map<QByteArray, QByteArray> doReplies;  // key (no quotes) -> reply to "do"
    std::vector<QByteArray> doLog;               // everything after "do " (CR LF cut)
    std::map<QByteArray, QByteArray> rawReplies; // raw command line without CR LF
                                                 // (e.g. "ZZZGETJOURNEY") -> reply
    std::map<QByteArray, std::deque<QByteArray>> setvalReplies;  // key -> replies to setval
    std::vector<QByteArray> setvalLog;           // everything after "setval " (CR LF cut)
    std::map<uint16_t, QByteArray> keyValues;    // key id -> value bytes
    std::vector<uint8_t> keyOps;                 // operation byte of every frame seen
    QByteArray block;                            // 256 bytes, valid marker and sum at start
    QByteArray blockReply;                       // when non-empty, the raw answer to a read
    std::vector<QByteArray> blockWrites;         // every valid block received (256 bytes each)
    bool blockKeepsOld = false;                  // valid writes are taken but not stored
    std::vector<QByteArray> blockRefused;        // blocks written with a wrong marker or sum
    // Key frames: ids that get no answer, ids answered with only the first N bytes, and
    // the ordered log of every setkey frame.
    std::set<uint16_t> silentKeys;
    std::map<uint16_t, int> shortKeys;
    std::vector<SimSetKeyFrame> setKeyLog;
    std::map<QByteArray, int> doReplyDelayMs;    // key (no quotes) -> the do reply goes out late
    // A link cut in the middle of a key-frame write: after this many more setkey frames
    // (-1: never) nothing else sent on that connection reaches the printer (the rest of
    // the frames, getkeys, do commands). cutDrops: the printer then drops the connection;
    // otherwise it leaves it open and takes nothing more (a link that died silently).
    // A new connection is served normally again.
    int cutAfterSetKeys = -1;
    bool cutDrops = true;
    int cutConnection = -1;                      // the connection that was cut
    int protocolByte = 1;
    QByteArray version = QByteArray("\x01\x00\x00", 3);
};

// Adds both handlers (text/key frames, block/probe/version) with a fresh state.
void AddProtoHandlers(SimPrinter& printer);
// The state of a printer that has the handlers; nullptr otherwise. Lock printer.mutex().
SimProtoState* ProtoState(SimPrinter& printer);

// Locked helpers.
void SimSetValue(SimPrinter& printer, const QByteArray& key, const QByteArray& value);
QByteArray SimValue(SimPrinter& printer, const QByteArray& key);
void SimSetKeyValue(SimPrinter& printer, uint16_t id, const QByteArray& value);
QByteArray SimKeyValue(SimPrinter& printer, uint16_t id);
void SimSetBlockReply(SimPrinter& printer, const QByteArray& raw);
// A printer that takes block writes without an error and keeps its old block.
void SimSetBlockKeepsOld(SimPrinter& printer, bool on);
void SimSetProtocolByte(SimPrinter& printer, int value);
void SimSetVersion(SimPrinter& printer, const QByteArray& bytes);
std::vector<QByteArray> SimBlockWrites(SimPrinter& printer);
std::vector<QByteArray> SimBlockRefused(SimPrinter& printer);
std::vector<QByteArray> SimDoLog(SimPrinter& printer);
// Presets the stored block (256 bytes; shorter input is zero-padded).
void SimSetBlock(SimPrinter& printer, const QByteArray& block);
QByteArray SimBlock(SimPrinter& printer);
// Replies to setval of the key, one per command in order; the last one repeats.
void SimSetSetvalReplies(SimPrinter& printer, const QByteArray& key, const std::vector<QByteArray>& replies);
std::vector<QByteArray> SimSetvalLog(SimPrinter& printer);

// Key-frame faults and the setkey log.
void SimSetKeySilent(SimPrinter& printer, uint16_t id, bool silent = true);
void SimSetKeyShort(SimPrinter& printer, uint16_t id, int bytes);  // < 0: whole replies again
std::vector<SimSetKeyFrame> SimSetKeyLog(SimPrinter& printer);
// Cuts the link after `frames` more setkey frames (see SimProtoState::cutAfterSetKeys).
void SimCutAfterSetKeys(SimPrinter& printer, int frames, bool drops = true);
void SimClearSetKeyLog(SimPrinter& printer);
// The reply to do KEY (no quotes) and how late it goes out.
void SimSetDoReply(SimPrinter& printer, const QByteArray& key, const QByteArray& reply, int delayMs = 0);
// Text channel helpers (locked).
std::vector<SimTextCmd> SimTextLog(SimPrinter& printer);
std::vector<QByteArray> SimRawLines(SimPrinter& printer);
void SimSetReplyCrLf(SimPrinter& printer, bool on);
void SimSetSilentKey(SimPrinter& printer, const QByteArray& key, bool silent = true);
// A full profile of the text parameter keys a label printer of the ZR/QX series answers
// (print, sensor, language, code page, network, serial, Bluetooth, release paper, DPL).
void SimSetTextParamProfile(SimPrinter& printer);

// A block with marker, the given settings bytes from offset 1 and a correct sum.
QByteArray SimMakeBlock(const QByteArray& settings = {});
// True when byte 0 is the marker and bytes 254/255 hold the sum of bytes 0..253.
bool SimBlockValid(const QByteArray& block);
// A valid block whose bytes are distinct fillers (byte i = (i * 7 + 0x21) & 0xFF, never
// 0 or 'x'), with the chosen positions set to the chosen values; the marker and the sum
// are set last. Tests use it to see that bytes a form has no row for come back as read.
struct SimByte {
    int pos;
    uint8_t value;
};
QByteArray SimMakeFilledBlock(const std::vector<SimByte>& bytes = {});
// The block file of "printer-sim --block FILE": 256 raw bytes, or a text of hex bytes
// (blanks and line breaks ignored); the marker and sum are set. Empty on a bad file.
QByteArray SimLoadBlockFile(const QString& path);

} // namespace prt::sim
