// The bulk firmware update: its wire bytes and port strings, the split of discovery replies,
// and the window end to end against simulated network printers on 127.0.0.x sharing one
// TCP port, found by a loopback discovery responder.
#include "FormFWAllUpdate.h"
#include "MainFixture.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "SimFirmware.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "SimUdpResponder.h"
#include "TestSupport.h"
#include "mdlCurrentPrinter.h"
#include "mdlDLCommon.h"
#include "mdlFWAllUpdate.h"
#include "mdlFormOpeners.h"
#include "mdlGlobalVar.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlNetDiscovery.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <chrono>
#include <gtest/gtest.h>
#include <set>
#include <thread>

using namespace prt::sim;
using namespace prt::dl;

namespace {


// A discovery reply of eight lines: the address first, the bulk update's name last.
QByteArray Reply(const QByteArray& address, const QByteArray& name)
{
    return address + "\r\nList name\r\n2\r\n3\r\n4\r\n5\r\n6\r\n" + name;
}

} // namespace

TEST(BulkWire, DoFramePortStringsAndChunkTotals)
{
    EXPECT_EQ(BulkDoFrame("\"dfu\""), QByteArray("\x1B\x1C\x26\x20\x56\x31\x20" "do \"dfu\"\r\n"));
    SetBulkUpdateTcpPortOverride(0);
    const struct {
        const char* address;
        const char* port;
    } plain[] = {
        {"192.168.1.20", "NET,192.168.1.20"},
        {"10.0.0.256", ""},
        {" 10.0.0.1", ""},
        {"10.0.0", ""},
        {"printer.local", ""},
        {"", ""},
    };
    for (const auto& c : plain)
        EXPECT_EQ(BulkUpdatePortString(c.address), QString(c.port)) << c.address;
    SetBulkUpdateTcpPortOverride(9200);
    EXPECT_EQ(BulkUpdatePortString("127.0.0.3"), "NET,127.0.0.3:9200");
    SetBulkUpdateTcpPortOverride(0);
    {
        prt::test::ScopedEnv env("PRT_BULK_UPDATE_TCP_PORT", "9300");
        EXPECT_EQ(BulkUpdatePortString("127.0.0.4"), "NET,127.0.0.4:9300");
    }
    const std::pair<qint64, qint64> totals[] = {{0, 0}, {1, 1}, {1024, 1}, {1025, 2}, {1177, 2}, {2048, 2}, {2049, 3}};
    for (const auto& [size, total] : totals)
        EXPECT_EQ(BulkChunkTotal(size), total) << size;
}

TEST(DiscoverySplit, LinesAtCrLf)
{
    const struct {
        QString text;
        QStringList lines;
    } cases[] = {
        {"A\r\nB", {"A", "B"}},
        {"A\r\n", {"A", ""}},
        {"A", {"A"}},
        {"", {""}},
        {"A\rB\nC", {"A\rB\nC"}},
        {"\r\n\r\n", {"", "", ""}},
        {"A\r\n\r\nB", {"A", "", "B"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitDiscoveryReply(c.text, "\r\n"), c.lines) << c.text.toStdString();

    const TDiscoveryReply full = ParseDiscoveryReply(Reply("10.1.2.3", "Dock printer"));
    EXPECT_EQ(full.Line(0), "10.1.2.3");
    EXPECT_EQ(full.Line(1), "List name");
    EXPECT_EQ(full.Line(7), "Dock printer");
    const TDiscoveryReply shortReply = ParseDiscoveryReply("10.1.2.4\r\nOnly a name");
    EXPECT_EQ(shortReply.Line(7), QString()) << "a reply without line 7 has an empty name";
}

namespace {

class BulkWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        SetLabelConfigFileNames();
        LoadParameterSetKeys();
        PublishLanguageTexts(QStringLiteral("UtilityForLabelLanguage.ini"), QStringLiteral("1033"));
        ASSERT_EQ(T("FormBulkUpdates"), "Bulk Firmware Update") << "the shipped texts";
        AddStandardHandlers(printerA);
        AddStandardHandlers(printerB);
        serverA = std::make_unique<SimTcpServer>(printerA, 0, SimReceiveLog{}, "127.0.0.2");
        ASSERT_TRUE(serverA->ok());
        serverB = std::make_unique<SimTcpServer>(printerB, serverA->port(), SimReceiveLog{}, "127.0.0.3");
        ASSERT_TRUE(serverB->ok()) << "a second printer on the same port";
        SetBulkUpdateTcpPortOverride(serverA->port());
        SetCurrentPrinterNames(GetModelName_V64(), GetModelName_V64());
        prt::dl::SetDLOpenFileDialog([this](QWidget*, const QString&) {
            ++dialogs;
            return nextFile;
        });
        // every wait of the workers a fiftieth as long
        SetBulkUpdateSleeperForTests([](uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms / 50)); });
        file = File("fw.gdl", SimGdlFileBlock(1025, 2, "APP.BIN", "V1.2.3") + SimGdlFileBlock(0, 5, "CFG.BIN", "V9"));
    }
    void TearDown() override
    {
        SetDiscoveryTargetOverride({});
        SetBulkUpdateTcpPortOverride(0);
        SetBulkUpdateSleeperForTests({});
        prt::dl::SetDLOpenFileDialog({});
        serverA->stop();
        serverB->stop();
        mainwin::ResetMainState();
    }
    QString File(const QString& name, const QByteArray& bytes)
    {
        const QString path = prog.Root() + name;
        prt::test::WriteTestFile(path, bytes);
        return path;
    }
    static QString T(const char* key) { return prt::LangText(QLatin1String(key)); }
    std::unique_ptr<SimUdpResponder> Responder(std::vector<SimUdpResponder::Printer> printers)
    {
        auto r = std::make_unique<SimUdpResponder>(std::move(printers), DiscoveryRequest());
        EXPECT_TRUE(r->ok());
        SetDiscoveryTargetOverride(r->target());
        return r;
    }
    void Scan(TForm11& f)
    {
        f.IdUDPClient1->IdleMs = 150;
        f.ScanEndDelayMs = 0;
        f.btnFWClick();
        EXPECT_FALSE(f.btnFW->isEnabled()) << "off while it scans";
        f.WaitForIdle();
        EXPECT_TRUE(f.btnFW->isEnabled());
    }
    static QStringList Column(QTreeWidget* list, int column)
    {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(column);
        return out;
    }

    mainwin::TempProgram prog;
    SimPrinter printerA, printerB;
    std::unique_ptr<SimTcpServer> serverA, serverB;
    prt::test::MsgBoxRecorder boxes;
    QString nextFile, file;
    int dialogs = 0;
};

} // namespace

TEST_F(BulkWin, ThreePrintersSuccessRefusedHeaderAndNothingListening)
{
    SimEditFirmware(printerB, [](SimFirmwareState& s) { s.headerStatus[0] = 2; });
    auto responder = Responder({{Reply("127.0.0.2", "Printer A"), 0},
                                {Reply("127.0.0.3", "Printer B"), 40},
                                {Reply("127.0.0.4", "Printer C"), 80},
                                {Reply("127.0.0.2", "Printer A again"), 120}});
    bool ran = false;
    SetFormShowHook([&](QWidget* w) {
        auto* f = qobject_cast<TForm11*>(w);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(FWAllUpdateForm(), f) << "handed over before the show";
        f->show();
        EXPECT_EQ(f->windowTitle(), T("FormBulkUpdates"));
        EXPECT_EQ(f->btnFW->text(), T("FormDownloadScanPrinter"));
        EXPECT_EQ(f->lblPrinterFailList->text(), T("FormDownloadUpdateFWLabel"));
        EXPECT_EQ(f->lvPortList->headerItem()->text(3), T("FormDownloadProgerss"));
        Scan(*f);
        EXPECT_EQ(responder->received(), QList<QByteArray>{DiscoveryRequest()});
        EXPECT_EQ(Column(f->lvPortList, 0), QStringList({"Printer A", "Printer B", "Printer C"}))
            << "in the order of the replies; an address already listed is ignored";
        EXPECT_EQ(Column(f->lvPortList, 1), QStringList({"127.0.0.2", "127.0.0.3", "127.0.0.4"}));
        EXPECT_EQ(Column(f->lvPortList, 2), QStringList(3, T("FormDownloadStatus_Ready")));

        nextFile = file;
        f->Button2Click();
        EXPECT_EQ(f->txtFileName->text(), file);
        f->btnDownloadClick();
        EXPECT_TRUE(f->IsRunning());
        for (QWidget* off : {static_cast<QWidget*>(f->btnFW), static_cast<QWidget*>(f->Button2),
                             static_cast<QWidget*>(f->btnDownload), static_cast<QWidget*>(f->btnClose)})
            EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString() << " is off during a run";
        f->WaitForIdle();
        EXPECT_FALSE(f->IsRunning());
        EXPECT_TRUE(f->btnDownload->isEnabled());
        EXPECT_TRUE(f->btnClose->isEnabled());
        EXPECT_EQ(f->FinishedCount(), 3);
        EXPECT_EQ(Column(f->lvPortList, 2), QStringList({T("FormDownloadStatus_Success"), T("FormDownloadStatus_Fail"),
                                                         T("FormDownloadStatus_Fail")}));
        EXPECT_EQ(f->lvPortList->topLevelItem(0)->text(3),
                  ReplaceFirst(ReplaceFirst(T("FormGDL_lblProgressInfo"), "{1}", "2"), "{2}", "2"));
        const QStringList failedNames = Column(f->listFailPort, 0), failedAddresses = Column(f->listFailPort, 1);
        EXPECT_EQ(std::set<QString>(failedNames.begin(), failedNames.end()), (std::set<QString>{"Printer B", "Printer C"}));
        EXPECT_EQ(std::set<QString>(failedAddresses.begin(), failedAddresses.end()),
                  (std::set<QString>{"127.0.0.3", "127.0.0.4"}));
        f->adjustSize();
        EXPECT_TRUE(f->grab().save(QStringLiteral(PRT_DL_TEST_OUT_DIR) + "/TForm11.png"));
        ran = true;
    });
    ASSERT_TRUE(ShowFormModal("TForm11", [](QWidget* w) { CallFormHook(w, "SetFWAllUpdateForm"); }));
    SetFormShowHook({});
    ASSERT_TRUE(ran);
    EXPECT_EQ(FWAllUpdateForm(), nullptr) << "cleared when the window goes";

    // one open failure box (nothing listens on 127.0.0.4), then the one end box
    ASSERT_EQ(boxes.calls().size(), 2u) << boxes.texts().join(" | ").toStdString();
    EXPECT_EQ(boxes.calls()[0].text, "Failed to open the port:-13 (network connection refused or unreachable)");
    EXPECT_EQ(boxes.calls()[0].caption, T("_MSG_Title_Error"));
    EXPECT_EQ(boxes.calls()[0].flags, 16u);
    EXPECT_EQ(boxes.calls()[1].text, T("FormDownloadDownloadEndTip"));
    EXPECT_EQ(boxes.calls()[1].flags, 64u);

    const SimFirmwareState a = SimFirmware(printerA);
    EXPECT_EQ(a.dfuCount, 1);
    ASSERT_EQ(a.blocks.size(), 2u);
    EXPECT_EQ(a.blocks[0].header + a.blocks[0].body + a.blocks[1].header + a.blocks[1].body,
              prt::test::ReadTestFile(file));
    const SimFirmwareState b = SimFirmware(printerB);
    EXPECT_EQ(b.dfuCount, 1);
    ASSERT_EQ(b.blocks.size(), 1u) << "nothing more after a refused header";
    EXPECT_TRUE(b.blocks[0].body.isEmpty());
}

TEST_F(BulkWin, FileChoiceAndStartNeedPrintersAndAGoodFile)
{
    auto responder = Responder({{Reply("127.0.0.2", "Printer A"), 0}});
    TForm11 f;
    f.show();
    nextFile = file;
    f.Button2Click();
    EXPECT_EQ(dialogs, 0) << "no printer listed yet";
    EXPECT_EQ(boxes.texts(), QStringList{T("FormDownloadScanPrinterTip")});
    boxes.clear();

    Scan(f);
    ASSERT_EQ(f.lvPortList->topLevelItemCount(), 1);
    f.btnDownloadClick();
    EXPECT_EQ(boxes.texts(), QStringList{T("_Err_FileNotExist")}) << "no firmware chosen";
    boxes.clear();

    // a file whose body runs past its end: named fault, cannot start
    nextFile = File("cut.gdl", SimGdlFileBlock(1025, 2, "APP.BIN", "V1").left(600));
    f.Button2Click();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_FALSE(boxes.calls()[0].text.isEmpty());
    EXPECT_EQ(f.Firmware(), nullptr);
    boxes.clear();
    f.btnDownloadClick();
    EXPECT_EQ(boxes.texts(), QStringList{T("_Err_FileNotExist")});
    // something there that cannot be read is not "does not exist", when chosen or started
    for (const QString& path : prt::test::UnreadableFilePaths(prog.Root(), "locked.gdl")) {
        SCOPED_TRACE(path.toStdString());
        const QString message = T("Lang_All_00010011_11").replace("{0}", path);
        boxes.clear();
        nextFile = path;
        f.Button2Click();
        EXPECT_EQ(boxes.texts(), QStringList{message});
        EXPECT_EQ(f.Firmware(), nullptr);
        boxes.clear();
        f.btnDownloadClick();
        EXPECT_EQ(boxes.texts(), QStringList{message});
    }
    EXPECT_FALSE(f.IsRunning());
    EXPECT_EQ(SimFirmware(printerA).dfuCount, 0) << "nothing sent";
}

TEST_F(BulkWin, AStartAgainClearsTheFailureListAndCountsAfresh)
{
    SimEditFirmware(printerB, [](SimFirmwareState& s) { s.finalStatus = 3; });
    auto responder = Responder({{Reply("127.0.0.2", "Printer A"), 0}, {Reply("127.0.0.3", "Printer B"), 30}});
    TForm11 f;
    f.show();
    Scan(f);
    nextFile = file;
    f.Button2Click();
    f.btnDownloadClick();
    f.WaitForIdle();
    EXPECT_EQ(Column(f.listFailPort, 0), QStringList{"Printer B"}) << "a refused final status fails the row";
    SimEditFirmware(printerB, [](SimFirmwareState& s) { s.finalStatus = 0; });
    boxes.clear();
    f.btnDownloadClick();
    EXPECT_EQ(f.listFailPort->topLevelItemCount(), 0) << "cleared at the start";
    f.WaitForIdle();
    EXPECT_EQ(f.FinishedCount(), 2);
    EXPECT_EQ(f.listFailPort->topLevelItemCount(), 0);
    EXPECT_EQ(boxes.texts(), QStringList{T("FormDownloadDownloadEndTip")}) << "one end box per run";
    EXPECT_EQ(SimFirmware(printerA).dfuCount, 2);
}

TEST_F(BulkWin, ClosingDuringARunStopsAndJoinsTheWorkers)
{
    // the printer never answers the final status: the worker would wait 101 s
    SimEditFirmware(printerA, [](SimFirmwareState& s) { s.finalStatus = -1; });
    SetBulkUpdateSleeperForTests({});  // the real, stoppable waits
    auto responder = Responder({{Reply("127.0.0.2", "Printer A"), 0}});
    auto f = std::make_unique<TForm11>();
    f->SetFWAllUpdateForm();
    f->show();
    Scan(*f);
    nextFile = file;
    f->Button2Click();
    f->btnDownloadClick();
    ASSERT_TRUE(f->IsRunning());
    // wait until the printer has every block, so the worker sits in its end wait
    for (int i = 0; i < 500 && SimFirmware(printerA).blocks.size() < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(SimFirmware(printerA).blocks.size(), 2u);
    f->reject();  // the title-bar close and Escape end here
    EXPECT_FALSE(f->IsRunning());
    EXPECT_EQ(FWAllUpdateForm(), nullptr);
    f.reset();
    EXPECT_TRUE(boxes.texts().isEmpty()) << "no end box after a stop";
}

namespace {

// Counts the queued signals an object handles on its thread.
class QueuedCalls : public QObject {
public:
    explicit QueuedCalls(QObject& target) { target.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MetaCall)
            ++count;
        return false;
    }
};

} // namespace

TEST_F(BulkWin, ARowsProgressReachesTheWindowOnlyWhenItsPercentChanges)
{
    // a body of 2 MB: 2048 chunks per printer, each one reported by its worker
    const QString big = File("big.gdl", SimGdlFileBlock(2 * 1024 * 1024, 2, "APP.BIN", "V2"));
    TForm11 f;
    f.show();
    ASSERT_TRUE(f.AddPrinterRow("Printer A", "127.0.0.2"));
    ASSERT_TRUE(f.AddPrinterRow("Printer B", "127.0.0.3"));
    nextFile = big;
    f.Button2Click();
    ASSERT_NE(f.Firmware(), nullptr);
    QueuedCalls calls(f);
    f.btnDownloadClick();
    f.WaitForIdle();
    EXPECT_EQ(Column(f.lvPortList, 2), QStringList(2, T("FormDownloadStatus_Success")));
    // per row: Downloading, at most 101 steps of progress (0 % to 100 %), the end phase, the end
    EXPECT_LE(calls.count, 2 * (1 + 101 + 1 + 1));
    EXPECT_GE(calls.count, 2 * 3) << "the counter sees the window's queued calls";
    // the last value reached is shown: 76 + 2 MB make 2049 KB, 2048 chunks of body went out
    EXPECT_EQ(Column(f.lvPortList, 3),
              QStringList(2, ReplaceFirst(ReplaceFirst(T("FormGDL_lblProgressInfo"), "{1}", "2049"), "{2}", "2048")));
    EXPECT_EQ(SimFirmware(printerA).blocks.at(0).body.size(), 2 * 1024 * 1024);
    EXPECT_EQ(SimFirmware(printerB).blocks.at(0).body.size(), 2 * 1024 * 1024);
}

TEST_F(BulkWin, ASlowPrinterIsWaitedForLikeInTheBlockFirmwareWindow)
{
    // real waits; the header's status comes 400 ms late (as with twenty printers at once),
    // the final status 300 ms after the last body
    SetBulkUpdateSleeperForTests({});
    SimEditFirmware(printerA, [](SimFirmwareState& s) {
        s.headerReplyDelayMs = 400;
        s.quietMs = 300;
    });
    auto firmware = std::make_shared<const TGDLFile>(ParseGDL(SimGdlFileBlock(1025, 2, "APP.BIN", "V1.2.3")));
    TUpdateFWThread worker(firmware, std::make_shared<TBulkStop>());
    worker.SetAddress("127.0.0.2");
    EXPECT_EQ(worker.UpdateFirmware(), TBulkResult::Success);
    EXPECT_EQ(worker.FinalReads(), 1) << "the final status is read while it comes, not a second later";
    const SimFirmwareState a = SimFirmware(printerA);
    ASSERT_EQ(a.blocks.size(), 1u);
    EXPECT_EQ(a.blocks[0].body.size(), 1025);
}

TEST_F(BulkWin, AFinalStatusAtTheHundredAndFirstReadFailsThePrinter)
{
    // the printer says nothing after the last body; its status 0 comes only once the
    // worker has read 100 times in vain
    SimEditFirmware(printerA, [](SimFirmwareState& s) { s.finalStatus = -1; });
    int waits = 0;
    SetBulkUpdateSleeperForTests([&](uint32_t ms) {
        if (ms == 1000 && ++waits == 100) {
            printerA.pushUnsolicited(QByteArray(1, '\0'));
            prt::test::WaitFor([&] { return !printerA.hasUnsolicited(); });
        }
    });
    auto firmware = std::make_shared<const TGDLFile>(ParseGDL(prt::test::ReadTestFile(file)));
    TUpdateFWThread worker(firmware, std::make_shared<TBulkStop>());
    worker.SetAddress("127.0.0.2");
    EXPECT_EQ(worker.UpdateFirmware(), TBulkResult::Failed);
    EXPECT_EQ(worker.FinalReads(), 101);
    EXPECT_EQ(SimFirmware(printerA).blocks.size(), 2u);
}
