// Over-the-air firmware: packets, acknowledgements, the mode switch of each model list and
// the whole transfer over a scripted link (wire order, waits, failures).
#include "PubBytes.h"
#include "TestSupport.h"
#include "mdlModelCatalog.h"
#include "mdlOTA.h"

#include <QCoreApplication>
#include <QStringList>
#include <array>
#include <cstring>
#include <deque>
#include <gtest/gtest.h>

using namespace prt::dl;
using prt::test::Hex;
using prt::test::ToHex;

namespace {

const char* kOtaCmd = "1B 1C 26 20 56 31 20 64 6F 20 22 6F 74 61 22 0D 0A";

std::string Packet(const char* rest)
{
    return std::string(kOtaCmd) + " " + rest;
}

class ScriptLink : public TOtaLink {
public:
    int OpenPort() override
    {
        log << "open";
        if (openResults.empty())
            return 0;
        const int r = openResults.front();
        openResults.pop_front();
        return r;
    }
    void ClosePort() override { log << "close"; }
    void DoLeaveOpen(const QByteArray& key) override { log << "doLeaveOpen " + QString::fromLatin1(key); }
    void DoOnOpenPort(const QByteArray& key) override { log << "doEx " + QString::fromLatin1(key); }
    int Write(const QByteArray& bytes) override
    {
        log << QStringLiteral("W%1").arg(bytes.size());
        writes.push_back(bytes);
        return int(writes.size()) == failWrite ? -1 : 0;
    }
    QByteArray GetValBytes(const QByteArray& key, uint32_t n) override
    {
        log << QStringLiteral("getval %1 %2").arg(QString::fromLatin1(key)).arg(n);
        return packLength;
    }
    int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries) override
    {
        log << QStringLiteral("RR%1/%2x%3").arg(length).arg(waitMs).arg(tries);
        *count = 0;
        if (acks.empty())
            return -1;
        const QByteArray a = acks.front().left(length);
        acks.pop_front();
        memcpy(buffer, a.constData(), size_t(a.size()));
        *count = uint32_t(a.size());
        return 0;
    }
    uint32_t Tick() override { return tick; }

    std::deque<int> openResults;
    QByteArray packLength = QByteArray("\x04\x00\x00\x00", 4);
    std::deque<QByteArray> acks;
    int failWrite = -1;
    uint32_t tick = 0;
    QStringList log;
    std::vector<QByteArray> writes;
};

const QByteArray kGoodAck("\x1B\x1C\x26\x00\x00\x00\x00\x00", 8);

struct OtaRun {
    TOtaOutcome out;
    QStringList log;
    std::vector<QByteArray> writes;
    std::vector<std::array<int, 4>> progress;
};

OtaRun Transfer(ScriptLink& link, const QByteArray& data, TOtaSwitch how, bool longRestart = false)
{
    OtaRun r;
    TOtaHooks hooks;
    hooks.sleep = [&](uint32_t ms) {
        link.log << QStringLiteral("s%1").arg(ms);
        link.tick += ms;
    };
    hooks.progress = [&](int i, int c, int kb, int total) { r.progress.push_back({i, c, kb, total}); };
    r.out = RunOtaTransfer(link, data, how, longRestart, hooks);
    r.log = link.log;
    r.writes = link.writes;
    return r;
}

} // namespace

TEST(OtaPacket, CrcVectors)
{
    struct Case {
        QByteArray bytes;
        uint32_t crc;
    } cases[] = {
        {"123456789", 0xD202D277u},
        {"abc", 0x359A672Fu},
        {"", 0xFFFFFFFFu},
        {"1234", 0x4558C040u},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CalcCRC32(c.bytes), c.crc) << c.bytes.constData();
}

TEST(OtaPacket, FramesOfAFileInPackagesOfFour)
{
    const QByteArray file("123456789");
    EXPECT_EQ(ToHex(BuildOtaPacket(file, 0, 4)), Packet("00 00 00 00 04 00 00 00 40 C0 58 45 31 32 33 34"));
    EXPECT_EQ(ToHex(BuildOtaPacket(file, 4, 4)), Packet("04 00 00 00 04 00 00 00 E4 76 E9 A0 35 36 37 38"));
    EXPECT_EQ(ToHex(BuildOtaPacket(file, 8, 4)), Packet("08 00 00 00 01 00 00 00 F7 77 FA A0 39"));
    // the empty file's one packet: 29 bytes, length 0, CRC FFFFFFFF
    EXPECT_EQ(ToHex(BuildOtaPacket(QByteArray(), 0, 4)), Packet("00 00 00 00 00 00 00 00 FF FF FF FF"));
    EXPECT_EQ(OtaPacketCount(9, 4), 3);
    EXPECT_EQ(OtaPacketCount(8, 4), 2);
    EXPECT_EQ(OtaPacketCount(0, 4), 0);
}

TEST(OtaPacket, AcknowledgementsAndPackageLengths)
{
    struct Ack {
        const char* hex;
        bool good;
    } acks[] = {
        {"1B 1C 26 00 00 00 00 00", true},
        {"1B 1C 26 AA BB CC DD 00", true},   // bytes 3..6 are not examined
        {"1B 1C 26 00 00 00 00 01", false},  // byte 7
        {"1B 1C 27 00 00 00 00 00", false},
        {"1B 1C 26 00 00 00 00", false},     // short
        {"1B 1C 26 00 00 00 00 00 00", false},
        {"", false},
    };
    for (const Ack& a : acks)
        EXPECT_EQ(IsOtaAckGood(Hex(a.hex)), a.good) << a.hex;
    struct Len {
        const char* hex;
        uint32_t length;
    } lens[] = {
        {"00 04 00 00", 1024},
        {"04 00 00 00", 4},
        {"00 00 00 00", 0},
        {"FF FF FF 7F", 0x7FFFFFFFu},
        {"00 00 00 80", 0},   // above 2^31-1: unusable
        {"00 04 00", 0},      // not 4 bytes
        {"00 04 00 00 00", 0},
    };
    for (const Len& l : lens)
        EXPECT_EQ(OtaPackageLength(Hex(l.hex)), l.length) << l.hex;
}

TEST(OtaSwitch, EachModelListChoosesItsWay)
{
    // Wi-Fi: W16P, W16P-C, HB25; over the air: W16; direct: HB25, BTN7, AK-S770;
    // long restart: W16P, W16P-C
    EXPECT_EQ(OtaWifiModels(), "," + GetModelName_W16P() + "," + GetModelName_W16P_C() + "," + GetModelName_HB25() + ",");
    EXPECT_EQ(OtaAirModels(), "," + GetModelName_W16() + ",");
    EXPECT_EQ(OtaDirectModels(),
              "," + GetModelName_HB25() + "," + GetModelName_BTN7() + "," + GetModelName_AK_S770() + ",");
    EXPECT_EQ(OtaLongRestartModels(), "," + GetModelName_W16P() + "," + GetModelName_W16P_C() + ",");
    struct Case {
        QString model;
        int wifi;
        bool binType1;
        TOtaSwitch how;
    } cases[] = {
        {GetModelName_W16P(), 1, false, TOtaSwitch::WifiEnterOta},
        {GetModelName_W16P(), 0, false, TOtaSwitch::RawBytes},
        {GetModelName_HB25(), 1, false, TOtaSwitch::WifiEnterOta},  // Wi-Fi and direct
        {GetModelName_HB25(), 0, false, TOtaSwitch::None},
        {GetModelName_HB25(), 0, true, TOtaSwitch::None},
        {GetModelName_W16(), 0, false, TOtaSwitch::EnterOta},
        {GetModelName_W16(), 1, false, TOtaSwitch::EnterOta},
        {GetModelName_V64(), 0, true, TOtaSwitch::EnterOta},  // the feature
        {GetModelName_V64(), 1, false, TOtaSwitch::RawBytes},
        {GetModelName_BTN7(), 0, false, TOtaSwitch::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OtaSwitchFor(c.model, c.wifi, c.binType1), c.how) << c.model.toStdString() << " " << c.wifi;
}

TEST(OtaTransfer, WireOrderOfEachSwitch)
{
    const QByteArray file("123456789");
    struct Case {
        TOtaSwitch how;
        bool longRestart;
        const char* head;  // the calls before the package length
    } cases[] = {
        {TOtaSwitch::WifiEnterOta, false, "open doLeaveOpen \"wifi_enter_ota\""},
        {TOtaSwitch::EnterOta, false, "open doEx \"enter_ota\" s1000 close open"},
        {TOtaSwitch::RawBytes, false, "open W4 s5000 open"},
        {TOtaSwitch::RawBytes, true, "open W4 s10000 open"},
        {TOtaSwitch::None, false, "open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head);
        ScriptLink link;
        link.acks = {kGoodAck, kGoodAck, kGoodAck};
        const OtaRun r = Transfer(link, file, c.how, c.longRestart);
        EXPECT_EQ(r.out.result, TOtaResult::Success);
        EXPECT_EQ(r.out.packets, 3);
        EXPECT_EQ(r.log.join(' '), QString::fromLatin1(c.head) +
                                       " getval \"pack_length\" 4 open"
                                       " s10 W33 s10 RR8/150x5"
                                       " s10 W33 s10 RR8/150x5"
                                       " s10 W30 s10 RR8/150x5 close");
        if (c.how == TOtaSwitch::RawBytes) {
            EXPECT_EQ(ToHex(r.writes.front()), "1D 75 55 AA");
        }
        EXPECT_EQ(ToHex(r.writes.back()), Packet("08 00 00 00 01 00 00 00 F7 77 FA A0 39"));
    }
}

TEST(OtaTransfer, ProgressCountsKilobytesRoundedUpPerPacket)
{
    ScriptLink link;
    link.packLength = QByteArray("\x00\x06\x00\x00", 4);  // 1536
    link.acks = {kGoodAck, kGoodAck};
    const OtaRun r = Transfer(link, QByteArray(2048, 'x'), TOtaSwitch::None);
    ASSERT_EQ(r.progress.size(), 2u);
    EXPECT_EQ(r.progress[0], (std::array<int, 4>{1, 2, 2, 2}));
    EXPECT_EQ(r.progress[1], (std::array<int, 4>{2, 2, 3, 2}));  // 1536 + 512 -> 2 + 1 KB
}

TEST(OtaTransfer, TheLastAcknowledgementIsCollectedOverSeveralReads)
{
    ScriptLink link;
    link.acks = {kGoodAck, kGoodAck, kGoodAck.left(3), QByteArray(), kGoodAck.mid(3)};
    const OtaRun r = Transfer(link, QByteArray("123456789"), TOtaSwitch::None);
    EXPECT_EQ(r.out.result, TOtaResult::Success);
    EXPECT_TRUE(r.log.join(' ').endsWith("RR8/150x5 s500 RR5/150x5 s500 RR5/150x5 close"))
        << r.log.join(' ').toStdString();
    // an empty file: one 29-byte packet and one single read
    ScriptLink empty;
    empty.acks = {kGoodAck};
    const OtaRun e = Transfer(empty, QByteArray(), TOtaSwitch::None);
    EXPECT_EQ(e.out.result, TOtaResult::Success);
    EXPECT_EQ(e.log.join(' '), "open getval \"pack_length\" 4 open s10 W29 s10 RR8/150x5 close");
}

TEST(OtaTransfer, FailuresStopWithoutMoreTraffic)
{
    const QByteArray file("123456789");
    const QByteArray bad7("\x1B\x1C\x26\x00\x00\x00\x00\x01", 8);
    struct Case {
        const char* what;
        std::deque<int> opens;
        QByteArray packLength;
        std::deque<QByteArray> acks;
        int failWrite;
        TOtaSwitch how;
        TOtaResult result;
        size_t packetWrites;  // packets written
    } cases[] = {
        {"first open", {-3}, QByteArray("\x04\0\0\0", 4), {}, -1, TOtaSwitch::None, TOtaResult::OpenFailed, 0},
        {"first open already open", {5}, QByteArray("\x04\0\0\0", 4), {kGoodAck, kGoodAck, kGoodAck}, -1,
         TOtaSwitch::None, TOtaResult::Success, 3},
        {"raw switch write", {}, QByteArray("\x04\0\0\0", 4), {}, 1, TOtaSwitch::RawBytes, TOtaResult::IoError, 0},
        {"reopen after the raw switch", {0, -1}, QByteArray("\x04\0\0\0", 4), {}, -1, TOtaSwitch::RawBytes,
         TOtaResult::IoError, 0},
        {"package length of 3 bytes", {}, QByteArray("\x04\0\0", 3), {}, -1, TOtaSwitch::None, TOtaResult::IoError, 0},
        {"package length 0", {}, QByteArray("\0\0\0\0", 4), {}, -1, TOtaSwitch::None, TOtaResult::IoError, 0},
        {"package length above 2^31-1", {}, QByteArray("\0\0\0\x80", 4), {}, -1, TOtaSwitch::None,
         TOtaResult::IoError, 0},
        {"reopen for the packets", {0, -1}, QByteArray("\x04\0\0\0", 4), {}, -1, TOtaSwitch::None,
         TOtaResult::IoError, 0},
        {"bad byte 7", {}, QByteArray("\x04\0\0\0", 4), {kGoodAck, bad7}, -1, TOtaSwitch::None, TOtaResult::IoError,
         2},
        {"short acknowledgement", {}, QByteArray("\x04\0\0\0", 4), {kGoodAck.left(7)}, -1, TOtaSwitch::None,
         TOtaResult::IoError, 1},
        {"no acknowledgement", {}, QByteArray("\x04\0\0\0", 4), {}, -1, TOtaSwitch::None, TOtaResult::IoError, 1},
        {"packet write", {}, QByteArray("\x04\0\0\0", 4), {kGoodAck}, 2, TOtaSwitch::None, TOtaResult::IoError, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptLink link;
        link.openResults = c.opens;
        link.packLength = c.packLength;
        link.acks = c.acks;
        link.failWrite = c.failWrite;
        const OtaRun r = Transfer(link, file, c.how);
        EXPECT_EQ(r.out.result, c.result);
        size_t packets = 0;
        for (const QByteArray& w : r.writes)
            packets += w.size() >= kOtaHeadSize ? 1 : 0;
        EXPECT_EQ(packets, c.packetWrites);
        if (c.result != TOtaResult::Success) {
            EXPECT_FALSE(r.log.contains("close")) << "the port is left as it is";
        }
    }
}

TEST(OtaTransfer, ReconnectAfterEnterOtaGivesUpAfterFifteenSeconds)
{
    ScriptLink link;
    link.openResults = {0};
    for (int i = 0; i < 40; ++i)
        link.openResults.push_back(-1);
    const OtaRun r = Transfer(link, QByteArray("123456789"), TOtaSwitch::EnterOta);
    EXPECT_EQ(r.out.result, TOtaResult::IoError);
    EXPECT_EQ(r.log.filter("s1000").size(), 16) << "until more than 15000 ms have passed";
    EXPECT_TRUE(r.writes.empty());
    // the printer is back after three seconds
    ScriptLink back;
    back.openResults = {0, -1, -1, 0};
    back.acks = {kGoodAck, kGoodAck, kGoodAck};
    EXPECT_EQ(Transfer(back, QByteArray("123456789"), TOtaSwitch::EnterOta).out.result, TOtaResult::Success);
}

TEST(OtaSender, ProgressReachesTheWindowInPercentSteps)
{
    // 1000 bytes in packages of 4: 250 packets, one report each on the worker
    auto link = std::make_shared<ScriptLink>();
    link->acks.assign(250, kGoodAck);
    SetOtaSleeperForTests([](uint32_t) {});
    std::vector<std::array<int, 4>> shown;
    {
        TOtaSender sender(nullptr, link);
        QObject window;
        QObject::connect(&sender, &TOtaSender::progress, &window,
                         [&](int i, int c, int kb, int total) { shown.push_back({i, c, kb, total}); });
        ASSERT_TRUE(sender.Start(QByteArray(1000, 'f'), TOtaSwitch::None, false));
        sender.wait();
        QCoreApplication::processEvents();
        EXPECT_EQ(sender.Outcome().result, TOtaResult::Success);
        EXPECT_EQ(sender.Outcome().packets, 250);
    }
    SetOtaSleeperForTests({});
    EXPECT_LE(shown.size(), 101u);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), (std::array<int, 4>{1, 250, 1, 1}));
    EXPECT_EQ(shown.back(), (std::array<int, 4>{250, 250, 250, 1})) << "each packet rounds up to a KB";
}
