// Printer side of the packet download protocol and of the stored-file commands.
#include "SimDownload.h"
#include "SimPrinter.h"
#include "SimProto.h"

#include <cstring>
#include <map>
#include <memory>

namespace prt::sim {

namespace {

const QByteArray kPrefix("\x1B\x1C\x26\x20\x56\x31\x20", 7);
const QByteArray kMagic("\xDD\xCC\xBB\xAA", 4);
const QByteArray kQuickRaw("ZZZFONTDL ");

std::mutex g_regMutex;
std::map<const SimPrinter*, std::weak_ptr<SimDownloadState>>& Registry()
{
    static std::map<const SimPrinter*, std::weak_ptr<SimDownloadState>> r;
    return r;
}

uint16_t Sum(const QByteArray& b, qsizetype count)
{
    uint32_t s = 0;
    for (qsizetype i = 0; i < count; ++i)
        s += static_cast<uint8_t>(b.at(i));
    return static_cast<uint16_t>(s & 0xFFFF);
}

// The quoted arguments of a command line, in order.
std::vector<QByteArray> QuotedArgs(const QByteArray& line)
{
    std::vector<QByteArray> out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype a = line.indexOf('"', from);
        const qsizetype b = a < 0 ? -1 : line.indexOf('"', a + 1);
        if (a < 0 || b < 0)
            return out;
        out.push_back(line.mid(a + 1, b - a - 1));
        from = b + 1;
    }
}

class DownloadHandler : public SimHandler {
public:
    explicit DownloadHandler(std::shared_ptr<SimDownloadState> s) : s_(std::move(s)) {}

    int consume(SimPrinter& printer, const QByteArray& in, QByteArray& reply) override
    {
        if (in.startsWith(kMagic))
            return packet(printer, in, reply);
        if (in.size() < kMagic.size() && kMagic.startsWith(in))
            return NeedMore;
        if (in.startsWith(kQuickRaw)) {
            begin(printer, "quickfont", QByteArray(), kQuickRaw, reply);
            return static_cast<int>(kQuickRaw.size());
        }
        if (in.size() < kQuickRaw.size() && kQuickRaw.startsWith(in) && in.size() >= 4)
            return NeedMore;
        if (!in.startsWith(kPrefix))
            return NotMine;
        const qsizetype crlf = in.indexOf("\r\n");
        if (crlf < 0)
            return NotMine;  // the text handler waits for the line end
        const QByteArray body = in.mid(kPrefix.size(), crlf - kPrefix.size());
        if (!body.startsWith("do "))
            return NotMine;
        const std::vector<QByteArray> args = QuotedArgs(body);
        if (args.empty())
            return NotMine;
        const int taken = static_cast<int>(crlf + 2);
        const QByteArray& verb = args[0];
        if (verb == "download" && args.size() >= 3) {
            log(printer, body);
            begin(printer, args[1], args[2], in.left(taken), reply);
            return taken;
        }
        if (verb == "userfont_download" && args.size() >= 2) {
            log(printer, body);
            begin(printer, "userfont", args[1], in.left(taken), reply);
            return taken;
        }
        if (verb == "font_download_quick") {
            log(printer, body);
            begin(printer, "quickfont", QByteArray(), in.left(taken), reply);
            return taken;
        }
        if (verb == "delete" && args.size() >= 3) {
            log(printer, body);
            for (auto it = s_->files.begin(); it != s_->files.end(); ++it) {
                if (it->type == args[1] && it->name == args[2]) {
                    s_->files.erase(it);
                    break;
                }
            }
            publish(printer);
            reply.append("OK");
            return taken;
        }
        return NotMine;
    }

private:
    void log(SimPrinter& printer, const QByteArray& body)
    {
        if (SimProtoState* p = ProtoState(printer))
            p->doLog.push_back(body.mid(3));
    }

    void begin(SimPrinter& printer, const QByteArray& type, const QByteArray& name, const QByteArray& raw,
               QByteArray& reply)
    {
        s_->handshakes.push_back(raw);
        reply.append(s_->handshakeReply);
        if (s_->handshakeReply != "OK") {
            current_ = -1;
            return;
        }
        for (auto it = s_->files.begin(); it != s_->files.end(); ++it) {
            if (it->type == type && it->name == name) {
                s_->files.erase(it);
                break;
            }
        }
        s_->files.push_back({type, name, QByteArray()});
        current_ = static_cast<int>(s_->files.size()) - 1;
        publish(printer);
    }

    int packet(SimPrinter& printer, const QByteArray& in, QByteArray& reply)
    {
        int ps = s_->packetSize;
        if (ps <= 0) {
            if (in.size() < 1036)
                return NeedMore;
            const auto at = [&](qsizetype i) { return static_cast<uint8_t>(in.at(i)); };
            const uint16_t s1024 = Sum(in, 1034);
            if (at(1034) == (s1024 & 0xFF) && at(1035) == (s1024 >> 8)) {
                ps = 1024;
            } else {
                if (in.size() < 4108)
                    return NeedMore;
                ps = 4096;
            }
        }
        if (in.size() < ps + 12)
            return NeedMore;
        const QByteArray p = in.left(ps + 12);
        s_->packets.push_back(p);
        const auto u8 = [&](int i) { return static_cast<uint8_t>(p.at(i)); };
        const uint32_t index = u8(4) | (u8(5) << 8) | (u8(6) << 16) | (uint32_t(u8(7)) << 24);
        const int length = u8(8) | (u8(9) << 8);
        const uint16_t sum = Sum(p, 10 + ps);
        const bool sumOk = u8(10 + ps) == (sum & 0xFF) && u8(11 + ps) == (sum >> 8);
        const bool taken = sumOk && length <= ps && current_ >= 0 && current_ < int(s_->files.size());
        if (taken) {
            s_->files[current_].data.append(p.mid(10, length));
            publish(printer);
        }
        if (int(index) == s_->noReplyAt)
            return ps + 12;
        QByteArray r = p.left(8);
        if (int(index) == s_->badEchoAt)
            r[4] = static_cast<char>(r.at(4) ^ 0x01);
        const bool badStatus = !taken || int(index) == s_->badStatusAt;
        r.append(badStatus ? '\x01' : '\0');
        r.append('\0');
        uint16_t rs = Sum(r, 10);
        if (int(index) == s_->badSumAt)
            rs = static_cast<uint16_t>(rs + 1);
        r.append(static_cast<char>(rs & 0xFF));
        r.append(static_cast<char>(rs >> 8));
        reply.append(r);
        return ps + 12;
    }

    // Listings and space into the text handler's values.
    void publish(SimPrinter& printer)
    {
        SimProtoState* p = ProtoState(printer);
        if (!p)
            return;
        std::map<QByteArray, QByteArray> lists;
        qint64 usedFlash = 0, usedRam = 0;
        for (const SimStoredFile& f : s_->files) {
            QByteArray& l = lists[f.type];
            if (!l.isEmpty())
                l.append(',');
            l.append(f.name);
            (f.name.startsWith("R_") ? usedRam : usedFlash) += f.data.size();
        }
        for (const char* type : {"bitmaps", "labels", "autoform", "fonts"})
            p->values[type] = lists[type];
        p->values["use_capacity"] = QByteArray::number(usedFlash);
        p->values["remain_capacity"] = QByteArray::number(s_->flashCapacity - usedFlash);
        p->values["use_capacity_ram"] = QByteArray::number(usedRam);
        p->values["remain_capacity_ram"] = QByteArray::number(s_->ramCapacity - usedRam);
    }

    std::shared_ptr<SimDownloadState> s_;
    int current_ = -1;
};

template <typename F>
auto WithState(SimPrinter& printer, F f)
{
    std::lock_guard lock(printer.mutex());
    SimDownloadState* s = DownloadState(printer);
    static SimDownloadState none;
    return f(s ? *s : none);
}

} // namespace

void AddDownloadHandler(SimPrinter& printer)
{
    auto state = std::make_shared<SimDownloadState>();
    {
        std::lock_guard lock(g_regMutex);
        Registry()[&printer] = state;
    }
    printer.addHandler(std::make_unique<DownloadHandler>(state));
}

SimDownloadState* DownloadState(SimPrinter& printer)
{
    std::lock_guard lock(g_regMutex);
    auto it = Registry().find(&printer);
    if (it == Registry().end())
        return nullptr;
    auto sp = it->second.lock();
    if (!sp) {
        Registry().erase(it);
        return nullptr;
    }
    return sp.get();
}

std::vector<SimStoredFile> SimStoredFiles(SimPrinter& printer)
{
    return WithState(printer, [](SimDownloadState& s) { return s.files; });
}

std::vector<QByteArray> SimPackets(SimPrinter& printer)
{
    return WithState(printer, [](SimDownloadState& s) { return s.packets; });
}

std::vector<QByteArray> SimHandshakes(SimPrinter& printer)
{
    return WithState(printer, [](SimDownloadState& s) { return s.handshakes; });
}

void SimEditDownload(SimPrinter& printer, const std::function<void(SimDownloadState&)>& edit)
{
    WithState(printer, [&](SimDownloadState& s) {
        edit(s);
        return 0;
    });
}

void SimSetDownloadDefaults(SimPrinter& printer, const QByteArray& ppl)
{
    std::lock_guard lock(printer.mutex());
    SimProtoState* p = ProtoState(printer);
    SimDownloadState* d = DownloadState(printer);
    if (!p)
        return;
    p->values["dpi"] = "203";
    if (!ppl.isEmpty())
        p->values["ppl"] = ppl;
    p->values["control_codes"] = "standard";
    p->values["autoform_switch"] = "off";
    const qint64 flash = d ? d->flashCapacity : 4 * 1024 * 1024;
    const qint64 ram = d ? d->ramCapacity : 1024 * 1024;
    for (const char* type : {"bitmaps", "labels", "autoform", "fonts"})
        p->values[type] = QByteArray();
    p->values["use_capacity"] = "0";
    p->values["remain_capacity"] = QByteArray::number(flash);
    p->values["use_capacity_ram"] = "0";
    p->values["remain_capacity_ram"] = QByteArray::number(ram);
}

} // namespace prt::sim
