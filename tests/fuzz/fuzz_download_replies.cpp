// Packet download replies: whatever the printer answers to the handshake and to a packet,
// a reply is accepted only when it echoes the packet's head and, when the read reported
// success, says 00 00 and carries its sum; a short reply only under the font-file
// windows' rule and with its byte 11 set; the printer's own good reply is always
// accepted and any one changed byte of it refused.
//
// Input: byte 0 packet size (1..256), byte 1 flags (bit 0 read reported success, bit 1
// the short-reply rule, bit 2 FF padding), byte 2 reply count (0..15), bytes 3..6 packet
// index, bytes 7..18 the reply, byte 19 the position and byte 20 the value of a change of
// the good reply, the rest the payload (and the handshake reply: its first bytes).
#include "FuzzSupport.h"
#include "mdlDLPacket.h"

#include <cstring>

using namespace prt::dl;

namespace {

uint8_t At(const QByteArray& in, qsizetype i)
{
    return i < in.size() ? uint8_t(in[i]) : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray in = fuzz::Bytes(data, size);
    const int ps = 1 + At(in, 0);
    const uint8_t flags = At(in, 1);
    const bool readOk = flags & 1;
    const TDLReplyRule rule = (flags & 2) ? TDLReplyRule::ByteEleven : TDLReplyRule::Strict;
    const uint8_t padding = (flags & 4) ? 0xFF : 0x00;
    const uint32_t count = At(in, 2) % 16;
    uint32_t index = 0;
    for (int i = 0; i < 4; ++i)
        index |= uint32_t(At(in, 3 + i)) << (8 * i);
    uint8_t reply[kReplySize] = {};
    for (int i = 0; i < kReplySize; ++i)
        reply[i] = At(in, 7 + i);
    const QByteArray payload = in.mid(21);

    // The handshake: exactly the two bytes "OK".
    FUZZ_CHECK(IsHandshakeOk(in.left(2)) == (in.left(2) == QByteArray("OK")));
    FUZZ_CHECK(IsHandshakeOk(payload) == (payload == QByteArray("OK")));

    // The packet: PS + 12 bytes, the length field, the sum over everything before it.
    index %= 64;  // keeps the payload offset in range
    const QByteArray packet = BuildPacket(payload, index, ps, padding);
    FUZZ_CHECK(packet.size() == ps + kPacketExtraSize);
    const auto* p = reinterpret_cast<const uint8_t*>(packet.constData());
    FUZZ_CHECK(std::memcmp(p, kPacketMagic, 4) == 0);
    const qint64 left = qMax<qint64>(0, payload.size() - qint64(index) * ps);
    FUZZ_CHECK((p[8] | (p[9] << 8)) == qMin<qint64>(ps, left));
    const uint16_t sum = Sum16(p, kPacketHeadSize + ps);
    FUZZ_CHECK(p[kPacketHeadSize + ps] == (sum & 0xFF) && p[kPacketHeadSize + ps + 1] == (sum >> 8));
    for (const TDLCountRule r : {TDLCountRule::Thread, TDLCountRule::Ceil}) {
        const int n = PacketCount(payload.size(), ps, r);
        FUZZ_CHECK(n >= 0);
        FUZZ_CHECK(qint64(n) * ps >= payload.size());
    }

    // Whatever came back: accepted only with the echo, and with status and sum when whole.
    const TDLReplyCheck got = CheckReply(packet, reply, count, readOk, rule);
    if (got == TDLReplyCheck::Ok) {
        FUZZ_CHECK(std::memcmp(reply, p, 8) == 0);
        if (rule == TDLReplyRule::Strict)
            FUZZ_CHECK(count == uint32_t(kReplySize));
        else
            FUZZ_CHECK(count == uint32_t(kReplySize) || reply[11] != 0);
        if (readOk) {
            FUZZ_CHECK(reply[8] == 0 && reply[9] == 0);
            const uint16_t s = Sum16(reply, 10);
            FUZZ_CHECK(reply[10] == (s & 0xFF) && reply[11] == (s >> 8));
        }
    }

    // The printer's own answers, and one changed byte of the good one.
    const QByteArray good = BuildReply(packet);
    FUZZ_CHECK(good.size() == kReplySize);
    const auto* g = reinterpret_cast<const uint8_t*>(good.constData());
    for (const TDLReplyRule r : {TDLReplyRule::Strict, TDLReplyRule::ByteEleven})
        FUZZ_CHECK(CheckReply(packet, g, kReplySize, true, r) == TDLReplyCheck::Ok);
    const uint16_t status = uint16_t(At(in, 19) | (At(in, 20) << 8));
    if (status != 0) {
        const QByteArray refused = BuildReply(packet, status);
        FUZZ_CHECK(CheckReply(packet, reinterpret_cast<const uint8_t*>(refused.constData()), kReplySize, true,
                              TDLReplyRule::Strict) == TDLReplyCheck::Status);
    }
    const int at = At(in, 19) % kReplySize;
    const uint8_t change = At(in, 20);
    if (change != 0) {
        uint8_t bad[kReplySize];
        std::memcpy(bad, g, kReplySize);
        bad[at] ^= change;
        FUZZ_CHECK(CheckReply(packet, bad, kReplySize, true, TDLReplyRule::Strict) != TDLReplyCheck::Ok);
    }
    return 0;
}
