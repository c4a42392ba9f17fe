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
#include <gtest/gtest.h>

using namespace prt::sim;

namespace {

const QByteArray kPrefix("\x1B\x1C\x26\x20\x56\x31\x20", 7);

// The simulator reads on its own thread: wait (briefly) until it has seen something.
template <typename Pred>
bool WaitFor(Pred pred)
{
    for (int i = 0; i < 300; ++i) {
        if (pred())
            return true;
        QThread::msleep(10);
    }
    return false;
}

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
