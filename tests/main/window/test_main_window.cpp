// The main window offscreen against a temporary program folder: captions, printer list,
// delete and address update, the selection road, the button layout, the gate, and the
// start-up sequence with the developer prompts.
#include "MainFixture.h"

#include "FormMain_Label.h"
#include "PrtIni.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlDevNewPrt.h"
#include "mdlFormOpeners.h"
#include "mdlFunctionButtons.h"
#include "mdlGlobalVar.h"
#include "mdlKesaVar.h"
#include "mdlLanguage.h"
#include "mdlLinkSeams.h"
#include "mdlMainData.h"
#include "mdlModelCatalog.h"
#include "mdlModelData.h"
#include "mdlModuleState.h"
#include "mdlUsbVidPidCheck.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLibApi.h"
#include "mdlPrinterListFile.h"
#include "mdlPrinterTypeList.h"
#include "mdlStartup.h"
#include "mdlStartupForms.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QDialog>
#include <QPointer>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTcpServer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using mainwin::TempProgram;
using prt::test::MsgBoxRecorder;

namespace {

const char kListChanged[] =
    "The printer list file was changed after the list was loaded, so nothing was saved. The list is now read again.";

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { mainwin::ResetMainState(); }
    void TearDown() override
    {
        form_.reset();  // frees the singletons
        FinalizeStartup();
        mainwin::ResetMainState();
    }
    // The entry's sequence up to a shown main window.
    T_frmMain_Label* Start()
    {
        InitStartupModules();
        InitStartupModes();
        CreateGlobalSingletons();
        form_.reset(new T_frmMain_Label());
        form_->show();
        return form_.get();
    }
    QString Row(int i) const
    {
        const QTreeWidgetItem* it = form_->lvPrinterList->topLevelItem(i);
        QStringList f;
        for (int c = 0; c < 5; ++c)
            f << it->text(c);
        return f.join('|');
    }
    void Select(int row)
    {
        form_->SelectRow(row);
        form_->lvPrinterListClick();
    }

    TempProgram p_;
    std::unique_ptr<T_frmMain_Label> form_;
};

// Counts the live printer objects of the TSPL library while forwarding to the engine.
struct CountingTspl {
    static inline int live = 0;
    static inline int created = 0;
    static int Create(prt::sdk::Lib lib, prt::sdk::Handle* h, const char16_t* model)
    {
        const int r = DefaultPrtSdkApi().PrinterCreator(lib, h, model);
        if (r == 0 && *h != 0) {
            ++live;
            ++created;
        }
        return r;
    }
    static int Destroy(prt::sdk::Lib lib, prt::sdk::Handle* h)
    {
        if (*h != 0)
            --live;
        return DefaultPrtSdkApi().PrinterDestroy(lib, h);
    }
};

} // namespace

TEST_F(MainWindow, CaptionsComeFromTheLanguageFileAndEveryControlIsNamed)
{
    T_frmMain_Label* f = Start();
    EXPECT_EQ(f->btnQuit->text(), "Quit");
    EXPECT_EQ(f->btnAddPrinter->text(), "Add");
    EXPECT_EQ(f->lblPrinterList->text(), "Printers:");
    EXPECT_EQ(f->windowTitle(), "Printer Utility  V1.0.0.1");
    EXPECT_EQ(f->DeleteConfirmText(), "Delete the selected printer from the list?");
    for (const char* name :
         {"lvPrinterList", "btnAddPrinter", "btnModifyPrinter", "btnDeletePrinter", "btnConnectTest", "btnQuit",
          "gpbFunction", "btnMore", "PagecA", "tabsA", "scrollboxA", "sboxSysPara", "sbtnFunction", "sbtnSysPara",
          "mmoInfo", "edtInfo_PrtName", "edtInfo_PrtVpid", "cmbToolLang", "txtlbl_ToolLang", "pnlSetOrOther",
          "btnSetToolLangOrOther", "btnGetToolLangOrOther", "txtlbl_LangID", "txtLangID", "txtlbl_Map", "txtMap",
          "txtlbl_ProtocolType", "txtProtocolType", "btnGetProtocolType", "txtlbl_PrtBasName", "edtPrtBasName",
          "btnVpidMg", "txtLbl_PrtVpidS", "txtPrtVpidS", "txtLbl_PrtVpidTemp", "txtPrtVpidTemp", "btnDFU",
          "btnDFU2", "btnFWAllUpdate", "btnLabelSensorPrintImage", "PMenuMore", "mitemTest",
          "mitemGetPrtBasName"})
        EXPECT_NE(f->findChild<QObject*>(name), nullptr) << name;
    for (const QString& name : FunctionButtonNames())
        EXPECT_NE(f->FunctionButton(name), nullptr) << name.toStdString();
}

TEST_F(MainWindow, ApplyingAnotherToolLanguageReloadsTheCaptionsAndRemembersIt)
{
    p_.SetOemCo("Label_V52");  // a profile that offers Chinese and English
    T_frmMain_Label* f = Start();
    ASSERT_EQ(f->ToolLangList().size(), 2);
    const int zh = f->cmbToolLang->findText(f->ToolLangList().first().section('=', 1));
    ASSERT_GE(zh, 0);
    f->cmbToolLang->setCurrentIndex(zh);
    EXPECT_EQ(f->txtLangID->text(), "2052");
    f->btnSetToolLangOrOther->click();
    EXPECT_EQ(f->btnQuit->text(), QString::fromUtf8("退出"));
    EXPECT_EQ(f->windowTitle().left(5), QString::fromUtf8("打印机工具"));
    EXPECT_EQ(prt::LangText("_MSG_Title_Error"), QString::fromUtf8("错误"));
    EXPECT_EQ(GetKesaVar()->ToolLangValue, "2052");
    const QString sysPm = GetKesaVar()->SysPmIniPath;
    form_.reset();
    FinalizeStartup();
    prt::IniClearCache();
    EXPECT_EQ(prt::IniReadString(sysPm, "SysPm", "ToolLang", QString()), "2052");

    // The next start comes up in the remembered language.
    mainwin::ResetMainState();
    f = Start();
    EXPECT_EQ(f->btnQuit->text(), QString::fromUtf8("退出"));
}

TEST_F(MainWindow, MissingPrinterListBecomesTheDefaultRow)
{
    ASSERT_FALSE(QFileInfo::exists(p_.ListPath()));
    T_frmMain_Label* f = Start();
    ASSERT_EQ(f->RowCount(), 1);
    const QString first = TempProgram::Read(p_.FilesDir() + "CompanyPrinterList_Label.txt").split('\r').first();
    EXPECT_EQ(Row(0), first + "|USB|USB||");
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), (first + "|USB|USB||\r\n").toUtf8());
    EXPECT_FALSE(f->btnDeletePrinter->isEnabled());
    EXPECT_EQ(PrtDefName, first);
    EXPECT_EQ(GetCurrentPortString(), "USB");
}

// A model list whose first name begins with "#" would make the default row a comment: the
// built-in default model stands in.
TEST_F(MainWindow, ADefaultModelThatWouldMakeACommentIsNotWritten)
{
    TempProgram::Write(p_.FilesDir() + "CompanyPrinterList_Label.txt", "#J83\r\nTE62\r\n");
    T_frmMain_Label* f = Start();
    ASSERT_EQ(f->RowCount(), 1);
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "V64|USB|USB||\r\n");
    EXPECT_EQ(PrtDefName, "V64");
}

TEST_F(MainWindow, DeleteAsksThenRewritesTheFileAndSelectsTheNeighbour)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.1|b|\r\nF58S|COM|COM1,BAUDRATE_9600\r\n");
    T_frmMain_Label* f = Start();
    ASSERT_EQ(f->RowCount(), 3);
    EXPECT_TRUE(f->btnDeletePrinter->isEnabled());

    {   // Cancel changes nothing.
        MsgBoxRecorder boxes(prt::IDCANCEL_);
        Select(2);
        f->btnDeletePrinter->click();
        ASSERT_EQ(boxes.calls().size(), 1u);
        // The question names the printer: model and port.
        EXPECT_EQ(boxes.calls()[0].text, "Delete the selected printer from the list?\r\n\r\nF58S (COM1,BAUDRATE_9600)");
        EXPECT_EQ(boxes.calls()[0].caption, "Warning");
        EXPECT_EQ(boxes.calls()[0].flags, 262433u);
        EXPECT_EQ(f->RowCount(), 3);
    }
    MsgBoxRecorder boxes(prt::IDOK_);
    f->btnDeletePrinter->click();  // the last row: the one before it is selected
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "\r\nV64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.1|b|\r\n");
    EXPECT_EQ(f->SelectedRow(), 1);
    EXPECT_EQ(PrtDefName, "TE62");
    EXPECT_EQ(GetCurrentPortString(), "NET,127.0.0.1");
    EXPECT_TRUE(f->btnDeletePrinter->isEnabled());

    Select(0);
    f->btnDeletePrinter->click();  // two rows left, one deleted: the button goes off
    EXPECT_EQ(f->RowCount(), 1);
    EXPECT_EQ(PrtDefName, "TE62");
    EXPECT_FALSE(f->btnDeletePrinter->isEnabled());
    // The file written by delete (leading empty line) loads with the same rows.
    form_.reset();
    FinalizeStartup();
    mainwin::ResetMainState();
    f = Start();
    ASSERT_EQ(f->RowCount(), 1);
    EXPECT_EQ(Row(0), "TE62|NET|NET,127.0.0.1|b|");
}

TEST_F(MainWindow, AddressUpdateRewritesTheRememberedRowAndAVanishedRowReloads)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB|a|1\r\nTE62|USB|USB|b|\r\n");
    T_frmMain_Label* f = Start();
    Select(1);
    f->ApplyChosenAddress("127.0.0.5");
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "V64|USB|USB|a|1\r\nTE62|USB|NET,127.0.0.5|b|\r\n");
    EXPECT_EQ(f->SelectedRow(), 1);
    EXPECT_EQ(Row(1), "TE62|USB|NET,127.0.0.5|b|");
    EXPECT_EQ(GetCurrentPortString(), "NET,127.0.0.5");

    // The file lost the row behind the window's back: it says so and reloads.
    TempProgram::Write(p_.ListPath(), "V64|USB|USB|a|1\r\n");
    MsgBoxRecorder boxes;
    f->ApplyChosenAddress("127.0.0.6");
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONINFORMATION_));
    EXPECT_EQ(boxes.calls()[0].text, kListChanged);
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "V64|USB|USB|a|1\r\n");
    EXPECT_EQ(f->RowCount(), 1);
    EXPECT_EQ(PrtDefName, "V64");
}

// Another copy of the program changed the file after the list was loaded: delete and the
// address update act on the row the operator chose, found by the line it was loaded from;
// when the file no longer holds that line they say so, write nothing and reload.
TEST_F(MainWindow, DeleteAndAddressUpdateActOnTheRowAsItWasLoaded)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.1|b|\r\n");
    T_frmMain_Label* f = Start();
    Select(1);
    // Meanwhile a row was added in front.
    TempProgram::Write(p_.ListPath(), "J83|USB|USB||\r\nV64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.1|b|\r\n");
    {
        MsgBoxRecorder boxes(prt::IDOK_);
        f->btnDeletePrinter->click();
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, "Delete the selected printer from the list?\r\n\r\nTE62 (NET,127.0.0.1)");
    }
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "\r\nJ83|USB|USB||\r\nV64|USB|USB|a|\r\n");
    // The list shows the file.
    ASSERT_EQ(f->RowCount(), 2);
    EXPECT_EQ(Row(0), "J83|USB|USB||");
    EXPECT_EQ(f->SelectedRow(), 1);
    EXPECT_EQ(PrtDefName, "V64");

    // The chosen row's line was edited by hand: nothing is deleted.
    TempProgram::Write(p_.ListPath(), "J83|USB|USB||\r\nV64|USB|USB|front|\r\n");
    {
        MsgBoxRecorder boxes(prt::IDOK_);
        f->btnDeletePrinter->click();
        ASSERT_EQ(boxes.calls().size(), 2u);
        EXPECT_EQ(boxes.calls()[0].text, "Delete the selected printer from the list?\r\n\r\nV64 (USB)");
        EXPECT_EQ(boxes.calls()[1].text, kListChanged);
        EXPECT_EQ(boxes.calls()[1].caption, "Message");
        EXPECT_EQ(boxes.calls()[1].flags, unsigned(prt::MB_ICONINFORMATION_));
    }
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "J83|USB|USB||\r\nV64|USB|USB|front|\r\n");
    ASSERT_EQ(f->RowCount(), 2);
    EXPECT_EQ(Row(1), "V64|USB|USB|front|");

    // The address update the same way: moved is found, replaced is left alone.
    Select(1);
    TempProgram::Write(p_.ListPath(), "V64|USB|USB|front|\r\nJ83|USB|USB||\r\n");
    f->ApplyChosenAddress("127.0.0.5");
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "V64|USB|NET,127.0.0.5|front|\r\nJ83|USB|USB||\r\n");
    EXPECT_EQ(Row(0), "V64|USB|NET,127.0.0.5|front|");
    Select(1);
    TempProgram::Write(p_.ListPath(), "V64|USB|NET,127.0.0.5|front|\r\nV52|USB|USB||\r\n");
    MsgBoxRecorder boxes;
    f->ApplyChosenAddress("127.0.0.6");
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, kListChanged);
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "V64|USB|NET,127.0.0.5|front|\r\nV52|USB|USB||\r\n");
    EXPECT_EQ(Row(1), "V52|USB|USB||");
}

TEST_F(MainWindow, AddAndModifyThroughTheFileReloadAndSelect)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.1|b|2");
    T_frmMain_Label* f = Start();
    Select(1);
    const T_frmMain_Label::TModifyHandover h = f->ModifyHandover();
    EXPECT_EQ(h.Row, 1);
    EXPECT_EQ(h.PrtDefName, "TE62");
    EXPECT_EQ(h.PortType, "NET");
    EXPECT_EQ(h.PortParam, "127.0.0.1");
    EXPECT_EQ(h.PrtVerOfTool, "2");

    EXPECT_EQ(h.RowLine, "TE62|NET|NET,127.0.0.1|b|2");
    ASSERT_EQ(ReplacePrinterListRow(f->PrinterListPath(), {h.Row, h.RowLine}, {"TE62", "NET", "NET,127.0.0.2", "c", "2"}),
              TPrinterListResult::Ok);
    f->PrinterModified();
    EXPECT_EQ(f->SelectedRow(), 1);
    EXPECT_EQ(GetCurrentPortString(), "NET,127.0.0.2");

    {   // A notes text with a line break is refused; a row that vanished is reported and reloaded.
        MsgBoxRecorder boxes;
        EXPECT_FALSE(f->HandlePrinterListResult(ReplacePrinterListRow(
            f->PrinterListPath(), f->LoadedRow(1), {"TE62", "NET", "NET,127.0.0.2", "c\nd", "2"})));
        EXPECT_FALSE(f->HandlePrinterListResult(ReplacePrinterListRow(
            f->PrinterListPath(), {7, "X|USB|USB||"}, {"TE62", "NET", "NET,127.0.0.2", "c", "2"})));
        ASSERT_EQ(boxes.calls().size(), 2u);
        EXPECT_EQ(boxes.calls()[0].text, "A printer field may not contain \"|\" or a line break.");
        EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONERROR_));
        EXPECT_EQ(boxes.calls()[1].text, kListChanged);
        EXPECT_EQ(boxes.calls()[1].flags, unsigned(prt::MB_ICONINFORMATION_));
        EXPECT_EQ(f->RowCount(), 2);
    }

    // The unterminated last line is ended before the new row.
    ASSERT_EQ(AppendPrinterListRow(f->PrinterListPath(), {"F58S", "COM", "COM1,BAUDRATE_9600", "", ""}),
              TPrinterListResult::Ok);
    f->PrinterAdded();
    EXPECT_EQ(f->RowCount(), 3);
    EXPECT_EQ(f->SelectedRow(), 2);
    EXPECT_EQ(PrtDefName, "F58S");
    EXPECT_TRUE(f->btnDeletePrinter->isEnabled());
}

TEST_F(MainWindow, SelectingRowsSetsNamesPortAndConnectionAndRelaysTheButtons)
{
    TempProgram::Write(p_.ListPath(), "NOLIST|USB|USB||\r\nTE62|COM|COM2,BAUDRATE_19200||\r\n"
                                      "V64|NET|NET,127.0.0.1:9100||\r\n");
    T_frmMain_Label* f = Start();
    struct Case {
        int row;
        const char *def, *port;
        int portType;
        QStringList mustShow;
    };
    const Case cases[] = {
        {0, "NOLIST", "USB", 1, {"btnPrinterInformation", "btnPrintText", "btnPrintConfigInfo", "btnStartLearn"}},
        {1, "TE62", "COM2,BAUDRATE_19200", 2, {"btnNoPaperLightLearn", "btnHavePaperLightLearn"}},
        {2, "V64", "NET,127.0.0.1:9100", 4, {"btnAdvancedSettings", "btnModelTest"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.def);
        Select(c.row);
        EXPECT_EQ(PrtDefName, c.def);
        EXPECT_EQ(f->edtInfo_PrtName->text(), c.def);
        EXPECT_EQ(f->edtPrtBasName->text(), PrtBasName);
        EXPECT_EQ(GetCurrentPortString(), c.port);
        EXPECT_EQ(GetKesaVar()->GetDevNewPrt()->PortType, c.portType);
        EXPECT_EQ(GetKesaVar()->GetDevNewPrt()->PortString, c.port);
        EXPECT_EQ(f->RememberedRow(), c.row);
        EXPECT_EQ(FeatureLookupModel, PrtBasName);
        EXPECT_EQ(f->txtMap->text(), PrtMapName);
        for (const QString& name : c.mustShow)
            EXPECT_TRUE(f->FunctionButton(name)->isVisible()) << name.toStdString();

        // The buttons take the slots in order, two per row.
        int slot = 0;
        for (const QString& name : FunctionButtonNames()) {
            QPushButton* b = f->FunctionButton(name);
            if (!b->isVisible())
                continue;
            EXPECT_EQ(b->geometry(), FunctionSlotRect(slot, b->width(), b->height())) << name.toStdString();
            ++slot;
        }
        EXPECT_EQ(slot, f->SlotsUsed());
        EXPECT_EQ(f->gpbFunction->height(), FunctionRowCount(slot) * (f->Button4->height() + 19) + 30);
        // A serial port hides the firmware update of models outside its list.
        EXPECT_EQ(f->btnDFU->isVisible(),
                  !QString(c.port).contains("COM") || MainData::DfuOnComModels().contains(QString(",%1,").arg(c.def)));
    }
    // The first model in no list: exactly the base buttons.
    Select(0);
    EXPECT_EQ(f->SlotsUsed(), 6);
    EXPECT_FALSE(f->btnCommandTest->isVisible());
}

TEST_F(MainWindow, AClickOnNoRowKeepsTheRememberedRowAndLoadingDoesNotMoveIt)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB||\r\nTE62|USB|USB||\r\n");
    T_frmMain_Label* f = Start();
    Select(1);
    f->lvPrinterList->clearSelection();
    f->lvPrinterListClick();
    EXPECT_EQ(f->SelectedRow(), 1);
    EXPECT_EQ(f->RememberedRow(), 1);
    f->ReloadPrinterList(0);
    EXPECT_EQ(f->SelectedRow(), 0);
}

TEST_F(MainWindow, RepeatedSelectionsLeaveAtMostOnePrinterObjectAlive)
{
    static PrtSdkApi counting = DefaultPrtSdkApi();
    counting.PrinterCreator = &CountingTspl::Create;
    counting.PrinterDestroy = &CountingTspl::Destroy;
    CountingTspl::live = 0;
    CountingTspl::created = 0;
    TsplDestroyGlobalPrinter();
    const PrtSdkApi* old = SetPrtSdkApi(prt::sdk::Lib::Tspl, &counting);

    TempProgram::Write(p_.ListPath(), "V64|USB|USB||\r\nTE62|USB|USB||\r\n");
    T_frmMain_Label* f = Start();
    for (int i = 0; i < 25; ++i) {
        Select(i % 2);
        ASSERT_LE(CountingTspl::live, 1) << i;
    }
    EXPECT_EQ(f->TsplCreateResult(), 0);
    EXPECT_GE(CountingTspl::created, 25);
    TsplDestroyGlobalPrinter();
    EXPECT_EQ(CountingTspl::live, 0);
    SetPrtSdkApi(prt::sdk::Lib::Tspl, old);
}

TEST_F(MainWindow, TheGateAsksForTheAttachedUsbPrinterOnlyOutsideTheExemptionAndInsideTheFeatureList)
{
    const QString exempt = MainData::GateExemptModels().split(',', Qt::SkipEmptyParts).first();
    TempProgram::Write(p_.ListPath(), QString("%1|USB|USB||\r\nTE62|USB|USB||\r\nNOLIST|USB|USB||\r\n")
                                          .arg(exempt)
                                          .toUtf8());
    T_frmMain_Label* f = Start();
    struct Case {
        int row;
        bool attached;  // a printer of the selected model's USB identity is attached
        bool ok;
    };
    const Case cases[] = {
        {0, false, true},   // exempt model
        {1, false, false},  // checked model, nothing attached: refused with the check's message
        {1, true, true},    // checked model, its printer attached
        {2, false, true},   // model outside the feature list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << c.attached);
        const QString id = UsbCheckFamilyIdText(3);
        SetUsbIdentitySource([&] { return c.attached ? QStringList{"USB\\" + id + "&REV_0100"} : QStringList(); });
        Select(c.row);
        MsgBoxRecorder boxes;
        EXPECT_EQ(f->RunGate(), c.ok);
        EXPECT_EQ(boxes.calls().size(), c.ok ? 0u : 1u);
        if (!c.ok) {
            ASSERT_EQ(boxes.calls().size(), 1u);
            EXPECT_EQ(boxes.calls()[0].text, prt::LangText(LANGKEY_UsbIdMismatch));
            EXPECT_FALSE(boxes.calls()[0].text.isEmpty());
        }
    }
}

// The check compares the USB devices attached to this computer, so it speaks only for a
// printer on the USB port: a printer reached over the network, a serial or a parallel port
// is never refused for the USB devices that are (or are not) attached.
TEST_F(MainWindow, TheIdentityGateAsksOnlyPrintersOnTheUsbPort)
{
    struct Case {
        const char* model;
        const char* type;
        const char* port;
        bool refused;  // with no USB printer attached
    };
    const Case cases[] = {
        {"V52", "USB", "USB", true},
        {"Y7", "USB", "USB", true},
        {"Y7BT", "USB", "USB", true},
        {"TE62", "USB", "USB", true},
        {"V64", "USB", "USB", false},  // the V64 family is exempt
        {"V52", "NET", "NET,127.0.0.1", false},
        {"V52R", "NET", "NET,127.0.0.1", false},
        {"V52BT", "NET", "NET,127.0.0.1", false},
        {"Y7", "NET", "NET,127.0.0.1", false},
        {"Y7BT", "NET", "NET,127.0.0.1", false},
        {"TE62", "NET", "NET,127.0.0.1", false},
        {"TE62", "USB", "NET,127.0.0.5", false},  // an address set on a USB row: the port decides
        {"Y7", "COM", "COM1,BAUDRATE_9600", false},
        {"V52", "LPT", "LPT1", false},
    };
    QByteArray list;
    for (const Case& c : cases)
        list += QByteArray(c.model) + "|" + c.type + "|" + c.port + "||\r\n";
    TempProgram::Write(p_.ListPath(), list);
    SetUsbIdentitySource([] { return QStringList(); });
    T_frmMain_Label* f = Start();
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(std::string(c.model) + " " + c.port);
        Select(i);
        MsgBoxRecorder boxes;
        EXPECT_EQ(f->RunGate(), !c.refused);
        EXPECT_EQ(boxes.texts(), c.refused ? QStringList{prt::LangText(LANGKEY_UsbIdMismatch)} : QStringList());
    }
    SetUsbIdentitySource(nullptr);
}

// The attached USB device names only a printer on the USB port: a Y7 row on the network
// keeps its name beside an attached Y7BT.
TEST_F(MainWindow, AnAttachedUsbPrinterRenamesOnlyTheUsbRow)
{
    TempProgram::Write(p_.ListPath(), "Y7|USB|USB||\r\nY7|NET|NET,127.0.0.1||\r\n");
    const QString y7bt = UsbCheckFamilyIdText(2);
    SetUsbIdentitySource([y7bt] { return QStringList{"USB\\" + y7bt + "&REV_0100"}; });
    Start();
    Select(0);
    EXPECT_EQ(PrtBasName, "Y7BT");
    Select(1);
    EXPECT_EQ(PrtBasName, "Y7");
    SetUsbIdentitySource(nullptr);
}

// A refusal belongs to the row and the function it refused: selecting other rows afterwards,
// by mouse or keyboard, shows nothing.
TEST_F(MainWindow, ARefusalIsNotShownAgainWhenAnotherRowIsSelected)
{
    TempProgram::Write(p_.ListPath(), "TE62|USB|USB||\r\nW16P|USB|USB||\r\nV64|NET|NET,127.0.0.1||\r\n");
    SetUsbIdentitySource([] { return QStringList(); });
    T_frmMain_Label* f = Start();
    Select(0);
    {
        MsgBoxRecorder boxes;
        f->btnParameterSetting->click();
        ASSERT_EQ(boxes.texts(), QStringList{prt::LangText(LANGKEY_UsbIdMismatch)});
    }
    MsgBoxRecorder boxes;
    QWidget* vp = f->lvPrinterList->viewport();
    const QPoint row1 = f->lvPrinterList->visualItemRect(f->lvPrinterList->topLevelItem(1)).center();
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, row1, vp->mapToGlobal(row1), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &e);
    }
    EXPECT_EQ(f->SelectedRow(), 1);
    EXPECT_EQ(PrtDefName, "W16P");
    for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent e(t, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(f->lvPrinterList, &e);
    }
    EXPECT_EQ(f->SelectedRow(), 2);
    EXPECT_EQ(PrtDefName, "V64");
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(" | ").toStdString();
    SetUsbIdentitySource(nullptr);
}

// The printer list's context menu is a real menu the keyboard opens (menu key, Shift+F10)
// at the current row, its item active and named for screen readers.
TEST_F(MainWindow, ThePrinterListsMenuOpensFromTheKeyboardWithNamedItems)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB||\r\nTE62|USB|USB||\r\n");
    T_frmMain_Label* f = Start();
    Select(1);
    EXPECT_EQ(f->lvPrinterList->accessibleName(), "Printers");
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    };
    for (const Key& k : {Key{Qt::Key_Menu, Qt::NoModifier}, Key{Qt::Key_F10, Qt::ShiftModifier}}) {
        SCOPED_TRACE(int(k.key));
        QKeyEvent press(QEvent::KeyPress, k.key, k.mods);
        QApplication::sendEvent(f->lvPrinterList, &press);
        ASSERT_TRUE(f->PMenuPrinterList->isVisible());
        EXPECT_EQ(f->PMenuPrinterList->activeAction(), f->mitemTempletManage);
        const QRect row = f->lvPrinterList->visualItemRect(f->lvPrinterList->topLevelItem(1));
        EXPECT_LE(std::abs(f->PMenuPrinterList->pos().y() - f->lvPrinterList->viewport()->mapToGlobal(row.bottomLeft()).y()), 2);
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(f->PMenuPrinterList);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->role(), QAccessible::PopupMenu);
        EXPECT_EQ(menu->text(QAccessible::Name), "Printer Storage");
        ASSERT_EQ(menu->childCount(), 1);
        EXPECT_EQ(menu->child(0)->role(), QAccessible::MenuItem);
        EXPECT_EQ(menu->child(0)->text(QAccessible::Name), "Printer Storage");
        f->PMenuPrinterList->hide();
    }
}

TEST_F(MainWindow, FunctionsWithoutTheirWindowSayTheyAreNotAvailable)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB||\r\n");
    T_frmMain_Label* f = Start();
    // Functions whose window is not in the opener table say so.
    {
        RegisterFormOpener("TForm11", {});
        MsgBoxRecorder boxes;
        f->RunFunction("btnFWAllUpdate");
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, "This function is not available yet.");
        EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONINFORMATION_));
    }
    // A registered handler runs instead of the dispatch.
    int ran = 0;
    RegisterMainFunction("btnPrintText", [&ran](T_frmMain_Label&) { ++ran; });
    f->btnPrintText->click();
    RegisterMainFunction("btnPrintText", nullptr);
    EXPECT_EQ(ran, 1);
}

TEST_F(MainWindow, AnEmptyPrinterListSkipsTheRoadAndRefusesGatedFunctions)
{
    // A printer list that cannot be recreated: a folder stands where the file belongs.
    QDir().mkpath(p_.ListPath());
    T_frmMain_Label* f = Start();
    EXPECT_EQ(f->RowCount(), 0);
    EXPECT_EQ(PrtDefName, "");
    MsgBoxRecorder boxes;
    f->RunFunction("btnParameterSetting");
    f->btnConnectTest->click();
    f->btnDeletePrinter->click();
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[0].text, "The printer list is empty: add a printer first.");
    EXPECT_EQ(boxes.calls()[1].text, "The printer list is empty: add a printer first.");
}

TEST_F(MainWindow, ThePrinterListsContextMenuOpensTheStorageManagerAfterTheGate)
{
    const QString exempt = MainData::GateExemptModels().split(',', Qt::SkipEmptyParts).first();
    TempProgram::Write(p_.ListPath(), QString("%1|USB|USB||\r\nTE62|USB|USB||\r\n").arg(exempt).toUtf8());
    T_frmMain_Label* f = Start();
    EXPECT_EQ(f->lvPrinterList->contextMenuPolicy(), Qt::CustomContextMenu);
    ASSERT_EQ(f->PMenuPrinterList->actions(), QList<QAction*>{f->mitemTempletManage});
    EXPECT_EQ(f->mitemTempletManage->text(), "Printer Storage");
    EXPECT_EQ(f->mitemTempletManage->objectName(), "mitemTempletManage");
    f->lvPrinterListContextMenu(QPoint(10, 10));
    EXPECT_TRUE(f->PMenuPrinterList->isVisible());
    f->PMenuPrinterList->hide();

    TakeOpenedFormNames();
    QStringList opened;
    SetFormShowHook([&](QWidget* w) { opened << w->metaObject()->className(); });
    // a printer the gate lets through
    Select(0);
    {
        MsgBoxRecorder boxes;
        f->mitemTempletManage->trigger();
        EXPECT_TRUE(boxes.calls().empty());
    }
    EXPECT_EQ(opened, QStringList{"T_frmTempletManage"});
    EXPECT_EQ(TakeOpenedFormNames(), QStringList{"T_frmTempletManage"});
    // a checked model whose printer is not attached: the gate's message, no window
    opened.clear();
    SetUsbIdentitySource([] { return QStringList(); });
    Select(1);
    {
        MsgBoxRecorder boxes;
        f->mitemTempletManage->trigger();
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, prt::LangText(LANGKEY_UsbIdMismatch));
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(TakeOpenedFormNames().isEmpty());
    SetFormShowHook({});
}

TEST_F(MainWindow, WithNoPrinterTheContextMenuItemIsRefusedLikeTheOtherWindows)
{
    QDir().mkpath(p_.ListPath());  // no list: no row, nothing selected
    T_frmMain_Label* f = Start();
    ASSERT_EQ(f->RowCount(), 0);
    TakeOpenedFormNames();
    QStringList opened;
    SetFormShowHook([&](QWidget* w) { opened << w->metaObject()->className(); });
    MsgBoxRecorder boxes;
    f->mitemTempletManage->trigger();
    f->RunFunction("btnRfidSet");
    SetFormShowHook({});
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(TakeOpenedFormNames().isEmpty());
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[0].text, "The printer list is empty: add a printer first.");
    EXPECT_EQ(boxes.calls()[1].text, boxes.calls()[0].text);
}

TEST_F(MainWindow, ConnectionTestReportsOpenAndFailure)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    // A port nobody listens on: a second server closed again.
    QTcpServer gone;
    ASSERT_TRUE(gone.listen(QHostAddress::LocalHost, 0));
    const quint16 deadPort = gone.serverPort();
    gone.close();
    TempProgram::Write(p_.ListPath(), QString("V64|NET|NET,127.0.0.1:%1||\r\nV64|NET|NET,127.0.0.1:%2||\r\n")
                                          .arg(server.serverPort())
                                          .arg(deadPort)
                                          .toUtf8());
    T_frmMain_Label* f = Start();
    MsgBoxRecorder boxes;
    Select(0);
    f->btnConnectTest->click();
    Select(1);
    f->btnConnectTest->click();
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[0].text, "Connected successfully.");
    EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONINFORMATION_));
    EXPECT_TRUE(boxes.calls()[1].text.startsWith("Failed to open the port:"));
    EXPECT_EQ(boxes.calls()[1].caption, "Error");
    EXPECT_EQ(boxes.calls()[1].flags, unsigned(prt::MB_ICONERROR_));
}

TEST_F(MainWindow, SavesAPictureOfTheWindowForReview)
{
    p_.SetOemCo("Label_V52");  // with the tool-language choice on the information page
    TempProgram::Write(p_.ListPath(), "V64|USB|USB|desk|\r\nTE62|NET|NET,127.0.0.1|shop|\r\n");
    T_frmMain_Label* f = Start();
    Select(0);
    const QString out = QStringLiteral(PRT_MAIN_TEST_OUT_DIR) + "/mainwin.png";
    ASSERT_TRUE(f->grab().save(out));
    EXPECT_GT(QFileInfo(out).size(), 1000);
    // The information page.
    f->sbtnSysPara->click();
    EXPECT_TRUE(f->sboxSysPara->isVisible());
    EXPECT_FALSE(f->gpbFunction->isVisible());
    const QString info = QStringLiteral(PRT_MAIN_TEST_OUT_DIR) + "/mainwin_info.png";
    ASSERT_TRUE(f->grab().save(info));
    f->sbtnFunction->click();
    EXPECT_TRUE(f->gpbFunction->isVisible());
    // Enlarged, then in Chinese at both sizes.
    const QSize layout = f->size();
    f->resize(layout + QSize(260, 120));
    ASSERT_TRUE(f->grab().save(QStringLiteral(PRT_MAIN_TEST_OUT_DIR) + "/mainwin_large.png"));
    const int zh = f->cmbToolLang->findText(f->ToolLangList().first().section('=', 1));
    ASSERT_GE(zh, 0);
    f->cmbToolLang->setCurrentIndex(zh);
    f->btnSetToolLangOrOther->click();
    ASSERT_TRUE(f->grab().save(QStringLiteral(PRT_MAIN_TEST_OUT_DIR) + "/mainwin_zh_large.png"));
    f->resize(layout);
    ASSERT_TRUE(f->grab().save(QStringLiteral(PRT_MAIN_TEST_OUT_DIR) + "/mainwin_zh.png"));
}

// ---- start-up -------------------------------------------------------------------------------

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override { mainwin::ResetMainState(); }
    void TearDown() override
    {
        DestroyStartupForms();
        FreeKesaVar();
        FreeGlobalVar();
        FreeConstLangV();
        FreeConstVar();
        FinalizeStartup();
        mainwin::ResetMainState();
    }
    TempProgram p_;
};

} // namespace

TEST_F(Startup, DeveloperPromptsOnlyWithTheMarkerAndTheirAnswersSetTheModes)
{
    struct Case {
        bool marker, secondMarker;
        int answer;
        size_t boxes;
        bool debug, factory;
        int opByte;
        bool debugMode;
    };
    const Case cases[] = {
        {false, false, prt::IDOK_, 0, false, false, 1, false},
        {true, false, prt::IDOK_, 2, true, true, 0, true},
        {true, false, prt::IDCANCEL_, 2, false, false, 1, false},
        // Cancel on both prompts, yet the second marker in the program folder keeps debug mode on.
        {true, true, prt::IDCANCEL_, 2, false, false, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marker * 100 + c.secondMarker * 10 + c.answer);
        mainwin::ResetMainState();
        TempProgram p;
        if (c.marker)
            p.CreateDevMarker();
        if (c.secondMarker)
            TempProgram::Write(p.ProgDir() + "x58316204972635.txt", "x");
        MsgBoxRecorder boxes(c.answer);
        InitStartupModules();
        InitStartupModes();
        ASSERT_EQ(boxes.calls().size(), c.boxes);
        if (c.boxes == 2) {
            EXPECT_EQ(boxes.calls()[0].text, "Ener DMode?");
            EXPECT_EQ(boxes.calls()[1].text, "Ener Factory Mode?");
            EXPECT_EQ(boxes.calls()[0].flags, 0x40121u);
        }
        EXPECT_EQ(bool(gDebugFlag), c.debug);
        EXPECT_EQ(IsDebugMode(), c.debugMode);
        EXPECT_EQ(gFactoryFlag, c.factory);
        EXPECT_EQ(gKeyFrameOpByte, c.opByte);
        EXPECT_EQ(GetKeyFrameOperationByte(), c.opByte);
        EXPECT_TRUE(gLogLockCreated);
        EXPECT_EQ(gBuildKind, 2);
        EXPECT_TRUE(QFileInfo(p.ProgDir() + "PgmOrCdr").isDir());

        CreateGlobalSingletons();
        ASSERT_NE(GetKesaVar(), nullptr);
        EXPECT_EQ(GetKesaVar()->IsFactory, c.factory);
        EXPECT_EQ(GetKesaVar()->KeyFrameOpByte, c.opByte);
        FreeKesaVar();
        FinalizeStartup();
        EXPECT_FALSE(gLogLockCreated);
    }
}

TEST_F(Startup, RoleSwitchesAreExactAndMayStandAnywhere)
{
    struct Case {
        QStringList args;
        bool programmer, dealer;
    };
    const Case cases[] = {
        {{"-EN", "-SwitchProgrammer"}, true, false},
        {{"-switchprogrammer", "-SWITCHDEALER"}, false, false},
        {{"-SwitchDealer"}, false, true},
    };
    for (const Case& c : cases) {
        mainwin::ResetMainState();
        SetProgramArgs(c.args);
        InitStartupModes();
        EXPECT_EQ(gRoleFlags.Programmer, c.programmer) << c.args.join(' ').toStdString();
        EXPECT_EQ(gRoleFlags.Dealer, c.dealer) << c.args.join(' ').toStdString();
        FinalizeStartup();
    }
}

TEST_F(Startup, EntryCreatesTheMainWindowWithoutShowingOrSendingAndTheLockIsDeletedOnce)
{
    TsplDestroyGlobalPrinter();
    InitStartupModules();
    InitStartupModes();
    CreateGlobalSingletons();
    ASSERT_NE(GetKesaVar(), nullptr);  // the singletons stand before the first window
    T_frmMain_Label* f = CreateStartupForms();
    ASSERT_EQ(f, frmMain_Label);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->RowCount(), 0);  // loading waits for the first show
    EXPECT_EQ(TsplGetHandle(), prt::sdk::Handle(0));  // no printer object, nothing opened or sent
    EXPECT_EQ(PrtDefName, "");
    EXPECT_TRUE(gLogLockCreated);
    DestroyStartupForms();        // the main window deletes the lock ...
    EXPECT_FALSE(gLogLockCreated);
    FinalizeStartup();            // ... and the entry's shutdown does not again
    EXPECT_FALSE(gLogLockCreated);
}

// The program shows the main window first and makes the hidden start-up windows while the
// loop is idle: the same windows in the same order, and none after the tear-down began.
TEST_F(Startup, HiddenWindowsAreMadeWhileIdleAndNotAfterTheTearDown)
{
    InitStartupModules();
    InitStartupModes();
    CreateGlobalSingletons();
    T_frmMain_Label* f = CreateMainStartupForms();
    ASSERT_EQ(f, frmMain_Label);
    EXPECT_EQ(frmPrinterManage_Label, nullptr);
    EXPECT_EQ(frmParaSet_BQM, nullptr);
    bool done = false;
    int firsts = 0;
    BuildStartupFormsWhenIdle(f, [&done] { done = true; }, [&firsts] { ++firsts; });
    EXPECT_EQ(firsts, 0) << "nothing before the loop turns";
    QApplication::processEvents();
    EXPECT_EQ(firsts, 1);
    EXPECT_NE(frmPrinterManage_Label, nullptr) << "the first of them, on the first idle turn";
    EXPECT_EQ(frmParaSet_BQM, nullptr) << "one window per turn: the loop stays responsive";
    QApplication::processEvents();
    EXPECT_NE(frmParaSet_BQM, nullptr);
    EXPECT_EQ(frmParaSet_V52, nullptr);
    for (int i = 0; i < 200 && !done; ++i)
        QApplication::processEvents();
    ASSERT_TRUE(done);
    EXPECT_EQ(firsts, 1);
    EXPECT_FALSE(StartupFormsPending());
    for (const void* w : {static_cast<const void*>(frmParaSet_V64), static_cast<const void*>(frmCommandTest),
                          static_cast<const void*>(frmDLFile), static_cast<const void*>(frmGDL),
                          static_cast<const void*>(frmScanTest), static_cast<const void*>(frmParaSet_V52)})
        EXPECT_NE(w, nullptr);
    DestroyStartupForms();
    EXPECT_EQ(frmParaSet_V52, nullptr);

    // A tear-down while windows are still due: nothing is made afterwards.
    f = CreateMainStartupForms();
    BuildStartupFormsWhenIdle(f, {});
    QApplication::processEvents();
    DestroyStartupForms();
    EXPECT_FALSE(StartupFormsPending());
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    EXPECT_EQ(frmParaSet_V52, nullptr);
    EXPECT_EQ(frmParaSet_V64, nullptr);
    FinalizeStartup();
}

TEST_F(Startup, CommandLineSwitchesOfTheMainWindow)
{
    struct Case {
        QStringList args;
        int factory;
        const char* lang;
    };
    const Case cases[] = {
        {{"-EN"}, 0, "1033"},
        {{"-CN", "-Factory"}, -1, "2052"},
        {{"-Factory", "-EN"}, -1, ""},  // only the first parameter selects the language
        {{"-KR"}, 0, "1042"},
        {{"-EN", "debug"}, 0, "1028"},  // in debug mode the code is fixed whatever the switch says
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        mainwin::ResetMainState();
        SetProgramArgs(c.args);
        InitStartupModes();
        if (c.args.contains("debug"))
            gDebugFlag = true;
        CreateGlobalSingletons();
        auto f = std::make_unique<T_frmMain_Label>();
        EXPECT_EQ(f->FactoryFlag(), c.factory);
        EXPECT_EQ(gLangId, c.lang);
        f.reset();
        FinalizeStartup();
    }
}

TEST_F(MainWindow, OpenerTableCreatesPreparesShowsReadsBackAndFreesAWindow)
{
    Start();
    // A class not in the table says "not available yet" and opens nothing.
    {
        MsgBoxRecorder boxes;
        EXPECT_FALSE(ShowFormModal("T_frmNoSuchWindow"));
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, "This function is not available yet.");
    }
    QPointer<QWidget> made;
    RegisterFormOpener("T_frmProbeWindow", [&made] {
        auto* w = new QDialog();
        w->setObjectName("frmProbeWindow");
        made = w;
        return w;
    });
    QStringList steps;
    SetFormShowHook([&steps](QWidget* w) { steps << "shown:" + w->objectName(); });
    EXPECT_TRUE(ShowFormModal(
        "T_frmProbeWindow", [&steps](QWidget*) { steps << "prepare"; }, [&steps](QWidget*) { steps << "after"; }));
    SetFormShowHook({});
    RegisterFormOpener("T_frmProbeWindow", {});
    EXPECT_EQ(steps, QStringList({"prepare", "shown:frmProbeWindow", "after"}));
    EXPECT_TRUE(made.isNull()) << "the window is freed after it closed";
    EXPECT_EQ(TakeOpenedFormNames(), QStringList({"T_frmProbeWindow"}));
    EXPECT_FALSE(IsFormAvailable("T_frmProbeWindow"));
}

// ---- hardening of the main window ------------------------------------------------------

// Shipped files that are missing or unreadable are named in one clear message, with the
// folder searched; the program still starts.
TEST_F(MainWindow, MissingShippedFilesAreNamedInOneMessageAndTheWindowStillOpens)
{
    QFile::remove(p_.FilesDir() + "UtilityForLabelLanguage.ini");
    TempProgram::Write(p_.FilesDir() + "PrinterTypeList_Label.ini", "");  // unreadable: empty
    MsgBoxRecorder boxes;
    T_frmMain_Label* f = Start();
    EXPECT_TRUE(f->isVisible());
    std::vector<prt::MsgBoxCall> named;
    for (const prt::MsgBoxCall& c : boxes.calls())
        if (c.text.contains("UtilityForLabelLanguage.ini"))
            named.push_back(c);
    ASSERT_EQ(named.size(), 1u);
    EXPECT_TRUE(named[0].text.contains("PrinterTypeList_Label.ini"));
    EXPECT_FALSE(named[0].text.contains("ProtocolType.ini"));
    EXPECT_TRUE(named[0].text.contains(QDir::toNativeSeparators(p_.FilesDir())));
    EXPECT_FALSE(named[0].caption.isEmpty());
    EXPECT_EQ(named[0].flags & prt::MB_ICONERROR_, unsigned(prt::MB_ICONERROR_));
}

TEST_F(MainWindow, CompleteShippedFilesRaiseNoMessage)
{
    EXPECT_TRUE(MissingShippedFiles(p_.FilesDir(), ShippedFileNames()).isEmpty());
    MsgBoxRecorder boxes;
    Start();
    for (const prt::MsgBoxCall& c : boxes.calls())
        EXPECT_FALSE(c.text.contains("missing")) << c.text.toStdString();
}

// The Scan Test button has its caption in both languages.
TEST_F(MainWindow, ScanTestButtonHasACaption)
{
    T_frmMain_Label* f = Start();
    EXPECT_EQ(f->btnScanTest->text(), "Scan Test");
    const QString file = prt::test::SourceDir() + "/files/UtilityForMobileLanguage.ini";
    EXPECT_EQ(prt::IniReadString(file, "2052", "FormMain_Label_btnScanTest", QString()), QString::fromUtf8("扫描测试"));
}

// A real click on the empty area below the rows keeps the remembered row highlighted.
TEST_F(MainWindow, ClickOnTheEmptyListAreaKeepsTheRememberedRowHighlighted)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB||\r\nTE62|USB|USB||\r\n");
    T_frmMain_Label* f = Start();
    Select(1);
    QWidget* vp = f->lvPrinterList->viewport();
    const QPoint empty(10, vp->height() - 5);
    ASSERT_EQ(f->lvPrinterList->itemAt(empty), nullptr);
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, empty, vp->mapToGlobal(empty), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &e);
    }
    EXPECT_EQ(f->SelectedRow(), 1);
    EXPECT_TRUE(f->lvPrinterList->topLevelItem(1)->isSelected());
    EXPECT_EQ(f->lvPrinterList->currentItem(), f->lvPrinterList->topLevelItem(1));
    EXPECT_EQ(f->RememberedRow(), 1);
}

// The Functions / Information page follows the tab buttons' checked state however they are
// switched (keyboard, accessibility), not only by a mouse click.
TEST_F(MainWindow, InformationSwitchFollowsTheCheckedStateOfItsButtons)
{
    T_frmMain_Label* f = Start();
    f->sbtnSysPara->setChecked(true);  // as the keyboard or an accessibility action does
    EXPECT_TRUE(f->sboxSysPara->isVisible());
    EXPECT_FALSE(f->gpbFunction->isVisible());
    f->sbtnFunction->setChecked(true);
    EXPECT_TRUE(f->gpbFunction->isVisible());
    EXPECT_FALSE(f->sboxSysPara->isVisible());
}

// The window opens at the size of its layout and cannot be made smaller (Quit is never cut
// off); made larger, the printer list takes the room and everything else keeps its size.
TEST_F(MainWindow, WindowNeverShrinksBelowItsLayoutAndGivesAddedRoomToTheList)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB|desk|\r\nTE62|USB|USB|shop|\r\n");
    T_frmMain_Label* f = Start();
    const QSize layout = f->size();
    EXPECT_EQ(f->minimumSize(), layout);
    f->resize(f->width() / 2, f->height() / 2);
    EXPECT_EQ(f->size(), f->minimumSize());
    EXPECT_LE(f->btnQuit->geometry().bottom(), f->height());
    EXPECT_LE(f->btnQuit->geometry().right(), f->width());

    const QRect list = f->lvPrinterList->geometry(), group = f->gpbFunction->geometry();
    const QRect quit = f->btnQuit->geometry(), add = f->btnAddPrinter->geometry();
    f->resize(layout + QSize(200, 150));
    QCoreApplication::processEvents();
    ASSERT_EQ(f->size(), layout + QSize(200, 150)) << "the window can grow";
    EXPECT_EQ(f->lvPrinterList->geometry(), list.adjusted(0, 0, 200, 150));
    EXPECT_EQ(f->gpbFunction->geometry(), group.translated(0, 150));
    EXPECT_EQ(f->btnQuit->geometry(), quit.translated(200, 150));
    EXPECT_EQ(f->btnAddPrinter->geometry(), add.translated(200, 0));
    EXPECT_LE(f->btnQuit->geometry().bottom(), f->height());
    // Another printer lays the buttons out again; the added room stays with the list.
    Select(1);
    Select(0);
    EXPECT_EQ(f->lvPrinterList->geometry(), list.adjusted(0, 0, 200, 150));
    EXPECT_EQ(f->size() - f->minimumSize(), QSize(200, 150));
    EXPECT_LE(f->btnQuit->geometry().bottom(), f->height());
}

// Enter and Return press the focused button of the main window, as Space does.
TEST_F(MainWindow, EnterAndReturnPressTheFocusedButton)
{
    TempProgram::Write(p_.ListPath(), "V64|USB|USB||\r\n");
    T_frmMain_Label* f = Start();
    QStringList ran;
    for (const char* name : {"btnPrintConfigInfo", "btnConnectTest"})
        RegisterMainFunction(name, [&ran, name](T_frmMain_Label&) { ran << name; });
    for (QPushButton* b : {f->btnPrintConfigInfo, f->btnConnectTest})
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(b, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
            QApplication::sendEvent(b, &release);
        }
    for (const char* name : {"btnPrintConfigInfo", "btnConnectTest"})
        RegisterMainFunction(name, nullptr);
    EXPECT_EQ(ran, QStringList({"btnPrintConfigInfo", "btnPrintConfigInfo", "btnConnectTest", "btnConnectTest"}));
}

// Message-box buttons follow the UI language: the toolkit's words in Chinese for 2052, in
// English for 1033.
TEST(ToolkitLanguage, DialogButtonsFollowTheUiLanguage)
{
    auto okText = [] {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        return box.button(QDialogButtonBox::Ok)->text().remove('&');
    };
    ASSERT_TRUE(prt::ApplyToolkitLanguage(2052)) << "the toolkit's Chinese translation is installed";
    EXPECT_NE(okText(), "OK");
    EXPECT_FALSE(prt::ApplyToolkitLanguage(1033));
    EXPECT_EQ(okText(), "OK");
}
