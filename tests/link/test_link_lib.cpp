// Port layer: dispatcher routing, the TSPL open rule, the COM-open flag, create/destroy,
// the read with retries and the small helpers, over a counting fake engine.
#include "FakeEngine.h"
#include "PrtTick.h"
#include "mdlPrinterLib.h"

#include <gtest/gtest.h>
#include <thread>

using namespace linktest;
using prt::sdk::Lib;

TEST(LinkDispatcher, RoutesEachKindToItsLibrary)
{
    struct Case { int kind; Lib lib; };
    const Case cases[] = {{0, Lib::Esc}, {1, Lib::Tspl}, {2, Lib::Tspl}, {3, Lib::Cpcl},
                          {4, Lib::Tspl}, {5, Lib::Tspl}, {-1, Lib::Tspl}};
    for (const Case& c : cases) {
        FakeEngineScope scope;
        SetPrinterSdkKind(c.kind);
        ASSERT_EQ(PrtCreatePrinter(QStringLiteral("M1")), 0);
        EXPECT_NE(PrtGetHandle(), 0u);
        PrtOpenPort(QStringLiteral("USB"));
        PrtWriteData(QByteArray("ab"));
        uint8_t buf[4];
        uint32_t n = 0;
        PrtReadData(buf, 4, &n);
        PrtReadDataEOF(buf, 0, 4, 0, 0, &n);
        PrtClosePort();
        PrtDestroyPrinter();
        for (const char* fn : {"PrinterCreator", "PortOpen", "WriteData", "ReadData", "ReadDataEOF", "PortClose",
                               "PrinterDestroy"})
            EXPECT_EQ(Fake().count(fn, c.lib), 1) << "kind " << c.kind << " " << fn;
        EXPECT_EQ(static_cast<int>(Fake().calls.size()), 7) << "kind " << c.kind << ": another library was called";
    }
}

TEST(LinkDispatcher, OpenWithoutObjectIsMinusSixOnEveryLibrary)
{
    FakeEngineScope scope;
    EXPECT_EQ(TsplOpenPort(QStringLiteral("USB")), -6);
    EXPECT_EQ(CpclOpenPort(QStringLiteral("USB")), -6);
    EXPECT_EQ(EscOpenPort(QStringLiteral("USB")), -6);
    EXPECT_EQ(Fake().count("PortOpen"), 0);
}

TEST(LinkTsplOpen, AlreadyOpenIsAnsweredByOneCloseAndOneMoreOpen)
{
    struct Case { std::deque<int> codes; int result; int opens; int closes; };
    const Case cases[] = {
        {{0}, 0, 1, 0},
        {{5, 0}, 0, 2, 1},
        {{5, 5}, 5, 2, 1},  // twice "already open": the second code is the answer
        {{-13}, -13, 1, 0},
    };
    for (const Case& c : cases) {
        FakeEngineScope scope;
        TsplCreateGlobalPrinter(QStringLiteral("M"));
        Fake().calls.clear();
        Fake().openCodes = c.codes;
        EXPECT_EQ(TsplOpenPort(QStringLiteral("NET,127.0.0.1")), c.result);
        EXPECT_EQ(Fake().count("PortOpen"), c.opens);
        EXPECT_EQ(Fake().count("PortClose"), c.closes);
    }
}

TEST(LinkTsplOpen, CpclAndEscPassAlreadyOpenBack)
{
    FakeEngineScope scope;
    CpclCreateGlobalPrinter(QStringLiteral("M"));
    EscCreateGlobalPrinter(QStringLiteral("M"));
    Fake().openCodes = {5, 5};
    EXPECT_EQ(CpclOpenPort(QStringLiteral("USB")), 5);
    EXPECT_EQ(EscOpenPort(QStringLiteral("USB")), 5);
    EXPECT_EQ(Fake().count("PortOpen"), 2);
    EXPECT_EQ(Fake().count("PortClose"), 0);
}

TEST(LinkComFlag, SerialPortStaysOpenUntilClosed)
{
    FakeEngineScope scope;
    const QString com = QStringLiteral("COM3,BAUDRATE_9600");
    SetCurrentPortString(com);
    TsplCreateGlobalPrinter(QStringLiteral("M"));
    ASSERT_EQ(TsplOpenPort(com), 0);
    EXPECT_EQ(GetComOpenFlag(), -1);
    EXPECT_EQ(TsplOpenPort(com), 0);
    EXPECT_EQ(Fake().count("PortOpen"), 1) << "the second open must not reach the engine";
    TsplClosePort();
    EXPECT_EQ(GetComOpenFlag(), 0);
    EXPECT_EQ(TsplOpenPort(com), 0);
    EXPECT_EQ(Fake().count("PortOpen"), 2);
    // The flag belongs to the object's port: closing that port clears it whatever the
    // current port string says, by either close.
    SetCurrentPortString(QStringLiteral("USB"));
    TsplClosePort();
    EXPECT_EQ(GetComOpenFlag(), 0);
    ASSERT_EQ(TsplOpenPort(com), 0);
    EXPECT_EQ(GetComOpenFlag(), -1);
    TsplClosePortByName(QStringLiteral("USB"));
    EXPECT_EQ(GetComOpenFlag(), 0);
    // Another serial port string is opened for real.
    ASSERT_EQ(TsplOpenPort(com), 0);
    const int opens = Fake().count("PortOpen");
    EXPECT_EQ(TsplOpenPort(QStringLiteral("COM4,BAUDRATE_9600")), 0);
    EXPECT_GT(Fake().count("PortOpen"), opens) << "COM4 must reach the engine";
    EXPECT_EQ(Fake().last("PortOpen")->text, QStringLiteral("COM4,BAUDRATE_9600"));
}

// Re-creating and destroying the global object from several threads at once leaves no
// object behind: each replacement is one step.
TEST(LinkCreate, ConcurrentRecreationLeaksNoObject)
{
    const int before = prt::sdk::LiveObjectCount(prt::sdk::Lib::Tspl);
    auto churn = [] {
        for (int i = 0; i < 3000; ++i) {
            TsplCreateGlobalPrinter(QStringLiteral("M"));
            if (i % 7 == 0)
                TsplDestroyGlobalPrinter();
        }
    };
    std::thread a(churn), b(churn);
    a.join();
    b.join();
    TsplDestroyGlobalPrinter();
    EXPECT_EQ(prt::sdk::LiveObjectCount(prt::sdk::Lib::Tspl), before);
}

TEST(LinkComFlag, OnlyUpperCaseComAndOnlySuccessSetIt)
{
    struct Case { const char* port; int code; int flag; };
    const Case cases[] = {{"com3,BAUDRATE_9600", 0, 0}, {"COM3,BAUDRATE_9600", -11, 0}, {"COM3,BAUDRATE_9600", 0, -1},
                          {"NET,127.0.0.1", 0, 0}};
    for (const Case& c : cases) {
        FakeEngineScope scope;
        TsplCreateGlobalPrinter(QStringLiteral("M"));
        Fake().openCodes = {c.code};
        TsplOpenPort(QString::fromLatin1(c.port));
        EXPECT_EQ(GetComOpenFlag(), c.flag) << c.port << " " << c.code;
    }
}

// Mended: a second create used to leak the object and its open port, and the flag
// outlived the object it described.
TEST(LinkCreate, CreateReplacesTheOldObjectAndClearsTheComFlag)
{
    FakeEngineScope scope;
    const QString com = QStringLiteral("COM3,BAUDRATE_9600");
    SetCurrentPortString(com);
    TsplCreateGlobalPrinter(QStringLiteral("M"));
    const auto first = TsplGetHandle();
    ASSERT_EQ(TsplOpenPort(com), 0);
    ASSERT_EQ(GetComOpenFlag(), -1);

    TsplCreateGlobalPrinter(QStringLiteral("M"));
    EXPECT_EQ(Fake().count("PrinterDestroy"), 1);
    ASSERT_NE(Fake().last("PrinterDestroy"), nullptr);
    EXPECT_EQ(Fake().last("PrinterDestroy")->handle, first);
    EXPECT_EQ(Fake().count("PortClose"), 1);
    EXPECT_EQ(GetComOpenFlag(), 0);
    EXPECT_NE(TsplGetHandle(), first);
    // The new object really gets opened.
    EXPECT_EQ(TsplOpenPort(com), 0);
    EXPECT_EQ(Fake().count("PortOpen"), 2);

    ASSERT_EQ(GetComOpenFlag(), -1);
    TsplDestroyGlobalPrinter();
    EXPECT_EQ(GetComOpenFlag(), 0) << "the flag must not outlive its object";
    EXPECT_EQ(TsplGetHandle(), 0u);
}

TEST(LinkCreate, FailedCreateLeavesNoHandle)
{
    FakeEngineScope scope;
    Fake().createCode = -12;
    EXPECT_EQ(EscCreateGlobalPrinter(QStringLiteral("M")), -12);
    EXPECT_EQ(EscGetHandle(), 0u);
    EXPECT_EQ(EscOpenPort(QStringLiteral("USB")), -6);
}

TEST(LinkReadRetry, AssemblesASplitReplyWithOneSleep)
{
    FakeEngineScope scope;
    TsplCreateGlobalPrinter(QStringLiteral("M"));
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    Fake().reads = {{all.left(200)}, {all.mid(200)}};
    uint8_t buf[256] = {};
    uint32_t count = 0;
    EXPECT_EQ(TsplReadDataRetry(buf, 256, &count, 100, 2), 0);
    EXPECT_EQ(count, 256u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(buf), 256), all);
    EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({100}));
    // The second read asked only for the missing bytes.
    EXPECT_EQ(Fake().last("ReadData")->data, QByteArray("56"));
}

TEST(LinkReadRetry, ShortReplyAndFailuresKeepTryingAndSleepAfterTheLastTry)
{
    FakeEngineScope scope;
    TsplCreateGlobalPrinter(QStringLiteral("M"));
    Fake().reads = {{QByteArray("ab"), -15}, {QByteArray("c"), 0}};
    uint8_t buf[8] = {};
    uint32_t count = 0;
    EXPECT_EQ(TsplReadDataRetry(buf, 8, &count, 30, 2), 0);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(buf), 3), QByteArray("abc"));
    EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({30, 30}));
}

TEST(LinkHelpers, ProtocolNamesTicksAndIds)
{
    const std::pair<int, const char*> names[] = {{3, "CPCL"}, {1, "TSPL"}, {0, "ESC"}, {4, "ZPL"}, {2, "2"}, {5, "5"}};
    for (const auto& [n, text] : names)
        EXPECT_EQ(ProtocolNameOf(n), QLatin1String(text));
    EXPECT_EQ(TickDiff(4294967290u, 5), 10u);
    EXPECT_EQ(TickDiff(5, 5), 0u);
    EXPECT_EQ(TickDiff(100, 350), 250u);

    FakeEngineScope scope;
    Fake().vidPid = QByteArray("VID_1234&PID_ABCD");
    EXPECT_EQ(GetUsbVidPidText(), QStringLiteral("VID_1234&PID_ABCD"));
    Fake().vidPidCode = -11;
    EXPECT_EQ(GetUsbVidPidText(), QString());
    TsplCreateGlobalPrinter(QStringLiteral("M"));
    QByteArray sn;
    EXPECT_EQ(TsplGetSN(sn), 0);
    EXPECT_EQ(sn, QByteArray("SN123"));
}

TEST(LinkHelpers, CallerOwnedHandleRetriesOnceAndRejectsZero)
{
    FakeEngineScope scope;
    EXPECT_EQ(TsplPortOpen(0, QStringLiteral("USB")), -6);
    prt::sdk::Handle h = 0;
    ASSERT_EQ(TsplPrinterCreator(&h, QStringLiteral("M")), 0);
    Fake().openCodes = {5, 0};
    EXPECT_EQ(TsplPortOpen(h, QStringLiteral("NET,127.0.0.1")), 0);
    EXPECT_EQ(Fake().count("PortClose"), 1);
    EXPECT_EQ(TsplGetHandle(), 0u) << "the global object is not involved";
    EXPECT_EQ(TsplProtocolId(), 1);
}

TEST(LinkHelpers, DelayMsEndsEvenWhenSleepsAreHooked)
{
    FakeEngineScope scope;  // sleeps are counted, not slept
    const uint32_t d = DelayMs(120);
    EXPECT_GE(d, 120u);
    EXPECT_GE(Fake().sleeps.size(), 3u);
    for (uint32_t s : Fake().sleeps)
        EXPECT_EQ(s, 50u);
}

TEST(LinkEnsureObject, RecreatesTheObjectOfTheCurrentKindWithTheLastModelText)
{
    FakeEngineScope scope;
    SetPrinterSdkKind(1);
    ASSERT_EQ(TsplCreateGlobalPrinter(QStringLiteral("V64")), 0);
    EXPECT_EQ(GetPrinterObjectModel(), QStringLiteral("V64"));
    // An existing object is left alone.
    EXPECT_EQ(EnsurePrinterObject(), 0);
    EXPECT_EQ(Fake().count("PrinterCreator"), 1);
    // After a close-and-destroy the next open would get -6: ensuring creates it again.
    TsplDestroyGlobalPrinter();
    EXPECT_EQ(TsplOpenPort(QStringLiteral("USB")), -6);
    EXPECT_EQ(EnsurePrinterObject(), 0);
    EXPECT_NE(TsplGetHandle(), 0u);
    EXPECT_EQ(TsplOpenPort(QStringLiteral("USB")), 0);
    EXPECT_EQ(Fake().count("PrinterCreator", Lib::Tspl), 2);

    // Kind 0 ensures the ESC object; the TSPL variant ensures TSPL whatever the kind.
    SetPrinterSdkKind(0);
    EXPECT_EQ(EnsurePrinterObject(), 0);
    EXPECT_NE(EscGetHandle(), 0u);
    EXPECT_EQ(Fake().count("PrinterCreator", Lib::Esc), 1);
    TsplDestroyGlobalPrinter();
    EXPECT_EQ(EnsureTsplPrinterObject(), 0);
    EXPECT_NE(TsplGetHandle(), 0u);
    EscDestroyPrinter();
    SetPrinterSdkKind(0);
}
