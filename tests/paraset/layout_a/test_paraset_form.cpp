// The shared form life cycle against the simulator: read on show, Set, Close, the failed
// read road, the keyboard Set clamp, the octet check and the printer-object guarantee.
#include "LayoutAFixture.h"
#include "mdlParaBlockLayout.h"
#include "mdlParaSetWidgets.h"

#include <QComboBox>
#include <functional>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace paratest;
using prt::sim::SimByte;
using prt::test::Hex;
using prt::test::ToHex;

namespace {

// A small form on layout-A rows: density 34, stop-print 114, the address 88-91.
class TTestForm : public TParaSetForm {
public:
    TTestForm()
    {
        setObjectName(QStringLiteral("T_frmParaSet_Test"));
        auto* grid = new QGridLayout;
        cmbDensity = new QComboBox(this);
        cmbDensity->setObjectName(QStringLiteral("cmbDensity"));
        cmbDensity->addItems(paraset::NumberItems(0, 15));
        lblDensity = new QLabel(QStringLiteral("Density"), this);
        lblDensity->setBuddy(cmbDensity);
        txtStopPrint = new QLineEdit(this);
        txtStopPrint->setObjectName(QStringLiteral("txtStopPrint"));
        RegisterNumberEdit(txtStopPrint, 3, paraset::TValueRange{0, 255});
        grid->addWidget(lblDensity, 0, 0);
        grid->addWidget(cmbDensity, 0, 1);
        grid->addWidget(txtStopPrint, 1, 1);
        for (int i = 1; i <= 4; ++i) {
            auto* e = new QLineEdit(this);
            e->setObjectName(QStringLiteral("txtIP%1").arg(i));
            RegisterNumberEdit(e, 3);
            ip << e;
            grid->addWidget(e, 2, i);
        }
        auto* lay = new QVBoxLayout(this);
        lay->addLayout(grid);
        lay->addWidget(btnSet);
        lay->addWidget(btnClose);
    }
    QComboBox* cmbDensity;
    QLabel* lblDensity;
    QLineEdit* txtStopPrint;
    QList<QLineEdit*> ip;
    int afterWrites = 0;

protected:
    void InitLanguage() override {}
    void SplitSetting() override { SplitFields(Fields(), Block(), this); }
    void ReplacePrintSetting() override { ReplaceFields(Fields(), Block(), this); }
    bool CheckBeforeSet() override { return CheckOctets({{QStringLiteral("IP Address"), ip}}); }
    void AfterGoodWrite() override { ++afterWrites; }

private:
    static TBlockLayout Fields()
    {
        TBlockLayout f;
        for (const TBlockField& r : LayoutA())
            if (r.Pos == 34 || r.Pos == 114 || r.Pos == 88)
                f.push_back(r);
        return f;
    }
};

class ParaSetForm : public SimForm {};

} // namespace

TEST_F(ParaSetForm, ReadShowsRowsAndSetWritesTheSameBlockBack)
{
    struct Kind {
        int kind;
        QByteArray read, writeHead;
    };
    const Kind kinds[] = {{1, Hex("5A 5A 5A 43 52 0A"), Hex("5A 5A 5A 43 57 20")}, {0, Hex("12 62"), Hex("12 63")}};
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.kind);
        SetPrinterSdkKind(k.kind);
        const QByteArray stored = prt::sim::SimMakeFilledBlock({{34, 9}, {114, 200}, {88, 192}, {89, 168}, {90, 1}, {91, 7}});
        prt::sim::SimSetBlock(printer, stored);
        printer.clearReceived();
        boxes.clear();
        {
            std::lock_guard l(printer.mutex());
            prt::sim::ProtoState(printer)->blockWrites.clear();
        }
        TTestForm form;
        ASSERT_TRUE(ShowAndRead(&form));
        ASSERT_EQ(form.ReadState(), TParaSetForm::TReadState::Good);
        EXPECT_EQ(form.cmbDensity->currentText(), "9");
        EXPECT_EQ(form.txtStopPrint->text(), "200");
        EXPECT_EQ(form.ip[0]->text() + "." + form.ip[3]->text(), "192.7");
        EXPECT_TRUE(form.btnSet->isEnabled());
        EXPECT_EQ(form.cmbDensity->accessibleName(), "Density") << "the label's caption";
        EXPECT_EQ(form.txtStopPrint->accessibleName(), "txtStopPrint") << "else the control name";
        form.btnSet->click();
        const auto writes = Writes();
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(ToHex(writes[0]), ToHex(stored)) << "every byte as read";
        // The write has no answer: the block is read back (one more request, 256 bytes
        // back) before the form reports it done.
        EXPECT_EQ(ToHex(printer.received()), ToHex(k.read + k.writeHead + stored + k.read));
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, "_ParaSet_OK");
        EXPECT_EQ(boxes.calls()[0].caption, "_MSG_Title_Message");
        EXPECT_EQ(boxes.calls()[0].flags, 64u);
        EXPECT_EQ(form.afterWrites, 1);
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_FALSE(form.isVisible());
    }
}

TEST_F(ParaSetForm, EachEditChangesOnlyItsOwnBytes)
{
    const QByteArray stored = prt::sim::SimMakeFilledBlock({{34, 3}, {114, 10}, {88, 10}, {89, 0}, {90, 0}, {91, 1}});
    prt::sim::SimSetBlock(printer, stored);
    TTestForm form;
    ASSERT_TRUE(ShowAndRead(&form));
    form.cmbDensity->setCurrentIndex(15);
    form.txtStopPrint->setText("77");
    form.ip[2]->setText("254");
    form.btnSet->click();
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    QByteArray expect = stored;
    expect[34] = 15;
    expect[114] = 77;
    expect[90] = char(254);
    EXPECT_EQ(ToHex(writes[0].left(254)), ToHex(expect.left(254)));
}

TEST_F(ParaSetForm, FailedReadsShowTheTextAndCloseWithoutWriting)
{
    const QByteArray good = prt::sim::SimMakeFilledBlock();
    QByteArray wrongSum = good;
    wrongSum[254] = char(wrongSum.at(254) ^ 1);
    struct Case {
        const char* name;
        QByteArray reply;  // empty: no reply at all
        prt::sim::SimFaults faults;
        const char* text;
    };
    prt::sim::SimFaults garbage;
    garbage.garbage = true;
    const Case cases[] = {
        {"silence", {}, {}, "_Err_ReadData"},
        {"cut short", good.left(120), {}, "_Err_CheckSum"},
        {"zero block", QByteArray(256, '\0'), {}, "_Err_ReadData"},
        {"wrong sum", wrongSum, {}, "_Err_CheckSum"},
        {"garbage", good, garbage, "_Err_ReadData"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        printer.clearReceived();
        printer.setFaults(c.faults);
        if (c.reply.isEmpty()) {
            prt::sim::SimFaults quiet = c.faults;
            quiet.noReply = true;
            printer.setFaults(quiet);
        } else {
            prt::sim::SimSetBlockReply(printer, c.reply);
        }
        TTestForm form;
        form.cmbDensity->setCurrentIndex(4);
        ASSERT_TRUE(ShowAndRead(&form));
        EXPECT_EQ(form.ReadState(), TParaSetForm::TReadState::Failed);
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, c.text);
        EXPECT_EQ(boxes.calls()[0].caption, "_MSG_Title_Error");
        EXPECT_EQ(boxes.calls()[0].flags, 16u);
        EXPECT_FALSE(form.btnSet->isEnabled()) << "a write would send the zero block";
        EXPECT_EQ(form.cmbDensity->currentIndex(), 4) << "controls keep their states";
        form.btnSetClick();  // even a direct call writes nothing
        EXPECT_TRUE(form.Timer1->isActive());
        EXPECT_TRUE(Pump([&] { return !form.isVisible(); }, 2000)) << "Timer1 closes the form";
        QThread::msleep(30);
        EXPECT_FALSE(printer.received().contains("ZZZCW"));
        EXPECT_TRUE(prt::sim::SimBlockWrites(printer).empty());
        printer.setFaults({});
        prt::sim::SimSetBlockReply(printer, {});
    }
}

TEST_F(ParaSetForm, ABlockSplitInTwoIsReadWhole)
{
    const QByteArray stored = prt::sim::SimMakeFilledBlock({{34, 12}});
    prt::sim::SimSetBlock(printer, stored);
    prt::sim::SimFaults split;
    split.splitReplyAt = 200;
    split.splitDelayMs = 5;
    printer.setFaults(split);
    TTestForm form;
    ASSERT_TRUE(ShowAndRead(&form));
    ASSERT_EQ(form.ReadState(), TParaSetForm::TReadState::Good) << (boxes.calls().empty() ? "" : boxes.calls()[0].text.toStdString());
    EXPECT_EQ(ToHex(Bytes(form.Block())), ToHex(stored));
}

TEST_F(ParaSetForm, FailedWriteAndCloseWriteNothingGood)
{
    prt::sim::SimSetBlock(printer, prt::sim::SimMakeFilledBlock());
    {
        TTestForm form;
        ASSERT_TRUE(ShowAndRead(&form));
        form.txtStopPrint->setText("5");
        form.btnClose->click();
        EXPECT_FALSE(form.isVisible());
    }
    TTestForm form;
    ASSERT_TRUE(ShowAndRead(&form));
    boxes.clear();
    server->stop();  // the write cannot open the port
    form.btnSet->click();
    ASSERT_EQ(boxes.calls().size(), 2u) << "the open error, then the failure";
    EXPECT_EQ(boxes.calls()[1].text, "_Err_ParaSet");
    EXPECT_EQ(boxes.calls()[1].flags, 16u);
    EXPECT_EQ(form.afterWrites, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(prt::sim::SimBlockWrites(printer).empty()) << "Close wrote nothing";
}

// The printer's own block decides: a read back that fails shows its error, another block
// than the one written shows "_ParaSet_Fail"; the form stays open with the edits, nothing
// follows the write, and Set can be pressed again.
TEST_F(ParaSetForm, AWriteTheBlockReadBackDoesNotConfirmKeepsTheFormOpen)
{
    struct Case {
        const char* name;
        std::function<void(prt::sim::SimPrinter&)> fault;
        const char* text;
        bool oldBlockStays;  // the printer did not take the write
    };
    const Case cases[] = {
        {"silent after the write",
         [](prt::sim::SimPrinter& p) {
             prt::sim::SimFaults quiet;
             quiet.noReply = true;
             p.setFaults(quiet);
         },
         "_Err_ReadData", false},
        {"keeps its old block", [](prt::sim::SimPrinter& p) { prt::sim::SimSetBlockKeepsOld(p, true); }, "_ParaSet_Fail",
         true},
        {"link cut inside the block",
         [](prt::sim::SimPrinter& p) {
             prt::sim::SimFaults cut;
             cut.disconnectAfterBytes = 100;
             p.setFaults(cut);
         },
         "_ParaSet_Fail", true},
    };
    const QByteArray stored = prt::sim::SimMakeFilledBlock({{114, 10}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prt::sim::SimSetBlock(printer, stored);
        TTestForm form;
        ASSERT_TRUE(ShowAndRead(&form));
        ASSERT_EQ(form.ReadState(), TParaSetForm::TReadState::Good);
        boxes.clear();
        form.txtStopPrint->setText("99");
        c.fault(printer);
        form.btnSet->click();
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, c.text);
        EXPECT_EQ(boxes.calls()[0].caption, "_MSG_Title_Error");
        EXPECT_EQ(boxes.calls()[0].flags, 16u);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.txtStopPrint->text(), "99");
        EXPECT_TRUE(form.btnSet->isEnabled());
        EXPECT_EQ(form.afterWrites, 0) << "nothing follows an unconfirmed write";
        if (c.oldBlockStays) {
            EXPECT_EQ(ToHex(prt::sim::SimBlock(printer)), ToHex(stored));
        }
        // Over a sound link the same form writes the edit and says so.
        printer.setFaults({});
        prt::sim::SimSetBlockKeepsOld(printer, false);
        boxes.clear();
        form.btnSet->click();
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, "_ParaSet_OK");
        EXPECT_EQ(form.afterWrites, 1);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(uint8_t(prt::sim::SimBlock(printer).at(114)), 99);
    }
}

TEST_F(ParaSetForm, KeyboardSetClampsTheFocusedEdit)
{
    prt::sim::SimSetBlock(printer, prt::sim::SimMakeFilledBlock({{114, 1}}));
    TTestForm form;
    ASSERT_TRUE(ShowAndRead(&form));
    form.activateWindow();
    form.txtStopPrint->setFocus();
    ASSERT_TRUE(Pump([&] { return form.txtStopPrint->hasFocus(); }));
    form.txtStopPrint->setText("300");
    form.btnSetClick();  // Alt+S or Enter: the edit is never left
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(uint8_t(writes[0].at(114)), 255);
}

TEST_F(ParaSetForm, OctetsAbove255AreRefusedAndNothingIsSent)
{
    prt::sim::SimSetBlock(printer, prt::sim::SimMakeFilledBlock());
    TTestForm form;
    ASSERT_TRUE(ShowAndRead(&form));
    form.ip[1]->setText("300");
    printer.clearReceived();
    form.btnSet->click();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "IP Address must be between 0 and 255.");
    EXPECT_EQ(boxes.calls()[0].flags, 16u);
    EXPECT_TRUE(form.isVisible()) << "the form stays open";
    QThread::msleep(30);
    EXPECT_TRUE(printer.received().isEmpty());
    form.ip[1]->setText("255");
    form.btnSet->click();
    ASSERT_EQ(Writes().size(), 1u);
    EXPECT_EQ(uint8_t(Writes()[0].at(89)), 255);
}

TEST_F(ParaSetForm, ReadAndWriteMakeTheirPrinterObject)
{
    // A closing command before the form destroyed the object: read and write still work.
    SetPrinterSdkKind(0);
    prt::sim::SimSetBlock(printer, prt::sim::SimMakeFilledBlock());
    TsplDestroyGlobalPrinter();
    TTestForm form;
    ASSERT_TRUE(ShowAndRead(&form));
    EXPECT_EQ(form.ReadState(), TParaSetForm::TReadState::Good);
    TsplDestroyGlobalPrinter();
    form.btnSet->click();
    EXPECT_EQ(Writes().size(), 1u);
    ASSERT_FALSE(boxes.calls().empty());
    EXPECT_EQ(boxes.calls().back().text, "_ParaSet_OK");
}

TEST(ParaSetSim, WrittenBlocksAreStoredOnlyWithTheirSum)
{
    prt::sim::SimPrinter printer;
    prt::sim::AddStandardHandlers(printer);
    const QByteArray good = prt::sim::SimMakeFilledBlock({{40, 0x33}});
    QByteArray bad = good;
    bad[254] = char(bad.at(254) + 1);
    printer.feed(QByteArray("ZZZCW ") + bad);
    EXPECT_TRUE(prt::sim::SimBlockWrites(printer).empty());
    EXPECT_EQ(prt::sim::SimBlockRefused(printer).size(), 1u);
    EXPECT_NE(prt::sim::SimBlock(printer), bad);
    printer.feed(Hex("12 63") + good);
    ASSERT_EQ(prt::sim::SimBlockWrites(printer).size(), 1u);
    EXPECT_EQ(prt::sim::SimBlock(printer), good);
    EXPECT_TRUE(prt::sim::SimBlockValid(good));
    // Fillers are distinct from their neighbours, never 0 or the marker.
    for (int i = 1; i < 254; ++i) {
        EXPECT_NE(uint8_t(good.at(i)), 0) << i;
        if (i != 40) {
            EXPECT_NE(good.at(i), good.at(i + 1 < 254 ? i + 1 : i - 1)) << i;
        }
    }
}
