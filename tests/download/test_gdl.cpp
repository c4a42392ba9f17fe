// Block firmware files: the check when a file is read, and the exchange with the printer
// over a scripted port (wire order, waits, every status and fault).
#include "PrtTexts.h"
#include "SimFirmware.h"
#include "TestSupport.h"
#include "mdlGDL.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

using namespace prt::dl;
using prt::test::Hex;
using prt::test::ToHex;

namespace {

// One block of a firmware file, as the simulator builds it for every test.
QByteArray Block(uint32_t bodyLength, uint8_t type, const QByteArray& name, const QByteArray& version,
                 qint64 bodyBytes = -1)
{
    return prt::sim::SimGdlFileBlock(bodyLength, type, name, version, bodyBytes);
}

QByteArray TwoBlocks()
{
    return Block(1025, 2, "APP.BIN", "V1.2.3") + Block(0, 5, "CFG.BIN", "V9");
}

class ScriptPort : public TDLPort {
public:
    int Write(const QByteArray& bytes) override
    {
        ++writes;
        log << QStringLiteral("W%1").arg(bytes.size());
        wire += bytes;
        return writes == failWrite ? -1 : 0;
    }
    int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries) override
    {
        log << QStringLiteral("RR%1/%2x%3").arg(length).arg(waitMs).arg(tries);
        return Take(buffer, count);
    }
    int Read(uint8_t* buffer, uint32_t, uint32_t* count) override
    {
        log << QStringLiteral("R");
        return Take(buffer, count);
    }
    QString GetVal(const QByteArray&) override { return {}; }
    QString SendTextRead(const QString&, uint32_t) override { return {}; }
    void ClosePort(Close) override { log << QStringLiteral("close"); }

    int Take(uint8_t* buffer, uint32_t* count)
    {
        *count = 0;
        if (replies.empty())
            return 0;
        const int r = replies.front();
        replies.pop_front();
        if (r >= 0) {
            *buffer = uint8_t(r);
            *count = 1;
        }
        return 0;
    }

    std::deque<int> replies;  // per read: a byte, or -1 for none
    int writes = 0;
    int failWrite = -1;
    QStringList log;
    QByteArray wire;
};

struct GdlRun {
    TGDLOutcome out;
    QStringList log;  // port calls and waits ("s10")
    QByteArray wire;
    std::vector<qint64> progress;
};

// within: the end phase reads with a time-out ("T<ms>") instead of a read and a sleep.
GdlRun Exchange(const QByteArray& file, std::deque<int> replies, int failWrite = -1, int stopAfterWrites = -1,
                bool within = false)
{
    ScriptPort port;
    port.replies = std::move(replies);
    port.failWrite = failWrite;
    std::atomic<bool> stop{false};
    GdlRun r;
    TGDLRunHooks hooks;
    hooks.sleep = [&](uint32_t ms) {
        port.log << QStringLiteral("s%1").arg(ms);
        if (stopAfterWrites >= 0 && port.writes >= stopAfterWrites)
            stop = true;
    };
    hooks.stop = &stop;
    hooks.progress = [&](qint64 sent) { r.progress.push_back(sent); };
    hooks.endPhase = [&] { port.log << QStringLiteral("end"); };
    if (within)
        hooks.readWithin = [&](uint8_t* buffer, uint32_t, uint32_t* count, uint32_t ms) {
            port.log << QStringLiteral("T%1").arg(ms);
            return port.Take(buffer, count);
        };
    const TGDLFile parsed = ParseGDL(file);
    EXPECT_TRUE(parsed.Ok());
    r.out = RunGDLExchange(port, parsed, hooks);
    r.log = port.log;
    r.wire = port.wire;
    return r;
}

} // namespace

TEST(GdlFile, BlocksAreListedWithTheirTextsAndPacketCount)
{
    QByteArray odd = Block(3, 9, QByteArray(32, 'N'), "V 2");  // name fills its field; version cut at the blank
    const TGDLFile f = ParseGDL(TwoBlocks() + odd);
    ASSERT_TRUE(f.Ok());
    ASSERT_EQ(f.blocks.size(), 3u);
    struct Row {
        qint64 offset;
        uint32_t length;
        int type;
        const char* name;
        const char* version;
    } rows[] = {
        {0, 1025, 2, "APP.BIN", "V1.2.3"},
        {1101, 0, 5, "CFG.BIN", "V9"},
        {1177, 3, 9, "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN", "V"},
    };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f.blocks[i].offset, rows[i].offset);
        EXPECT_EQ(f.blocks[i].bodyLength, rows[i].length);
        EXPECT_EQ(f.blocks[i].type, rows[i].type);
        EXPECT_EQ(f.blocks[i].fileName, rows[i].name);
        EXPECT_EQ(f.blocks[i].version, rows[i].version);
    }
    // headers 3, chunks 2 + 0 + 1
    EXPECT_EQ(f.totalPackets, 6);
}

TEST(GdlFile, DamagedFilesAreRefusedWithTheFaultNamed)
{
    prt::ClearLangTexts();
    struct Case {
        const char* what;
        QByteArray data;
        TGDLFault fault;
        int block;
        qint64 offset;
    } cases[] = {
        {"empty", QByteArray(), TGDLFault::TooShort, 1, 0},
        {"75 bytes", Block(0, 1, "A", "B").left(75), TGDLFault::TooShort, 1, 0},
        {"second header cut", TwoBlocks().left(1101 + 40), TGDLFault::CutHeader, 2, 1101},
        {"body one byte short", Block(1025, 2, "APP.BIN", "V1", 1024), TGDLFault::CutBody, 1, 0},
        {"length beyond 2^31", Block(0xFFFFFFFFu, 2, "APP.BIN", "V1", 10), TGDLFault::CutBody, 1, 0},
        {"trailing bytes after a good block", Block(4, 2, "A", "B") + QByteArray(5, 'x'), TGDLFault::CutHeader, 2,
         80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TGDLFile f = ParseGDL(c.data);
        EXPECT_FALSE(f.Ok());
        EXPECT_EQ(f.fault, c.fault);
        EXPECT_EQ(f.faultBlock, c.block);
        EXPECT_EQ(f.faultOffset, c.offset);
        EXPECT_EQ(f.totalPackets, 0);
    }
    prt::SetLangText(QStringLiteral("FormGDL_ErrBodyCut"), QStringLiteral("block {0}: {1} bytes, {2} there"));
    EXPECT_EQ(GDLFaultText(ParseGDL(Block(1025, 2, "APP.BIN", "V1", 1024))), "block 1: 1025 bytes, 1024 there");
    prt::ClearLangTexts();
}

TEST(GdlFile, StatusBytesNameTheirMessages)
{
    const QStringList keys = {"",         "FormGDL_err_Type",         "FormGDL_err_Head", "FormGDL_err_Crc",
                              "FormGDL_err_Storage ", "FormGDL_err_StorageCheck", "FormGDL_err_Name", ""};
    for (int status = 0; status < 8; ++status)
        EXPECT_EQ(GDLStatusKey(status), keys[status]) << status;
    EXPECT_EQ(GDLStatusKey(255), "");
}

TEST(GdlExchange, TwoBlocksGoOutInOrderWithTheirWaits)
{
    const QByteArray file = TwoBlocks();
    const GdlRun r = Exchange(file, {0, 0, 0});
    EXPECT_EQ(r.out.result, TGDLResult::Success);
    EXPECT_EQ(r.out.finalReads, 1);
    EXPECT_EQ(r.log.join(' '),
              "s10 W76 s100 RR1/150x5 "   // header 1
              "s10 W1024 s10 W1 "          // its body: 1024 + 1
              "s10 "                       // the step after a body sends nothing
              "s10 W76 s100 RR1/150x5 "   // header 2, body 0
              "s10 end R");               // end phase: the final status at the first read
    // the headers go out as they stand in the file, bytes 0..3 and 9..11 included
    EXPECT_EQ(ToHex(r.wire.left(76)),
              "47 44 4C 01 01 04 00 00 02 A1 A2 A3 "
              "41 50 50 2E 42 49 4E 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "56 31 2E 32 2E 33 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(r.wire, file) << "every byte once, in file order";
    EXPECT_EQ(r.progress, (std::vector<qint64>{1, 2, 3, 4}));
}

TEST(GdlExchange, ChunksOfABody)
{
    struct Case {
        uint32_t body;
        const char* writes;
    } cases[] = {
        {1024, "W76 W1024"},
        {2048, "W76 W1024 W1024"},
        {2049, "W76 W1024 W1024 W1"},
        {1, "W76 W1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const GdlRun r = Exchange(Block(c.body, 1, "A", "B"), {0, 0});
        QStringList writes = r.log.filter(QRegularExpression("^W"));
        EXPECT_EQ(writes.join(' '), c.writes);
        EXPECT_EQ(r.out.result, TGDLResult::Success);
    }
}

TEST(GdlExchange, RefusalsAndSilenceStopTheExchange)
{
    const QByteArray file = TwoBlocks();
    std::deque<int> none101(101, -1);
    std::deque<int> headerThenNone = {0, 0};
    headerThenNone.insert(headerThenNone.end(), 101, -1);
    struct Case {
        const char* what;
        std::deque<int> replies;
        int failWrite;
        TGDLResult result;
        int status;
        qsizetype wireBytes;  // what went out before the stop
    } cases[] = {
        {"type", {1}, -1, TGDLResult::HeaderRefused, 1, 76},
        {"head", {2}, -1, TGDLResult::HeaderRefused, 2, 76},
        {"crc", {3}, -1, TGDLResult::HeaderRefused, 3, 76},
        {"storage", {4}, -1, TGDLResult::HeaderRefused, 4, 76},
        {"storage check", {5}, -1, TGDLResult::HeaderRefused, 5, 76},
        {"name", {6}, -1, TGDLResult::HeaderRefused, 6, 76},
        {"other", {0x41}, -1, TGDLResult::HeaderRefused, 0x41, 76},
        {"second header refused", {0, 6}, -1, TGDLResult::HeaderRefused, 6, 1101 + 76},
        {"no header status", {-1}, -1, TGDLResult::NoHeaderStatus, -1, 76},
        {"chunk write fails", {0}, 2, TGDLResult::WriteFailed, -1, 76 + 1024},
        {"header write fails", {}, 1, TGDLResult::WriteFailed, -1, 76},
        {"final refused", {0, 0, 5}, -1, TGDLResult::FinalRefused, 5, 1177},
        {"no final status", headerThenNone, -1, TGDLResult::NoFinalStatus, -1, 1177},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GdlRun r = Exchange(file, c.replies, c.failWrite);
        EXPECT_EQ(r.out.result, c.result);
        EXPECT_EQ(r.out.status, c.status);
        EXPECT_EQ(r.wire.size(), c.wireBytes);
    }
    const GdlRun silent = Exchange(file, headerThenNone);
    EXPECT_EQ(silent.log.filter(QRegularExpression("^R$")).size(), 101);
}

TEST(GdlExchange, TheFinalStatusCountsOnlyWithinAHundredReads)
{
    // the final status is read up to 101 times, 1000 ms after each empty read (or each
    // read waiting 1000 ms for it); a status 0 that comes only at the 101st is too late
    struct Case {
        int at;      // the read that brings the byte
        int status;
        TGDLResult result;
    } cases[] = {
        {1, 0, TGDLResult::Success},
        {100, 0, TGDLResult::Success},
        {101, 0, TGDLResult::FinalTooLate},
        {101, 4, TGDLResult::FinalRefused},
    };
    for (const bool within : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "read " << c.at << " status " << c.status << " within " << within);
            std::deque<int> replies = {0, 0};
            replies.insert(replies.end(), c.at - 1, -1);
            replies.push_back(c.status);
            const GdlRun r = Exchange(TwoBlocks(), replies, -1, -1, within);
            EXPECT_EQ(r.out.result, c.result);
            EXPECT_EQ(r.out.finalReads, c.at);
            EXPECT_EQ(r.out.status, c.status);
            const QStringList end = r.log.mid(r.log.indexOf("end") + 1);
            EXPECT_EQ(end.size(), within ? c.at : 2 * c.at - 1) << end.join(' ').toStdString();
            EXPECT_EQ(end.filter(QRegularExpression(within ? "^T1000$" : "^R$")).size(), c.at);
            EXPECT_EQ(end.filter(QRegularExpression("^s1000$")).size(), within ? 0 : c.at - 1);
        }
    }
}

TEST(GdlExchange, AStopEndsBeforeTheNextStep)
{
    // stop once the first chunk is out: nothing more is written
    const GdlRun r = Exchange(TwoBlocks(), {0, 0, 0}, -1, 2);
    EXPECT_EQ(r.out.result, TGDLResult::Cancelled);
    EXPECT_EQ(r.wire.size(), 76 + 1024);
}

// ---- the window's sender on its worker --------------------------------------------------------

namespace {

// Runs a sender over a scripted port to its end; its waits skipped, `onWait` called at each.
struct SenderRun {
    TGDLOutcome out;
    QString lastCallAtEnd;  // the port call just before `ended`
    std::vector<std::pair<qint64, qint64>> progress;  // as queued for the window
};

SenderRun RunSender(const QByteArray& file, std::deque<int> replies, int failWrite = -1,
                    std::function<void(TGDLSender&)> onWait = {})
{
    auto port = std::make_shared<ScriptPort>();
    port->replies = std::move(replies);
    port->failWrite = failWrite;
    SenderRun r;
    {
        TGDLSender sender(nullptr, port);
        SetGDLSleeperForTests([&](uint32_t) {
            if (onWait)
                onWait(sender);
        });
        QObject window;
        QObject::connect(&sender, &TGDLSender::progress, &window,
                         [&](qint64 sent, qint64 total) { r.progress.emplace_back(sent, total); });
        QObject::connect(&sender, &TGDLSender::ended, &sender,
                         [&](int, int) { r.lastCallAtEnd = port->log.isEmpty() ? QString() : port->log.last(); },
                         Qt::DirectConnection);
        EXPECT_TRUE(sender.Start(std::make_shared<const TGDLFile>(ParseGDL(file))));
        sender.wait();
        QCoreApplication::processEvents();
        r.out = sender.Outcome();
    }
    SetGDLSleeperForTests({});
    return r;
}

} // namespace

TEST(GdlSender, EveryEndOfTheExchangeClosesThePortBeforeTheWindowHears)
{
    std::deque<int> headerThenNone = {0, 0};
    headerThenNone.insert(headerThenNone.end(), 101, -1);
    std::deque<int> tooLate = {0, 0};
    tooLate.insert(tooLate.end(), 100, -1);
    tooLate.push_back(0);
    struct Case {
        const char* what;
        std::deque<int> replies;
        int failWrite;
        bool cancel;  // the window cancels at the first wait
        TGDLResult result;
    } cases[] = {
        {"success", {0, 0, 0}, -1, false, TGDLResult::Success},
        {"header refused", {2}, -1, false, TGDLResult::HeaderRefused},
        {"no header status", {-1}, -1, false, TGDLResult::NoHeaderStatus},
        {"header write fails", {}, 1, false, TGDLResult::WriteFailed},
        {"chunk write fails", {0}, 2, false, TGDLResult::WriteFailed},
        {"final refused", {0, 0, 5}, -1, false, TGDLResult::FinalRefused},
        {"no final status", headerThenNone, -1, false, TGDLResult::NoFinalStatus},
        {"final status at the 101st read", tooLate, -1, false, TGDLResult::FinalTooLate},
        {"cancelled", {0, 0, 0}, -1, true, TGDLResult::Cancelled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SenderRun r = RunSender(TwoBlocks(), c.replies, c.failWrite, [&](TGDLSender& s) {
            if (c.cancel)
                s.Cancel();
        });
        EXPECT_EQ(r.out.result, c.result);
        EXPECT_EQ(r.lastCallAtEnd, "close");
    }
}

TEST(GdlSender, TwoMegabytesReachTheWindowInPercentSteps)
{
    // one header and 2048 chunks: 2049 packets, one report each on the worker
    const SenderRun r = RunSender(Block(2 * 1024 * 1024, 2, "APP.BIN", "V1"), {0, 0});
    EXPECT_EQ(r.out.result, TGDLResult::Success);
    EXPECT_LE(r.progress.size(), 101u);
    ASSERT_FALSE(r.progress.empty());
    EXPECT_EQ(r.progress.front(), std::make_pair(qint64(1), qint64(2049)));
    EXPECT_EQ(r.progress.back(), std::make_pair(qint64(2049), qint64(2049)));
}
