// Device classes and the connection object over the fake engine.
#include "FakeEngine.h"
#include "TestSupport.h"
#include "PrtTexts.h"
#include "mdlDevBaseCpclPrt.h"
#include "mdlDevBaseEscPrt.h"
#include "mdlDevBaseTsplTscPrt.h"
#include "mdlDevNewPrt.h"
#include "mdlLinkSeams.h"
#include "mdlPrinterLib.h"

#include <gtest/gtest.h>

using namespace linktest;

namespace {
// A connection set up the way the main window fills it on selection.
void Select(TDevNewPrt& c, int kind, const QString& port)
{
    SetPrinterSdkKind(kind);
    PrtCreatePrinter(QStringLiteral("M"));
    c.PortTypeName = QStringLiteral("NET");
    c.PortType = TDevNewPrt::PortTypeFromName(c.PortTypeName);
    c.CreateDevice(kind);
    c.PortString = port;
    c.Device->SetHandle(PrtGetHandle());
}
} // namespace

TEST(LinkDevice, PortTypesAndDeviceKinds)
{
    const std::pair<const char*, int> types[] = {{"USB", 1}, {"COM", 2}, {"LPT", 3}, {"NET", 4}, {"usb", 0}, {"", 0}};
    for (const auto& [name, type] : types)
        EXPECT_EQ(TDevNewPrt::PortTypeFromName(QLatin1String(name)), type) << name;

    const std::pair<int, int> kinds[] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 1}, {5, 1}};
    for (const auto& [protocol, id] : kinds) {
        TDevNewPrt c;
        c.CreateDevice(protocol);
        ASSERT_TRUE(c.Device);
        EXPECT_EQ(c.Device->ProtocolId, id) << protocol;
    }
    TDevNewPrt fresh;
    EXPECT_EQ(fresh.PortType, 1);
    EXPECT_EQ(fresh.PortString, QStringLiteral("USB"));
    EXPECT_FALSE(fresh.Device);
}

TEST(LinkDevice, ProfileAndOptionCodesFromTheConstantsSeam)
{
    SetLinkConstVarProvider([](int ordinal) { return ordinal * 10; });
    TDevBaseTsplTscPrt d;
    SetLinkConstVarProvider({});
    EXPECT_EQ(d.OptionCodeA, 30);
    EXPECT_EQ(d.OptionCodeB, 80);
    EXPECT_EQ(d.OptionCodeC, 180);
    EXPECT_EQ(d.DevData1->OptionValue, 130);
    EXPECT_EQ(d.CmdPrefix, HexBytes("1B 1C 26 20 56 31 20"));
    EXPECT_EQ(d.KeyIdsA[11], 0x79);
    EXPECT_EQ(d.KeyIdsB[23], 0x191);
    EXPECT_EQ(d.DoKeys[0], QByteArray("\"reset_printer\""));
    EXPECT_EQ(d.DoKeys[8], QByteArray("R-REST_BT"));
    TDevBaseEscPrt e;
    EXPECT_EQ(e.OptionCodeA, 0);
}

TEST(LinkDevice, OpenOnceCloseThenOpenAgain)
{
    FakeEngineScope scope;
    TDevNewPrt c;
    Select(c, 1, QStringLiteral("NET,127.0.0.1"));
    EXPECT_TRUE(c.OpenWithMessage());
    EXPECT_EQ(c.OpenedFlag, -1);
    EXPECT_TRUE(c.OpenWithMessage());
    EXPECT_EQ(Fake().count("PortOpen"), 1);
    c.Close();
    c.Close();  // a second close does nothing
    EXPECT_EQ(Fake().count("PortClose"), 1);
    EXPECT_TRUE(c.OpenWithMessage());
    EXPECT_EQ(Fake().count("PortOpen"), 2);
    EXPECT_EQ(Fake().last("PortOpen")->text, QStringLiteral("NET,127.0.0.1"));
}

TEST(LinkDevice, OpenFailureTextAndBox)
{
    prt::SetLangText(QStringLiteral("_Err_OpenPort"), QStringLiteral("Open failed"));
    prt::SetLangText(QStringLiteral("_MSG_Title_Error"), QStringLiteral("Error"));
    prt::SetLangText(QStringLiteral("_PortResult-6"), QStringLiteral("no object"));
    prt::SetLangText(QStringLiteral("_PortResult5"), QStringLiteral("already open"));
    FakeEngineScope scope;
    TDevNewPrt c;
    c.CreateDevice(1);  // no engine object at all
    QString text;
    EXPECT_FALSE(c.Open(false, text));  // no box: the test main fails on any box
    EXPECT_EQ(text, QStringLiteral("Open failed:-6 (no object)"));
    EXPECT_EQ(c.LastOpenResult, -6);
    EXPECT_EQ(c.OpenedFlag, 0);

    // A CPCL device reports "already open" as a failure, with the box.
    Select(c, 3, QStringLiteral("USB"));
    Fake().openCodes = {5};
    prt::test::MsgBoxRecorder boxes;
    EXPECT_FALSE(c.OpenWithMessage());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Open failed:5 (already open)"));
    EXPECT_EQ(boxes.calls()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes.calls()[0].flags, 16u);
    // A TSPL device retries once inside its own open.
    Select(c, 1, QStringLiteral("USB"));
    Fake().openCodes = {5, 0};
    EXPECT_TRUE(c.OpenWithMessage());
    prt::ClearLangTexts();
}

TEST(LinkDevice, DoCommandBytes)
{
    FakeEngineScope scope;
    TDevNewPrt c;
    Select(c, 1, QStringLiteral("USB"));
    EXPECT_EQ(HexOf(c.BuildDoCommand("\"reset_printer\"")),
              HexOf(HexBytes("1B 1C 26 20 56 31 20") + "do \"reset_printer\"\r\n"));
    EXPECT_EQ(c.SendCommand("\"reset_printer\""), 0);
    EXPECT_EQ(Fake().written(), c.BuildDoCommand("\"reset_printer\""));
    Fake().writeCodes = {-15};
    EXPECT_EQ(c.SendCommand("\"reset_wifi\""), -1);
}

// Mended: the connection used to keep the handle it was given; after the link destroyed
// and re-created the global object it talked to a dead (or someone else's) object.
TEST(LinkDevice, FollowsTheCurrentGlobalObject)
{
    FakeEngineScope scope;
    TDevNewPrt c;
    Select(c, 1, QStringLiteral("USB"));
    const auto old = TsplGetHandle();
    TsplDestroyGlobalPrinter();
    TsplCreateGlobalPrinter(QStringLiteral("M"));
    ASSERT_NE(TsplGetHandle(), old);
    EXPECT_TRUE(c.OpenWithMessage());
    EXPECT_EQ(Fake().last("PortOpen")->handle, TsplGetHandle());
    c.Close();
    TsplDestroyGlobalPrinter();
    QString text;
    EXPECT_FALSE(c.Open(false, text));
    EXPECT_EQ(c.LastOpenResult, -6);
}

// Mended: the opened flag outlived the object it was opened on. The next open trusted it
// (nothing was opened, every write failed) and the close shut a port that the
// replacement object's user had opened.
TEST(LinkDevice, OpenedFlagDoesNotOutliveItsObject)
{
    FakeEngineScope scope;
    TDevNewPrt c;
    Select(c, 1, QStringLiteral("USB"));
    ASSERT_TRUE(c.OpenWithMessage());
    TsplCreateGlobalPrinter(QStringLiteral("M"));  // a new selection replaces the object
    Fake().calls.clear();
    EXPECT_TRUE(c.OpenWithMessage());
    ASSERT_EQ(Fake().count("PortOpen"), 1);
    EXPECT_EQ(Fake().last("PortOpen")->handle, TsplGetHandle());
    EXPECT_TRUE(c.OpenWithMessage());
    EXPECT_EQ(Fake().count("PortOpen"), 1) << "open on the same object stays a no-op";

    TsplCreateGlobalPrinter(QStringLiteral("M"));
    Fake().calls.clear();
    c.Close();
    EXPECT_EQ(Fake().count("PortClose"), 0);
    EXPECT_EQ(c.OpenedFlag, 0);
}

// Mended: SendCommandEx wrote the command even when its open had failed.
TEST(LinkDevice, SendCommandExWritesNothingAfterAFailedOpen)
{
    FakeEngineScope scope;
    TDevNewPrt c;
    Select(c, 1, QStringLiteral("USB"));
    Fake().openCodes = {-13};
    {
        prt::test::MsgBoxRecorder boxes;
        c.SendCommandEx(true, "\"reset_printer\"");
        EXPECT_EQ(boxes.calls().size(), 1u);
    }
    EXPECT_EQ(Fake().count("WriteData"), 0);
    EXPECT_EQ(Fake().count("PortClose"), 0);

    c.SendCommandEx(true, "\"reset_printer\"");
    EXPECT_EQ(Fake().count("WriteData"), 1);
    EXPECT_EQ(Fake().count("PortClose"), 1);
    EXPECT_EQ(c.OpenedFlag, 0);
}

// Mended: a device that never stops sending held the drain forever.
TEST(LinkDevice, ReadLoopDrainsAndIsBounded)
{
    FakeEngineScope scope;
    TDevNewPrt c;
    Select(c, 3, QStringLiteral("USB"));
    Fake().reads = {{"a"}, {"b"}, {"c"}, {"", 0}};
    EXPECT_EQ(c.ReadLoop(), 3u);
    Fake().reads = {{"a"}, {"b", -15}};
    EXPECT_EQ(c.ReadLoop(), 1u);
    Fake().endlessReads = true;
    EXPECT_LE(c.ReadLoop(), kDrainMaxBytes);
    EXPECT_LE(Fake().count("ReadData"), static_cast<int>(kDrainMaxBytes) + 10);
}

TEST(LinkDevice, ParamGlobalsStartValues)
{
    ParamGlobals().Switch.fill(7);
    ParamGlobals().Permission.fill(7);
    InitParamGlobals();
    const TParamGlobals& g = ParamGlobals();
    int nonZero = 0;
    for (int v : g.Switch)
        nonZero += v != 0;
    EXPECT_EQ(nonZero, 4);
    EXPECT_EQ(g.Switch[TParamGlobals::kSwitch31A], 31);
    EXPECT_EQ(g.Switch[TParamGlobals::kSwitch31B], 31);
    EXPECT_EQ(g.Switch[TParamGlobals::kSwitchFlagOne], 1);
    EXPECT_EQ(g.Switch[TParamGlobals::kSwitch99], 99);
    for (int v : g.Permission)
        EXPECT_EQ(v, 0);
    EXPECT_EQ(TParamGlobals::PermissionIndex(QStringLiteral("0102010001")), 0);
    EXPECT_EQ(TParamGlobals::PermissionIndex(QStringLiteral("9999010401")), 41);
    EXPECT_EQ(TParamGlobals::PermissionIndex(QStringLiteral("123")), -1);
}
