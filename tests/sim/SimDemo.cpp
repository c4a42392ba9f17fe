#include "SimDemo.h"

#include "SimDownload.h"
#include "SimPrinter.h"
#include "SimProto.h"

#include <mutex>

namespace prt::sim {

QByteArray SimDemoBlock()
{
    QByteArray b(256, '\0');
    auto set = [&b](int pos, std::initializer_list<int> bytes) {
        for (int v : bytes)
            b[pos++] = static_cast<char>(v);
    };
    // Layout A (J83 row) and layout B (V64 and TA380 rows) share the block; their rows
    // meet only at byte 58 (A: paper kind 1, label; B: code page 1).
    set(34, {5});             // A: density 5
    set(58, {1});             // A: label (gap) paper; B: code page 1
    set(68, {0x20, 0x03});    // A: black-mark maximum length, 800 dots = 100 mm
    set(70, {0x20, 0x03});    // A: label maximum length, 800 dots = 100 mm
    set(83, {1});             // A: auto positioning at power-on
    set(100, {1});            // A: reprint after an error
    set(114, {30});           // A: stop-print time, 30 minutes
    set(132, {3});            // A: speed 3 ips
    set(134, {0xC8, 0x00});   // A: minimum label length, 200 dots = 25 mm
    set(8, {16});             // B: print-to-stop position
    set(12, {8});             // B: horizontal start
    set(14, {4});             // B: vertical start
    set(57, {6});             // B: density 6
    set(60, {1});             // B: paper detect mode, item 1
    set(76, {1});             // B: reprint after an error
    set(78, {4});             // B: speed 4 ips
    set(82, {20});            // B: stop-print time, 20 minutes
    return SimMakeBlock(b.mid(1, 253));
}

void SimSeedDemoPrinter(SimPrinter& printer)
{
    // The download windows' queries (resolution, space, listings); "ppl" stays unanswered
    // so the protocol comes from the model lists.
    SimSetDownloadDefaults(printer, QByteArray());
    SimSetBlock(printer, SimDemoBlock());
    SimSetVersion(printer, QByteArray("\x01\x02\x03", 3));
    QByteArray status(20, '\0');
    status[18] = 0x02;  // standing by
    std::lock_guard lock(printer.mutex());
    SimProtoState* s = ProtoState(printer);
    if (!s)
        return;
    const std::pair<const char*, const char*> values[] = {
        {"factory_produce_time", "20240315"},
        {"mileage", "250000"},
        {"version", "V1.2.3"},
        {"printer_version", "V1.2.3"},
        {"eth_dhcp", "off"},
        {"eth_ip", "192.168.1.50"},
        {"eth_mask", "255.255.255.0"},
        {"eth_gateway", "192.168.1.1"},
    };
    for (const auto& [key, value] : values)
        s->values[QByteArray(key)] = QByteArray(value);
    s->values["printer_status"] = status;
    // The key-frame parameters of the TE62BT row (station-mode Wi-Fi, Ethernet, Bluetooth).
    const std::pair<uint16_t, QByteArray> keys[] = {
        {0x68, "TE62BT-DEMO"},
        {0x69, "1234"},
        {0x6a, QByteArray(1, '\x00')},
        {0xce, QByteArray(1, '\x02')},
        {0xcb, QByteArray(1, '\x08')},
        {0xca, QByteArray(1, '\x04')},
        {0x78, QByteArray(1, '\x02')},
        {0x82, QByteArray(1, '\x00')},
        {0x84, QByteArray(1, '\x01')},
        {0x93, QByteArray("\x00\x1A\x2B\x3C\x4D\x5F", 6)},
        {0x79, QByteArray(1, '\x03')},
        {0x7c, "DemoNet"},
        {0x7d, "demo-pass"},
        {0x81, QByteArray("\xC0\xA8\x01\x33", 4)},
        {0x86, QByteArray("\xFF\xFF\xFF\x00", 4)},
        {0x85, QByteArray("\xC0\xA8\x01\x01", 4)},
        {0x83, QByteArray(1, '\x01')},
        {0x64, QByteArray(1, '\x00')},
        {0x65, QByteArray("\xC0\xA8\x01\x32", 4)},
        {0x66, QByteArray("\xFF\xFF\xFF\x00", 4)},
        {0x67, QByteArray("\xC0\xA8\x01\x01", 4)},
        {0x71, QByteArray("\x00\x1A\x2B\x3C\x4D\x5E", 6)},
        {0xd0, QByteArray("\x18\x00", 2)},
        {0x1a0, QByteArray(1, '\x05')},
        {0x142, QByteArray("\x09\x00", 2)},
    };
    for (const auto& [id, value] : keys)
        s->keyValues[id] = value;
    s->rawReplies["ZZZGETJOURNEY"] = QByteArray("\x00\x00\x13\x88", 4);  // 5000 units of length
}

} // namespace prt::sim
