#include "SimTools.h"

#include "SimPrinter.h"
#include "SimProto.h"

#include <memory>

namespace prt::sim {

namespace {

class ToolHandler : public SimHandler {
public:
    int consume(SimPrinter& printer, const QByteArray& in, QByteArray& reply) override
    {
        static const char* const lines[] = {"SELFTEST",   "ZZZLEARN",   "ZZZFRONT",
                                            "ZZZDENSITYTST", "ZZZDFUMODE", "ZZZGETJOURNEY"};
        bool more = false;
        for (const char* l : lines) {
            const QByteArray cmd = QByteArray(l) + "\r\n";
            if (in.startsWith(cmd)) {
                if (SimProtoState* s = ProtoState(printer)) {
                    auto it = s->rawReplies.find(QByteArray(l));
                    if (it != s->rawReplies.end())
                        reply.append(it->second);
                }
                return static_cast<int>(cmd.size());
            }
            if (in.size() < cmd.size() && cmd.startsWith(in))
                more = true;
        }
        static const QByteArray dfu("\x1D\x75\x55\xAA", 4);
        if (in.startsWith(dfu)) {
            Log(printer, dfu);
            return 4;
        }
        if (in.size() < 4 && dfu.startsWith(in))
            more = true;
        // DPL control-code switch.
        // (one write of six bytes; never waits for more, so other commands beginning
        // with these characters pass untouched)
        if (in.size() >= 6 && (in[0] == '\x02' || in[0] == '~' || in[0] == '\0')) {
            if (in.mid(1, 4) == "KcCC") {
                const char x = in[5];
                const char* set = x == 'S' ? "standard" : x == '1' ? "alternate" : x == '2' ? "alternate-2" : nullptr;
                if (set)
                    if (SimProtoState* s = ProtoState(printer))
                        s->values[QByteArray("control_codes")] = set;
                Log(printer, in.left(6));
                return 6;
            }
        }
        return more ? NeedMore : NotMine;
    }

private:
    static void Log(SimPrinter& printer, const QByteArray& bytes)
    {
        if (SimProtoState* s = ProtoState(printer))
            s->doLog.push_back("raw:" + bytes.toHex(' ').toUpper());
    }
};

} // namespace

void AddToolHandlers(SimPrinter& printer)
{
    printer.addHandler(std::make_unique<ToolHandler>());
}

} // namespace prt::sim
