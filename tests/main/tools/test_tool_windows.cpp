// The device tool windows: command console, printer information, printer status, scan test,
// advanced and Ethernet settings. Their rules as tables; the windows against the printer
// simulator on 127.0.0.1, each saving a picture for review.
#include "MainFixture.h"

#include "FormCommandTest.h"
#include "FormMain_Label.h"
#include "FormNet.h"
#include "FormPrinterInformation.h"
#include "FormPrintText.h"
#include "FormPrintText_Label.h"
#include "FormPrintText_Label_CPCL_V52BT.h"
#include "FormPrinterManage_ESC.h"
#include "FormPrinterStatus.h"
#include "FormRfidSet.h"
#include "FormScanTest.h"
#include "PrinterCMD.h"
#include "SimDefaults.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "mdlCommandConsole.h"
#include "mdlCurrentPrinter.h"
#include "mdlFormOpeners.h"
#include "mdlModuleState.h"
#include "mdlPrinterLib.h"
#include "mdlStartup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using mainwin::TempProgram;
using prt::test::Hex;
using prt::test::MsgBoxRecorder;
using namespace prt::sim;

// ---- rules --------------------------------------------------------------------------------

TEST(ConsoleRules, HexParserTable)
{
    struct Case {
        const char* text;
        const char* bytes;  // hex, or nullptr for a refused piece
        int badIndex;
    };
    const Case cases[] = {
        {"0x1B,0x40\r\n0D", "1B 40 0D", -1},
        {"1B  40", "1B 40", -1},            // no zero byte for the gap
        {"1b\n40\r0d", "1B 40 0D", -1},     // LF and CR break lines too
        {"1FF", "FF", -1},                  // low 8 bits
        {"  ", "", -1},
        {"1B ZZ 40", nullptr, 1},
        {"1B 4G", nullptr, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const THexParse p = ParseConsoleHex(c.text);
        if (c.bytes) {
            EXPECT_TRUE(p.Ok);
            EXPECT_EQ(p.Bytes, Hex(c.bytes));
        } else {
            EXPECT_FALSE(p.Ok);
            EXPECT_EQ(p.BadIndex, c.badIndex);
        }
    }
    EXPECT_EQ(ConsoleHexErrorText(ParseConsoleHex("1B ZZ")), "Command Error!1|ZZ");
    EXPECT_EQ(BytesToHexSpaced(Hex("1B 40 0D")), "1B 40 0D ");
    EXPECT_EQ(BytesToHexPlain(Hex("1B 40 0d")), "1B400D");
    bool ok = false;
    EXPECT_EQ(HexPageToText(BytesToHexSpaced("SIZE 50 mm"), ok), "SIZE 50 mm");
    EXPECT_TRUE(ok);
    EXPECT_EQ(HexPageToText("41 XY", ok), "");
    EXPECT_FALSE(ok);
}

TEST(ConsoleRules, ClampsControlCodesAndSwitchBytes)
{
    EXPECT_EQ(ClampReadLenField("300"), "256");
    EXPECT_EQ(ClampReadLenField(""), "1");
    EXPECT_EQ(ClampReadLenField("0"), "1");
    EXPECT_EQ(ClampReadLenField("12"), "12");
    EXPECT_EQ(ClampSleepField("50"), "100");
    EXPECT_EQ(ClampSleepField(""), "100");
    EXPECT_EQ(ClampSleepField("1000"), "1000");

    TControlCodes c;
    ASSERT_TRUE(ControlCodesOfSet("standard", c));
    EXPECT_EQ(c.Stx, QString(QChar(2)));
    EXPECT_EQ(c.CountBy, "^");
    ASSERT_TRUE(ControlCodesOfSet("alternate-2", c));
    EXPECT_EQ(c.Cr, "|");
    EXPECT_EQ(c.Soh, "^");
    EXPECT_FALSE(ControlCodesOfSet("other", c));
    EXPECT_EQ(ReplaceControlPlaceholders("<STX>L<CR>", c, true), "7E" "L" "7C");

    EXPECT_EQ(DplSwitchBytes("standard", "alternate"), Hex("02 4B 63 43 43 31"));
    EXPECT_EQ(DplSwitchBytes("alternate", "standard"), Hex("7E 4B 63 43 43 53"));
    EXPECT_EQ(DplSwitchBytes("", "alternate-2"), Hex("00 4B 63 43 43 32"));
}

TEST(InformationRules, VersionJourneyAndMileageTexts)
{
    bool ok = false;
    EXPECT_EQ(FirmwareVersionText(Hex("01 02 03 00"), ok), "V 1.2.3");
    EXPECT_TRUE(ok);
    EXPECT_EQ(FirmwareVersionText(Hex("01 02 03 05"), ok), "V 1.2.3.Beta5");
    EXPECT_EQ(FirmwareVersionText(Hex("01 02 03"), ok), "V 1.2.3");
    FirmwareVersionText(Hex("01 02"), ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(JourneyText(Hex("00 00 03 E8"), true, ok), "1 (m)");
    EXPECT_EQ(JourneyText(Hex("00 00 03 E8"), false, ok), "3 (m)");
    EXPECT_EQ(JourneyText(Hex("00 00 04 D2"), true, ok), "1.234 (m)");
    JourneyText(Hex("00 03 E8"), true, ok);
    EXPECT_FALSE(ok) << "fewer than four bytes";
    EXPECT_EQ(MileageTextInch("1000", ok), "25.4m");
    EXPECT_TRUE(ok);
    EXPECT_EQ(MileageTextInch("12345", ok), "313.56m");
    EXPECT_EQ(MileageTextMm(" 1234567 ", ok), "1234.567m");
    MileageTextInch("12a", ok);
    EXPECT_FALSE(ok);
    MileageTextMm("", ok);
    EXPECT_FALSE(ok);
}

TEST(StatusRules, FlagsInTableOrder)
{
    QByteArray block(20, '\0');
    EXPECT_TRUE(PrinterStatusKeys(block).isEmpty());
    block[18] = 0x05;
    block[17] = 0x20;
    EXPECT_EQ(PrinterStatusKeys(block), QStringList({"FormPrinterStatus_HeadTooHot", "FormPrinterStatus_Printing",
                                                     "FormPrinterStatus_CoverOpen"}));
    block[18] = char(0x80);
    block[17] = char(0xC1);  // bits 6 and 7 of byte 17 are not shown
    EXPECT_EQ(PrinterStatusKeys(block),
              QStringList({"FormPrinterStatus_LabelJumpping", "FormPrinterStatus_LabelCalibrating"}));
}

TEST(ScanRules, InputCheckAndLabelJob)
{
    EXPECT_EQ(CheckScanSize("108", "30"), "");
    EXPECT_EQ(CheckScanSize("109", "30"), "打印宽度不能超过108mm");
    EXPECT_EQ(CheckScanSize("5x", "30"), "打印宽度输入非法");
    EXPECT_EQ(CheckScanSize("0", "30"), "打印宽度输入非法");
    EXPECT_EQ(CheckScanSize("-3", "30"), "打印宽度输入非法");
    EXPECT_EQ(CheckScanSize("50", "0"), "打印高度输入非法");
    EXPECT_EQ(CheckScanSize("50", "2.5"), "打印高度输入非法");
    EXPECT_EQ(ScanTriggerCommand(), Hex("1B 1C 26 20 56 31 20") + "do \"scan_trigger\"\r\n");
    EXPECT_EQ(ScanTriggerCommand().size(), 26);
    EXPECT_EQ(ScanLabelJob("50", "30", {"AB", "C\"D"}),
              QByteArray("CLS\r\nSIZE 50 mm,30 mm\r\n"
                         "TEXT 10,10,\"9\",0,50,50,\"AB\"\r\n"
                         "TEXT 10,50,\"9\",0,50,50,\"C\\[\"]D\"\r\n"
                         "PRINT 1\r\n"));
}

TEST(EthernetRules, AddressPieces)
{
    EXPECT_EQ(SplitAddressReply("10.0.0.5"), QStringList({"10", "0", "0", "5"}));
    EXPECT_EQ(SplitAddressReply("1.2.3"), QStringList());          // shorter than 7
    EXPECT_EQ(SplitAddressReply("1234567.8"), QStringList());      // fewer than four pieces
    EXPECT_EQ(AddressSetValue({"192", "168", "0", "33"}), "192.168.0.33.");
    for (const char* good : {"0", "255", "007"})
        EXPECT_TRUE(IsValidOctet(good)) << good;
    for (const char* bad : {"256", "", "1a", "-1", " 1", "1000"})
        EXPECT_FALSE(IsValidOctet(bad)) << bad;
}

// ---- windows against the simulator -------------------------------------------------------------

namespace {

using prt::test::WaitFor;

const QByteArray kPrefix("\x1B\x1C\x26\x20\x56\x31\x20", 7);

class ToolSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        AddStandardHandlers(printer_);
        server_ = std::make_unique<SimTcpServer>(printer_);
        ASSERT_TRUE(server_->ok());
    }
    void TearDown() override
    {
        SetFormShowHook({});
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
        server_->stop();
    }
    void Start(const QString& model)
    {
        TempProgram::Write(p_.ListPath(), (model + "|NET|" + server_->portString() + "||\r\n").toUtf8());
        InitStartupModules();
        InitStartupModes();
        CreateGlobalSingletons();
        form_.reset(new T_frmMain_Label());
        form_->show();
        form_->SelectRow(0);
        form_->lvPrinterListClick();
        printer_.clearReceived();
    }
    bool Got(const QByteArray& bytes)
    {
        return WaitFor([&] { return printer_.received().contains(bytes); });
    }
    void Set(const QByteArray& key, const QByteArray& value) { SimSetValue(printer_, key, value); }
    void SetRaw(const QByteArray& line, const QByteArray& reply)
    {
        std::lock_guard lock(printer_.mutex());
        ProtoState(printer_)->rawReplies[line] = reply;
    }
    static void Save(QWidget* w, const char* name)
    {
        ASSERT_TRUE(w->grab().save(QStringLiteral(PRT_MAIN_TEST_OUT_DIR) + "/" + name));
    }

    TempProgram p_;
    SimPrinter printer_;
    std::unique_ptr<SimTcpServer> server_;
    std::unique_ptr<T_frmMain_Label> form_;
};

} // namespace

TEST_F(ToolSim, ConsoleSendsReadsAndSwitchesTheDplControlCodes)
{
    Set("ppl", "dpl");
    Set("control_codes", "standard");
    Start("D45");
    MsgBoxRecorder boxes;
    T_frmCommandTest w;
    w.Wait = [](int) { QThread::msleep(60); };
    w.show();
    EXPECT_TRUE(w.gControlCode->isVisible());
    EXPECT_EQ(w.ControlCodeSet(), "standard");
    EXPECT_EQ(w.gControlCode->title(), "Control codes:Standard");
    Save(&w, "commandtest.png");

    // Hex send with read-back.
    SetRaw("ZZZGETJOURNEY", Hex("00 00 03 E8"));
    w.rdoHex->setChecked(true);
    w.RE[0]->setPlainText(BytesToHexSpaced("ZZZGETJOURNEY\r\n"));
    w.chkSendAndRead->setChecked(true);
    w.btnSend->click();
    EXPECT_TRUE(Got("ZZZGETJOURNEY\r\n"));
    EXPECT_EQ(w.txtReadData->toPlainText(), "000003E8");
    ASSERT_FALSE(boxes.calls().empty());
    EXPECT_EQ(boxes.calls().back().text, "Sent successfully.");

    // A bad piece is refused before anything is sent.
    boxes.clear();
    printer_.clearReceived();
    w.RE[0]->setPlainText("41 QQ 42");
    w.btnSend->click();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Command Error!1|QQ");
    QThread::msleep(50);
    EXPECT_TRUE(printer_.received().isEmpty());

    // Switching the set: STX of the old set, "KcCC1", then do "reset_printer".
    boxes.clear();
    w.btnAlternate->click();
    EXPECT_TRUE(Got(Hex("02 4B 63 43 43 31")));
    EXPECT_TRUE(Got(kPrefix + "do \"reset_printer\"\r\n"));
    EXPECT_EQ(w.ControlCodeSet(), "alternate");
    EXPECT_EQ(SimValue(printer_, "control_codes"), "alternate");
    EXPECT_EQ(w.gControlCode->title(), "Control codes:Alternate");
    // Control codes go in as captions in text mode, as hex in hex mode.
    w.rdoChar->setChecked(true);
    w.RE[1]->clear();
    w.tabCommandPages->setCurrentIndex(1);
    w.STX->click();
    EXPECT_EQ(w.RE[1]->toPlainText(), "<STX>");
    w.rdoHex->setChecked(true);
    w.RE[1]->clear();
    w.STX->click();
    EXPECT_EQ(w.RE[1]->toPlainText(), "7E ");
}

TEST_F(ToolSim, ConsoleHidesTheDplGroupsForOtherPrintersAndLoopsUntilStopped)
{
    Start("V64");
    MsgBoxRecorder boxes;
    T_frmCommandTest w;
    w.show();
    EXPECT_FALSE(w.gControlCode->isVisible());
    EXPECT_FALSE(w.gCode->isVisible());
    EXPECT_EQ(w.lblRecycleTimes->text(), "Sent 0 times") << "a sentence from the start, no lone word";
    w.RE[0]->setPlainText("PING\r\n");
    w.chkRecycle->setChecked(true);
    w.txtSleepTime->setText("100");
    w.btnSend->click();
    EXPECT_EQ(w.btnSend->text(), "Stop");
    EXPECT_TRUE(WaitFor([&] {
        QCoreApplication::processEvents();
        return w.LoopCount() >= 2;
    }));
    w.btnSend->click();
    EXPECT_EQ(w.btnSend->text(), "Send");
    EXPECT_FALSE(w.timSend->isActive());
    EXPECT_TRUE(WaitFor([&] { return printer_.received().count("PING\n") >= 2; })) << "a page line ends in LF";
    EXPECT_EQ(w.lblRecycleTimes->text(), "Sent " + QString::number(w.LoopCount()) + " times");
}

TEST_F(ToolSim, InformationWindowReadsVersionAndJourney)
{
    SetRaw("ZZZGETJOURNEY", Hex("00 00 03 E8"));
    SimSetVersion(printer_, Hex("01 02 03"));
    Start("TE62");
    MsgBoxRecorder boxes;
    T_frmPrinterInformation w;
    w.JourneyWaitMs = 50;
    w.show();
    EXPECT_FALSE(w.ShowProduceDate());
    EXPECT_FALSE(w.lblProduceDate->isVisible());
    EXPECT_EQ(w.lblPrintLengthV->text(), "3 (m)");
    EXPECT_EQ(w.lblFirmwareVerV->text(), "V 1.2.3");
    EXPECT_LT(w.height(), 140) << "the window shrinks to two rows";
    Save(&w, "printerinformation.png");
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(ToolSim, InformationWindowOfAGdsModelAndSilentPrinters)
{
    Set("factory_produce_time", "20200628");
    Set("mileage", "1000");
    Set("version", "V9.9.9");
    Start("V64");
    {
        T_frmPrinterInformation w;
        w.show();
        EXPECT_TRUE(w.ShowProduceDate());
        EXPECT_EQ(w.lblProduceDateV->text(), "20200628");
        EXPECT_EQ(w.lblPrintLengthV->text(), "25.4m");
        EXPECT_EQ(w.lblFirmwareVerV->text(), "V9.9.9");
    }
    Set("mileage", "");
    T_frmPrinterInformation w;
    w.show();
    EXPECT_EQ(w.lblPrintLengthV->text(), "Failed to read data from the printer")
        << "no reply is not a length";
}

// Every read that fails says so in its own row, and says it whole (the window widens to the
// text); a read that worked keeps its value beside them.
TEST_F(ToolSim, InformationWindowNamesEveryFailedReadInFull)
{
    Set("factory_produce_time", "20200628");
    Set("mileage", "");
    Set("version", "");
    Start("V64");
    MsgBoxRecorder boxes;
    T_frmPrinterInformation w;
    w.show();
    const QString err = "Failed to read data from the printer";
    EXPECT_EQ(w.lblProduceDateV->text(), "20200628");
    EXPECT_EQ(w.lblPrintLengthV->text(), err);
    EXPECT_EQ(w.lblFirmwareVerV->text(), err) << "no version reply is a failed read, not an empty version";
    for (QLabel* v : {w.lblProduceDateV, w.lblPrintLengthV, w.lblFirmwareVerV}) {
        SCOPED_TRACE(v->objectName().toStdString());
        EXPECT_LE(v->fontMetrics().horizontalAdvance(v->text()), v->contentsRect().width());
        EXPECT_LE(v->geometry().right(), w.pnlPrinterInformation->width());
    }
    EXPECT_LE(w.pnlPrinterInformation->geometry().right(), w.width());
    EXPECT_LE(w.btnClose->geometry().right(), w.width());
    Save(&w, "printerinformation_failed.png");
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(ToolSim, StatusListsFlagsAndRefreshWorksTwiceInARow)
{
    QByteArray block(20, '\0');
    block[18] = 0x05;
    block[17] = 0x20;
    Set("printer_status", block);
    Start("V64");
    MsgBoxRecorder boxes;
    T_frmPrinterStatus w;
    w.show();
    EXPECT_EQ(w.RichEdit1->toPlainText(), "Print head too hot\nPrinting\nCover open\n");
    Save(&w, "printerstatus.png");
    block[18] = 0;
    block[17] = 0;
    Set("printer_status", block);
    w.btnRefresh->click();
    EXPECT_EQ(w.RichEdit1->toPlainText(), "");
    Set("printer_status", "short");
    w.btnRefresh->click();
    EXPECT_EQ(w.RichEdit1->toPlainText(), "Failed to read data from the printer");
    EXPECT_TRUE(boxes.calls().empty()) << "every refresh opened the port";
    EXPECT_EQ(printer_.received().count(kPrefix + "getval \"printer_status\"\r\n"), 3);
}

TEST_F(ToolSim, ScanTestPrintsTheScannedLines)
{
    {
        std::lock_guard lock(printer_.mutex());
        ProtoState(printer_)->doReplies["scan_trigger"] = "ABC\r\nDEF";
    }
    Start("ZR905K");
    MsgBoxRecorder boxes;
    T_frmScanTest w;
    w.ReadWaitMs = 20;
    w.tmrScanTest->setInterval(10);
    w.show();
    Save(&w, "scantest.png");
    // The English UI shows English texts (the window once had only its Chinese ones).
    EXPECT_EQ(w.windowTitle(), "Scan Test");
    EXPECT_EQ(w.grpTestParam->title(), "Test Settings");
    EXPECT_EQ(w.lblPrintWidth->text(), "Printable width:");
    EXPECT_EQ(w.lblPrintHeight->text(), "Printable height:");
    EXPECT_EQ(w.btnScanTest->text(), "Scan Test");
    EXPECT_GE(w.edtPrintWidth->x(), w.lblPrintWidth->x() + w.lblPrintWidth->sizeHint().width())
        << "the edit leaves the label its text's width";
    QSignalSpy ended(&w, &T_frmScanTest::testEnded);
    w.btnScanTest->click();
    EXPECT_FALSE(w.btnScanTest->isEnabled());
    ASSERT_TRUE(ended.wait(3000));
    EXPECT_TRUE(w.btnScanTest->isEnabled());
    EXPECT_TRUE(Got(ScanTriggerCommand()));
    EXPECT_TRUE(Got("CLS\r\nSIZE 50 mm,30 mm\r\nTEXT 10,10,\"9\",0,50,50,\"ABC\"\r\n"
                    "TEXT 10,50,\"9\",0,50,50,\"DEF\"\r\n"
                    "PRINT 1\r\n"));
    // A width above 108 is refused before the port opens.
    printer_.clearReceived();
    w.edtPrintWidth->setText("109");
    w.btnScanTest->click();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "The print width may not exceed 108mm.");
}

TEST_F(ToolSim, EthernetSettingsReadAndWrite)
{
    Set("eth_dhcp", "off");
    Set("eth_ip", "10.0.0.5");
    Set("eth_mask", "255.255.255.0");
    Set("eth_gateway", "10.0.0");  // too short: its edits stay empty
    Start("V64");
    MsgBoxRecorder boxes;
    {
        TfrmAdvancedSettings a;
        EXPECT_EQ(a.ShownCount(), 1);
        EXPECT_FALSE(a.btnEthernetSetting->isHidden());
        Save(&a, "advancedsettings.png");
    }
    TFormNet w;
    EXPECT_EQ(w.cmbDHCP->currentText(), "OFF");
    EXPECT_EQ(w.txtIP[0]->text(), "10");
    EXPECT_EQ(w.txtIP[3]->text(), "5");
    EXPECT_EQ(w.txtSubnet[2]->text(), "255");
    EXPECT_EQ(w.txtGateway[0]->text(), "");
    EXPECT_TRUE(w.txtIP[0]->isEnabled());
    Save(&w, "formnet.png");

    w.txtIP[3]->setText("6");
    printer_.clearReceived();
    w.btnSet->click();
    const QByteArray set = kPrefix + "setval ";
    EXPECT_TRUE(Got(set + "\"eth_dhcp\" \"off\"\r\n" + set + "\"eth_ip\" \"10.0.0.6.\"\r\n" + set
                    + "\"eth_mask\" \"255.255.255.0.\"\r\n"));
    EXPECT_FALSE(printer_.received().contains("eth_gateway"));
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Parameters were set successfully.");

    // A second Set after the first closed and destroyed the printer object still works;
    // a bad octet is refused before any byte goes out.
    boxes.clear();
    printer_.clearReceived();
    w.txtSubnet[0]->setText("300");
    w.btnSet->click();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONERROR_));
    QThread::msleep(50);
    EXPECT_TRUE(printer_.received().isEmpty());
    w.txtSubnet[0]->setText("255");
    w.cmbDHCP->setCurrentIndex(0);
    EXPECT_FALSE(w.txtIP[0]->isEnabled());
    w.btnSet->click();
    EXPECT_TRUE(Got(set + "\"eth_dhcp\" \"on\"\r\n" + set + "\"eth_mask\" \"255.255.255.0.\"\r\n"));
    EXPECT_FALSE(printer_.received().contains("eth_ip"));
}

TEST_F(ToolSim, AdvancedWindowOfAModelWithoutEthernetIsEmptyAndLeavesThePortClosed)
{
    Start("F58S");
    TfrmAdvancedSettings a;
    EXPECT_EQ(a.ShownCount(), 0);
    EXPECT_TRUE(a.btnEthernetSetting->isHidden());
    QStringList opened;
    SetFormShowHook([&](QWidget* w) { opened << w->objectName(); });
    a.btnNetClick();
    EXPECT_TRUE(opened.isEmpty());
}

// Every function and tool window that opens the port tells, when the open fails, what its
// code means, in the UI language: the printer here is a loopback port nobody listens on.
TEST_F(ToolSim, EveryFailedOpenSaysWhatItsCodeMeans)
{
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"main window connection test", [&] { form_->btnConnectTest->click(); }},
        {"main window parameter setting", [&] { form_->RunFunction("btnParameterSetting"); }},
        {"main window self-test", [&] { form_->RunFunction("btnPrintConfigInfo"); }},
        {"main window scan test", [&] { form_->RunFunction("btnScanTest"); }},
        {"advanced settings", [] { TfrmAdvancedSettings().btnNetClick(); }},
        {"Ethernet settings", [] { TFormNet w; }},
        {"command console",
         [] {
             T_frmCommandTest w;
             w.show();
             w.RE[0]->setPlainText("PING");
             w.btnSend->click();
         }},
        {"printer information", [] { T_frmPrinterInformation().show(); }},
        {"printer status", [] { T_frmPrinterStatus().show(); }},
        {"scan test window", [] { T_frmScanTest().btnScanTestClick(); }},
        {"RFID settings", [] { TfrmRfidSet().btnReadParaClick(); }},
        {"label test text",
         [] {
             T_frmPrintTextLabel w;
             w.txtPrintText->setPlainText("a");
             w.btnPrint->click();
         }},
        {"CPCL page test text",
         [] {
             T_frmPrintTextLabelCpclV52bt w;
             w.txtPrintText->setPlainText("a");
             w.btnPrint->click();
         }},
        {"receipt test text",
         [] {
             T_frmPrintText w;
             w.txtPrintText->setPlainText("a");
             w.btnPrint->click();
         }},
        {"ESC/POS test text",
         [] {
             TForm25 w;
             w.txtPrintText->setPlainText("a");
             w.btnPrint->click();
         }},
    };
    struct Language {
        const char* arg;
        QString text;
    };
    const Language languages[] = {
        {"-EN", "Failed to open the port:-13 (network connection refused or unreachable)"},
        {"-CN", QString::fromUtf8("打开端口失败:-13 (网络连接被拒绝或无法到达)")},
    };
    server_->stop();  // the printer's port now refuses connections
    for (const Language& l : languages) {
        SCOPED_TRACE(l.arg);
        SetProgramArgs({l.arg});
        Start("V64");
        for (const Case& c : cases) {
            MsgBoxRecorder boxes;
            c.run();
            EXPECT_TRUE(boxes.texts().contains(l.text)) << c.name << ": " << boxes.texts().join(" | ").toStdString();
        }
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
    }
}
