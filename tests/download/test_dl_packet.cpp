// Handshakes, packets and replies of the packet download protocol, byte for byte.
#include "TestSupport.h"
#include "mdlDLPacket.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace prt::dl;
using prt::test::Hex;
using prt::test::ToHex;

namespace {

const char* kHead = "1B 1C 26 20 56 31 20 ";

QByteArray Frame(const char* bodyHex)
{
    return Hex(kHead) + Hex(bodyHex) + Hex("0D 0A");
}

} // namespace

TEST(DlPacket, HandshakeBytes)
{
    struct Case {
        QByteArray got;
        QByteArray want;
    } cases[] = {
        // do "download" "bitmaps" "E_logo.GRF"
        {BuildDownloadHandshake("bitmaps", "E_logo.GRF"),
         Frame("64 6F 20 22 64 6F 77 6E 6C 6F 61 64 22 20 22 62 69 74 6D 61 70 73 22 20 22 45 5F 6C 6F 67 6F 2E 47 "
               "52 46 22")},
        // do "userfont_download" "big5" (the encoding lower-cased)
        {BuildUserFontHandshake("BIG5"),
         Frame("64 6F 20 22 75 73 65 72 66 6F 6E 74 5F 64 6F 77 6E 6C 6F 61 64 22 20 22 62 69 67 35 22")},
        // do "font_download_quick": 33 bytes
        {BuildQuickFontTextHandshake(),
         Frame("64 6F 20 22 66 6F 6E 74 5F 64 6F 77 6E 6C 6F 61 64 5F 71 75 69 63 6B 22")},
        // the raw quick-font handshake: no line end
        {QuickFontRawHandshake(), Hex("5A 5A 5A 46 4F 4E 54 44 4C 20")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToHex(c.got), ToHex(c.want));
    EXPECT_EQ(BuildQuickFontTextHandshake().size(), 33);
    // A name that would break the command frame is never sent.
    EXPECT_TRUE(BuildDownloadHandshake("bitmaps", "E_a\"b").isEmpty());
    EXPECT_TRUE(BuildDownloadHandshake("labels", "E_a\r\nb").isEmpty());

    EXPECT_TRUE(IsHandshakeOk("OK"));
    for (const char* bad : {"", "O", "ok", "OKK", "NO"})
        EXPECT_FALSE(IsHandshakeOk(bad)) << bad;
}

TEST(DlPacket, PacketCountRules)
{
    struct Case {
        qint64 total;
        int ps;
        TDLCountRule rule;
        int want;
    } cases[] = {
        {0, 1024, TDLCountRule::Thread, 0},    {1, 1024, TDLCountRule::Thread, 1},
        {1500, 1024, TDLCountRule::Thread, 2}, {2048, 1024, TDLCountRule::Thread, 3},
        {1023, 1024, TDLCountRule::Thread, 1}, {0, 1024, TDLCountRule::Ceil, 0},
        {2048, 1024, TDLCountRule::Ceil, 2},   {2049, 1024, TDLCountRule::Ceil, 3},
        {5000, 4096, TDLCountRule::Ceil, 2},   {8192, 4096, TDLCountRule::Ceil, 2},
        {4096, 2048, TDLCountRule::Ceil, 2},   {4097, 2048, TDLCountRule::Ceil, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PacketCount(c.total, c.ps, c.rule), c.want) << c.total << "/" << c.ps;
}

// Payloads of 0x01 bytes; checksums worked out by hand: DD+CC+BB+AA = 782, plus index,
// length bytes, payload and padding.
TEST(DlPacket, PacketBytes)
{
    struct Case {
        int payloadSize;
        uint32_t index;
        int ps;
        uint8_t pad;
        const char* head;  // bytes 0..9
        int length;
        const char* sum;   // the last two bytes
    } cases[] = {
        // 1500 bytes: two packets of 1036 bytes; the second has length 476 (01 DC)
        {1500, 0, 1024, 0x00, "DD CC BB AA 00 00 00 00 00 04", 1024, "12 07"},
        {1500, 1, 1024, 0x00, "DD CC BB AA 01 00 00 00 DC 01", 476, "C8 05"},
        // 2048 bytes on the thread path: the third packet has length 0
        {2048, 2, 1024, 0x00, "DD CC BB AA 02 00 00 00 00 00", 0, "10 03"},
        // font-file windows pad with FF
        {2048, 1, 1024, 0xFF, "DD CC BB AA 01 00 00 00 00 04", 1024, "13 07"},
        // the empty file's one packet
        {0, 0, 1024, 0xFF, "DD CC BB AA 00 00 00 00 00 00", 0, "0E FF"},
        // 4096-byte packets: 5000 bytes, second packet length 904 (03 88), 4108 bytes
        {5000, 1, 4096, 0xFF, "DD CC BB AA 01 00 00 00 88 03", 904, "AA 72"},
    };
    for (const Case& c : cases) {
        const QByteArray payload(c.payloadSize, '\x01');
        const QByteArray p = BuildPacket(payload, c.index, c.ps, c.pad);
        SCOPED_TRACE(testing::Message() << c.payloadSize << " #" << c.index);
        ASSERT_EQ(p.size(), c.ps + 12);
        EXPECT_EQ(ToHex(p.left(10)), ToHex(Hex(c.head)));
        EXPECT_EQ(p.mid(10, c.length), QByteArray(c.length, '\x01'));
        EXPECT_EQ(p.mid(10 + c.length, c.ps - c.length), QByteArray(c.ps - c.length, char(c.pad)));
        EXPECT_EQ(ToHex(p.right(2)), ToHex(Hex(c.sum)));
    }
    // The 1500-byte case at the offsets the printer sees: padding 486..1033, sum at 1034.
    const QByteArray second = BuildPacket(QByteArray(1500, '\x01'), 1, 1024, 0);
    EXPECT_EQ(second.at(485), '\x01');
    EXPECT_EQ(second.mid(486, 1033 - 486 + 1), QByteArray(548, '\0'));
    EXPECT_EQ(ToHex(second.mid(1034, 2)), "C8 05");
}

TEST(DlPacket, ReplyBuildAndCheck)
{
    const QByteArray packet = BuildPacket(QByteArray(1500, '\x01'), 1, 1024, 0);
    const QByteArray good = BuildReply(packet);
    EXPECT_EQ(ToHex(good), "DD CC BB AA 01 00 00 00 00 00 0F 03");
    EXPECT_EQ(ToHex(BuildReply(packet, 1)), "DD CC BB AA 01 00 00 00 01 00 10 03");

    auto with = [&](int at, char value) {
        QByteArray r = good;
        r[at] = value;
        return r;
    };
    struct Case {
        QByteArray reply;
        uint32_t count;
        bool readOk;
        TDLReplyRule rule;
        TDLReplyCheck want;
    } cases[] = {
        {good, 12, true, TDLReplyRule::Strict, TDLReplyCheck::Ok},
        {good, 11, true, TDLReplyRule::Strict, TDLReplyCheck::Count},
        {with(11, 0), 11, true, TDLReplyRule::ByteEleven, TDLReplyCheck::Count},
        // a short count with byte 11 set passes on to the other tests
        {good, 11, true, TDLReplyRule::ByteEleven, TDLReplyCheck::Ok},
        {with(4, 2), 12, true, TDLReplyRule::Strict, TDLReplyCheck::Echo},
        {with(0, 0), 12, true, TDLReplyRule::Strict, TDLReplyCheck::Echo},
        {Hex("DD CC BB AA 01 00 00 00 01 00 10 03"), 12, true, TDLReplyRule::Strict, TDLReplyCheck::Status},
        // a bad status with a bad sum is a refused reply, not a checksum message
        {Hex("DD CC BB AA 01 00 00 00 01 00 0F 03"), 12, true, TDLReplyRule::Strict, TDLReplyCheck::Status},
        {with(10, 0x10), 12, true, TDLReplyRule::Strict, TDLReplyCheck::Sum},
        {with(11, 0x04), 12, true, TDLReplyRule::ByteEleven, TDLReplyCheck::Sum},
        // status and sum are judged only when the read reported success
        {with(10, 0x10), 12, false, TDLReplyRule::Strict, TDLReplyCheck::Ok},
    };
    int i = 0;
    for (const Case& c : cases) {
        uint8_t buf[12] = {};
        std::memcpy(buf, c.reply.constData(), std::min<qsizetype>(12, c.reply.size()));
        EXPECT_EQ(CheckReply(packet, buf, c.count, c.readOk, c.rule), c.want) << "case " << i;
        ++i;
    }
}
