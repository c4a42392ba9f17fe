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
#include "mdlPrinterLib.h"
#include "mdlStartup.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
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

    // The target setting: broadcast by default, a loopback responder when set.
    SetDiscoveryTargetOverride({});
    EXPECT_EQ(DiscoveryTarget(3289).Host, "255.255.255.255");
    EXPECT_EQ(DiscoveryTarget(8089).Port, 8089);
    SetDiscoveryTargetOverride("127.0.0.1:4711");
    EXPECT_EQ(DiscoveryTarget(3289).Host, "127.0.0.1");
    EXPECT_EQ(DiscoveryTarget(3289).Port, 4711);
    SetDiscoveryTargetOverride({});
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
        {[](T_frmPrinterManage_Label* m) {
             m->Mode = "Modify";
             m->RowIndex = 5;  // past the file
         },
         "This printer is no longer in the printer list file; the list was reloaded."},
    };
    for (const Step& s : steps) {
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

TEST(ManagePortString, EveryPortType)
{
    EXPECT_EQ(ManagePortString("COM", "COM3:", "115200", "", ""), "COM3,BAUDRATE_115200");
    EXPECT_EQ(ManagePortString("LPT", "", "", "LPT1:", ""), "LPT1");
    EXPECT_EQ(ManagePortString("USB", "", "", "", ""), "USB");
    EXPECT_EQ(ManagePortString("NET", "", "", "", "not an address"), "NET,not an address");
    EXPECT_EQ(ManagePortString("XYZ", "", "", "", ""), "");
    EXPECT_EQ(ManagePortString("COM", "COM1:x:", "9600", "", ""), "COM1x:,BAUDRATE_9600") << "first colon only";
}
