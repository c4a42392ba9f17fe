// The RFID encoder's exchanges over a fake port on a fake clock: the command bytes in
// order, the waits, and how every reply is judged.
#include "PrinterCMD.h"
#include "mdlRfidSession.h"

#include <QList>
#include <deque>
#include <gtest/gtest.h>

namespace {

const QByteArray kPrefix("\x1B\x1C\x26\x20\x56\x31\x20", 7);

QByteArray SetVal(const char* key, const char* value)
{
    return kPrefix + "setval \"" + key + "\" \"" + value + "\"\r\n";
}
QByteArray Do(const char* key)
{
    return kPrefix + "do \"" + key + "\"\r\n";
}
QByteArray GetVal(const char* key)
{
    return kPrefix + "getval \"" + key + "\"\r\n";
}

// A printer behind a fake port: a write whose bytes start with a scripted request queues
// the scripted reply, available `delay` ms later on the fake clock.
struct FakePrinter {
    struct Script { QByteArray request, reply; uint32_t delay; };
    uint32_t now = 100000;
    QList<QByteArray> writes;
    QList<uint32_t> readTimes;      // fake time of every read
    std::deque<std::pair<uint32_t, QByteArray>> rx;
    QList<Script> scripts;
    bool openOk = true;
    int opens = 0, closes = 0;
    QByteArray failWrite;           // a write starting with this fails

    void reply(const QByteArray& request, const QByteArray& answer, uint32_t delay = 0)
    {
        scripts.append({request, answer, delay});
    }
    void pending(const QByteArray& bytes) { rx.push_back({now, bytes}); }

    TRfidIo io()
    {
        TRfidIo io;
        io.open = [this] {
            ++opens;
            return openOk;
        };
        io.close = [this] { ++closes; };
        io.write = [this](const QByteArray& b) {
            writes << b;
            if (!failWrite.isEmpty() && b.startsWith(failWrite))
                return -15;
            for (int i = 0; i < scripts.size(); ++i)
                if (b.startsWith(scripts[i].request)) {
                    rx.push_back({now + scripts[i].delay, scripts[i].reply});
                    scripts.removeAt(i);
                    break;
                }
            return 0;
        };
        io.read = [this](uint8_t* buf, uint32_t max, uint32_t* count) {
            readTimes << now;
            *count = 0;
            while (!rx.empty() && rx.front().first <= now && *count < max) {
                QByteArray& head = rx.front().second;
                const uint32_t take = std::min<uint32_t>(max - *count, uint32_t(head.size()));
                memcpy(buf + *count, head.constData(), take);
                *count += take;
                head.remove(0, take);
                if (head.isEmpty())
                    rx.pop_front();
            }
            return 0;
        };
        io.tick = [this] { return now; };
        io.sleep = [this](uint32_t ms) { now += ms; };
        return io;
    }
};

const TRfidModelFlags kPlain{};
const TRfidModelFlags kAks770{true, true, true, true, true};

} // namespace

TEST(RfidSession, ReadSendsItsCommandsInOrderAndWaitsBeforeTheFirstRead)
{
    struct Case { const char* name; TRfidModelFlags flags; QList<QByteArray> writes; } cases[] = {
        {"plain model", kPlain, {Do("rfid_print"), "CLS\r\n", SetVal("rfid_wr", "r,h,2,1,12")}},
        {"AK-S770", kAks770,
         {Do("rfid_print"), SetVal("rfid_wr", "r,h,2,1,12"), "! 0 200 200 240 1\r\n", "PRINT\r\n"}},
    };
    for (const auto& c : cases) {
        FakePrinter p;
        p.reply(SetVal("rfid_wr", "r,h,2,1,12"), "E2001234");
        const uint32_t start = p.now;
        const TRfidOutcome out = TRfidSession(p.io(), c.flags).ReadTag(12);
        EXPECT_EQ(p.writes, c.writes) << c.name;
        EXPECT_EQ(SetVal("rfid_wr", "r,h,2,1,12").size(), 38);
        // The drain read comes first, the next read not before 1000 ms.
        ASSERT_GE(p.readTimes.size(), 2) << c.name;
        EXPECT_EQ(p.readTimes[0], start) << c.name;
        EXPECT_GT(p.readTimes[1] - start, 1000u) << c.name;
        EXPECT_EQ(out.box, TRfidOutcome::InfoBox) << c.name;
        EXPECT_EQ(out.messageKey, "Lang00010003") << c.name;
        EXPECT_EQ(out.readText, "E2001234") << c.name;
        EXPECT_EQ(p.closes, 1) << c.name;
    }
}

TEST(RfidSession, ReadRepliesAreJudgedByLengthAndText)
{
    struct Case { const char* name; QByteArray reply; uint32_t delay; bool ok; QString text; } cases[] = {
        {"n g blank is a failure", "ng ", 0, false, {}},
        {"error is a failure", "error", 0, false, {}},
        {"ERROR in upper case is tag data", "ERROR", 0, true, "ERROR"},
        {"two bytes NG are tag data", "NG", 0, true, "NG"},
        {"zero bytes are kept in the text", QByteArray("A\0B", 3), 0, true, QString("A") + QChar(0) + "B"},
        {"a reply within the poll", "AB", 5500, true, "AB"},
        {"a reply after 1 s + 5 s is too late", "AB", 6500, false, {}},
        {"no reply at all", {}, 0, false, {}},
    };
    for (const auto& c : cases) {
        FakePrinter p;
        if (!c.reply.isEmpty())
            p.reply(SetVal("rfid_wr", "r,h,2,1,4"), c.reply, c.delay);
        const uint32_t start = p.now;
        const TRfidOutcome out = TRfidSession(p.io(), kPlain).ReadTag(4);
        EXPECT_EQ(out.box, c.ok ? TRfidOutcome::InfoBox : TRfidOutcome::ErrorBox) << c.name;
        EXPECT_EQ(out.messageKey, c.ok ? "Lang00010003" : "Lang00010002") << c.name;
        EXPECT_EQ(out.readTextSet, c.ok) << c.name;
        EXPECT_EQ(out.readText, c.text) << c.name;
        EXPECT_EQ(p.closes, 1) << c.name;
        EXPECT_LT(p.now - start, 6200u) << c.name;  // never past the waits
    }
}

TEST(RfidSession, WriteRepliesAndTheSentAndWaitText)
{
    struct Case { const char* name; QByteArray reply; const char* key; } cases[] = {
        {"OK OK blank", "OK OK ", "Lang00010005"},
        {"ok and four other bytes", "okabcd", "Lang00010006"},
        {"NG NG blank", "ng ng ", "Lang00010004"},
        {"two bytes ok", "ok", "Lang00010005"},
        {"two bytes NG", "NG", "Lang00010004"},
        {"two bytes OK (case counts)", "OK", "Lang00010006"},
        {"one byte", "o", "Lang00010006"},
        {"nothing", {}, "Lang00010006"},
    };
    for (const auto& c : cases) {
        FakePrinter p;
        if (!c.reply.isEmpty())
            p.reply(SetVal("rfid_wr", "w,h,2,1,ABCD"), c.reply);
        const uint32_t start = p.now;
        const TRfidOutcome out = TRfidSession(p.io(), kPlain).WriteTag("ABCD");
        EXPECT_EQ(p.writes, (QList<QByteArray>{Do("rfid_print"), "CLS\r\n", SetVal("rfid_wr", "w,h,2,1,ABCD")}))
            << c.name;
        ASSERT_GE(p.readTimes.size(), 2);
        EXPECT_GT(p.readTimes[1] - start, 3000u) << c.name;
        EXPECT_EQ(out.box, TRfidOutcome::InfoBox) << c.name;
        EXPECT_EQ(out.messageKey, c.key) << c.name;
        EXPECT_EQ(p.closes, 1) << c.name;
    }
}

TEST(RfidSession, WriteAndReadInOneCommandOrTwo)
{
    struct Case {
        const char* name;
        TRfidModelFlags flags;
        QByteArray reply;
        const char* key;
        bool textSet;
        QString text;
    } cases[] = {
        {"same data back", kPlain, "abcd", "Lang00010005", true, "abcd"},
        {"other data back", kPlain, "ABCE", "Lang00010006", true, "ABCE"},
        {"zero bytes skipped", kPlain, QByteArray("AB\0CD", 5), "Lang00010005", true, "ABCD"},
        {"error", kPlain, "error", "Lang00010004", false, {}},
        {"NG blank", kPlain, "Ng ", "Lang00010004", false, {}},
        {"nothing", kPlain, {}, "Lang00010006", false, {}},
        {"AK-S770 same data back", kAks770, "ABCD", "Lang00010005", true, "ABCD"},
    };
    for (const auto& c : cases) {
        FakePrinter p;
        const QByteArray trigger = c.flags.splitWriteRead ? SetVal("rfid_wr", "r,h,2,1,2") : SetVal("rfid_wr", "s,h,2,1,2,ABCD");
        if (!c.reply.isEmpty())
            p.reply(trigger, c.reply);
        const TRfidOutcome out = TRfidSession(p.io(), c.flags).WriteAndReadTag(2, "ABCD");
        const QList<QByteArray> want =
            c.flags.splitWriteRead
                ? QList<QByteArray>{Do("rfid_print"), SetVal("rfid_wr", "w,h,2,1,ABCD"), SetVal("rfid_wr", "r,h,2,1,2"),
                                    "! 0 200 200 240 1\r\n", "PRINT\r\n"}
                : QList<QByteArray>{Do("rfid_print"), "CLS\r\n", SetVal("rfid_wr", "s,h,2,1,2,ABCD")};
        EXPECT_EQ(p.writes, want) << c.name;
        EXPECT_EQ(out.box, TRfidOutcome::InfoBox) << c.name;
        EXPECT_EQ(out.messageKey, c.key) << c.name;
        EXPECT_EQ(out.readTextSet, c.textSet) << c.name;
        EXPECT_EQ(out.readText, c.text) << c.name;
    }
}

TEST(RfidSession, WriteFailuresStopAndClose)
{
    struct Case { const char* name; QByteArray failing; TRfidModelFlags flags; int op; const char* key; int writes; } cases[] = {
        {"read: do rfid_print", Do("rfid_print"), kPlain, 0, "Lang00010002", 1},
        {"read: CLS", "CLS", kPlain, 0, "Lang00010002", 2},
        {"read: CPCL trigger says writing failed", "! 0", kAks770, 0, "Lang00010004", 3},
        {"write: setval", kPrefix + "setval \"rfid_wr\" \"w", kPlain, 1, "Lang00010004", 3},
        {"write and read: CLS", "CLS", kPlain, 2, "Lang00010004", 2},
    };
    for (const auto& c : cases) {
        FakePrinter p;
        p.failWrite = c.failing;
        TRfidSession s(p.io(), c.flags);
        const TRfidOutcome out = c.op == 0 ? s.ReadTag(4) : c.op == 1 ? s.WriteTag("AB") : s.WriteAndReadTag(1, "AB");
        EXPECT_EQ(out.box, TRfidOutcome::ErrorBox) << c.name;
        EXPECT_EQ(out.messageKey, c.key) << c.name;
        EXPECT_EQ(p.writes.size(), c.writes) << c.name;
        EXPECT_EQ(p.closes, 1) << c.name;
    }
    // An open failure sends nothing and closes nothing (the open showed its own box).
    FakePrinter p;
    p.openOk = false;
    const TRfidOutcome out = TRfidSession(p.io(), kPlain).ReadTag(4);
    EXPECT_FALSE(out.opened);
    EXPECT_EQ(out.box, TRfidOutcome::NoBox);
    EXPECT_TRUE(p.writes.isEmpty());
    EXPECT_EQ(p.closes, 0);
}

TEST(RfidSession, LevelsCalibrationAndParameters)
{
    // Power and RSSI: "ok" in any case is success; anything else, nothing included, says
    // "sent"; bytes that were already waiting before the command do not count.
    struct Case { const char* name; QByteArray stale, reply; const char* key; } cases[] = {
        {"OK", {}, "OK", "Lang00010005"},
        {"other text", {}, "no", "Lang00010009"},
        {"nothing", {}, {}, "Lang00010009"},
        {"stale ok before the command, nothing after", "ok", {}, "Lang00010009"},
    };
    for (const auto& c : cases) {
        FakePrinter p;
        if (!c.stale.isEmpty())
            p.pending(c.stale);
        if (!c.reply.isEmpty())
            p.reply(SetVal("rfid_power_level", "100"), c.reply);
        const TRfidOutcome out = TRfidSession(p.io(), kPlain).SetLevel(KEY_rfid_power_level, " 100 ");
        EXPECT_EQ(p.writes, QList<QByteArray>{SetVal("rfid_power_level", "100")}) << c.name;
        EXPECT_EQ(out.box, TRfidOutcome::InfoBox) << c.name;
        EXPECT_EQ(out.messageKey, c.key) << c.name;
        EXPECT_EQ(p.closes, 1) << c.name;
    }
    {
        FakePrinter p;
        p.failWrite = kPrefix;
        const TRfidOutcome out = TRfidSession(p.io(), kPlain).SetLevel(KEY_rfid_rssi_level, "7");
        EXPECT_EQ(out.box, TRfidOutcome::ErrorBox);
        EXPECT_EQ(out.messageKey, "Lang00010008");
    }
    for (bool fail : {false, true}) {
        FakePrinter p;
        if (fail)
            p.failWrite = kPrefix;
        const TRfidOutcome out = TRfidSession(p.io(), kPlain).Calibrate();
        EXPECT_EQ(p.writes, QList<QByteArray>{Do("rfid_calibrate")});
        EXPECT_EQ(out.box, fail ? TRfidOutcome::ErrorBox : TRfidOutcome::InfoBox);
        EXPECT_EQ(out.messageKey, fail ? "Lang00010008" : "Lang00010010");
        EXPECT_EQ(p.closes, 1);
    }
    for (const TRfidModelFlags& flags : {kPlain, kAks770}) {
        FakePrinter p;
        p.reply(GetVal("rfid_power_level"), "120");
        p.reply(GetVal("rfid_rssi_level"), "30");
        p.reply(GetVal("rfid_version"), QByteArray("V1.2\0", 5));
        const TRfidParams params = TRfidSession(p.io(), flags).ReadParams();
        EXPECT_EQ(params.power, "120");
        EXPECT_EQ(params.rssi, "30");
        EXPECT_EQ(params.versionRead, flags.version);
        EXPECT_EQ(params.version, flags.version ? "V1.2" : "");
        EXPECT_EQ(p.writes.size(), flags.version ? 3 : 2);
        EXPECT_EQ(p.closes, 1);
    }
}

TEST(RfidSession, InputChecks)
{
    struct Data { QString typed; bool ok; QString sent; } data[] = {
        {"abcDEF0123", true, "ABCDEF0123"}, {"ghz", true, "GHZ"}, {"", true, ""},
        {"AB CD", false, ""}, {"AB\"", false, ""}, {"AB,1", false, ""}, {QString::fromUtf8("ÄB"), false, ""},
    };
    for (const auto& d : data) {
        QString sent = "old";
        EXPECT_EQ(NormalizeRfidTagData(d.typed, sent), d.ok) << d.typed.toStdString();
        EXPECT_EQ(sent, d.sent) << d.typed.toStdString();
    }
    struct Len { QString text; bool ok; } lengths[] = {
        {"12", true}, {" 1 ", true}, {"0", false}, {"13", false}, {"", false}, {"1x", false}, {"-3", false},
    };
    for (const auto& l : lengths)
        EXPECT_EQ(IsValidRfidReadLength(l.text, 12), l.ok) << l.text.toStdString();
    EXPECT_TRUE(IsIntegerInRange("150", 0, 150));
    EXPECT_TRUE(IsIntegerInRange("0", 0, 150));
    EXPECT_FALSE(IsIntegerInRange("151", 0, 150));
    EXPECT_FALSE(IsIntegerInRange("-1", 0, 150));
    EXPECT_TRUE(IsIntegerInRange("255", 0, 255));
    EXPECT_FALSE(IsIntegerInRange("256", 0, 255));
    EXPECT_FALSE(IsIntegerInRange("", 0, 255));
    EXPECT_EQ(RfidWriteReadOperation(2, "ABCD"), "s,h,2,1,2,ABCD");
}
