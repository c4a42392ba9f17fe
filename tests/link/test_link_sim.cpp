// The printer link end to end against the printer simulator: the real engine over a
// loopback TCP port and over a pseudo-terminal.
#include "CMD_Key.h"
#include "PrinterCMD.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimPty.h"
#include "SimTcpServer.h"
#include "TestSupport.h"
#include "mdlDevNewPrt.h"
#include "mdlLinkSeams.h"
#include "mdlPrinterLib.h"
#include "mdlPrtParamBlock.h"

#include <QThread>
#include <functional>
#include <gtest/gtest.h>

using namespace prt::sim;

namespace {

const QByteArray kPrefix("\x1B\x1C\x26\x20\x56\x31\x20", 7);

// The simulator reads on its own thread: wait (briefly) until it has seen something.
using prt::test::WaitFor;

bool Received(SimPrinter& printer, const QByteArray& bytes)
{
    return WaitFor([&] { return printer.received().contains(bytes); });
}

class LinkSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddStandardHandlers(printer);
        server = std::make_unique<SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        port = QStringLiteral("NET,127.0.0.1:%1").arg(server->port());
        SetCurrentPortString(port);
        SetPrinterSdkKind(1);
        SetCmdOpenedFlag(0);
        prt::SetLangText(QStringLiteral("_Err_ReadData"), QStringLiteral("E-read"));
        prt::SetLangText(QStringLiteral("_Err_CheckSum"), QStringLiteral("E-sum"));
        ASSERT_EQ(TsplCreateGlobalPrinter(QStringLiteral("SIM")), 0);
    }
    void TearDown() override
    {
        TsplDestroyGlobalPrinter();
        CpclDestroyPrinter();
        EscDestroyPrinter();
        SetCurrentPortString(QStringLiteral("USB"));
        prt::ClearLangTexts();
        server->stop();
    }

    SimPrinter printer;
    std::unique_ptr<SimTcpServer> server;
    QString port;
};

} // namespace

TEST_F(LinkSim, OpenRulesAgainstTheEngine)
{
    EXPECT_EQ(TsplOpenPort(port), 0);
    EXPECT_EQ(TsplOpenPort(port), 0) << "already open is closed and opened again";
    EXPECT_EQ(TsplWriteData(QByteArray("PING\r\n")), 0);
    EXPECT_TRUE(Received(printer, "PING\r\n"));
    EXPECT_EQ(printer.connections(), 2) << "the retry reconnected";
    TsplClosePort();
    EXPECT_EQ(TsplDestroyGlobalPrinter(), 0);
    EXPECT_EQ(TsplOpenPort(port), -6);

    ASSERT_EQ(CpclCreateGlobalPrinter(QStringLiteral("SIM")), 0);
    EXPECT_EQ(CpclOpenPort(port), 0);
    EXPECT_EQ(CpclOpenPort(port), 5);
    CpclClosePort();
    EXPECT_TRUE(Received(printer, "PING\r\n"));
}

TEST_F(LinkSim, ReadRetryAssemblesASplitReply)
{
    QByteArray reply(256, '\0');
    for (int i = 0; i < 256; ++i)
        reply[i] = static_cast<char>(255 - i);
    printer.script("Q\r\n", reply);
    SimFaults f;
    f.splitReplyAt = 200;
    f.splitDelayMs = 150;  // the rest comes after the first try
    printer.setFaults(f);
    ASSERT_EQ(TsplOpenPort(port), 0);
    ASSERT_EQ(TsplWriteData(QByteArray("Q\r\n")), 0);
    uint8_t buf[256] = {};
    uint32_t count = 0;
    EXPECT_EQ(TsplReadDataRetry(buf, 256, &count, 100, 6), 0);
    EXPECT_EQ(count, 256u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(buf), 256), reply);
    TsplClosePort();
    printer.setFaults(SimFaults{});
}

TEST_F(LinkSim, TextCommandsAndKeyFrames)
{
    SimSetValue(printer, "ppl", "TSC");
    ASSERT_TRUE(CmdOpenPort());
    EXPECT_EQ(CmdGetVal(KEY_ppl), QStringLiteral("TSC"));
    EXPECT_EQ(CmdSetVal(KEY_bt_name, QStringLiteral("Shop 1")), 0);
    EXPECT_EQ(CmdGetVal(KEY_bt_name), QStringLiteral("Shop 1"));
    EXPECT_EQ(CmdKeySetKeyWord(1, 0x12C, 0x0203), 0);
    EXPECT_EQ(CmdKeySetKey(0, 0x190, QStringLiteral("Name"), 8, false), 0);
    QByteArray one;
    EXPECT_EQ(CmdGetKeyFrame(1, 0x12C, one), 1);
    EXPECT_EQ(static_cast<uint8_t>(one.at(0)), 0x03);
    CmdClosePort();
    EXPECT_TRUE(WaitFor([&] { return SimKeyValue(printer, 0x190).size() == 8; }));
    EXPECT_EQ(SimValue(printer, "bt_name"), QByteArray("Shop 1"));
    EXPECT_EQ(SimKeyValue(printer, 0x190), QByteArray("Name\0\0\0\0", 8));

    // The opening readers create nothing themselves: the object comes from the window.
    ASSERT_EQ(PrtCreatePrinter(QStringLiteral("SIM")), 0);
    int32_t word = 0;
    EXPECT_EQ(CmdKeyGetKeyWord(1, 0x12C, word), 2);
    EXPECT_EQ(word, 0x0203);
    ASSERT_EQ(PrtCreatePrinter(QStringLiteral("SIM")), 0);
    EXPECT_FALSE(CmdDo(KEY_print_test_page));
    ASSERT_TRUE(WaitFor([&] { return !SimDoLog(printer).empty(); }));
    const auto log = SimDoLog(printer);
    EXPECT_EQ(log.back(), QByteArray("\"print_test_page\""));
}

TEST_F(LinkSim, ParameterBlockRoundTrip)
{
    const QByteArray stored = SimMakeBlock(QByteArray("settings"));
    SimSetBlockReply(printer, stored);
    TParamBlock block{};
    QString result;
    ReadParamBlock(block, result);
    EXPECT_EQ(result, QStringLiteral("OK"));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(block.data()), 256), stored);

    block[1] = 'S';
    block[254] = block[255] = 0;  // the writer sets the sum
    EXPECT_TRUE(WriteParamBlock(block));
    ASSERT_TRUE(WaitFor([&] { return !SimBlockWrites(printer).empty(); }));
    const auto writes = SimBlockWrites(printer);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].at(1), 'S');
    QByteArray expect = stored;
    expect[1] = 'S';
    EXPECT_EQ(writes[0], SimMakeBlock(expect.mid(1, 253))) << "marker, settings and a fresh sum";
}

namespace {
// Sleeps of the block reader: all pass at once except the one before the completing
// read, which really waits; the split reply's rest arrives during it.
void BlockSleepHook(uint32_t ms)
{
    if (ms == 50)
        QThread::msleep(400);
}
} // namespace

TEST_F(LinkSim, ParameterBlockFaults)
{
    QByteArray wrongSum = SimMakeBlock(QByteArray("abc"));
    wrongSum[255] = static_cast<char>(wrongSum.at(255) + 1);
    QByteArray zeroSum = SimMakeBlock(QByteArray("abc"));
    zeroSum[254] = zeroSum[255] = 0;
    struct Case { const char* name; QByteArray reply; int split; const char* result; };
    const Case cases[] = {
        // the first 200 bytes at once, the other 56 only after both first tries
        {"split 200 + 56", SimMakeBlock(QByteArray("abc")), 200, "OK"},
        {"zero block", QByteArray(256, '\0'), -1, "E-read"},
        {"wrong sum", wrongSum, -1, "E-sum"},
        {"sum 00 00", zeroSum, -1, "E-sum"},
    };
    const prt::SleepHook old = prt::SetSleepHook(&BlockSleepHook);
    for (const Case& c : cases) {
        ASSERT_EQ(TsplCreateGlobalPrinter(QStringLiteral("SIM")), 0);
        SimSetBlockReply(printer, c.reply);
        SimFaults f;
        f.splitReplyAt = c.split;
        f.splitDelayMs = 250;
        printer.setFaults(f);
        TParamBlock block{};
        QString result;
        ReadParamBlock(block, result);
        EXPECT_EQ(result, QLatin1String(c.result)) << c.name;
        EXPECT_EQ(ParamBlockReadCount(), 256) << c.name;
        if (c.split > 0) {
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(block.data()), 256), c.reply) << c.name;
        }
    }
    prt::SetSleepHook(old);
    printer.setFaults(SimFaults{});
}

TEST_F(LinkSim, ProbeAndFirmwareQuery)
{
    SetCurrentModelNameProvider([] { return QStringLiteral("X2"); });
    SetProbeModelListProvider([](const QString& n) {
        return n == QLatin1String("HaveTwoProtocol") ? QStringLiteral(",X2,") : QStringLiteral(",");
    });
    SimSetProtocolByte(printer, 3);
    ASSERT_EQ(TsplOpenPort(port), 0);
    EXPECT_EQ(DetectPrinterProtocol(), 3);
    SimSetProtocolByte(printer, -1);
    EXPECT_EQ(DetectPrinterProtocol(), 0);
    SetProbeModelListProvider([](const QString&) { return QStringLiteral(",X2,"); });
    SimSetValue(printer, "ppl", "\"zpl\"\r\n");
    EXPECT_EQ(DetectPrinterProtocol(), 4);
    SimSetValue(printer, "ppl", "tsc");
    EXPECT_EQ(DetectPrinterProtocol(), 1);
    TsplClosePort();
    SetCurrentModelNameProvider({});
    SetProbeModelListProvider({});

    SimSetVersion(printer, QByteArray("\x01\x03\x00", 3));
    EXPECT_TRUE(CheckFirmwareVersion(QStringLiteral("1.03.0")));
    EXPECT_TRUE(CheckFirmwareVersion(QStringLiteral("1.0.0")));
    EXPECT_FALSE(CheckFirmwareVersion(QStringLiteral("1.04.0")));
    SimSetVersion(printer, QByteArray());
    EXPECT_FALSE(CheckFirmwareVersion(QStringLiteral("1.0.0")));
}

TEST_F(LinkSim, ConnectionObjectOverTcp)
{
    SimSetValue(printer, "ppl", "TSC");
    TDevNewPrt c;
    c.CreateDevice(1);
    c.PortString = port;
    c.Device->SetHandle(PrtGetHandle());
    ASSERT_TRUE(c.OpenWithMessage());
    EXPECT_EQ(c.SendCommand(KEY_ppl), 0);
    EXPECT_TRUE(Received(printer, kPrefix + "do \"ppl\"\r\n"));
    // A reply that is waiting is drained.
    TDevBasePrt* dev = c.GetDevice();
    const QByteArray get = BuildGetValCommand(KEY_ppl);
    ASSERT_EQ(dev->WriteData(reinterpret_cast<const uint8_t*>(get.constData()), uint32_t(get.size())), 0);
    QThread::msleep(100);
    EXPECT_EQ(c.ReadLoop(), 3u);
    c.Close();
    EXPECT_EQ(c.OpenedFlag, 0);
}

// The connection's mended faults against the real engine: it follows a replaced global
// object, its drain of a printer that floods stops at the bound, and a failed open
// writes nothing.
TEST_F(LinkSim, ConnectionObjectMendsOverTcp)
{
    TDevNewPrt c;
    c.CreateDevice(1);
    c.PortString = port;
    c.Device->SetHandle(PrtGetHandle());
    ASSERT_EQ(TsplCreateGlobalPrinter(QStringLiteral("SIM")), 0);  // replaced after selection
    ASSERT_TRUE(c.OpenWithMessage());
    {
        std::lock_guard lock(printer.mutex());
        ProtoState(printer)->doReplies["ppl"] = QByteArray(int(kDrainMaxBytes) + 4096, 'z');
    }
    ASSERT_EQ(c.SendCommand(KEY_ppl), 0);
    QThread::msleep(300);  // the whole flood sits in the socket
    EXPECT_EQ(c.ReadLoop(), kDrainMaxBytes);
    EXPECT_EQ(c.ReadLoop(), 4096u) << "the rest waits for the next drain";
    c.Close();

    TsplDestroyGlobalPrinter();
    printer.clearReceived();
    {
        prt::test::MsgBoxRecorder boxes;
        c.SendCommandEx(true, KEY_ppl);
        EXPECT_EQ(boxes.calls().size(), 1u);
    }
    EXPECT_EQ(c.LastOpenResult, -6);
    QThread::msleep(50);
    EXPECT_TRUE(printer.received().isEmpty());
}

TEST(LinkSimSerial, ComOpenFlagOverAPseudoTerminal)
{
    SimPrinter printer;
    AddStandardHandlers(printer);
    SimPty pty(printer);
    ASSERT_TRUE(pty.ok());
    prt::test::ScopedEnv env("PRT_COM_DEVICE_7", pty.slavePath());
    const QString com = QStringLiteral("COM7,BAUDRATE_9600");
    SetCurrentPortString(com);
    SetPrinterSdkKind(1);
    SimSetValue(printer, "ppl", "TSC");
    ASSERT_EQ(TsplCreateGlobalPrinter(QStringLiteral("SIM")), 0);
    ASSERT_EQ(TsplOpenPort(com), 0);
    EXPECT_EQ(GetComOpenFlag(), -1);
    EXPECT_EQ(TsplOpenPort(com), 0);
    EXPECT_EQ(CmdGetVal(KEY_ppl), QStringLiteral("TSC"));
    TsplClosePort();
    EXPECT_EQ(GetComOpenFlag(), 0);
    // A new object never inherits the flag of the old one.
    ASSERT_EQ(TsplOpenPort(com), 0);
    ASSERT_EQ(TsplCreateGlobalPrinter(QStringLiteral("SIM")), 0);
    EXPECT_EQ(GetComOpenFlag(), 0);
    EXPECT_EQ(TsplOpenPort(com), 0) << "the port of the replaced object was closed";
    TsplDestroyGlobalPrinter();
    EXPECT_EQ(GetComOpenFlag(), 0);
    SetCurrentPortString(QStringLiteral("USB"));
    pty.stop();
}

// A reply that comes after its reader gave up is dropped before the next request: the next
// reader gets its own reply only, whatever the request kind.
TEST_F(LinkSim, LateReplyIsNeverHandedToTheNextRequest)
{
    SimSetValue(printer, "ppl", "LATE-REPLY-TO-REQUEST-1");
    SimSetValue(printer, "dpi", "REPLY-2");
    {
        std::lock_guard lock(printer.mutex());
        ProtoState(printer)->doReplies["print_test_page"] = "LATE";
        ProtoState(printer)->doReplies["paper_learn"] = QByteArray("\x01\x02", 2);
    }
    ASSERT_EQ(TsplOpenPort(port), 0);
    struct Step {
        const char* Name;
        std::function<QString()> Late, Next;
        QString Expected;
    };
    const Step steps[] = {
        {"getval", [] { return CmdGetVal(KEY_ppl); }, [] { return CmdGetVal(KEY_dpi); }, "REPLY-2"},
        {"getval to end", [] { return CmdGetValEOF(KEY_ppl, 100); },
         [] { return CmdGetValEOF(KEY_dpi, 100); }, "REPLY-2"},
        {"do, read a number", [] { return QString::number(CmdDoReadInt(KEY_print_test_page)); },
         [] { return QString::number(CmdDoReadInt(KEY_paper_learn)); }, "513"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.Name);
        SimFaults late;
        late.replyDelayMs = 250;  // after the reader's 100 ms wait and read
        printer.setFaults(late);
        printer.clearReceived();
        const QString first = s.Late();
        EXPECT_TRUE(first.isEmpty() || first == "-1") << first.toStdString();
        QThread::msleep(350);  // the late reply is now waiting in the link
        printer.setFaults(SimFaults{});
        EXPECT_EQ(s.Next(), s.Expected);
    }
    TsplClosePort();
}

// A port string with an embedded NUL is refused on every open road: the engine takes a
// zero-terminated text and would open what comes before the NUL.
TEST_F(LinkSim, PortStringWithAnEmbeddedNulIsRefused)
{
    const QString bad = port + QChar(u'\0') + QStringLiteral("junk");
    EXPECT_EQ(TsplOpenPort(bad), prt::sdk::PRT_E_BAD_PORT);
    SetPrinterSdkKind(3);
    ASSERT_EQ(CpclCreateGlobalPrinter(QStringLiteral("SIM")), 0);
    EXPECT_EQ(PrtOpenPort(bad), prt::sdk::PRT_E_BAD_PORT);
    SetPrinterSdkKind(1);
    prt::sdk::Handle own = 0;
    ASSERT_EQ(TsplPrinterCreator(&own, QStringLiteral("SIM")), 0);
    EXPECT_EQ(TsplPortOpen(own, bad), prt::sdk::PRT_E_BAD_PORT);
    TsplPrinterDestroy(&own);
    TDevNewPrt c;
    c.CreateDevice(1);
    c.PortString = bad;
    QString text;
    EXPECT_FALSE(c.Open(false, text));
    EXPECT_EQ(c.LastOpenResult, prt::sdk::PRT_E_BAD_PORT);
    QThread::msleep(50);
    EXPECT_EQ(printer.connections(), 0) << "nothing was opened";
}

// The connection object's opened flag follows the real port: once the port was closed
// through the procedures, Open opens again and writes reach the printer.
TEST_F(LinkSim, ConnectionObjectOpensAgainAfterAClosedPort)
{
    TDevNewPrt c;
    c.CreateDevice(1);
    c.PortString = port;
    ASSERT_TRUE(c.OpenWithMessage());
    TsplClosePort();  // another road closes the same object's port
    ASSERT_TRUE(c.OpenWithMessage());
    EXPECT_EQ(c.SendCommand(KEY_ppl), 0) << "the port is really open";
    EXPECT_TRUE(Received(printer, kPrefix + "do \"ppl\"\r\n"));
    c.Close();
}

// Firmware versions: a part that is not a number never passes.
TEST_F(LinkSim, FirmwareVersionWithPartsThatAreNoNumbers)
{
    SimSetVersion(printer, QByteArray("\x01\x03\x00", 3));
    const struct {
        const char* Version;
        bool Newer;
    } rows[] = {
        {"1.03.0", true}, {"1.3", true}, {"x.y.z", false}, {"1.x.0", false}, {"1..0", false},
        {"", false},      {"-1.0.0", false}, {"1.03.0a", false}, {"99999999999.0.0", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Version);
        EXPECT_EQ(CheckFirmwareVersion(QString::fromLatin1(r.Version)), r.Newer);
    }
}

namespace {

// A second serial printer on its own pseudo-terminal, mapped to a COM number.
struct SerialPrinter {
    explicit SerialPrinter(int number)
        : pty(printer), env((QByteArray("PRT_COM_DEVICE_") + QByteArray::number(number)).constData(), pty.slavePath())
    {
        AddStandardHandlers(printer);
        com = QStringLiteral("COM%1,BAUDRATE_9600").arg(number);
    }
    ~SerialPrinter() { pty.stop(); }
    SimPrinter printer;
    SimPty pty;
    prt::test::ScopedEnv env;
    QString com;
};

} // namespace

// The COM-open flag names the object and the port string: another serial port opens for
// real (its bytes reach that printer), and a port closed by any other road opens again.
TEST(LinkSimSerial, ComOpenFlagBelongsToItsObjectAndPort)
{
    SerialPrinter a(7), b(8);
    ASSERT_TRUE(a.pty.ok() && b.pty.ok());
    SetPrinterSdkKind(1);
    SetCurrentPortString(a.com);
    ASSERT_EQ(TsplCreateGlobalPrinter(QStringLiteral("SIM")), 0);
    ASSERT_EQ(TsplOpenPort(a.com), 0);
    EXPECT_EQ(GetComOpenFlag(), -1);
    // Another port: opened for real, writes go there.
    SetCurrentPortString(b.com);
    ASSERT_EQ(TsplOpenPort(b.com), 0);
    ASSERT_EQ(TsplWriteData(QByteArray("TO-B\r\n")), 0);
    EXPECT_TRUE(Received(b.printer, "TO-B"));
    QThread::msleep(50);
    EXPECT_FALSE(a.printer.received().contains("TO-B"));
    // The connection object closes the same engine object: the next open opens again.
    TDevNewPrt c;
    c.CreateDevice(1);
    c.PortString = b.com;
    ASSERT_TRUE(c.OpenWithMessage());
    c.Close();
    EXPECT_EQ(TsplOpenPort(b.com), 0);
    EXPECT_EQ(TsplWriteData(QByteArray("AGAIN\r\n")), 0) << "a write after the open must not fail";
    EXPECT_TRUE(Received(b.printer, "AGAIN"));
    TsplDestroyGlobalPrinter();
    EXPECT_EQ(GetComOpenFlag(), 0);
    SetCurrentPortString(QStringLiteral("USB"));
}
