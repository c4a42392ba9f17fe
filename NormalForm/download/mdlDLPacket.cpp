#include "mdlDLPacket.h"

#include "PrinterCMD.h"

#include <algorithm>
#include <cstring>

namespace prt::dl {

namespace {

QByteArray Quoted(const char* word)
{
    return QByteArray("\"") + word + "\"";
}

} // namespace

QByteArray BuildDownloadHandshake(const QString& typeWord, const QString& storedName)
{
    const QByteArray type = QByteArray("\"") + typeWord.toLatin1() + "\"";
    return BuildDoTwoArgsValueCommand(KEY_download, type, storedName);
}

QByteArray BuildUserFontHandshake(const QString& encoding)
{
    return BuildDoKeyValueCommand(KEY_userfont_download, encoding.toLower());
}

QByteArray BuildQuickFontTextHandshake()
{
    return BuildDoCommand(Quoted("font_download_quick"));
}

QByteArray QuickFontRawHandshake()
{
    return QByteArray("ZZZFONTDL ");
}

bool IsHandshakeOk(const QByteArray& reply)
{
    return reply == QByteArray("OK");
}

int PacketCount(qint64 total, int packetSize, TDLCountRule rule)
{
    if (packetSize <= 0 || total <= 0)
        return 0;
    if (rule == TDLCountRule::Thread)
        return static_cast<int>(total / packetSize + 1);
    return static_cast<int>((total + packetSize - 1) / packetSize);
}

uint16_t Sum16(const uint8_t* bytes, qsizetype count)
{
    uint32_t sum = 0;
    for (qsizetype i = 0; i < count; ++i)
        sum += bytes[i];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

QByteArray BuildPacket(const QByteArray& payload, uint32_t index, int packetSize, uint8_t padding)
{
    const int ps = std::max(0, packetSize);
    QByteArray p(ps + kPacketExtraSize, static_cast<char>(padding));
    auto* b = reinterpret_cast<uint8_t*>(p.data());
    std::memcpy(b, kPacketMagic, 4);
    b[4] = static_cast<uint8_t>(index & 0xFF);
    b[5] = static_cast<uint8_t>((index >> 8) & 0xFF);
    b[6] = static_cast<uint8_t>((index >> 16) & 0xFF);
    b[7] = static_cast<uint8_t>((index >> 24) & 0xFF);
    const qint64 offset = static_cast<qint64>(index) * ps;
    const qint64 left = std::max<qint64>(0, payload.size() - offset);
    const auto length = static_cast<uint16_t>(std::min<qint64>(ps, left));
    b[8] = static_cast<uint8_t>(length & 0xFF);
    b[9] = static_cast<uint8_t>(length >> 8);
    if (length > 0)
        std::memcpy(b + kPacketHeadSize, payload.constData() + offset, length);
    const uint16_t sum = Sum16(b, kPacketHeadSize + ps);
    b[kPacketHeadSize + ps] = static_cast<uint8_t>(sum & 0xFF);
    b[kPacketHeadSize + ps + 1] = static_cast<uint8_t>(sum >> 8);
    return p;
}

QByteArray BuildReply(const QByteArray& packet, uint16_t status)
{
    QByteArray r(kReplySize, '\0');
    auto* b = reinterpret_cast<uint8_t*>(r.data());
    std::memcpy(b, packet.constData(), std::min<qsizetype>(8, packet.size()));
    b[8] = static_cast<uint8_t>(status & 0xFF);
    b[9] = static_cast<uint8_t>(status >> 8);
    const uint16_t sum = Sum16(b, 10);
    b[10] = static_cast<uint8_t>(sum & 0xFF);
    b[11] = static_cast<uint8_t>(sum >> 8);
    return r;
}

TDLReplyCheck CheckReply(const QByteArray& packet, const uint8_t reply[kReplySize], uint32_t count, bool readOk,
                         TDLReplyRule rule)
{
    if (count != static_cast<uint32_t>(kReplySize)) {
        if (rule == TDLReplyRule::Strict || reply[11] == 0)
            return TDLReplyCheck::Count;
    }
    if (packet.size() < 8 || std::memcmp(reply, packet.constData(), 8) != 0)
        return TDLReplyCheck::Echo;
    if (!readOk)
        return TDLReplyCheck::Ok;
    if (reply[8] != 0 || reply[9] != 0)
        return TDLReplyCheck::Status;
    const uint16_t sum = Sum16(reply, 10);
    if (reply[10] != (sum & 0xFF) || reply[11] != (sum >> 8))
        return TDLReplyCheck::Sum;
    return TDLReplyCheck::Ok;
}

} // namespace prt::dl
