// The block firmware window end to end against the printer simulator over loopback: a
// selected printer, the real language texts, the file dialog and message boxes
// intercepted, the sender's waits skipped.
#include "FormGDL.h"
#include "MainFixture.h"
#include "PrinterCMD.h"
#include "PrtSdk.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "SimFirmware.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "mdlCurrentPrinter.h"
#include "mdlFormOpeners.h"
#include "mdlFunctionDispatch.h"
#include "mdlGlobalVar.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlModelData.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QFile>
#include <QGroupBox>
#include <QThread>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <thread>

using namespace prt::sim;

namespace {

void NoSleep(uint32_t) {}


class GdlWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        SetLabelConfigFileNames();
        LoadParameterSetKeys();
        PublishLanguageTexts(QStringLiteral("UtilityForLabelLanguage.ini"), QStringLiteral("1033"));
        AddStandardHandlers(printer);
        server = std::make_unique<SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        SetCurrentPortString(server->portString());
        Select(GetModelName_V64());
        prt::SetSleepHook(&NoSleep);
        prt::dl::SetGDLSleeperForTests([](uint32_t) {});
        prt::dl::SetDLOpenFileDialog([this](QWidget*, const QString&) { return nextFile; });
        file = File("fw.gdl", SimGdlFileBlock(1025, 2, "APP.BIN", "V1.2.3") + SimGdlFileBlock(0, 5, "CFG.BIN", "V9"));
    }
    void TearDown() override
    {
        prt::dl::SetDLOpenFileDialog({});
        prt::dl::SetGDLSleeperForTests({});
        prt::SetSleepHook(nullptr);
        TsplDestroyGlobalPrinter();
        EscDestroyPrinter();
        SetCmdOpenedFlag(0);
        server->stop();
        mainwin::ResetMainState();
    }
    void Select(const QString& model)
    {
        SetCurrentPrinterNames(model, model);
        SetPrinterSdkKind(0);
        ASSERT_EQ(TsplCreateGlobalPrinter(GetMainDefaultModelName()), 0);
    }
    QString File(const QString& name, const QByteArray& bytes)
    {
        const QString path = prog.Root() + name;
        prt::test::WriteTestFile(path, bytes);
        return path;
    }
    static QString T(const char* key) { return prt::LangText(QLatin1String(key)); }
    // The port of the link's TSPL object, as the window left it.
    static bool PortOpen() { return prt::sdk::PortIsOpen(prt::sdk::Lib::Tspl, TsplGetHandle()) == 1; }
    // Chooses the file and runs one download to its end.
    void Download(TfrmGDL& f)
    {
        nextFile = file;
        f.Button2Click();
        f.btnDownloadClick();
        f.WaitForSender();
    }

    mainwin::TempProgram prog;
    SimPrinter printer;
    std::unique_ptr<SimTcpServer> server;
    prt::test::MsgBoxRecorder boxes;
    QString nextFile;
    QString file;
};

} // namespace

TEST_F(GdlWin, TwoBlocksThroughTheOpenerTable)
{
    bool ran = false;
    SetFormShowHook([&](QWidget* w) {
        auto* f = qobject_cast<TfrmGDL*>(w);
        ASSERT_NE(f, nullptr);
        f->show();
        EXPECT_EQ(f->windowTitle(), T("FormDownloadFile_TSPL_Cpation"));
        EXPECT_EQ(f->gpbSelectFile->title(), T("FormGDL_gpbSelectFile"));
        EXPECT_EQ(f->btnDownload->text(), T("FormDownloadFile_TSPL_btnDownload"));
        EXPECT_EQ(f->lvDetails->headerItem()->text(1), T("FormGDL_lvDetails_Col2"));
        nextFile = file;
        f->Button2Click();
        ASSERT_EQ(f->lvDetails->topLevelItemCount(), 2);
        const char* rows[2][4] = {{"APP.BIN", "1025", "V1.2.3", "2"}, {"CFG.BIN", "0", "V9", "5"}};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 4; ++c)
                EXPECT_EQ(f->lvDetails->topLevelItem(r)->text(c), rows[r][c]) << r << "," << c;
        EXPECT_FALSE(f->proDLFont->isVisible());
        f->btnDownloadClick();
        EXPECT_TRUE(f->IsRunning());
        EXPECT_EQ(f->btnDownload->text(), T("FormDownloadFile_TSPL_btnDownload1"));
        EXPECT_FALSE(f->Button2->isEnabled());
        EXPECT_EQ(GetPrinterSdkKind(), 1) << "text command and raw data share the TSPL object";
        f->WaitForSender();
        EXPECT_FALSE(f->IsRunning());
        EXPECT_EQ(f->btnDownload->text(), T("FormDownloadFile_TSPL_btnDownload"));
        EXPECT_FALSE(PortOpen());
        EXPECT_EQ(f->proDLFont->value(), 4);
        EXPECT_EQ(f->lblProgressInfo->text(),
                  ReplaceFirst(ReplaceFirst(T("FormGDL_lblProgressInfo"), "{1}", "4"), "{2}", "4"));
        f->adjustSize();
        EXPECT_TRUE(f->grab().save(QStringLiteral(PRT_DL_TEST_OUT_DIR) + "/TfrmGDL.png"));
        ran = true;
    });
    ASSERT_TRUE(ShowFormModal("TfrmGDL"));
    SetFormShowHook({});
    ASSERT_TRUE(ran);
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")}) << "V64 restarts on its own";
    const SimFirmwareState s = SimFirmware(printer);
    EXPECT_EQ(s.dfuCount, 1);
    ASSERT_EQ(s.blocks.size(), 2u);
    const QByteArray sent = s.blocks[0].header + s.blocks[0].body + s.blocks[1].header + s.blocks[1].body;
    EXPECT_EQ(sent, prt::test::ReadTestFile(file));
    EXPECT_EQ(GetPrinterSdkKind(), 0) << "the kind before the window";
}

TEST_F(GdlWin, APrinterThatRestartsGetsTheRestartNote)
{
    Select(GetModelName_V52());  // in the "UpdateRestart" list
    TfrmGDL f;
    f.show();
    Download(f);
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess") + "\r\n" + T("msgRP")});
    ASSERT_FALSE(T("msgRP").isEmpty());
}

TEST_F(GdlWin, TheMobileToolsGdlModelGetsTheRestartNote)
{
    // the Mobile tool's printer-type list: V52R takes the block firmware and restarts after it
    gPrinterTypeListFileName = QStringLiteral("PrinterTypeList_Mobile.ini");
    LoadParameterSetKeys();
    EXPECT_EQ(ParameterSetValue("UpdateRestart"), ",V52R,");
    EXPECT_EQ(ParameterSetValue("IsbtnGDL"), ",V52R,");
    // an operator of the Mobile tool can choose it
    bool offered = false;
    for (const TOemProfileRow& row : OemProfileRows())
        offered = offered || (QLatin1String(row.ToolType) == "Mobile" && row.Models.contains("V52R"));
    EXPECT_TRUE(offered);
    Select("V52R");
    const TDfuAction action = DfuActionAfterChooser(CurrentDispatchInputs());
    EXPECT_EQ(action.What, TDfuAction::OpenForm);
    EXPECT_EQ(action.Form, "TfrmGDL");
    TfrmGDL f;
    f.show();
    Download(f);
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess") + "\r\n" + T("msgRP")});
    f.close();
    // a Mobile model without the note
    boxes.clear();
    Select("W16");
    TfrmGDL g;
    g.show();
    Download(g);
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    g.close();
    SetLabelConfigFileNames();
    LoadParameterSetKeys();
}

TEST_F(GdlWin, EveryRefusalShowsItsMessageAndSendsNothingMore)
{
    struct Case {
        int headerStatus;  // of the first header; -1: accepted
        int finalStatus;
        const char* message;  // language key; "" the empty text
        size_t headers;       // headers the printer got
    } cases[] = {
        {1, 0, "FormGDL_err_Type", 1},
        {2, 0, "FormGDL_err_Head", 1},
        {3, 0, "FormGDL_err_Crc", 1},
        {4, 0, "FormGDL_err_Storage ", 1},
        {5, 0, "FormGDL_err_StorageCheck", 1},
        {6, 0, "FormGDL_err_Name", 1},
        {9, 0, "", 1},
        {-1, 3, "FormGDL_err_Crc", 2},
        {-1, 7, "", 2},
    };
    TfrmGDL f;
    f.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        boxes.clear();
        SimEditFirmware(printer, [&](SimFirmwareState& s) {
            s.headerStatus.clear();
            if (c.headerStatus >= 0)
                s.headerStatus[0] = c.headerStatus;
            s.finalStatus = c.finalStatus;
        });
        Download(f);
        const QString text = *c.message ? T(QString(c.message).trimmed().toLatin1().constData()) : QString();
        if (*c.message) {
            EXPECT_FALSE(text.isEmpty()) << "the key has a text";
        }
        EXPECT_EQ(boxes.texts(), QStringList{text});
        EXPECT_EQ(SimFirmware(printer).blocks.size(), c.headers);
        EXPECT_FALSE(PortOpen()) << "closed where the exchange ended";
        if (c.headerStatus >= 0) {
            EXPECT_TRUE(SimFirmware(printer).blocks[0].body.isEmpty());
        }
        if (c.headerStatus >= 0) {
            // the cancel caption stays; the next click only resets the window
            EXPECT_TRUE(f.IsRunning());
            EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFile_TSPL_btnDownload1"));
            f.btnDownloadClick();
        } else {
            // a refused final status: the download caption is back, the next click starts
            EXPECT_TRUE(f.Button2->isEnabled());
        }
        EXPECT_FALSE(f.IsRunning());
        EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFile_TSPL_btnDownload"));
    }
    // after a refused final status one click sends the file again
    SimEditFirmware(printer, [](SimFirmwareState& s) { s.finalStatus = 0; });
    boxes.clear();
    f.btnDownloadClick();
    f.WaitForSender();
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    EXPECT_EQ(SimFirmware(printer).blocks.size(), 2u);
}

TEST_F(GdlWin, AFinalStatusAtTheHundredAndFirstReadIsAReadError)
{
    // the printer says nothing after the last body; its status 0 comes only once the
    // window has read 100 times in vain
    SimEditFirmware(printer, [](SimFirmwareState& s) { s.finalStatus = -1; });
    std::atomic<int> waits{0};
    prt::dl::SetGDLSleeperForTests([&](uint32_t ms) {
        if (ms == 1000 && ++waits == 100) {
            printer.pushUnsolicited(QByteArray(1, '\0'));
            prt::test::WaitFor([&] { return !printer.hasUnsolicited(); });
        }
    });
    TfrmGDL f;
    f.show();
    Download(f);
    EXPECT_EQ(f.Sender().Outcome().finalReads, 101);
    EXPECT_EQ(f.Sender().Outcome().status, 0);
    EXPECT_EQ(boxes.texts(), QStringList{T("_Err_ReadData")});
    EXPECT_FALSE(PortOpen()) << "the exchange is over";
    EXPECT_FALSE(f.IsRunning());
    EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFile_TSPL_btnDownload"));
}

TEST_F(GdlWin, AFinalStatusThatComesDuringTheFirstSecondIsTakenAtTheFirstRead)
{
    // real waits: the printer stores the firmware for 300 ms, then answers
    prt::dl::SetGDLSleeperForTests({});
    SimEditFirmware(printer, [](SimFirmwareState& s) { s.quietMs = 300; });
    TfrmGDL f;
    f.show();
    Download(f);
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    EXPECT_EQ(f.Sender().Outcome().finalReads, 1) << "read while it comes, not a second later";
}

TEST_F(GdlWin, APrinterWithoutFinalStatusIsAReadError)
{
    SimEditFirmware(printer, [](SimFirmwareState& s) { s.finalStatus = -1; });
    TfrmGDL f;
    f.show();
    Download(f);
    EXPECT_EQ(boxes.texts(), QStringList{T("_Err_ReadData")});
    EXPECT_FALSE(PortOpen());
    EXPECT_EQ(SimFirmware(printer).blocks.size(), 2u);
}

TEST_F(GdlWin, BadFilesAndMissingFilesSendNothing)
{
    TfrmGDL f;
    f.show();
    // a damaged file is refused when chosen, with the fault named
    nextFile = File("cut.gdl", SimGdlFileBlock(1025, 2, "APP.BIN", "V1", 100));
    f.Button2Click();
    EXPECT_EQ(f.lvDetails->topLevelItemCount(), 0);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_TRUE(boxes.calls()[0].text.contains("1025")) << boxes.calls()[0].text.toStdString();
    f.btnDownloadClick();
    // a listed file that is gone before the start
    nextFile = file;
    f.Button2Click();
    ASSERT_EQ(f.lvDetails->topLevelItemCount(), 2);
    QFile::remove(file);
    f.btnDownloadClick();
    EXPECT_EQ(boxes.texts().last(), T("_Err_FileNotExist"));
    // something there that cannot be read is not "does not exist", when chosen or started
    for (const QString& path : prt::test::UnreadableFilePaths(prog.Root(), "locked.gdl")) {
        SCOPED_TRACE(path.toStdString());
        const QString message = T("Lang_All_00010011_11").replace("{0}", path);
        boxes.clear();
        nextFile = path;
        f.Button2Click();
        EXPECT_EQ(boxes.texts(), QStringList{message});
        EXPECT_EQ(f.lvDetails->topLevelItemCount(), 0);
        boxes.clear();
        f.btnDownloadClick();
        EXPECT_EQ(boxes.texts(), QStringList{message});
    }
    EXPECT_FALSE(f.IsRunning());
    EXPECT_EQ(SimFirmware(printer).dfuCount, 0) << "nothing was sent";
    EXPECT_TRUE(printer.received().isEmpty());
}

TEST_F(GdlWin, ClosingWhileTheFirmwareGoesOutCancelsAndJoins)
{
    // the sender's first wait lasts until the close has asked it to stop
    std::atomic<bool> release{false};
    prt::dl::SetGDLSleeperForTests([&](uint32_t) {
        for (int i = 0; i < 400 && !release.load(); ++i)
            QThread::msleep(5);
    });
    auto* f = new TfrmGDL;
    f->show();
    nextFile = file;
    f->Button2Click();
    f->btnDownloadClick();
    ASSERT_TRUE(f->IsRunning());
    std::thread releaser([&] {
        QThread::msleep(50);
        release = true;
    });
    f->btnCloseClick();
    releaser.join();
    EXPECT_FALSE(f->Sender().IsBusy());
    EXPECT_FALSE(f->isVisible());
    delete f;
    EXPECT_TRUE(boxes.texts().isEmpty()) << "a cancel shows nothing";
    const SimFirmwareState s = SimFirmware(printer);
    EXPECT_EQ(s.dfuCount, 1);
    EXPECT_TRUE(s.blocks.empty()) << "stopped before the first header";
}
