// The over-the-air firmware window and the firmware type chooser against the printer
// simulator over loopback: a selected printer, the real language texts, file dialog and
// message boxes intercepted, the sender's waits skipped (but for a short pause before
// each reconnect).
#include "FormDFU_W16P.h"
#include "FormDownFirmwareSelType.h"
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
#include "mdlFormOpeners.h"
#include "mdlGlobalVar.h"
#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace prt::sim;

namespace {

void NoSleep(uint32_t) {}

class OtaWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        SetLabelConfigFileNames();
        PublishLanguageTexts(QStringLiteral("UtilityForLabelLanguage.ini"), QStringLiteral("1033"));
        gLangId = QStringLiteral("1033");
        LoadLanguageStrings();
        AddStandardHandlers(printer);
        SimSetValue(printer, "pack_length", QByteArray("\x04\x00\x00\x00", 4));
        server = std::make_unique<SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        SetCurrentPortString(server->portString());
        Select(GetModelName_W16());
        prt::SetSleepHook(&NoSleep);
        // W16 restarts after "enter_ota" and refuses connects for 100 ms; the pause before
        // each reconnect is shortened to 50 ms, the other waits are skipped
        SimEditFirmware(printer, [](SimFirmwareState& s) { s.otaRestartMs = 100; });
        prt::dl::SetOtaSleeperForTests([](uint32_t ms) {
            if (ms == 1000)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        });
        prt::dl::SetDLOpenFileDialog([this](QWidget*, const QString&) { return nextFile; });
        file = prog.Root() + "fw.bin";
        prt::test::WriteTestFile(file, "123456789");
    }
    void TearDown() override
    {
        prt::dl::SetDLOpenFileDialog({});
        prt::dl::SetOtaSleeperForTests({});
        prt::SetSleepHook(nullptr);
        TsplDestroyGlobalPrinter();
        EscDestroyPrinter();
        SetCmdOpenedFlag(0);
        server->stop();
        ClearLangStrings();
        mainwin::ResetMainState();
    }
    void Select(const QString& model)
    {
        SetCurrentPrinterNames(model, model);
        SetPrinterSdkKind(0);
        ASSERT_EQ(TsplCreateGlobalPrinter(GetMainDefaultModelName()), 0);
    }
    bool DoLogged(const QByteArray& body)
    {
        const auto log = SimDoLog(printer);
        return std::find(log.begin(), log.end(), body) != log.end();
    }
    static QString T(const char* key) { return prt::LangText(QLatin1String(key)); }
    void Download(TfrmDFU_W16P& f)
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

TEST_F(OtaWin, AFileGoesOverTheAirThroughTheOpenerTable)
{
    bool ran = false;
    SetFormShowHook([&](QWidget* w) {
        auto* f = qobject_cast<TfrmDFU_W16P*>(w);
        ASSERT_NE(f, nullptr);
        f->show();
        EXPECT_EQ(f->WifiMode(), 1);
        EXPECT_EQ(f->windowTitle(), T("FormDFU_W16P_Caption"));
        EXPECT_EQ(f->btnDownload->text(), T("FormDownloadFont_btnDownload"));
        nextFile = file;
        f->Button2Click();
        EXPECT_EQ(f->txtFileName->text(), file);
        f->btnDownloadClick();
        EXPECT_EQ(f->btnDownload->text(), T("FormDownloadFont_btnDownload1"));
        EXPECT_EQ(GetPrinterSdkKind(), 1);
        f->WaitForSender();
        EXPECT_FALSE(f->IsRunning());
        EXPECT_EQ(f->btnDownload->text(), T("FormDownloadFont_btnDownload"));
        EXPECT_EQ(f->proDLFont->value(), 3);
        // Three small packets each round up to a kilobyte: the label never shows more sent
        // than the file holds.
        EXPECT_EQ(f->lblProgressInfo->text(),
                  ReplaceFirst(ReplaceFirst(T("FormDownloadFont_lblProgressInfo"), "{1}", "1"), "{2}", "1"));
        f->adjustSize();
        EXPECT_TRUE(f->grab().save(QStringLiteral(PRT_DL_TEST_OUT_DIR) + "/TfrmDFU_W16P.png"));
        ran = true;
    });
    Select(GetModelName_W16P());
    ASSERT_TRUE(ShowFormModal("TfrmDFU_W16P", [](QWidget* w) { CallFormHook(w, "DfuSetMode", 1); }));
    SetFormShowHook({});
    ASSERT_TRUE(ran);
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    EXPECT_TRUE(DoLogged("\"wifi_enter_ota\""));
    const SimFirmwareState s = SimFirmware(printer);
    EXPECT_EQ(s.otaImage, "123456789");
    ASSERT_EQ(s.otaPackets.size(), 3u);
    EXPECT_EQ(prt::test::ToHex(s.otaPackets[2]),
              "1B 1C 26 20 56 31 20 64 6F 20 22 6F 74 61 22 0D 0A 08 00 00 00 01 00 00 00 F7 77 FA A0 39");
    EXPECT_EQ(s.rawSwitches, 0);
    EXPECT_EQ(GetPrinterSdkKind(), 0);
}

TEST_F(OtaWin, EachModelIsSwitchedItsWay)
{
    struct Case {
        QString model;
        int mode;
        const char* doKey;  // logged do, or ""
        int rawSwitches;
        // connections the printer accepted, none of them left unused: the switch (when
        // one is sent) and the package length, or after a restart the reopened port with
        // the package length; then the packets
        int connections;
    } cases[] = {
        {GetModelName_W16P(), 0, "", 1, 3},
        {GetModelName_HB25(), 1, "\"wifi_enter_ota\"", 0, 2},
        {GetModelName_HB25(), 0, "", 0, 2},
        {GetModelName_W16(), 0, "\"enter_ota\"", 0, 3},
        {GetModelName_V64(), 0, "", 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model.toStdString() + " " + std::to_string(c.mode));
        Select(c.model);
        { std::lock_guard l(printer.mutex()); ProtoState(printer)->doLog.clear(); }
        SimEditFirmware(printer, [](SimFirmwareState& s) {
            s.rawSwitches = 0;
            s.otaImage.clear();
        });
        boxes.clear();
        const int connectionsBefore = printer.connections();
        TfrmDFU_W16P f;
        f.DfuSetMode(c.mode);
        f.show();
        Download(f);
        EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
        EXPECT_EQ(printer.connections() - connectionsBefore, c.connections);
        const auto log = SimDoLog(printer);
        if (*c.doKey) {
            EXPECT_EQ(log, std::vector<QByteArray>{c.doKey});
        } else {
            EXPECT_TRUE(log.empty());
        }
        const SimFirmwareState s = SimFirmware(printer);
        EXPECT_EQ(s.rawSwitches, c.rawSwitches);
        EXPECT_EQ(s.otaImage, "123456789");
        f.close();
    }
}

TEST_F(OtaWin, RefusedAcknowledgementsAndRepliesStopTheTransfer)
{
    struct Case {
        const char* what;
        int bad, shortAck, noAck;
        QByteArray packLength;
        size_t packets;
    } cases[] = {
        {"byte 7", 1, -1, -1, QByteArray("\x04\0\0\0", 4), 2},
        {"short", -1, 0, -1, QByteArray("\x04\0\0\0", 4), 1},
        {"none", -1, -1, 0, QByteArray("\x04\0\0\0", 4), 1},
        {"package length of 3 bytes", -1, -1, -1, QByteArray("\x04\0\0", 3), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        SimSetValue(printer, "pack_length", c.packLength);
        SimEditFirmware(printer, [&](SimFirmwareState& s) {
            s.otaPackets.clear();
            s.otaBadAckAt = c.bad;
            s.otaShortAckAt = c.shortAck;
            s.otaNoAckAt = c.noAck;
        });
        TfrmDFU_W16P f;
        f.show();
        Download(f);
        EXPECT_EQ(boxes.texts(), QStringList{T("FormDownloadFont_ErrIO")});
        EXPECT_EQ(SimFirmware(printer).otaPackets.size(), c.packets);
        EXPECT_TRUE(f.IsRunning()) << "the cancel caption stays";
        EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFont_btnDownload1"));
        f.btnDownloadClick();
        EXPECT_FALSE(f.IsRunning());
        EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFont_btnDownload"));
        f.close();
    }
    // a missing file sends nothing
    boxes.clear();
    printer.clearReceived();
    TfrmDFU_W16P f;
    f.show();
    f.txtFileName->setText(prog.Root() + "gone.bin");
    f.btnDownloadClick();
    EXPECT_EQ(boxes.texts(), QStringList{T("_Err_FileNotExist")});
    EXPECT_FALSE(f.IsRunning());
    EXPECT_TRUE(printer.received().isEmpty());
}

TEST_F(OtaWin, AnEmptyOrUnreadableFileIsRefusedBeforeAnythingIsSent)
{
    const QString empty = prog.Root() + "empty.bin";
    prt::test::WriteTestFile(empty, "");
    struct Case {
        QString path;
        QString message;
    };
    std::vector<Case> cases = {
        {empty, T("FormDFU_W16P_ErrFileEmpty")},
        {prog.Root() + "gone.bin", T("_Err_FileNotExist")},
    };
    // something is there but cannot be read: not "does not exist"
    for (const QString& path : prt::test::UnreadableFilePaths(prog.Root(), "locked.bin"))
        cases.push_back({path, T("Lang_All_00010011_11").replace("{0}", path)});
    printer.clearReceived();
    const int connectionsBefore = printer.connections();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        boxes.clear();
        TfrmDFU_W16P f;
        f.show();
        nextFile = c.path;
        f.Button2Click();
        f.btnDownloadClick();
        EXPECT_FALSE(f.IsRunning());
        EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFont_btnDownload"));
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, c.message);
        EXPECT_FALSE(c.message.isEmpty());
        EXPECT_EQ(boxes.calls()[0].flags, 16u);
    }
    EXPECT_TRUE(printer.received().isEmpty());
    EXPECT_EQ(printer.connections(), connectionsBefore) << "not even a connection";
    EXPECT_TRUE(SimDoLog(printer).empty());
}

// A printer whose port does not open: the box says what the open's code means, and the
// window is idle again.
TEST_F(OtaWin, AFailedOpenSaysWhatItsCodeMeans)
{
    server->stop();
    TfrmDFU_W16P f;
    f.show();
    Download(f);
    EXPECT_EQ(boxes.texts(), QStringList{"Failed to open the port:-13 (network connection refused or unreachable)"});
    EXPECT_FALSE(f.IsRunning());
    EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFont_btnDownload"));
}

TEST_F(OtaWin, TheChooserPresetsLocksAndReportsTheType)
{
    const QString dfu = LangStr("Lang_All_00010009_11"), bin = LangStr("Lang_All_00010009_12");
    ASSERT_FALSE(dfu.isEmpty());
    {
        TfrmDownFirmwareSelType f;
        EXPECT_EQ(f.windowTitle(), T("Lang_All_00210020_11"));
        EXPECT_EQ(f.btnOk->text(), T("Lang_All_00010007_11"));
        EXPECT_EQ(f.btnCancel->text(), T("Lang_All_00010008_11"));
        EXPECT_EQ(f.edtLbl_DFirmwareType->text(), T("Lang_All_00210018_11"));
        EXPECT_TRUE(f.edtLbl_DFirmwareType->isReadOnly());
        EXPECT_TRUE(f.edtSupport_DFirmwareType->isReadOnly());
        ASSERT_EQ(f.cmbDownFirmwareType->count(), 2);
        EXPECT_EQ(f.cmbDownFirmwareType->itemText(0), dfu);
        EXPECT_EQ(f.cmbDownFirmwareType->itemText(1), bin);
        struct Case {
            QString type;
            bool lock;
            QString shown;
            bool enabled;
        } cases[] = {
            {"BIN 01", false, bin, true},
            {"DFU 01", true, dfu, false},
        };
        for (const Case& c : cases) {
            f.cmbDownFirmwareType->setEnabled(true);
            f.SetSelectedType(c.type, c.lock);
            EXPECT_EQ(f.cmbDownFirmwareType->currentText(), c.shown);
            EXPECT_EQ(f.cmbDownFirmwareType->isEnabled(), c.enabled);
            EXPECT_EQ(f.edtSupport_DFirmwareType->text(), ReplaceFirst(T("Lang_All_00210028_11"), "{0}", c.shown));
        }
        // a type that is not in the list leaves the combo as it was, and enabled
        f.cmbDownFirmwareType->setEnabled(true);
        f.SetSelectedType("XYZ 09", true);
        EXPECT_EQ(f.cmbDownFirmwareType->currentText(), dfu);
        EXPECT_TRUE(f.cmbDownFirmwareType->isEnabled());
        EXPECT_EQ(f.CurrentType(), "XYZ 09");
        // no entry chosen: a note, the window stays open
        f.show();
        f.cmbDownFirmwareType->setCurrentIndex(-1);
        f.btnOkClick();
        EXPECT_EQ(boxes.texts(), QStringList{ReplaceFirst(T("Lang_All_00010014_11"), "{0}", T("Lang_All_00210019_11"))});
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.property("OKFlag").toInt(), 0);
        f.cmbDownFirmwareType->setCurrentIndex(1);
        f.adjustSize();
        EXPECT_TRUE(f.grab().save(QStringLiteral(PRT_DL_TEST_OUT_DIR) + "/TfrmDownFirmwareSelType.png"));
    }
    // the main window's hand-over: the printer's word preselects and locks; OK reports
    QString chosen;
    int ok = -1;
    SetFormShowHook([&](QWidget* w) {
        auto* f = qobject_cast<TfrmDownFirmwareSelType*>(w);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->cmbDownFirmwareType->currentText(), bin);
        EXPECT_FALSE(f->cmbDownFirmwareType->isEnabled());
        f->btnOkClick();
    });
    ShowFormModal("TfrmDownFirmwareSelType", [](QWidget* w) { CallFormHook(w, "SetSelectedType", QString("BIN"), true); },
                  [&](QWidget* w) {
                      ok = w->property("OKFlag").toInt();
                      chosen = w->property("SelectedType").toString();
                  });
    SetFormShowHook([](QWidget* w) { qobject_cast<TfrmDownFirmwareSelType*>(w)->btnCancelClick(); });
    int cancelled = -1;
    ShowFormModal("TfrmDownFirmwareSelType", {}, [&](QWidget* w) { cancelled = w->property("OKFlag").toInt(); });
    SetFormShowHook({});
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(chosen, "BIN 01");
    EXPECT_EQ(cancelled, 0);
}
