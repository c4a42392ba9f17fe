// Network printer discovery against responders on 127.0.0.1, the discovery window, and the
// printer-management window writing the printer list through the main window's Add and
// Modify.
#include "MainFixture.h"

#include "FormMain_Label.h"
#include "FormNetDiscovery.h"
#include "FormPrinterManage_Label.h"
#include "SimUdpResponder.h"
#include "mdlCurrentPrinter.h"
#include "mdlFormOpeners.h"
#include "mdlGlobalVar.h"
#include "mdlNetDiscovery.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "PrtIni.h"
#include "PrtPort.h"
#include "PrtTexts.h"
#include "mdlStartup.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <gtest/gtest.h>

using mainwin::TempProgram;
using prt::sim::SimUdpResponder;
using prt::test::MsgBoxRecorder;

TEST(Discovery, RequestRepliesAndPortStrings)
{
    EXPECT_EQ(DiscoveryRequest(), QByteArray("getval \"printer_message\""));
    EXPECT_EQ(DiscoveryRequest().size(), 24);

    struct Case {
        QByteArray reply;
        const char* address;
        const char* name;
        const char* port;
    };
    const Case cases[] = {
        {"192.168.0.7\r\nPrinter A", "192.168.0.7", "Printer A", "NET,192.168.0.7"},
        {"10.0.0.5\r\nZR905K\r\nextra", "10.0.0.5", "ZR905K", "NET,10.0.0.5"},
        {"192.168.0.7", "192.168.0.7", "", "NET,192.168.0.7"},  // fewer than two lines: no name
        {"", "", "", ""},
        {"192.168.0.256\r\nX", "192.168.0.256", "X", ""},
        {"192.168.0\r\nX", "192.168.0", "X", ""},
        {" 192.168.0.7\r\nX", " 192.168.0.7", "X", ""},
        {"1.2.3.4.5\r\nX", "1.2.3.4.5", "X", ""},
        {"a.b.c.d\r\nX", "a.b.c.d", "X", ""},
        {"10.0.0.9\r\n\xE6\x89\x93\xE5\x8D\xB0", "10.0.0.9", "\xE6\x89\x93\xE5\x8D\xB0", "NET,10.0.0.9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        const TDiscoveryReply r = ParseDiscoveryReply(c.reply);
        EXPECT_EQ(r.Address, QString::fromUtf8(c.address));
        EXPECT_EQ(r.Name, QString::fromUtf8(c.name));
        EXPECT_EQ(DiscoveryPortString(r), c.port);
    }
    // Bytes that are not UTF-8 are taken as 8-bit text.
    EXPECT_EQ(ParseDiscoveryReply("1.1.1.1\r\n\xE9t\xE9").Name, QString::fromLatin1("\xE9t\xE9"));
    EXPECT_EQ(ParseDiscoveryReply("1.1.1.1\r\ncaf\xE9").Name, QString::fromLatin1("caf\xE9")) << "a last byte too";

    // The target setting: broadcast by default, a loopback responder when set.
    SetDiscoveryTargetOverride({});
    EXPECT_EQ(DiscoveryTarget(3289).Host, "255.255.255.255");
    EXPECT_EQ(DiscoveryTarget(8089).Port, 8089);
    SetDiscoveryTargetOverride("127.0.0.1:4711");
    EXPECT_EQ(DiscoveryTarget(3289).Host, "127.0.0.1");
    EXPECT_EQ(DiscoveryTarget(3289).Port, 4711);
    SetDiscoveryTargetOverride({});
}

// Discovery offers an address exactly when the port engine opens "NET," and that address:
// a listed printer can always be opened.
TEST(Discovery, AnAddressIsOfferedExactlyWhenThePortEngineOpensIt)
{
    struct Case {
        const char* address;
        bool opens;
    };
    const Case cases[] = {
        {"192.168.0.7", true}, {"0.0.0.0", true},      {"255.255.255.255", true}, {"10.0.0.250", true},
        {"1.5.01.1", false},   {"01.2.3.4", false},    {"1.2.3.04", false},       {"1.2.3.4:9100", false},
        {"1.2.3.", false},     {"+1.2.3.4", false},    {"1.2.3.4 ", false},       {"1.2.3.256", false},
        {"1..3.4", false},     {"0x1.2.3.4", false},   {"", false},               {"1.2.3.4\t", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        const TDiscoveryReply r = ParseDiscoveryReply(QByteArray(c.address) + "\r\nP");
        EXPECT_EQ(IsStrictIPv4(c.address), c.opens);
        EXPECT_EQ(DiscoveryPortString(r), c.opens ? QString("NET,") + c.address : QString());
        prt::sdk::PortSpec spec;
        EXPECT_EQ(prt::sdk::ParsePortString(QString("NET,") + c.address, &spec) == prt::sdk::PRT_OK,
                  c.opens || QByteArray(c.address) == "1.2.3.4:9100" || QByteArray(c.address) == "1.2.3.4 " ||
                      QByteArray(c.address) == "1.2.3.4\t")
            << "the port string also takes a TCP port and blanks around the address";
    }
}

TEST(Discovery, TwoRespondersInArrivalOrderThenThreeEmptyWaits)
{
    SimUdpResponder responder({{"192.168.0.20\r\nSecond-but-first", 0}, {"192.168.0.10\r\nLater", 80}},
                              DiscoveryRequest());
    ASSERT_TRUE(responder.ok());
    SetDiscoveryTargetOverride(responder.target());
    TNetDiscovery d;
    d.IdleMs = 150;
    QSignalSpy done(&d, &TNetDiscovery::finished);
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(d.Start(DiscoveryTarget(DISCOVERY_PORT_PRINTER_LIST)));
    ASSERT_TRUE(done.wait(5000));
    SetDiscoveryTargetOverride({});
    ASSERT_EQ(d.Replies().size(), 2);
    EXPECT_EQ(d.Replies()[0].Name, "Second-but-first");
    EXPECT_EQ(d.Replies()[1].Address, "192.168.0.10");
    EXPECT_EQ(d.EmptyReceives(), 3);
    EXPECT_GE(t.elapsed(), 80 + 3 * 150 - 20) << "three empty waits after the last reply";
    EXPECT_EQ(responder.received(), QList<QByteArray>({DiscoveryRequest()}));
    EXPECT_EQ(done.count(), 1);
}

TEST(Discovery, ReplyLimitEndsTheLoop)
{
    std::vector<SimUdpResponder::Printer> many;
    for (int i = 0; i < 6; ++i)
        many.push_back({QByteArray("10.0.0.") + QByteArray::number(i + 1) + "\r\nP", 0});
    SimUdpResponder responder(many);
    SetDiscoveryTargetOverride(responder.target());
    TNetDiscovery d;
    d.MaxReplies = 4;
    QSignalSpy done(&d, &TNetDiscovery::finished);
    ASSERT_TRUE(d.Start(DiscoveryTarget(DISCOVERY_PORT_PRINTER_LIST)));
    ASSERT_TRUE(done.wait(3000));
    SetDiscoveryTargetOverride({});
    EXPECT_EQ(d.Replies().size(), 4);
}

namespace {

class ManageWindows : public ::testing::Test {
protected:
    void SetUp() override { mainwin::ResetMainState(); }
    void TearDown() override
    {
        SetFormShowHook({});
        SetDiscoveryTargetOverride({});
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
    }
    T_frmMain_Label* Start(const QByteArray& list)
    {
        TempProgram::Write(p_.ListPath(), list);
        InitStartupModules();
        InitStartupModes();
        CreateGlobalSingletons();
        form_.reset(new T_frmMain_Label());
        form_->show();
        return form_.get();
    }
    static void Save(QWidget* w, const char* name)
    {
        const QString out = QStringLiteral(PRT_MAIN_TEST_OUT_DIR) + "/" + name;
        ASSERT_TRUE(w->grab().save(out));
    }
    TempProgram p_;
    std::unique_ptr<T_frmMain_Label> form_;
};

} // namespace

TEST_F(ManageWindows, DiscoveryWindowListsMarksAndHandsTheAddressToTheMainWindow)
{
    SimUdpResponder responder({{"192.168.0.21\r\nZR905K-Shop", 0}, {"192.168.0.22\r\nZR905K-Store", 40}});
    SetDiscoveryTargetOverride(responder.target());
    T_frmMain_Label* f = Start("ZR905K|NET|NET,192.168.0.99|x|0\r\n");
    SetFormShowHook([](QWidget* w) {
        auto* d = qobject_cast<TForm13*>(w);
        ASSERT_NE(d, nullptr);
        d->Discovery()->IdleMs = 60;
        d->AfterScanMs = 10;
        d->show();
        QSignalSpy ended(d, &TForm13::scanEnded);
        d->btnFW->click();
        EXPECT_FALSE(d->btnFW->isEnabled());
        ASSERT_TRUE(ended.wait(3000));
        EXPECT_TRUE(d->btnFW->isEnabled());
        ASSERT_EQ(d->lvPortList->topLevelItemCount(), 2);
        d->lvPortList->topLevelItem(0)->setSelected(true);
        d->lvPortList->clearSelection();
        d->lvPortList->topLevelItem(1)->setSelected(true);  // the mark moves
        EXPECT_EQ(d->lvPortList->topLevelItem(0)->text(0), "");
        EXPECT_EQ(d->lvPortList->topLevelItem(1)->text(0), "[-]");
        EXPECT_EQ(d->lvPortList->topLevelItem(1)->text(1), "ZR905K-Store");
        EXPECT_EQ(gChosenPrinterAddress, "192.168.0.22");
        Save(d, "form13.png");
        d->btnOpen->click();
    });
    f->RunFunction("btnIPMessage");
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "ZR905K|NET|NET,192.168.0.22|x|0\r\n");
    EXPECT_EQ(GetCurrentPortString(), "NET,192.168.0.22");

    // Close hands nothing back.
    SetFormShowHook([](QWidget* w) { qobject_cast<TForm13*>(w)->btnClose->click(); });
    f->RunFunction("btnIPMessage");
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "ZR905K|NET|NET,192.168.0.22|x|0\r\n");
}

// A reply whose address the port engine would refuse is listed but cannot be chosen: the
// main window's row keeps its port.
TEST_F(ManageWindows, AReplyWithAnAddressThatCannotOpenIsNotHandedBack)
{
    SimUdpResponder responder({{"1.5.01.1\r\nOdd", 0}});
    SetDiscoveryTargetOverride(responder.target());
    T_frmMain_Label* f = Start("ZR905K|NET|NET,192.168.0.99|x|0\r\n");
    SetFormShowHook([](QWidget* w) {
        auto* d = qobject_cast<TForm13*>(w);
        ASSERT_NE(d, nullptr);
        d->Discovery()->IdleMs = 60;
        d->AfterScanMs = 10;
        d->show();
        QSignalSpy ended(d, &TForm13::scanEnded);
        d->btnFW->click();
        ASSERT_TRUE(ended.wait(3000));
        ASSERT_EQ(d->lvPortList->topLevelItemCount(), 1);
        EXPECT_EQ(d->lvPortList->topLevelItem(0)->text(2), "1.5.01.1");
        d->lvPortList->topLevelItem(0)->setSelected(true);
        EXPECT_EQ(d->lvPortList->topLevelItem(0)->text(0), "");
        EXPECT_EQ(gChosenPrinterAddress, "");
        d->btnOpen->click();
    });
    f->RunFunction("btnIPMessage");
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "ZR905K|NET|NET,192.168.0.99|x|0\r\n");
    EXPECT_EQ(GetCurrentPortString(), "NET,192.168.0.99");
}

// The model list names each model once, even when the company list names one twice.
TEST_F(ManageWindows, ModelListNamesEachModelOnce)
{
    TempProgram::Write(p_.FilesDir() + "CompanyPrinterList_Label.txt", "V64\r\nJ83\r\nTE62\r\nJ83\r\n");
    T_frmMain_Label* f = Start("V64|USB|USB||0\r\n");
    QStringList shown;
    SetFormShowHook([&shown](QWidget* w) {
        auto* m = qobject_cast<T_frmPrinterManage_Label*>(w);
        m->show();
        for (int i = 0; i < m->cmbPrinterName->count(); ++i)
            shown << m->cmbPrinterName->itemText(i);
        m->btnClose->click();
    });
    f->RunFunction("btnAddPrinter");
    EXPECT_EQ(shown, QStringList({"J83", "TE62", "V64"}));
    // The shipped list names each model once.
    const QStringList shipped =
        QString::fromUtf8(TempProgram::Read(prt::test::SourceDir() + "/files/CompanyPrinterList_Label.txt"))
            .split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts);
    QStringList once = shipped;
    once.removeDuplicates();
    EXPECT_EQ(shipped, once);
}

// The main window's delete on a hand-edited list: the notes stay as they were written and
// only printer lines are rows.
TEST_F(ManageWindows, DeleteKeepsTheLinesThatAreNotPrinters)
{
    T_frmMain_Label* f = Start("# shop\r\nV64|USB|USB|a|1\r\nJ83\r\nTE62|NET|NET,127.0.0.1|b|0\r\n");
    ASSERT_EQ(f->RowCount(), 2);
    MsgBoxRecorder boxes(prt::IDOK_);
    f->SelectRow(0);
    f->btnDeletePrinter->click();
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "\r\n# shop\r\nJ83\r\nTE62|NET|NET,127.0.0.1|b|0\r\n");
    EXPECT_EQ(f->RowCount(), 1);
    EXPECT_EQ(PrtDefName, "TE62");
}

TEST_F(ManageWindows, AddThenModifyWriteThePrinterListLines)
{
    T_frmMain_Label* f = Start("V64|USB|USB|desk|0\r\n");
    // Add: a network printer.
    SetFormShowHook([](QWidget* w) {
        auto* m = qobject_cast<T_frmPrinterManage_Label*>(w);
        ASSERT_NE(m, nullptr);
        m->show();
        EXPECT_EQ(m->Mode, "Add");
        SelectComboItemExact(m->cmbPrinterName, "TE62");
        m->cmbPortType->setCurrentText("NET");
        EXPECT_EQ(m->txtIPAddress->text(), "192.168.0.33") << "switching to NET resets the address";
        m->txtIPAddress->setText("127.0.0.9");
        m->edtNotes->setText("shop floor");
        Save(m, "printermanage.png");
        m->btnOK->click();
    });
    f->RunFunction("btnAddPrinter");
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "V64|USB|USB|desk|0\r\nTE62|NET|NET,127.0.0.9|shop floor|0\r\n");
    EXPECT_EQ(f->SelectedRow(), 1);
    EXPECT_EQ(PrtDefName, "TE62");

    // Modify the new row: the window shows its values; a serial port replaces the address.
    SetFormShowHook([](QWidget* w) {
        auto* m = qobject_cast<T_frmPrinterManage_Label*>(w);
        m->show();
        EXPECT_EQ(m->Mode, "Modify");
        EXPECT_EQ(m->cmbPrinterName->currentText(), "TE62");
        EXPECT_EQ(m->cmbPortType->currentText(), "NET");
        EXPECT_EQ(m->txtIPAddress->text(), "127.0.0.9");
        EXPECT_EQ(m->edtNotes->text(), "shop floor");
        m->cmbPortType->setCurrentText("LPT");
        m->cmbParallel->clear();
        m->cmbParallel->addItem("LPT2:");
        m->edtNotes->setText("moved");
        m->btnOK->click();
    });
    f->RunFunction("btnModifyPrinter");
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "V64|USB|USB|desk|0\r\nTE62|LPT|LPT2|moved|0\r\n");
    EXPECT_EQ(GetCurrentPortString(), "LPT2");
}

TEST_F(ManageWindows, RefusedInputLeavesTheFileAlone)
{
    T_frmMain_Label* f = Start("V64|USB|USB|desk|0\r\n");
    const QByteArray before = TempProgram::Read(p_.ListPath());
    MsgBoxRecorder boxes;
    struct Step {
        std::function<void(T_frmPrinterManage_Label*)> edit;
        const char* text;
    };
    const Step steps[] = {
        {[](T_frmPrinterManage_Label* m) { m->edtNotes->setText("a|b"); },
         "A printer field may not contain \"|\" or a line break."},
        {[](T_frmPrinterManage_Label* m) {
             m->cmbPortType->setCurrentText("NET");
             m->txtIPAddress->setText("1.2.3.4\n");
         },
         "A printer field may not contain \"|\" or a line break."},
        {[](T_frmPrinterManage_Label* m) { m->cmbPrtVerOfTool->setCurrentIndex(-1); }, nullptr},
    };
    const char* badAddress =
        "The IP address is not valid. Enter four numbers from 0 to 255 separated by dots, for example 192.168.0.33.";
    std::vector<Step> all(std::begin(steps), std::end(steps));
    // Network addresses the port engine refuses: such a row could never be opened.
    for (const char* address : {"999.1.1.1", "abc", "", "1.5.01.1", "192.168.0", "192.168.0.7:0"})
        all.push_back({[address](T_frmPrinterManage_Label* m) {
                           m->cmbPortType->setCurrentText("NET");
                           m->txtIPAddress->setText(address);
                       },
                       badAddress});
    // A model whose line would read as a comment (a hand-edited model list may name one).
    all.push_back({[](T_frmPrinterManage_Label* m) {
                       m->cmbPrinterName->addItem("#J83");
                       m->cmbPrinterName->setCurrentText("#J83");
                   },
                   "A printer model may not begin with \"#\" or \";\": the printer list would read its line as a "
                   "comment."});
    for (const Step& s : all) {
        boxes.clear();
        bool stayedOpen = false;
        SetFormShowHook([&](QWidget* w) {
            auto* m = qobject_cast<T_frmPrinterManage_Label*>(w);
            m->show();
            s.edit(m);
            m->btnOK->click();
            stayedOpen = m->isVisible() && m->OKFlag == 0;
            m->hide();
        });
        f->RunFunction("btnAddPrinter");
        EXPECT_TRUE(stayedOpen);
        ASSERT_EQ(boxes.calls().size(), 1u);
        if (s.text)
            EXPECT_EQ(boxes.calls()[0].text, s.text);
        else
            EXPECT_FALSE(boxes.calls()[0].text.isEmpty()) << "the version message";
        EXPECT_EQ(TempProgram::Read(p_.ListPath()), before);
    }
}

// The file changed after the list was loaded: OK on Modify writes nothing when the file no
// longer holds the row as loaded, says so, closes the window, and the list is read again.
// A row that only moved is still found and modified.
TEST_F(ManageWindows, ModifyActsOnlyOnTheRowAsItWasLoaded)
{
    T_frmMain_Label* f = Start("V64|USB|USB|desk|0\r\nTE62|NET|NET,127.0.0.1|b|0\r\n");
    f->SelectRow(1);
    f->lvPrinterListClick();
    QByteArray meanwhile;
    bool closed = false;
    SetFormShowHook([&](QWidget* w) {
        auto* m = qobject_cast<T_frmPrinterManage_Label*>(w);
        m->show();
        TempProgram::Write(p_.ListPath(), meanwhile);
        m->edtNotes->setText("moved");
        m->btnOK->click();
        closed = !m->isVisible();
        m->hide();
    });
    MsgBoxRecorder boxes;
    meanwhile = "J83|USB|USB||0\r\nV64|USB|USB|desk|0\r\nTE62|NET|NET,127.0.0.1|b|0\r\n";
    f->RunFunction("btnModifyPrinter");
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "J83|USB|USB||0\r\nV64|USB|USB|desk|0\r\nTE62|NET|NET,127.0.0.1|moved|0\r\n");

    // The row the window edits (row 1, V64 since the reload) was edited by hand meanwhile.
    ASSERT_EQ(f->RememberedRow(), 1);
    meanwhile = "J83|USB|USB||0\r\nV64|USB|USB|front desk|0\r\n";
    f->RunFunction("btnModifyPrinter");
    EXPECT_TRUE(closed);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text,
              "The printer list file was changed after the list was loaded, so nothing was saved. The list is now "
              "read again.");
    EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONINFORMATION_));
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), meanwhile);
    ASSERT_EQ(f->RowCount(), 2);
    EXPECT_EQ(f->lvPrinterList->topLevelItem(1)->text(3), "front desk");
}

// A network row written with the prefix in small letters opens in the port engine; Modify
// shows its bare address and OK keeps it.
TEST_F(ManageWindows, ModifyTakesTheNetworkPrefixOffInAnyCase)
{
    T_frmMain_Label* f = Start("TE62|NET|net,127.0.0.1|b|0\r\nV64|NET|Net,127.0.0.2||0\r\n");
    QString shown;
    SetFormShowHook([&](QWidget* w) {
        auto* m = qobject_cast<T_frmPrinterManage_Label*>(w);
        m->show();
        shown = m->txtIPAddress->text();
        m->btnOK->click();
    });
    MsgBoxRecorder boxes;
    f->RunFunction("btnModifyPrinter");
    EXPECT_EQ(shown, "127.0.0.1");
    f->SelectRow(1);
    f->lvPrinterListClick();
    f->RunFunction("btnModifyPrinter");
    EXPECT_EQ(shown, "127.0.0.2");
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(TempProgram::Read(p_.ListPath()), "TE62|NET|NET,127.0.0.1|b|0\r\nV64|NET|NET,127.0.0.2||0\r\n");
}

TEST(ManagePortString, EveryPortType)
{
    EXPECT_EQ(ManagePortString("COM", "COM3:", "115200", "", ""), "COM3,BAUDRATE_115200");
    EXPECT_EQ(ManagePortString("LPT", "", "", "LPT1:", ""), "LPT1");
    EXPECT_EQ(ManagePortString("USB", "", "", "", ""), "USB");
    EXPECT_EQ(ManagePortString("NET", "", "", "", "not an address"), "NET,not an address");
    EXPECT_EQ(ManagePortString("XYZ", "", "", "", ""), "");
    EXPECT_EQ(ManagePortString("COM", "COM1:x:", "9600", "", ""), "COM1x:,BAUDRATE_9600") << "first colon only";
}

// The words of the port engine's result codes, as the README's table gives them.
TEST_F(ManageWindows, PortResultCodesHaveTheirMeaningInWords)
{
    Start("V64|USB|USB||0\r\n");  // loads the English texts
    struct Case {
        int code;
        const char* words;
    };
    const Case cases[] = {
        {-10, "port string not understood"},
        {-11, "device missing"},
        {-13, "network connection refused or unreachable"},
        {-14, "connection or write timed out"},
        {-15, "read or write failed, or the printer closed the connection"},
        {0, ""},
        {-7, ""},
        {42, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PortResultWords(c.code), c.words) << c.code;
    EXPECT_EQ(PortResultMessage("Failed to open the port", -13),
              "Failed to open the port:-13 (network connection refused or unreachable)");
    EXPECT_EQ(PortResultMessage("Failed to open the port", 42), "Failed to open the port:42");
    // Every code the engine gives has words in both languages.
    const QString file = prt::test::SourceDir() + "/files/UtilityForLabelLanguage.ini";
    for (int code : {5, -6, -10, -11, -12, -13, -14, -15, -16, -17, -18, -19})
        for (const char* section : {"1033", "2052"})
            EXPECT_FALSE(prt::IniReadString(file, section, QString("_PortResult%1").arg(code), QString()).isEmpty())
                << section << " " << code;
    for (const char* section : {"1033", "2052"})
        EXPECT_FALSE(prt::IniReadString(file, section, LANGKEY_ManageBadAddress, QString()).isEmpty()) << section;
}

// A failed connection test names the failure beside its code.
TEST_F(ManageWindows, ConnectionTestShowsWhatTheFailureMeans)
{
    // A loopback port nobody listens on: the connection is refused.
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len), 0);
    ::close(s);
    const QString closed = QString("127.0.0.1:%1").arg(ntohs(a.sin_port));

    T_frmMain_Label* f = Start("V64|USB|USB|desk|0\r\n");
    MsgBoxRecorder boxes;
    SetFormShowHook([&closed](QWidget* w) {
        auto* m = qobject_cast<T_frmPrinterManage_Label*>(w);
        m->show();
        m->cmbPortType->setCurrentText("NET");
        m->txtIPAddress->setText(closed);
        m->btnConnectTest->click();
        m->btnClose->click();
    });
    f->RunFunction("btnAddPrinter");
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Failed to open the port:-13 (network connection refused or unreachable)");
}
