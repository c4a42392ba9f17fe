// Printer side of the parameter block, the protocol probe and the firmware query.
#include "SimPrinter.h"
#include "SimProto.h"

#include <memory>

namespace prt::sim {

namespace {

class BlockHandler : public SimHandler {
public:
    explicit BlockHandler(std::shared_ptr<SimProtoState> s) : s_(std::move(s)) {}

    int consume(SimPrinter&, const QByteArray& in, QByteArray& reply) override
    {
        static const QByteArray readTspl("ZZZCR\n"), readOther("\x12\x62", 2);
        static const QByteArray writeTspl("ZZZCW "), writeOther("\x12\x63", 2);
        static const QByteArray probe("\x1B\x1B\x08", 3), version("ZZZGETVERSION\r\n");
        bool more = false;
        auto match = [&](const QByteArray& cmd) {
            if (in.startsWith(cmd))
                return true;
            if (in.size() < cmd.size() && cmd.startsWith(in))
                more = true;
            return false;
        };
        if (match(readTspl) || match(readOther)) {
            reply.append(s_->blockReply.isEmpty() ? s_->block : s_->blockReply);
            return static_cast<int>(in.startsWith(readTspl) ? readTspl.size() : readOther.size());
        }
        for (const QByteArray* head : {&writeTspl, &writeOther}) {
            if (match(*head)) {
                if (in.size() < head->size() + 256)
                    return NeedMore;
                const QByteArray block = in.mid(head->size(), 256);
                if (SimBlockValid(block)) {
                    s_->blockWrites.push_back(block);
                    if (!s_->blockKeepsOld)
                        s_->block = block;
                } else {
                    s_->blockRefused.push_back(block);
                }
                return static_cast<int>(head->size() + 256);
            }
        }
        if (match(probe)) {
            if (s_->protocolByte >= 0)
                reply.append(static_cast<char>(s_->protocolByte));
            return static_cast<int>(probe.size());
        }
        if (match(version)) {
            reply.append(s_->version);
            return static_cast<int>(version.size());
        }
        return more ? NeedMore : NotMine;
    }

private:
    std::shared_ptr<SimProtoState> s_;
};

} // namespace

std::unique_ptr<SimHandler> MakeSimProtoBlockHandler(std::shared_ptr<SimProtoState> state)
{
    return std::make_unique<BlockHandler>(std::move(state));
}

} // namespace prt::sim
