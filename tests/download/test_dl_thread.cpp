// The sender on its worker thread: against a scripted fake port (wire order, waits,
// reply faults, cancel) and against the printer simulator over loopback.
#include "PrinterCMD.h"
#include "PrtTexts.h"
#include "SimDefaults.h"
#include "SimDownload.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "TestSupport.h"
#include "mdlDLThread.h"
#include "mdlPrinterLib.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>

using namespace prt::dl;
using prt::test::ToHex;

namespace {

// A port that answers like a printer and records every call as a line.
class FakePort : public TDLPort {
public:
    QByteArray handshakeReply = "OK";
    int failWriteAt = -1;                                  // packet index whose write fails
    std::function<void(int index, QByteArray& reply, uint32_t& count)> fault;  // edit a reply
    std::vector<QByteArray> packets;
    QStringList calls;
    std::map<QByteArray, QString> values;
    std::function<void()> onPacket;                        // called after each packet write
    std::mutex m;

    int Write(const QByteArray& bytes) override
    {
        std::lock_guard l(m);
        if (bytes.startsWith(QByteArray("\xDD\xCC\xBB\xAA", 4))) {
            const int index = static_cast<int>(packets.size());
            calls << QStringLiteral("packet %1").arg(index);
            if (index == failWriteAt)
                return -15;
            packets.push_back(bytes);
            if (onPacket)
                onPacket();
            return 0;
        }
        calls << QStringLiteral("write %1").arg(QString::fromLatin1(bytes.left(8).toHex()));
        last_ = bytes;
        return 0;
    }
    int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries) override
    {
        std::lock_guard l(m);
        calls << QStringLiteral("read %1 %2x%3").arg(length).arg(waitMs).arg(tries);
        QByteArray r;
        uint32_t n = 0;
        if (length == 2) {
            r = handshakeReply;
            n = static_cast<uint32_t>(r.size());
        } else {
            r = BuildReply(packets.back());
            n = 12;
            if (fault)
                fault(static_cast<int>(packets.size()) - 1, r, n);
        }
        std::memcpy(buffer, r.constData(), std::min<qsizetype>(length, r.size()));
        *count = n;
        return 0;
    }
    int Read(uint8_t*, uint32_t length, uint32_t* count) override
    {
        std::lock_guard l(m);
        calls << QStringLiteral("drain %1").arg(length);
        *count = 0;
        return 0;
    }
    QString GetVal(const QByteArray& key) override
    {
        std::lock_guard l(m);
        calls << QStringLiteral("getval %1").arg(QString::fromLatin1(key));
        auto it = values.find(key);
        return it == values.end() ? QString() : it->second;
    }
    QString SendTextRead(const QString& text, uint32_t waitMs) override
    {
        std::lock_guard l(m);
        calls << QStringLiteral("text %1 %2").arg(text).arg(waitMs);
        return QString();
    }
    void ClosePort(Close how) override
    {
        std::lock_guard l(m);
        calls << QStringLiteral("close %1").arg(static_cast<int>(how));
    }

private:
    QByteArray last_;
};

// Collects the sender's signals on the worker thread (direct connections).
struct Events {
    std::mutex m;
    std::vector<std::pair<int, int>> progress;
    QStringList listed, space;
    std::vector<int> results;
    explicit Events(TDLThread& t)
    {
        QObject::connect(&t, &TDLThread::progress, &t, [this](int i, int c) {
            std::lock_guard l(m);
            progress.emplace_back(i, c);
        }, Qt::DirectConnection);
        QObject::connect(&t, &TDLThread::listed, &t, [this](const QString& k, const QString& r) {
            std::lock_guard l(m);
            listed << k + "=" + r;
        }, Qt::DirectConnection);
        QObject::connect(&t, &TDLThread::spaceRead, &t, [this](const QString& u, const QString& r) {
            std::lock_guard l(m);
            space << u << r;
        }, Qt::DirectConnection);
        QObject::connect(&t, &TDLThread::transferEnded, &t, [this](int r, int) {
            std::lock_guard l(m);
            results.push_back(r);
        }, Qt::DirectConnection);
    }
};

// The options of the file windows, waits recorded instead of slept.
TDLOptions FileWindowOptions(QStringList* sleeps)
{
    TDLOptions o;
    o.handshake = BuildDownloadHandshake("bitmaps", "E_logo.GRF");
    o.listKey = KEY_bitmaps;
    o.usedKey = KEY_use_capacity;
    o.remainKey = KEY_remain_capacity;
    o.sleeper = [sleeps](uint32_t ms) { *sleeps << QString::number(ms); };
    return o;
}

// The options of the font-file windows.
TDLOptions FontFileOptions(QStringList* sleeps, int ps)
{
    TDLOptions o;
    o.packetSize = ps;
    o.padding = 0xFF;
    o.countRule = TDLCountRule::Ceil;
    o.atLeastOnePacket = true;
    o.replyRule = TDLReplyRule::ByteEleven;
    o.waitAfterFirstPacketMs = 1000;
    o.waitAfterPacketMs = 30;
    o.waitAfterLastMs = 0;
    o.closeOnSuccess = TDLPort::Close::Tspl;
    o.closeOnFailure = TDLPort::Close::None;
    o.closeOnHandshakeFailure = TDLPort::Close::None;
    o.closeOnCancel = TDLPort::Close::None;
    o.sleeper = [sleeps](uint32_t ms) { *sleeps << QString::number(ms); };
    return o;
}

} // namespace

TEST(DlThread, FileWindowTransferInWireOrder)
{
    auto port = std::make_shared<FakePort>();
    port->values[KEY_bitmaps] = "E_logo.GRF,R_a.GRF";
    port->values[KEY_use_capacity] = "2048";
    port->values[KEY_remain_capacity] = "5000000000";
    TDLThread t(nullptr, port);
    Events ev(t);
    QStringList sleeps;
    ASSERT_TRUE(t.Start(QByteArray(1500, '\x01'), FileWindowOptions(&sleeps)));
    t.wait();
    EXPECT_EQ(port->calls, QStringList({"write 1b1c262056312064", "read 2 100x2", "packet 0", "read 12 150x5",
                                        "packet 1", "read 12 150x5", "getval \"bitmaps\"",
                                        "getval \"use_capacity\"", "getval \"remain_capacity\"", "close 1"}));
    EXPECT_EQ(sleeps, QStringList({"100", "200", "200", "1000"}));
    EXPECT_EQ(ev.results, std::vector<int>{int(TDLResult::Success)});
    EXPECT_EQ(ev.progress, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));
    EXPECT_EQ(ev.listed, QStringList{"\"bitmaps\"=E_logo.GRF,R_a.GRF"});
    EXPECT_EQ(ev.space, QStringList({"2048", "5000000000"}));
    EXPECT_EQ(t.PacketCount(), 2);
    ASSERT_EQ(port->packets.size(), 2u);
    EXPECT_EQ(ToHex(port->packets[1].left(10)), "DD CC BB AA 01 00 00 00 DC 01");
}

TEST(DlThread, AnEmptyListingStillEndsInSuccess)
{
    auto port = std::make_shared<FakePort>();
    TDLThread t(nullptr, port);
    Events ev(t);
    QStringList sleeps;
    TDLOptions o = FileWindowOptions(&sleeps);
    o.listKey = KEY_labels;
    o.drainAfterList = true;
    ASSERT_TRUE(t.Start(QByteArray(10, 'x'), o));
    t.wait();
    EXPECT_EQ(t.Result(), TDLResult::Success);
    EXPECT_EQ(ev.listed, QStringList{"\"labels\"="});
    EXPECT_EQ(port->calls.mid(port->calls.size() - 4),
              QStringList({"getval \"labels\"", "drain 512", "getval \"use_capacity\"", "close 1"}));
    EXPECT_TRUE(ev.space.isEmpty()) << "no used value, no space";
}

TEST(DlThread, PayloadSizesAndCountRules)
{
    struct Case {
        int size;
        bool fontFile;
        int ps;
        std::vector<int> lengths;
    } cases[] = {
        {2048, false, 1024, {1024, 1024, 0}},
        {0, false, 1024, {}},
        {2048, true, 1024, {1024, 1024}},
        {0, true, 1024, {0}},           // the empty font file still sends one packet
        {5000, true, 4096, {4096, 904}},
        {8192, true, 4096, {4096, 4096}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << (c.fontFile ? " font" : " file"));
        auto port = std::make_shared<FakePort>();
        TDLThread t(nullptr, port);
        QStringList sleeps;
        TDLOptions o = c.fontFile ? FontFileOptions(&sleeps, c.ps) : FileWindowOptions(&sleeps);
        o.handshake.clear();
        ASSERT_TRUE(t.Start(QByteArray(c.size, '\x02'), o));
        t.wait();
        EXPECT_EQ(t.Result(), TDLResult::Success);
        std::vector<int> lengths;
        for (const QByteArray& p : port->packets) {
            EXPECT_EQ(p.size(), c.ps + 12);
            lengths.push_back(static_cast<uint8_t>(p.at(8)) | (static_cast<uint8_t>(p.at(9)) << 8));
        }
        EXPECT_EQ(lengths, c.lengths);
        if (c.fontFile && !c.lengths.empty()) {
            EXPECT_EQ(sleeps.first(), "1000") << "a long wait after the first packet only";
            EXPECT_EQ(port->calls.last(), "close 2");
        }
    }
}

TEST(DlThread, RefusedRepliesStopWithTheirResult)
{
    auto set = [](int at, char v) {
        return [at, v](int, QByteArray& r, uint32_t&) { r[at] = v; };
    };
    struct Case {
        const char* name;
        std::function<void(int, QByteArray&, uint32_t&)> fault;  // applied to packet 1
        TDLResult want;
        bool fontFile;
    } cases[] = {
        {"status 01 00", set(8, 1), TDLResult::ReplyRefused, false},
        {"echoed index differs", set(4, 9), TDLResult::ReplyRefused, false},
        {"bad sum", set(10, 0), TDLResult::BadSum, false},
        {"11 bytes", [](int, QByteArray& r, uint32_t& n) { r[11] = 0; n = 11; }, TDLResult::ReplyRefused, false},
        {"11 bytes, font file", [](int, QByteArray& r, uint32_t& n) { r[11] = 0; n = 11; },
         TDLResult::ReplyRefused, true},
        {"nothing", [](int, QByteArray& r, uint32_t& n) { r.fill('\0'); n = 0; }, TDLResult::ReplyRefused, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto port = std::make_shared<FakePort>();
        port->fault = [&c](int index, QByteArray& r, uint32_t& n) {
            if (index == 1)
                c.fault(index, r, n);
        };
        TDLThread t(nullptr, port);
        QStringList sleeps;
        TDLOptions o = c.fontFile ? FontFileOptions(&sleeps, 1024) : FileWindowOptions(&sleeps);
        ASSERT_TRUE(t.Start(QByteArray(4000, 'x'), o));
        t.wait();
        EXPECT_EQ(t.Result(), c.want);
        EXPECT_EQ(port->packets.size(), 2u) << "no packet after the refused one";
        EXPECT_EQ(t.PacketIndex(), 2);
        EXPECT_EQ(port->calls.last(), c.fontFile ? "close 0" : "close 1")
            << "the file windows close the guarded port; the font-file windows leave it open";
        EXPECT_FALSE(port->calls.join(",").contains("getval"));
    }
    EXPECT_EQ(ResultMessageKey(TDLResult::BadSum, "FormGDL_ErrIO"), "_Err_CheckSum");
    EXPECT_EQ(ResultMessageKey(TDLResult::ReplyRefused, "FormGDL_ErrIO"), "FormGDL_ErrIO");
    EXPECT_EQ(ResultMessageKey(TDLResult::Cancelled, "FormGDL_ErrIO"), "");
}

TEST(DlThread, HandshakeAndWriteFailures)
{
    for (const char* reply : {"", "O", "NO", "ok"}) {
        auto port = std::make_shared<FakePort>();
        port->handshakeReply = reply;
        TDLThread t(nullptr, port);
        QStringList sleeps;
        ASSERT_TRUE(t.Start(QByteArray(100, 'x'), FileWindowOptions(&sleeps)));
        t.wait();
        EXPECT_EQ(t.Result(), TDLResult::HandshakeRefused) << reply;
        EXPECT_TRUE(port->packets.empty());
        EXPECT_EQ(port->calls.last(), "close 1");
    }
    auto port = std::make_shared<FakePort>();
    port->failWriteAt = 1;
    TDLThread t(nullptr, port);
    QStringList sleeps;
    ASSERT_TRUE(t.Start(QByteArray(3000, 'x'), FileWindowOptions(&sleeps)));
    t.wait();
    EXPECT_EQ(t.Result(), TDLResult::WriteFailed);
    EXPECT_EQ(port->calls.last(), "close 1");
    EXPECT_EQ(port->packets.size(), 1u);
}

TEST(DlThread, CancelBetweenPacketsStopsSilently)
{
    auto port = std::make_shared<FakePort>();
    TDLThread t(nullptr, port);
    Events ev(t);
    QStringList sleeps;
    TDLOptions o = FileWindowOptions(&sleeps);
    std::atomic<bool> secondTried{false};
    port->onPacket = [&] {
        // the first transfer is still running when the second start is tried, however the
        // threads are scheduled
        if (port->packets.size() == 1)
            prt::test::WaitFor([&] { return secondTried.load(); });
        if (port->packets.size() == 3)
            t.Cancel();
    };
    ASSERT_TRUE(t.Start(QByteArray(10 * 1024, 'x'), o));
    EXPECT_FALSE(t.Start(QByteArray(10, 'x'), o)) << "no second start while one runs";
    secondTried = true;
    t.wait();
    EXPECT_EQ(t.Result(), TDLResult::Cancelled);
    EXPECT_EQ(port->packets.size(), 3u);
    EXPECT_EQ(port->calls.last(), "close 3") << "the port is closed and the object destroyed";
    EXPECT_FALSE(port->calls.join(",").contains("getval"));
    EXPECT_EQ(ev.results, std::vector<int>{int(TDLResult::Cancelled)});
}

TEST(DlThread, AFailureAfterTheCancelIsTheCancel)
{
    auto port = std::make_shared<FakePort>();
    TDLThread t(nullptr, port);
    port->fault = [&](int index, QByteArray& r, uint32_t&) {
        if (index == 1) {
            t.Cancel();  // the reply is cut short by the operator's cancel
            r[8] = 1;
        }
    };
    QStringList sleeps;
    ASSERT_TRUE(t.Start(QByteArray(5000, 'x'), FileWindowOptions(&sleeps)));
    t.wait();
    EXPECT_EQ(t.Result(), TDLResult::Cancelled);
    EXPECT_EQ(port->calls.last(), "close 3");
}

TEST(DlThread, RealWaitsWakeOnCancelAndTheOwnerJoins)
{
    auto port = std::make_shared<FakePort>();
    QElapsedTimer timer;
    timer.start();
    {
        TDLThread t(nullptr, port);
        TDLOptions o;
        o.waitAfterFirstPacketMs = 60000;  // a long real wait, ended by the cancel
        ASSERT_TRUE(t.Start(QByteArray(5000, 'x'), o));
        for (;;) {
            {
                std::lock_guard l(port->m);
                if (!port->packets.empty())
                    break;
            }
            QThread::msleep(1);
        }
        // the owner goes away: the destructor cancels and joins
    }
    EXPECT_LT(timer.elapsed(), 20000);
    EXPECT_EQ(port->packets.size(), 1u);
}

TEST(DlThread, RawSlicesWithoutFramingOrReplies)
{
    auto port = std::make_shared<FakePort>();
    TDLThread t(nullptr, port);
    Events ev(t);
    TDLOptions o;
    o.rawSlices = true;
    o.packetSize = 2048;
    o.countRule = TDLCountRule::Ceil;
    o.waitAfterLastMs = 0;
    std::vector<int> sizes;
    o.afterTransfer = [&](TDLThread& sender, TDLPort&) {
        sender.Report("fonts", QStringLiteral("A.TTF"));
        return true;
    };
    QObject::connect(&t, &TDLThread::reported, &t,
                     [&](const QString& w, const QVariant& d) { ev.listed << w + ":" + d.toString(); },
                     Qt::DirectConnection);
    ASSERT_TRUE(t.Start(QByteArray(4097, 'f'), o));
    t.wait();
    EXPECT_EQ(t.Result(), TDLResult::Success);
    EXPECT_EQ(port->calls.filter("write").size(), 3) << "4097 bytes in three slices";
    EXPECT_EQ(port->calls.filter("read").size(), 0);
    EXPECT_EQ(ev.listed, QStringList{"fonts:A.TTF"});
    EXPECT_EQ(ev.progress.back(), std::make_pair(3, 3));
}

TEST(DlThread, SignalsReachTheOwnersThreadQueued)
{
    auto port = std::make_shared<FakePort>();
    TDLThread t(nullptr, port);
    QObject receiver;
    std::vector<bool> onGui;
    int ended = -1;
    QObject::connect(&t, &TDLThread::progress, &receiver,
                     [&](int, int) { onGui.push_back(QThread::currentThread() == receiver.thread()); });
    QObject::connect(&t, &TDLThread::transferEnded, &receiver, [&](int r, int) { ended = r; });
    QStringList sleeps;
    ASSERT_TRUE(t.Start(QByteArray(2500, 'x'), FileWindowOptions(&sleeps)));
    t.wait();
    EXPECT_EQ(ended, -1) << "nothing is delivered before the GUI thread runs its events";
    QCoreApplication::processEvents();
    EXPECT_EQ(ended, int(TDLResult::Success));
    EXPECT_EQ(onGui, std::vector<bool>(4, true));
}

// ---- progress reports reach the window in steps of a percent ----------------------------

TEST(DlProgress, PercentOfATotal)
{
    const struct {
        qint64 done, total;
        int percent;
    } cases[] = {{0, 2048, 0}, {20, 2048, 0}, {21, 2048, 1}, {2047, 2048, 99}, {2048, 2048, 100},
                 {1, 3, 33}, {-1, 10, 0}, {11, 10, 100}, {5, 0, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(ProgressPercent(c.done, c.total), c.percent) << c.done << " of " << c.total;
}

TEST(DlProgress, AReportIsPostedOnlyWhenItsPercentChanges)
{
    const struct {
        const char* what;
        qint64 total;
        qint64 last;   // reports 0, 1, ..., last
        bool twice;    // each value reported twice (a header repeats the chunk count)
        size_t posts;  // posted, the flush at the end included
    } cases[] = {
        {"2 MB in 1 KB chunks", 2048, 2048, false, 101},
        {"200 KB in 1 KB chunks", 200, 200, false, 101},
        {"a bulk row: the total counts the header too", 2049, 2048, true, 101},
        {"fewer chunks than percents", 7, 7, false, 8},
        {"three packets", 3, 3, false, 4},
        {"no total", 0, 1, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<qint64> posted;
        TProgressPost<qint64> post(c.total, [&](qint64 done) { posted.push_back(done); });
        for (qint64 done = 0; done <= c.last; ++done) {
            post.Report(done, done);
            if (c.twice)
                post.Report(done, done);
        }
        post.Flush();
        EXPECT_EQ(posted.size(), c.posts);
        ASSERT_FALSE(posted.empty());
        EXPECT_EQ(posted.front(), 0) << "the first report always";
        EXPECT_EQ(posted.back(), c.last) << "the last value reached always";
        EXPECT_TRUE(std::is_sorted(posted.begin(), posted.end()));
        EXPECT_EQ(std::adjacent_find(posted.begin(), posted.end()), posted.end()) << "no value twice";
    }
}

TEST(DlProgress, AHeldReportComesWithTheFlushOnly)
{
    std::vector<std::pair<int, int>> posted;
    TProgressPost<int, int> post(1000, [&](int i, int n) { posted.emplace_back(i, n); });
    post.Report(0, 0, 1000);
    post.Report(5, 5, 1000);  // still 0 %
    post.Report(7, 7, 1000);
    EXPECT_EQ(posted, (std::vector<std::pair<int, int>>{{0, 1000}}));
    post.Flush();
    EXPECT_EQ(posted, (std::vector<std::pair<int, int>>{{0, 1000}, {7, 1000}})) << "the last held, with its arguments";
    post.Flush();
    EXPECT_EQ(posted.size(), 2u) << "nothing held any more";
    post.Restart(10);
    post.Report(7, 7, 10);
    EXPECT_EQ(posted.back(), std::make_pair(7, 10)) << "a new run starts with a post";
}

TEST(DlThread, TwoMegabytesOfSlicesReachTheWindowInPercentSteps)
{
    auto port = std::make_shared<FakePort>();
    TDLThread t(nullptr, port);
    QObject receiver;
    std::vector<std::pair<int, int>> shown;
    QObject::connect(&t, &TDLThread::progress, &receiver, [&](int i, int n) { shown.emplace_back(i, n); });
    TDLOptions o;
    o.rawSlices = true;
    o.packetSize = 1024;
    o.countRule = TDLCountRule::Ceil;
    o.waitAfterLastMs = 0;
    o.sleeper = [](uint32_t) {};
    ASSERT_TRUE(t.Start(QByteArray(2 * 1024 * 1024, 's'), o));
    t.wait();
    QCoreApplication::processEvents();
    EXPECT_EQ(port->calls.filter("write").size(), 2048) << "every slice on the wire";
    EXPECT_LE(shown.size(), 101u) << "queued for the window: one per percent";
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), std::make_pair(0, 2048));
    EXPECT_EQ(shown.back(), std::make_pair(2048, 2048));
}

// ---- against the simulator --------------------------------------------------------------

namespace {

class DlSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        prt::sim::AddStandardHandlers(printer);
        prt::sim::SimSetDownloadDefaults(printer);
        server = std::make_unique<prt::sim::SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        SetCurrentPortString(server->portString());
        SetPrinterSdkKind(1);
        SetCmdOpenedFlag(0);
        ASSERT_EQ(TsplCreateGlobalPrinter(QStringLiteral("SIM")), 0);
        ASSERT_TRUE(CmdOpenPortOnce());
    }
    void TearDown() override
    {
        CmdClosePortIfOpen();
        TsplDestroyGlobalPrinter();
        SetCurrentPortString(QStringLiteral("USB"));
        SetCmdOpenedFlag(0);
        server->stop();
    }
    static TDLOptions Fast(TDLOptions o)
    {
        o.sleeper = [](uint32_t) {};
        return o;
    }

    prt::sim::SimPrinter printer;
    std::unique_ptr<prt::sim::SimTcpServer> server;
};

} // namespace

TEST_F(DlSim, ImageToFlashIsStoredListedAndSpaceRead)
{
    QByteArray payload(2048 + 700, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>(i * 7);
    TDLThread t;
    Events ev(t);
    QStringList sleeps;
    ASSERT_TRUE(t.Start(payload, Fast(FileWindowOptions(&sleeps))));
    t.wait();
    ASSERT_EQ(t.Result(), TDLResult::Success);
    const auto files = prt::sim::SimStoredFiles(printer);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].type, "bitmaps");
    EXPECT_EQ(files[0].name, "E_logo.GRF");
    EXPECT_EQ(files[0].data, payload);
    EXPECT_EQ(prt::sim::SimPackets(printer).size(), 3u);
    EXPECT_EQ(ev.listed, QStringList{"\"bitmaps\"=E_logo.GRF"});
    EXPECT_EQ(ev.space, QStringList({"2748", QString::number(4 * 1024 * 1024 - 2748)}));
    EXPECT_EQ(GetCmdOpenedFlag(), 0) << "the guarded port was closed";
}

TEST_F(DlSim, QuickFontWith4096PacketsAndRawHandshake)
{
    TDLThread t;
    QStringList sleeps;
    TDLOptions o = Fast(FontFileOptions(&sleeps, 4096));
    o.handshake = QuickFontRawHandshake();
    ASSERT_EQ(TsplOpenPort(server->portString()), 0);
    ASSERT_TRUE(t.Start(QByteArray(5000, 'q'), o));
    t.wait();
    ASSERT_EQ(t.Result(), TDLResult::Success);
    const auto packets = prt::sim::SimPackets(printer);
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[0].size(), 4108);
    EXPECT_EQ(prt::sim::SimStoredFiles(printer).at(0).data, QByteArray(5000, 'q'));
    EXPECT_EQ(ToHex(prt::sim::SimHandshakes(printer).at(0)), "5A 5A 5A 46 4F 4E 54 44 4C 20");
}

TEST_F(DlSim, PrinterFaultsStopTheTransfer)
{
    struct Case {
        const char* name;
        std::function<void(prt::sim::SimDownloadState&)> edit;
        TDLResult want;
        size_t packets;
    } cases[] = {
        {"no OK", [](auto& s) { s.handshakeReply = "NO"; }, TDLResult::HandshakeRefused, 0},
        {"short OK", [](auto& s) { s.handshakeReply = "O"; }, TDLResult::HandshakeRefused, 0},
        {"status", [](auto& s) { s.badStatusAt = 1; }, TDLResult::ReplyRefused, 2},
        {"sum", [](auto& s) { s.badSumAt = 0; }, TDLResult::BadSum, 1},
        {"echo", [](auto& s) { s.badEchoAt = 2; }, TDLResult::ReplyRefused, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prt::sim::SimEditDownload(printer, [&](prt::sim::SimDownloadState& s) {
            s = prt::sim::SimDownloadState{};
            c.edit(s);
        });
        ASSERT_TRUE(CmdOpenPortOnce());
        TDLThread t;
        QStringList sleeps;
        ASSERT_TRUE(t.Start(QByteArray(5000, 'x'), Fast(FileWindowOptions(&sleeps))));
        t.wait();
        EXPECT_EQ(t.Result(), c.want);
        EXPECT_EQ(prt::sim::SimPackets(printer).size(), c.packets);
        EXPECT_EQ(GetCmdOpenedFlag(), 0);
    }
}

TEST_F(DlSim, DisconnectMidTransferFails)
{
    prt::sim::SimFaults f;
    f.disconnectAfterBytes = 100 + 2 * 1036;
    printer.setFaults(f);
    TDLThread t;
    QStringList sleeps;
    ASSERT_TRUE(t.Start(QByteArray(6000, 'x'), Fast(FileWindowOptions(&sleeps))));
    t.wait();
    EXPECT_TRUE(t.Result() == TDLResult::WriteFailed || t.Result() == TDLResult::ReplyRefused)
        << int(t.Result());
    EXPECT_LT(t.PacketIndex(), 6);
    printer.setFaults({});
}

TEST_F(DlSim, ClosingAndDestroyingAlsoClearsTheGuardedOpenFlag)
{
    ASSERT_EQ(GetCmdOpenedFlag(), -1);
    CmdClosePort();
    EXPECT_EQ(GetCmdOpenedFlag(), 0) << "a later guarded open must open the port again";
    ASSERT_EQ(EnsurePrinterObject(), 0);
    ASSERT_TRUE(CmdOpenPortOnce());
    EXPECT_EQ(TsplWriteData(QByteArray("X\r\n")), 0) << "the port is really open again";
}
