// Printer side of the firmware updates (see SimFirmware.h).
#include "SimFirmware.h"
#include "SimPrinter.h"

#include <QByteArrayList>
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace prt::sim {

namespace {

const QByteArray kDfu = QByteArray("\x1B\x1C\x26\x20\x56\x31\x20", 7) + "do \"dfu\"\r\n";
constexpr int kHeaderSize = 76;
const QByteArray kOta = QByteArray("\x1B\x1C\x26\x20\x56\x31\x20", 7) + "do \"ota\"\r\n";
const QByteArray kEnterOta = QByteArray("\x1B\x1C\x26\x20\x56\x31\x20", 7) + "do \"enter_ota\"\r\n";
const QByteArray kRawSwitch("\x1D\x75\x55\xAA", 4);

uint32_t U32(const QByteArray& b, qsizetype at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(b.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::mutex g_regMutex;
std::map<const SimPrinter*, std::weak_ptr<SimFirmwareState>>& Registry()
{
    static std::map<const SimPrinter*, std::weak_ptr<SimFirmwareState>> r;
    return r;
}

SimFirmwareState* State(SimPrinter& printer)
{
    std::lock_guard lock(g_regMutex);
    auto it = Registry().find(&printer);
    if (it == Registry().end())
        return nullptr;
    auto sp = it->second.lock();
    return sp.get();
}

class FirmwareHandler : public SimHandler {
public:
    explicit FirmwareHandler(std::shared_ptr<SimFirmwareState> s) : s_(std::move(s)) {}

    int consume(SimPrinter& printer, const QByteArray& in, QByteArray& reply) override
    {
        SimFirmwareState& s = *s_;
        if (in.startsWith(kDfu)) {
            // a fresh update; the text handler logs the command
            s.dfuMode = true;
            ++s.dfuCount;
            s.blocks.clear();
            s.bodyLeft = 0;
            return NotMine;
        }
        if (!s.dfuMode) {
            if (in.startsWith(kEnterOta)) {
                // the text handler logs it; the link goes down once its turn is over
                ++s.otaRestarts;
                printer.restartLink(s.otaRestartMs);
                return NotMine;
            }
            if (in.startsWith(kRawSwitch)) {
                ++s.rawSwitches;
                return static_cast<int>(kRawSwitch.size());
            }
            if (in.startsWith(kOta))
                return OtaPacket(in, reply);
            if ((in.size() < kOta.size() && kOta.startsWith(in)) || (in.size() < 4 && kRawSwitch.startsWith(in)))
                return NeedMore;
            return Storage(in, reply);
        }
        if (s.bodyLeft > 0) {
            const qsizetype n = std::min<qsizetype>(in.size(), s.bodyLeft);
            if (s.keepBodies)
                s.blocks.back().body += in.left(n);
            s.bodyLeft -= n;
            if (s.bodyLeft == 0)
                ArmFinal(printer);
            return static_cast<int>(n);
        }
        if (in.size() < kHeaderSize)
            return NeedMore;
        const QByteArray header = in.left(kHeaderSize);
        const int index = static_cast<int>(s.blocks.size());
        s.blocks.push_back({header, {}});
        const auto it = s.headerStatus.find(index);
        const int status = it == s.headerStatus.end() ? 0 : it->second;
        reply.append(static_cast<char>(status));
        if (s.headerReplyDelayMs > 0)
            printer.delayReply(s.headerReplyDelayMs);
        if (status == 0) {
            const auto* p = reinterpret_cast<const uint8_t*>(header.constData()) + 4;
            s.bodyLeft = qint64(p[0]) | qint64(p[1]) << 8 | qint64(p[2]) << 16 | qint64(p[3]) << 24;
            if (s.bodyLeft == 0)
                ArmFinal(printer);
        }
        return kHeaderSize;
    }

private:
    static std::vector<std::pair<QByteArray, QByteArray>>& Store(SimFirmwareState& s, bool flash)
    {
        return flash ? s.tsplFlash : s.tsplDram;
    }
    static uint32_t Used(const std::vector<std::pair<QByteArray, QByteArray>>& files)
    {
        uint32_t n = 0;
        for (const auto& f : files)
            n += uint32_t(f.second.size());
        return n;
    }

    int Storage(const QByteArray& in, QByteArray& reply)
    {
        SimFirmwareState& s = *s_;
        bool more = false;
        auto starts = [&](const QByteArray& head) {
            if (in.startsWith(head))
                return true;
            if (in.size() < head.size() && head.startsWith(in))
                more = true;
            return false;
        };
        for (const char* which : {"ZZZFILES F\r\n", "ZZZFILES N\r\n"}) {
            if (starts(which)) {
                if (!s.listReply.isEmpty()) {
                    reply += s.listReply;
                } else {
                    QByteArrayList names;
                    for (const auto& f : Store(s, which[9] == 'F'))
                        names << f.first;
                    if (!names.isEmpty())
                        reply += names.join(',') + "\r";
                }
                return 12;
            }
        }
        if (starts("ZZZFILESSIZE\r\n")) {
            if (!s.spaceReply.isEmpty()) {
                reply += s.spaceReply;
            } else {
                const uint32_t fu = Used(s.tsplFlash), du = Used(s.tsplDram);
                for (uint32_t v : {fu, s.flashTotal - fu, du, s.dramTotal - du})
                    for (int i = 0; i < 4; ++i)
                        reply += char((v >> (8 * i)) & 0xFF);
            }
            return 14;
        }
        const bool kill = starts("KILL \"") || starts("KILL F,\"");
        const bool run = starts("RUN \"");
        if (kill || run) {
            const qsizetype end = in.indexOf("\r\n");
            if (end < 0)
                return NeedMore;
            const QByteArray line = in.left(end);
            const qsizetype q = line.indexOf('"');
            const QByteArray name = line.mid(q + 1, line.lastIndexOf('"') - q - 1);
            if (run) {
                s.tsplRuns.push_back(name);
            } else {
                s.tsplKills.push_back(line);
                auto& files = Store(s, line.startsWith("KILL F,"));
                if (name == "*")
                    files.clear();
                else
                    files.erase(std::remove_if(files.begin(), files.end(),
                                               [&](const auto& f) { return f.first == name; }),
                                files.end());
            }
            return static_cast<int>(end + 2);
        }
        const bool flash = starts("DOWNLOAD F,\"");
        if (flash || starts("DOWNLOAD \"")) {
            const qsizetype q1 = in.indexOf('"');
            const qsizetype q2 = in.indexOf('"', q1 + 1);
            if (q2 < 0 || q2 + 1 >= in.size())
                return NeedMore;
            const QByteArray name = in.mid(q1 + 1, q2 - q1 - 1);
            QByteArray data;
            qsizetype taken = 0;
            if (in.at(q2 + 1) == ',') {
                const qsizetype comma = in.indexOf(',', q2 + 2);
                if (comma < 0)
                    return NeedMore;
                const qsizetype size = in.mid(q2 + 2, comma - q2 - 2).trimmed().toLongLong();
                if (in.size() < comma + 1 + size)
                    return NeedMore;
                data = in.mid(comma + 1, size);
                taken = comma + 1 + size;
            } else {
                const qsizetype eop = in.indexOf("EOP\r\n", q2);
                if (eop < 0)
                    return NeedMore;
                data = in.mid(q2 + 1, eop - q2 - 1);
                taken = eop + 5;
            }
            auto& files = Store(s, flash);
            files.erase(std::remove_if(files.begin(), files.end(), [&](const auto& f) { return f.first == name; }),
                        files.end());
            files.emplace_back(name, data);
            return static_cast<int>(taken);
        }
        return more ? NeedMore : NotMine;
    }

    int OtaPacket(const QByteArray& in, QByteArray& reply)
    {
        SimFirmwareState& s = *s_;
        const qsizetype head = kOta.size() + 12;
        if (in.size() < head)
            return NeedMore;
        const uint32_t offset = U32(in, kOta.size());
        const uint32_t n = U32(in, kOta.size() + 4);
        const uint32_t crc = U32(in, kOta.size() + 8);
        if (in.size() < head + qsizetype(n))
            return NeedMore;
        const QByteArray frame = in.left(head + n);
        const QByteArray data = frame.mid(head);
        const int index = static_cast<int>(s.otaPackets.size());
        s.otaPackets.push_back(frame);
        const bool good = SimOtaCrc(data) == crc;
        if (good) {
            if (s.otaImage.size() < qsizetype(offset) + data.size())
                s.otaImage.resize(offset + data.size());
            s.otaImage.replace(offset, data.size(), data);
        }
        QByteArray ack("\x1B\x1C\x26", 3);
        for (int i = 0; i < 4; ++i)
            ack += char((offset >> (8 * i)) & 0xFF);
        ack += char(good && index != s.otaBadAckAt ? 0 : 1);
        if (index == s.otaShortAckAt)
            ack = ack.left(5);
        if (index != s.otaNoAckAt)
            reply += ack;
        return static_cast<int>(frame.size());
    }

    void ArmFinal(SimPrinter& printer)
    {
        if (s_->finalStatus >= 0)
            printer.armQuietReply(QByteArray(1, static_cast<char>(s_->finalStatus)), s_->quietMs);
    }
    std::shared_ptr<SimFirmwareState> s_;
};

} // namespace

uint32_t SimOtaCrc(const QByteArray& bytes)
{
    uint32_t r = 0;
    for (const char c : bytes) {
        r ^= uint8_t(c);
        for (int k = 0; k < 8; ++k)
            r = (r & 1) ? (r >> 1) ^ 0xEDB88320u : r >> 1;
    }
    return r ^ 0xFFFFFFFFu;
}

QByteArray SimGdlFileBlock(uint32_t bodyLength, uint8_t type, const QByteArray& name, const QByteArray& version,
                           qint64 bodyBytes)
{
    QByteArray h("GDL\x01", 4);
    for (int i = 0; i < 4; ++i)
        h += char((bodyLength >> (8 * i)) & 0xFF);
    h += char(type);
    h += QByteArray("\xA1\xA2\xA3", 3);
    h += name.leftJustified(32, '\0', true);
    h += version.leftJustified(32, '\0', true);
    const qint64 n = bodyBytes < 0 ? qint64(bodyLength) : bodyBytes;
    QByteArray body(n, Qt::Uninitialized);
    for (qint64 i = 0; i < n; ++i)
        body[i] = char((i * 13 + 5) & 0xFF);
    return h + body;
}

void AddFirmwareHandler(SimPrinter& printer)
{
    auto s = std::make_shared<SimFirmwareState>();
    {
        std::lock_guard lock(g_regMutex);
        Registry()[&printer] = s;
    }
    printer.addHandler(std::make_unique<FirmwareHandler>(s));
}

SimFirmwareState SimFirmware(SimPrinter& printer)
{
    std::lock_guard lock(printer.mutex());
    SimFirmwareState* s = State(printer);
    return s ? *s : SimFirmwareState{};
}

void SimEditFirmware(SimPrinter& printer, const std::function<void(SimFirmwareState&)>& edit)
{
    std::lock_guard lock(printer.mutex());
    if (SimFirmwareState* s = State(printer))
        edit(*s);
}

} // namespace prt::sim
