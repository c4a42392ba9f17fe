// Over-the-air firmware of a model switched by do "enter_ota": the printer restarts into its
// update mode, drops the connection and refuses connects for a while. The transfer's own
// reconnect loop (1 s apart, at most 15 s) runs against the simulator over loopback: it meets
// the refused connects and goes on once the printer is back, or gives up with the I/O error
// when the printer stays away too long.
#include "FormDFU_W16P.h"
#include "MainFixture.h"
#include "PrinterCMD.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "SimFirmware.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "mdlCurrentPrinter.h"
#include "mdlDLCommon.h"
#include "mdlGlobalVar.h"
#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlOTA.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace prt::sim;
using namespace prt::dl;

namespace {

void NoSleep(uint32_t) {}

// The global printer link, with the result of every open kept.
class RecordingLink : public TOtaGlobalLink {
public:
    int OpenPort() override
    {
        const int r = TOtaGlobalLink::OpenPort();
        opens.push_back(r);
        return r;
    }
    std::vector<int> opens;
};

class OtaReconnect : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        SetLabelConfigFileNames();
        PublishLanguageTexts(QStringLiteral("UtilityForLabelLanguage.ini"), QStringLiteral("1033"));
        gLangId = QStringLiteral("1033");
        LoadLanguageStrings();
        AddStandardHandlers(printer);
        SimSetValue(printer, "pack_length", QByteArray("\x00\x01\x00\x00", 4));  // 256
        server = std::make_unique<SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        SetCurrentPortString(server->portString());
        // a model updated over the air after do "enter_ota"
        ASSERT_EQ(OtaSwitchFor(GetModelName_W16(), 0, false), TOtaSwitch::EnterOta);
        SetCurrentPrinterNames(GetModelName_W16(), GetModelName_W16());
        SetPrinterSdkKind(0);
        ASSERT_EQ(TsplCreateGlobalPrinter(GetMainDefaultModelName()), 0);
        prt::SetSleepHook(&NoSleep);
        SetDLOpenFileDialog([this](QWidget*, const QString&) { return file; });
        file = prog.Root() + "fw.bin";
        for (int i = 0; i < 1000; ++i)
            image += char(i * 7 + i / 256);
        prt::test::WriteTestFile(file, image);
    }
    void TearDown() override
    {
        SetDLOpenFileDialog({});
        SetOtaSleeperForTests({});
        SetOtaTickForTests({});
        prt::SetSleepHook(nullptr);
        TsplDestroyGlobalPrinter();
        SetCmdOpenedFlag(0);
        server->stop();
        ClearLangStrings();
        mainwin::ResetMainState();
    }
    static QString T(const char* key) { return prt::LangText(QLatin1String(key)); }

    mainwin::TempProgram prog;
    SimPrinter printer;
    std::unique_ptr<SimTcpServer> server;
    prt::test::MsgBoxRecorder boxes;
    QString file;
    QByteArray image;
};

} // namespace

TEST_F(OtaReconnect, TheTransferMeetsRefusedConnectsThenGoesOnWhenThePrinterIsBack)
{
    SimEditFirmware(printer, [](SimFirmwareState& s) { s.otaRestartMs = 1500; });
    // the waits a tenth as long: a reconnect every 100 ms, on the real clock
    std::atomic<int> reconnectWaits{0};
    TOtaHooks hooks;
    hooks.sleep = [&](uint32_t ms) {
        if (ms == 1000)
            ++reconnectWaits;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms / 10));
    };
    RecordingLink link;
    TDLSdkKindGuard kind;
    const TOtaOutcome out = RunOtaTransfer(link, image, TOtaSwitch::EnterOta, false, hooks);
    EXPECT_EQ(out.result, TOtaResult::Success);
    EXPECT_EQ(out.packageLength, 256u);
    EXPECT_EQ(out.packets, 4);
    // the first open, the reconnects (refused while the printer restarts, then open), and
    // the open for the packets
    ASSERT_GE(link.opens.size(), 4u) << "at least one reconnect was refused";
    EXPECT_EQ(link.opens.front(), 0);
    EXPECT_TRUE(std::all_of(link.opens.begin() + 1, link.opens.end() - 2, [](int r) { return r != 0; }));
    EXPECT_EQ(link.opens[link.opens.size() - 2], 0);
    EXPECT_EQ(link.opens.back(), 0);
    EXPECT_EQ(size_t(reconnectWaits.load()), link.opens.size() - 2) << "one wait before each reconnect";
    EXPECT_LE(reconnectWaits.load(), 16);
    const SimFirmwareState s = SimFirmware(printer);
    EXPECT_EQ(s.otaRestarts, 1);
    EXPECT_EQ(s.otaImage, image);
    EXPECT_EQ(s.otaPackets.size(), 4u);
    EXPECT_EQ(SimDoLog(printer), std::vector<QByteArray>{"\"enter_ota\""});
}

TEST_F(OtaReconnect, TheWindowUpdatesThePrinterAfterItsRestart)
{
    SimEditFirmware(printer, [](SimFirmwareState& s) { s.otaRestartMs = 600; });
    std::atomic<int> reconnectWaits{0};
    SetOtaSleeperForTests([&](uint32_t ms) {
        if (ms == 1000)
            ++reconnectWaits;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms / 10));
    });
    TfrmDFU_W16P f;
    f.show();
    f.Button2Click();
    f.btnDownloadClick();
    f.WaitForSender();
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    EXPECT_FALSE(f.IsRunning());
    EXPECT_GE(reconnectWaits.load(), 2) << "at least one reconnect was refused";
    const SimFirmwareState s = SimFirmware(printer);
    EXPECT_EQ(s.otaRestarts, 1);
    EXPECT_EQ(s.otaImage, image);
    f.close();
}

TEST_F(OtaReconnect, APrinterAwayLongerThanFifteenSecondsGivesTheIoErrorAndNothingIsSent)
{
    // the printer stays away far longer than the loop's limit; the loop's clock runs on
    // its waits, so the 15 s pass at once
    SimEditFirmware(printer, [](SimFirmwareState& s) { s.otaRestartMs = 60000; });
    std::atomic<uint32_t> clock{5000};
    std::atomic<int> reconnectWaits{0};
    SetOtaTickForTests([&] { return clock.load(); });
    SetOtaSleeperForTests([&](uint32_t ms) {
        clock += ms;
        if (ms == 1000) {
            ++reconnectWaits;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the printer takes the command first
        }
    });
    TfrmDFU_W16P f;
    f.show();
    f.Button2Click();
    const QByteArray before = printer.received();
    f.btnDownloadClick();
    f.WaitForSender();
    EXPECT_EQ(boxes.texts(), QStringList{T("FormDownloadFont_ErrIO")});
    EXPECT_EQ(reconnectWaits.load(), 16) << "until more than 15000 ms have passed";
    const QByteArray sent = printer.received().mid(before.size());
    EXPECT_EQ(sent, QByteArray("\x1B\x1C\x26\x20\x56\x31\x20", 7) + "do \"enter_ota\"\r\n") << "no package length, no packet";
    const SimFirmwareState s = SimFirmware(printer);
    EXPECT_EQ(s.otaRestarts, 1);
    EXPECT_TRUE(s.otaPackets.empty());
    EXPECT_TRUE(f.IsRunning()) << "the cancel caption stays until the operator clicks";
    f.btnDownloadClick();
    EXPECT_FALSE(f.IsRunning());
    EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFont_btnDownload"));
    f.close();
}
