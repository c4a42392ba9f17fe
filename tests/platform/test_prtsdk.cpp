// The printer port engine against the simulated printer (loopback TCP and a pty).
#include "PrtPort.h"
#include "PrtSdk.h"
#include "PrtUsbEnum.h"
#include "SdkTestUtil.h"
#include "SimPrinter.h"
#include "SimPty.h"
#include "SimTcpServer.h"
#include "TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <memory>
#include <vector>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace prt::sdk;
using prt::sim::SimFaults;
using prt::sim::SimPrinter;
using prt::sim::SimPty;
using prt::sim::SimTcpServer;
using prt::test::SdkObj;

namespace {

class NetSim : public ::testing::Test {
protected:
    SimPrinter printer;
    SimTcpServer server{printer};
    QString port() const { return prt::test::NetPort(server.port()); }
    void SetUp() override { ASSERT_TRUE(server.ok()); }
};

// A loopback port with nobody listening: bind an ephemeral port, then free it.
uint16_t ClosedLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

} // namespace

// ---- handles -------------------------------------------------------------------------

TEST(SdkHandles, UnknownDestroyedAndForeignHandlesAreNoObject)
{
    SdkObj t(Lib::Tspl), c(Lib::Cpcl), e(Lib::Esc);
    ASSERT_NE(t.h, 0u);
    ASSERT_NE(c.h, 0u);
    ASSERT_NE(e.h, 0u);
    EXPECT_NE(t.h, c.h);
    EXPECT_NE(c.h, e.h);

    uint8_t buf[8];
    uint32_t n = 99;
    // Another library's id is unknown to this one.
    EXPECT_EQ(PortOpen(Lib::Cpcl, t.h, u"USB"), PRT_E_NO_OBJECT);
    EXPECT_EQ(PortClose(Lib::Esc, c.h), PRT_E_NO_OBJECT);
    EXPECT_EQ(WriteData(Lib::Tspl, e.h, buf, 1), PRT_E_NO_OBJECT);
    EXPECT_EQ(ReadData(Lib::Esc, t.h, buf, 8, &n), PRT_E_NO_OBJECT);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(TSPL_GetSN(c.h, reinterpret_cast<char*>(buf)), PRT_E_NO_OBJECT);
    // Handle 0.
    EXPECT_EQ(PortOpen(Lib::Tspl, 0, u"USB"), PRT_E_NO_OBJECT);
    EXPECT_EQ(ReadDataEOF(Lib::Tspl, 0, buf, 0, 8, 13, 0, &n), PRT_E_NO_OBJECT);

    // Destroyed: every call fails cleanly, the variable is cleared, the id is not reused.
    Handle old = t.h;
    EXPECT_EQ(PrinterDestroy(Lib::Tspl, &t.h), PRT_OK);
    EXPECT_EQ(t.h, 0u);
    for (int i = 0; i < 4; ++i) {
        Handle again = 0;
        ASSERT_EQ(PrinterCreator(Lib::Tspl, &again, u"X"), PRT_OK);
        EXPECT_NE(again, old);
        PrinterDestroy(Lib::Tspl, &again);
    }
    EXPECT_EQ(PortOpen(Lib::Tspl, old, u"USB"), PRT_E_NO_OBJECT);
    EXPECT_EQ(WriteData(Lib::Tspl, old, buf, 1), PRT_E_NO_OBJECT);
    EXPECT_EQ(PortClose(Lib::Tspl, old), PRT_E_NO_OBJECT);
    Handle copy = old;
    EXPECT_EQ(PrinterDestroy(Lib::Tspl, &copy), PRT_E_NO_OBJECT);
    EXPECT_EQ(copy, 0u);

    EXPECT_EQ(PrinterCreator(Lib::Tspl, nullptr, u"X"), PRT_E_BAD_ARG);
    EXPECT_EQ(PrinterDestroy(Lib::Tspl, nullptr), PRT_E_BAD_ARG);
}

// ---- port strings --------------------------------------------------------------------

TEST(SdkPortString, ParsesTheAcceptedForms)
{
    struct Case { const char* text; PortKind kind; const char* host; int tcp; int number; int baud; };
    const Case cases[] = {
        {"NET,192.168.1.20", PortKind::Net, "192.168.1.20", 9100, 0, 9600},
        {"NET,127.0.0.1:9101", PortKind::Net, "127.0.0.1", 9101, 0, 9600},
        {" net,127.0.0.2 ", PortKind::Net, "127.0.0.2", 9100, 0, 9600},
        {"COM3,BAUDRATE_115200", PortKind::Com, "", 0, 3, 115200},
        {"COM12", PortKind::Com, "", 0, 12, 9600},
        {"com96,baudrate_9600", PortKind::Com, "", 0, 96, 9600},
        {"LPT1", PortKind::Lpt, "", 0, 1, 9600},
        {"USB", PortKind::Usb, "", 0, 0, 9600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PortSpec s;
        ASSERT_EQ(ParsePortString(QString::fromLatin1(c.text), &s), PRT_OK);
        EXPECT_EQ(s.kind, c.kind);
        EXPECT_EQ(s.host, QByteArray(c.host));
        EXPECT_EQ(s.tcpPort, c.tcp);
        EXPECT_EQ(s.number, c.number);
        EXPECT_EQ(s.baud, c.baud);
    }
}

TEST(SdkPortString, BadStringsFailWithoutOpening)
{
    const char* bad[] = {"", "NET", "NET,", "NET127.0.0.1", "NET,1.2.3", "NET,256.1.1.1",
                         "NET,printer.local", "NET,127.0.0.1:", "NET,127.0.0.1:0",
                         "NET,127.0.0.1:70000", "NET,127.0.0.1:91x", "COM", "COM0", "COM97",
                         "COM,BAUDRATE_9600", "COM3,BAUDRATE_", "COM3,BAUDRATE_12345",
                         "COM3,SPEED_9600", "COM-1", "LPT", "LPT0", "LPTx", "USB1", "USB,", "XYZ"};
    SdkObj o;
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_EQ(o.open(QString::fromLatin1(text)), PRT_E_BAD_PORT);
        EXPECT_EQ(o.write("x"), PRT_E_NOT_OPEN);
    }
    EXPECT_EQ(PortOpen(Lib::Tspl, o.h, nullptr), PRT_E_BAD_ARG);
}

TEST(SdkPortString, ComNumbersMapToDeviceFiles)
{
    const std::pair<int, const char*> cases[] = {
        {1, "/dev/ttyS0"},    {32, "/dev/ttyS31"},  {33, "/dev/ttyUSB0"}, {64, "/dev/ttyUSB31"},
        {65, "/dev/ttyACM0"}, {96, "/dev/ttyACM31"}, {0, ""},             {97, ""},
    };
    for (const auto& [n, path] : cases)
        EXPECT_EQ(ComDevicePath(n), QString::fromLatin1(path)) << n;
    prt::test::ScopedEnv env("PRT_COM_DEVICE_5", "/dev/pts/77");
    EXPECT_EQ(ComDevicePath(5), "/dev/pts/77");
    EXPECT_EQ(LptDevicePath(1), "/dev/lp0");
}

// ---- network -------------------------------------------------------------------------

TEST_F(NetSim, OpenWriteReadCloseAndReopen)
{
    printer.script("PING\r\n", "PONG\r\n");
    printer.script("AGAIN", "OK");
    SdkObj o;
    ASSERT_EQ(o.open(port()), PRT_OK);
    // Already open: 5, and the port stays usable.
    EXPECT_EQ(o.open(port()), PRT_ALREADY_OPEN);
    EXPECT_EQ(o.open("COM1"), PRT_ALREADY_OPEN);
    ASSERT_EQ(o.write("PING\r\n"), PRT_OK);
    int rc = 0;
    EXPECT_EQ(o.readEof(2000, 64, 13, &rc), "PONG\r");
    EXPECT_EQ(rc, PRT_OK);
    // The byte after the end byte waits for the next read.
    EXPECT_EQ(o.read(16, &rc), "\n");
    EXPECT_EQ(rc, PRT_OK);

    EXPECT_EQ(o.close(), PRT_OK);
    EXPECT_EQ(o.close(), PRT_E_NOT_OPEN);
    EXPECT_EQ(o.write("x"), PRT_E_NOT_OPEN);
    EXPECT_EQ(o.read(4, &rc), "");
    EXPECT_EQ(rc, PRT_E_NOT_OPEN);

    // A sequential reconnect reaches the same printer.
    ASSERT_EQ(o.open(port()), PRT_OK);
    ASSERT_EQ(o.write("AGAIN"), PRT_OK);
    EXPECT_EQ(o.readEof(2000, 2, 0), "OK");
    EXPECT_EQ(printer.received(), QByteArray("PING\r\nAGAIN"));
    EXPECT_EQ(printer.connections(), 2);

    // Destroying an object with an open port closes it: the simulator accepts the next one.
    Handle h = o.h;
    ASSERT_EQ(PrinterDestroy(Lib::Tspl, &o.h), PRT_OK);
    EXPECT_EQ(WriteData(Lib::Tspl, h, reinterpret_cast<const uint8_t*>("x"), 1), PRT_E_NO_OBJECT);
    SdkObj next(Lib::Esc);
    ASSERT_EQ(next.open(port()), PRT_OK);
    ASSERT_EQ(next.write("Z"), PRT_OK);
    EXPECT_TRUE(prt::test::WaitReceived(printer, 12));
    EXPECT_EQ(printer.connections(), 3);
}

TEST(SdkNet, RefusedConnectionFailsWithConnectCode)
{
    SdkObj o(Lib::Cpcl);
    EXPECT_EQ(o.open(prt::test::NetPort(ClosedLoopbackPort())), PRT_E_CONNECT);
    EXPECT_EQ(o.write("x"), PRT_E_NOT_OPEN);
}

TEST(SdkNet, UnansweredConnectTimesOut)
{
    // A listener that never accepts: once its queue is full the kernel ignores new
    // connection attempts, so the next connect can only time out.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(fd, 0), 0);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    const QString port = prt::test::NetPort(ntohs(a.sin_port));
    const uint32_t oldConnect = ConnectTimeoutMs(), oldWrite = WriteTimeoutMs();
    SetPortTimeouts(100, oldWrite);
    std::vector<std::unique_ptr<SdkObj>> fill;
    int rc = PRT_OK;
    for (int i = 0; i < 8 && rc == PRT_OK; ++i) {
        fill.push_back(std::make_unique<SdkObj>());
        rc = fill.back()->open(port);
    }
    SetPortTimeouts(oldConnect, oldWrite);
    EXPECT_EQ(rc, PRT_E_TIMEOUT);
    EXPECT_EQ(fill.back()->write("x"), PRT_E_NOT_OPEN);
    fill.clear();
    ::close(fd);
}

TEST_F(NetSim, ReadsReturnPromptlyWithNothingWhenSilent)
{
    SdkObj o;
    ASSERT_EQ(o.open(port()), PRT_OK);
    int rc = -1;
    EXPECT_EQ(o.read(256, &rc), "");
    EXPECT_EQ(rc, PRT_OK);
    EXPECT_EQ(o.readEof(0, 128, 0, &rc), "");
    EXPECT_EQ(rc, PRT_OK);
    EXPECT_EQ(o.readEof(50, 128, 13, &rc), "");
    EXPECT_EQ(rc, PRT_OK);
}

TEST_F(NetSim, ReadDataEofStopsAtEndByteOrMaximum)
{
    struct Case { const char* reply; uint32_t wait; uint32_t max; uint8_t end; const char* first; const char* rest; };
    const Case cases[] = {
        {"ABC\rDEF\r", 2000, 64, 13, "ABC\r", "DEF\r"},
        {"ABCDEFGH", 2000, 3, 13, "ABC", "DEFGH"},
        {"AB\rCD", 2000, 2, 13, "AB", "\rCD"},
        {"ABCDEFGH", 2000, 8, 0, "ABCDEFGH", ""},
        {"\r", 2000, 8, 13, "\r", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        printer.script("Q", c.reply);
        SdkObj o;
        ASSERT_EQ(o.open(port()), PRT_OK);
        ASSERT_EQ(o.write("Q"), PRT_OK);
        EXPECT_EQ(o.readEof(c.wait, c.max, c.end), QByteArray(c.first));
        EXPECT_EQ(o.readEof(100, 64, 0), QByteArray(c.rest));
    }
    SdkObj o;
    ASSERT_EQ(o.open(port()), PRT_OK);
    uint32_t n = 7;
    uint8_t buf[4];
    EXPECT_EQ(ReadDataEOF(Lib::Tspl, o.h, buf, 0, 0, 13, 0, &n), PRT_E_BAD_ARG);
    EXPECT_EQ(ReadDataEOF(Lib::Tspl, o.h, nullptr, 0, 4, 13, 0, &n), PRT_E_BAD_ARG);
    EXPECT_EQ(n, 0u);
}

TEST_F(NetSim, RepliesAreReadWholeDespiteFaults)
{
    struct Case { const char* name; SimFaults faults; uint32_t wait; QByteArray expect; };
    SimFaults late;
    late.replyDelayMs = 150;
    SimFaults split;
    split.splitReplyAt = 2;
    SimFaults shortReply;
    shortReply.shortReplyBytes = 3;
    SimFaults garbage;
    garbage.garbage = true;
    SimFaults silent;
    silent.noReply = true;
    const Case cases[] = {
        {"late", late, 3000, "PONG\r"},
        {"split", split, 3000, "PONG\r"},
        {"short", shortReply, 300, "PON"},
        {"garbage", garbage, 300, QByteArray(6, char(0xA5))},
        {"silent", silent, 100, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer.setFaults(c.faults);
        printer.script("PING\r\n", "PONG\r\n");
        SdkObj o;
        ASSERT_EQ(o.open(port()), PRT_OK);
        ASSERT_EQ(o.write("PING\r\n"), PRT_OK);
        if (c.faults.replyDelayMs) {
            // Nothing yet: the prompt read says so instead of waiting for the reply.
            int rc = -1;
            EXPECT_EQ(o.read(64, &rc), "");
            EXPECT_EQ(rc, PRT_OK);
        }
        int rc = -1;
        EXPECT_EQ(o.readEof(c.wait, 64, 13, &rc), c.expect);
        EXPECT_EQ(rc, PRT_OK);
    }
}

TEST_F(NetSim, PeerDisconnectGivesIoErrorNotAHang)
{
    SimFaults f;
    f.disconnectAfterBytes = 4;
    printer.setFaults(f);
    SdkObj o;
    ASSERT_EQ(o.open(port()), PRT_OK);
    ASSERT_EQ(o.write("0123456789"), PRT_OK);
    int rc = 0;
    EXPECT_EQ(o.readEof(3000, 64, 13, &rc), "");
    EXPECT_EQ(rc, PRT_E_IO);
    EXPECT_EQ(o.read(8, &rc), "");
    EXPECT_EQ(rc, PRT_E_IO);
    EXPECT_EQ(o.write(QByteArray(64 * 1024, 'x')), PRT_E_IO);
    EXPECT_EQ(printer.received(), QByteArray("0123"));
    // The object still owns its (dead) port until it is closed.
    EXPECT_EQ(o.open(port()), PRT_ALREADY_OPEN);
    EXPECT_EQ(o.close(), PRT_OK);
}

TEST_F(NetSim, StalledPrinterTimesOutTheWriteInsteadOfHanging)
{
    // The simulator stops reading while it "thinks" about a reply; the socket buffers fill.
    SimFaults f;
    f.replyDelayMs = 10000;
    printer.setFaults(f);
    printer.script("X", "Y");
    const uint32_t oldConnect = ConnectTimeoutMs(), oldWrite = WriteTimeoutMs();
    SetPortTimeouts(oldConnect, 100);
    SdkObj o;
    ASSERT_EQ(o.open(port()), PRT_OK);
    ASSERT_EQ(o.write("X"), PRT_OK);
    ASSERT_TRUE(prt::test::WaitReceived(printer, 1));
    const QByteArray big(8 * 1024 * 1024, 'b');
    int rc = PRT_OK;
    for (int i = 0; i < 16 && rc == PRT_OK; ++i)
        rc = o.write(big);
    SetPortTimeouts(oldConnect, oldWrite);
    EXPECT_EQ(rc, PRT_E_TIMEOUT);
}

TEST_F(NetSim, ConcurrentWritesOnOneObjectDoNotInterleave)
{
    SdkObj o;
    ASSERT_EQ(o.open(port()), PRT_OK);
    constexpr int kBlock = 64 * 1024, kBlocks = 16;
    auto writer = [&o](char c, std::atomic<int>* failures) {
        const QByteArray block(kBlock, c);
        for (int i = 0; i < kBlocks; ++i)
            if (o.write(block) != PRT_OK)
                ++*failures;
    };
    std::atomic<int> failures{0};
    std::thread a(writer, 'A', &failures), b(writer, 'B', &failures);
    a.join();
    b.join();
    EXPECT_EQ(failures, 0);
    ASSERT_TRUE(prt::test::WaitReceived(printer, 2 * kBlock * kBlocks));
    const QByteArray got = printer.received();
    qsizetype runStart = 0;
    for (qsizetype i = 1; i <= got.size(); ++i) {
        if (i == got.size() || got[i] != got[runStart]) {
            ASSERT_EQ((i - runStart) % kBlock, 0) << "run of " << (i - runStart) << " at " << runStart;
            runStart = i;
        }
    }
}

TEST_F(NetSim, DestroyWhileAnotherThreadUsesTheObjectIsSafe)
{
    Handle h = 0;
    ASSERT_EQ(PrinterCreator(Lib::Tspl, &h, u"T"), PRT_OK);
    ASSERT_EQ(PortOpen(Lib::Tspl, h, prt::test::U16(port())), PRT_OK);
    std::atomic<bool> stop{false};
    std::atomic<int> unexpected{0};
    std::thread user([&] {
        const uint8_t data[16] = {};
        uint8_t buf[16];
        uint32_t n = 0;
        while (!stop) {
            const int w = WriteData(Lib::Tspl, h, data, sizeof data);
            const int r = ReadData(Lib::Tspl, h, buf, sizeof buf, &n);
            if ((w != PRT_OK && w != PRT_E_NO_OBJECT) || (r != PRT_OK && r != PRT_E_NO_OBJECT))
                ++unexpected;
            if (w == PRT_E_NO_OBJECT)
                break;
        }
    });
    ASSERT_TRUE(prt::test::WaitReceived(printer, 64));
    Handle mine = h;
    EXPECT_EQ(PrinterDestroy(Lib::Tspl, &mine), PRT_OK);
    user.join();
    stop = true;
    EXPECT_EQ(unexpected, 0);
}

// ---- serial over a pseudo-terminal ---------------------------------------------------

TEST(SdkCom, PtyRoundTripExclusiveOpenAndHangUp)
{
    SimPrinter printer;
    SimPty pty(printer);
    ASSERT_TRUE(pty.ok());
    prt::test::ScopedEnv env("PRT_COM_DEVICE_3", pty.slavePath());
    printer.script("~!T\r\n", "MODEL-X\r\n");

    SdkObj o(Lib::Tspl);
    ASSERT_EQ(o.open("COM3,BAUDRATE_115200"), PRT_OK);
    EXPECT_EQ(o.open("COM3,BAUDRATE_115200"), PRT_ALREADY_OPEN);
    // The line is in use: another object cannot open it.
    SdkObj other(Lib::Esc);
    EXPECT_EQ(other.open("COM3"), PRT_E_OPEN_FAILED);

    ASSERT_EQ(o.write("~!T\r\n"), PRT_OK);
    int rc = 0;
    EXPECT_EQ(o.readEof(2000, 64, 13, &rc), "MODEL-X\r");
    EXPECT_EQ(rc, PRT_OK);
    EXPECT_EQ(o.read(64), "\n");
    EXPECT_EQ(o.read(64, &rc), "");
    EXPECT_EQ(rc, PRT_OK);
    EXPECT_EQ(o.close(), PRT_OK);

    ASSERT_EQ(other.open("COM3"), PRT_OK);
    SimFaults f;
    f.disconnectAfterBytes = 2;
    printer.setFaults(f);
    ASSERT_EQ(other.write("abcdef"), PRT_OK);
    EXPECT_EQ(other.readEof(3000, 64, 13, &rc), "");
    EXPECT_EQ(rc, PRT_E_IO);
    EXPECT_NE(other.write("more"), PRT_OK);
    EXPECT_EQ(printer.received(), QByteArray("~!T\r\nab"));
}

TEST(SdkCom, MissingOrUnsuitableDevices)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath("not-a-tty");
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    prt::test::ScopedEnv missing("PRT_COM_DEVICE_7", dir.filePath("no-such-tty"));
    prt::test::ScopedEnv file("PRT_COM_DEVICE_8", plain);
    SdkObj o;
    EXPECT_EQ(o.open("COM7,BAUDRATE_9600"), PRT_E_NO_DEVICE);
    EXPECT_EQ(o.open("COM8,BAUDRATE_9600"), PRT_E_OPEN_FAILED);
    EXPECT_EQ(o.write("x"), PRT_E_NOT_OPEN);
}

// ---- parallel and USB ----------------------------------------------------------------

TEST(SdkLpt, WriteOnlyDeviceAndMissingDevice)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lp");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    prt::test::ScopedEnv env("PRT_LPT_DEVICE_2", path);
    prt::test::ScopedEnv gone("PRT_LPT_DEVICE_3", dir.filePath("no-lp"));
    SdkObj o(Lib::Esc);
    EXPECT_EQ(o.open("LPT3"), PRT_E_NO_DEVICE);
    ASSERT_EQ(o.open("LPT2"), PRT_OK);
    ASSERT_EQ(o.write("\x1B@hello"), PRT_OK);
    int rc = 0;
    EXPECT_EQ(o.read(8, &rc), "");
    EXPECT_EQ(rc, PRT_E_NOT_SUPPORTED);
    EXPECT_EQ(o.readEof(0, 8, 13, &rc), "");
    EXPECT_EQ(rc, PRT_E_NOT_SUPPORTED);
    EXPECT_EQ(o.close(), PRT_OK);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\x1B@hello"));
}

TEST(SdkUsb, NoPrinterAttachedFailsCleanly)
{
    SdkObj o;
    const int rc = o.open("USB");
    // This machine has no USB printer; without USB support at all the code says so.
    EXPECT_TRUE(rc == PRT_E_NO_DEVICE || rc == PRT_E_NO_USB) << rc;
    EXPECT_EQ(o.write("x"), PRT_E_NOT_OPEN);
    char ids[64];
    std::memset(ids, 'Z', sizeof ids);
    EXPECT_EQ(GetVidPid(ids), rc);
    EXPECT_EQ(QByteArray(ids, 64), QByteArray(64, '\0'));
    const QRegularExpression form(R"(^USB\\VID_[0-9A-F]{4}&PID_[0-9A-F]{4}\\[0-9.-]+$)");
    for (const QString& id : prt::EnumUsbDeviceIds())
        EXPECT_TRUE(form.match(id).hasMatch()) << id.toStdString();
}

TEST_F(NetSim, SerialNumberIsOnlyKnownOverUsb)
{
    SdkObj o;
    char sn[64];
    std::memset(sn, 'Z', sizeof sn);
    EXPECT_EQ(TSPL_GetSN(o.h, sn), PRT_E_NOT_OPEN);
    EXPECT_EQ(sn[0], '\0');
    ASSERT_EQ(o.open(port()), PRT_OK);
    std::memset(sn, 'Z', sizeof sn);
    EXPECT_EQ(TSPL_GetSN(o.h, sn), PRT_E_NOT_SUPPORTED);
    EXPECT_EQ(sn[0], '\0');
    EXPECT_EQ(TSPL_GetSN(o.h, nullptr), PRT_E_BAD_ARG);
}

// ---- bounded reads and pending input -------------------------------------------------

namespace {

// A printer that never stops talking: one byte every few milliseconds until stopped.
class TricklingPeer {
public:
    explicit TricklingPeer(int gapMs) : gapMs_(gapMs)
    {
        listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        ::bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(listen_, 1);
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] {
            const int fd = ::accept(listen_, nullptr, nullptr);
            // At most three seconds of bytes: a read without an overall bound takes them all.
            for (int i = 0; i < 3000 / gapMs_ && !stop_; ++i) {
                if (::send(fd, "z", 1, MSG_NOSIGNAL) != 1)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(gapMs_));
            }
            ::close(fd);
        });
    }
    ~TricklingPeer()
    {
        stop_ = true;
        ::shutdown(listen_, SHUT_RDWR);
        thread_.join();
        ::close(listen_);
    }
    QString port() const { return prt::test::NetPort(port_); }

private:
    int gapMs_;
    int listen_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace

// Read-to-end with no wait of its own stops after its overall bound (about one second of
// bytes) even when the printer keeps sending, instead of reading for as long as it talks.
TEST(SdkReadEof, TricklingPrinterCannotHoldTheReadBeyondItsBound)
{
    TricklingPeer peer(4);
    SdkObj o;
    ASSERT_EQ(o.open(peer.port()), PRT_OK);
    int rc = -1;
    const QByteArray got = o.readEof(0, 4096, 0, &rc);
    EXPECT_EQ(rc, PRT_OK);
    EXPECT_GT(got.size(), 0);
    // One second of bytes at one per 4 ms is at most 250; all three seconds would be 750.
    EXPECT_LE(got.size(), 1000 / 4 + 20) << "the read followed the printer past its bound";
}

// Pending input is dropped without waiting; the reply to the next request is read whole.
TEST_F(NetSim, DiscardInputDropsWhatIsPendingAndKeepsTheNextReply)
{
    printer.script("A", "LATE-REPLY-TO-REQUEST-1");
    printer.script("B", "REPLY-2");
    SdkObj o;
    ASSERT_EQ(o.open(port()), PRT_OK);
    ASSERT_EQ(o.write("A"), PRT_OK);
    EXPECT_EQ(o.read(4), "LATE");  // part of it taken, the rest is buffered
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    uint32_t dropped = 0;
    EXPECT_EQ(DiscardInput(Lib::Tspl, o.h, 65536, &dropped), PRT_OK);
    EXPECT_EQ(dropped, uint32_t(QByteArray("-REPLY-TO-REQUEST-1").size()));
    ASSERT_EQ(o.write("B"), PRT_OK);
    EXPECT_EQ(o.readEof(500, 7, 0), "REPLY-2");
    // Bounded: at most maxBytes are dropped at once, the rest stays.
    printer.script("C", "0123456789");
    ASSERT_EQ(o.write("C"), PRT_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(DiscardInput(Lib::Tspl, o.h, 4, &dropped), PRT_OK);
    EXPECT_EQ(dropped, 4u);
    EXPECT_EQ(o.read(64), "456789");
    // Nothing pending, a closed port, an unknown object.
    EXPECT_EQ(DiscardInput(Lib::Tspl, o.h, 64, &dropped), PRT_OK);
    EXPECT_EQ(dropped, 0u);
    EXPECT_EQ(PortIsOpen(Lib::Tspl, o.h), 1);
    ASSERT_EQ(o.close(), PRT_OK);
    EXPECT_EQ(PortIsOpen(Lib::Tspl, o.h), 0);
    EXPECT_EQ(DiscardInput(Lib::Tspl, o.h, 64, &dropped), PRT_E_NOT_OPEN);
    EXPECT_EQ(PortIsOpen(Lib::Tspl, 0), PRT_E_NO_OBJECT);
}
