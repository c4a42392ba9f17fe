// Printer side of the text command channel and the key frames.
#include "SimPrinter.h"
#include "SimProto.h"

#include <memory>

namespace prt::sim {

namespace {

const QByteArray kPrefix("\x1B\x1C\x26\x20\x56\x31\x20", 7);
constexpr qsizetype kMaxLine = 4096;

// The text between the first pair of double quotes at or after `from`; `end` receives
// the index after the closing quote (-1 when there is none).
QByteArray Quoted(const QByteArray& s, qsizetype from, qsizetype* end)
{
    const qsizetype a = s.indexOf('"', from);
    const qsizetype b = a < 0 ? -1 : s.indexOf('"', a + 1);
    if (a < 0 || b < 0) {
        *end = -1;
        return QByteArray();
    }
    *end = b + 1;
    return s.mid(a + 1, b - a - 1);
}

class TextHandler : public SimHandler {
public:
    explicit TextHandler(std::shared_ptr<SimProtoState> s) : s_(std::move(s)) {}

    int consume(SimPrinter& printer, const QByteArray& in, QByteArray& reply) override
    {
        if (s_->cutConnection >= 0 && s_->cutConnection == printer.connections())
            return static_cast<int>(in.size());  // the link is cut: nothing arrives
        if (in.size() < kPrefix.size())
            return kPrefix.startsWith(in) ? NeedMore : NotMine;
        if (!in.startsWith(kPrefix))
            return NotMine;
        const QByteArray rest = in.mid(kPrefix.size());
        for (const char* verb : {"getkey\r\n", "setkey\r\n"}) {
            const QByteArray v(verb);
            if (rest.size() < v.size() && v.startsWith(rest))
                return NeedMore;
            if (rest.startsWith(v))
                return frame(printer, in, v.startsWith("set"), reply);
        }
        const qsizetype crlf = in.indexOf("\r\n");
        if (crlf < 0)
            return in.size() > kMaxLine ? NotMine : NeedMore;
        line(printer, in.mid(kPrefix.size(), crlf - kPrefix.size()), reply);
        return static_cast<int>(crlf + 2);
    }

private:
    int frame(SimPrinter& printer, const QByteArray& in, bool set, QByteArray& reply)
    {
        if (in.size() < 19)
            return NeedMore;
        const auto op = static_cast<uint8_t>(in.at(15));
        const auto id = static_cast<uint16_t>(static_cast<uint8_t>(in.at(16)) | (static_cast<uint8_t>(in.at(17)) << 8));
        const int n = static_cast<uint8_t>(in.at(18));
        s_->keyOps.push_back(op);
        if (set) {
            if (in.size() < 19 + n)
                return NeedMore;
            s_->keyValues[id] = in.mid(19, n);
            s_->setKeyLog.push_back({op, id, in.mid(19, n)});
            if (s_->cutAfterSetKeys > 0 && --s_->cutAfterSetKeys == 0) {
                s_->cutAfterSetKeys = -1;
                s_->cutConnection = printer.connections();
                if (s_->cutDrops)
                    printer.restartLink(0);
            }
            return 19 + n;
        }
        auto it = s_->keyValues.find(id);
        if (it != s_->keyValues.end() && !s_->silentKeys.count(id)) {
            QByteArray value = it->second.left(n);
            auto cut = s_->shortKeys.find(id);
            if (cut != s_->shortKeys.end())
                value.truncate(cut->second);
            reply.append(value);
        }
        return 19;
    }

    void line(SimPrinter& printer, const QByteArray& body, QByteArray& reply)
    {
        qsizetype end = -1;
        if (body.startsWith("do ")) {
            s_->doLog.push_back(body.mid(3));
            const QByteArray key = Quoted(body, 3, &end);
            s_->textLog.push_back({QByteArray("do"), key, QByteArray()});
            auto it = s_->doReplies.find(key);
            if (it != s_->doReplies.end())
                reply.append(it->second);
            auto late = s_->doReplyDelayMs.find(key);
            if (late != s_->doReplyDelayMs.end())
                printer.delayReply(late->second);
        } else if (body.startsWith("getval ")) {
            const QByteArray key = Quoted(body, 7, &end);
            auto it = s_->values.find(key);
            if (it != s_->values.end() && !s_->silentTextKeys.count(key)) {
                reply.append(it->second);
                if (s_->replyCrLf)
                    reply.append("\r\n");
            }
        } else if (body.startsWith("setval ")) {
            s_->setvalLog.push_back(body.mid(7));
            const QByteArray key = Quoted(body, 7, &end);
            auto r = s_->setvalReplies.find(key);
            if (r != s_->setvalReplies.end() && !r->second.empty()) {
                reply.append(r->second.front());
                if (r->second.size() > 1)
                    r->second.pop_front();
            }
            if (end > 0) {
                qsizetype vend = -1;
                const QByteArray value = Quoted(body, end, &vend);
                if (vend > 0) {
                    s_->values[key] = value;
                    s_->textLog.push_back({QByteArray("setval"), key, value});
                }
            }
        }
    }

    std::shared_ptr<SimProtoState> s_;
};

// DPL control lines: STX, "~" or NUL, "KcPJ", the rest up to CR LF (recorded whole).
class DplLineHandler : public SimHandler {
public:
    explicit DplLineHandler(std::shared_ptr<SimProtoState> s) : s_(std::move(s)) {}

    int consume(SimPrinter&, const QByteArray& in, QByteArray&) override
    {
        if (in.isEmpty())
            return NotMine;
        const char first = in.at(0);
        if (first != '\x02' && first != '~' && first != '\0')
            return NotMine;
        const QByteArray tag("KcPJ");
        const QByteArray head = in.mid(1, tag.size());
        if (!tag.startsWith(head))
            return NotMine;
        if (head.size() < tag.size())
            return NeedMore;
        const qsizetype crlf = in.indexOf("\r\n");
        if (crlf < 0)
            return in.size() > kMaxLine ? NotMine : NeedMore;
        s_->rawLines.push_back(in.left(crlf + 2));
        return static_cast<int>(crlf + 2);
    }

private:
    std::shared_ptr<SimProtoState> s_;
};

} // namespace

std::unique_ptr<SimHandler> MakeSimDplLineHandler(std::shared_ptr<SimProtoState> state)
{
    return std::make_unique<DplLineHandler>(std::move(state));
}

std::unique_ptr<SimHandler> MakeSimProtoTextHandler(std::shared_ptr<SimProtoState> state)
{
    return std::make_unique<TextHandler>(std::move(state));
}

} // namespace prt::sim
