// The W16P form against the simulator: the cutter model with every item, the permission
// gates, print-to-stop in both encodings, the minimum paper length range, optional items
// that fail on their own, a failed open on Set, factory-mode operation bytes, a link cut
// during the write, a print-to-stop left alone written back as read.
#include "KeyFrameFixture.h"

#include "FormParaSet_W16P.h"
#include "mdlFormOpeners.h"
#include "mdlPrinterLib.h"
#include "mdlParaSetWidgets.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <memory>

using prt::test::Hex;
using prt::test::MsgBoxRecorder;
using prt::test::ToHex;

namespace {

class W16p : public kftest::KfSim {
protected:
    void Profile()
    {
        Key(0xcb, Hex("03"));
        Key(0xca, Hex("07"));
        Key(0x6c, Hex("01"));
        Key(0x194, Hex("02"));
        Key(0x19e, Hex("01"));
        Key(0xd0, Hex("FB FF"));
        Key(0xec, Hex("00"));
        Key(0xd5, Hex("01"));
        Key(0xce, Hex("02"));
        Key(0x1a0, Hex("05"));
        Key(0xee, Hex("64 00"));
    }
    std::unique_ptr<T_frmParaSet_W16P> Open()
    {
        auto f = std::make_unique<T_frmParaSet_W16P>();
        f->show();
        return f;
    }
    std::map<int, std::pair<int, std::string>> Written()
    {
        std::map<int, std::pair<int, std::string>> m;
        for (const auto& k : SetKeys())
            m[k.id] = {k.op, ToHex(k.value)};
        return m;
    }
    static void Type(QLineEdit* e, const QString& text)
    {
        e->setText(text);
        emit e->textEdited(text);
    }
};

} // namespace

TEST_F(W16p, CutterModelReadsEveryItemAndAnUnchangedSetWritesThemBack)
{
    Select("W16P", "W16P-C");  // listed as W16P (release paper), resolved to the cutter model
    Profile();
    MsgBoxRecorder boxes;
    auto f = Open();
    EXPECT_TRUE(boxes.calls().empty()) << boxes.calls()[0].text.toStdString();
    EXPECT_TRUE(f->WideRange());
    EXPECT_TRUE(f->CutterModel());
    EXPECT_EQ(f->cmbDensity->currentText(), "3");
    EXPECT_EQ(f->cmbPrintSpeed->currentText(), "7");
    EXPECT_EQ(f->cmbBaudRate->currentText(), "9600");
    EXPECT_EQ(f->cmbBuzzerSound->currentText(), "2");
    EXPECT_EQ(f->cmbBackLight->currentText(), "1");
    EXPECT_EQ(f->txtPrintToStop->text(), "-5");
    EXPECT_EQ(f->cmbRePrintSwitch->currentText(), "Reprint off");
    EXPECT_EQ(f->cmbCutters->currentText(), "Open");
    EXPECT_EQ(f->cmbPaperMode->currentText(), "Label paper");
    EXPECT_EQ(f->cmbReleasePaper->currentText(), "5");
    EXPECT_EQ(f->txtMinStudyPaperLength->text(), "100");
    EXPECT_TRUE(f->cmbCutters->isEnabled());
    EXPECT_TRUE(f->cmbRePrintSwitch->isEnabled()) << "the cutter model needs no permission";
    EXPECT_TRUE(f->cmbPaperMode->isEnabled());
    EXPECT_EQ(f->txtSupport_MinStudyPaperLength->text(), "8~999mm");

    const QString picture = QStringLiteral(PRT_KF_TEST_OUT_DIR) + "/FormParaSet_W16P.png";
    ASSERT_TRUE(f->grab().save(picture));
    EXPECT_GT(QFileInfo(picture).size(), 1000);

    printer.clearReceived();
    f->btnSet->click();
    const auto log = SetKeys();
    std::vector<int> ids;
    for (const auto& k : log)
        ids.push_back(k.id);
    EXPECT_EQ(ids, (std::vector<int>{0xcb, 0xca, 0x6c, 0x194, 0x19e, 0xd0, 0xec, 0xce, 0xd5, 0x1a0, 0xee}));
    auto w = Written();
    EXPECT_EQ(w[0xcb].second, "03");
    EXPECT_EQ(w[0xca].second, "07");
    EXPECT_EQ(w[0x6c].second, "01");
    EXPECT_EQ(w[0x194].second, "02");
    EXPECT_EQ(w[0x19e].second, "01");
    EXPECT_EQ(w[0xd0].second, "FB FF") << "wide range: two's complement";
    EXPECT_EQ(w[0xec].second, "00");
    EXPECT_EQ(w[0xce].second, "02");
    EXPECT_EQ(w[0xd5].second, "01");
    EXPECT_EQ(w[0x1a0].second, "05");
    EXPECT_EQ(w[0xee].second, "64 00");
    ASSERT_EQ(Dos().size(), 1u);
    EXPECT_EQ(Dos()[0], "\"reset_printer\"");
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("msgSRP"));
    EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONINFORMATION_));
}

TEST_F(W16p, FactoryModeOperationBytes)
{
    SetOpByte(0);
    Select("W16P", "W16P-C");
    Profile();
    MsgBoxRecorder boxes;
    auto f = Open();
    std::map<int, int> readOps;
    for (const auto& [op, id] : GetKeys())
        readOps[id] = op;
    const std::map<int, int> expectedRead = {{0xcb, 1}, {0xca, 1}, {0x6c, 1}, {0x194, 1}, {0x19e, 1}, {0xd0, 1},
                                             {0xec, 0}, {0xd5, 1}, {0xce, 0}, {0x1a0, 0}, {0xee, 1}};
    EXPECT_EQ(readOps, expectedRead);
    f->btnSet->click();
    std::map<int, int> writeOps;
    for (const auto& [id, v] : Written())
        writeOps[id] = v.first;
    const std::map<int, int> expectedWrite = {{0xcb, 1}, {0xca, 1}, {0x6c, 1}, {0x194, 1}, {0x19e, 1}, {0xd0, 1},
                                              {0xec, 0}, {0xd5, 0}, {0xce, 0}, {0x1a0, 0}, {0xee, 0}};
    EXPECT_EQ(writeOps, expectedWrite);
}

TEST_F(W16p, PermissionsGateTheOptionalItems)
{
    Select("W16P");
    Profile();
    MsgBoxRecorder boxes;
    auto f = Open();  // no permission: reprint, paper mode, minimum length locked; no cutter
    EXPECT_FALSE(f->cmbRePrintSwitch->isEnabled());
    EXPECT_EQ(f->cmbRePrintSwitch->currentIndex(), -1);
    EXPECT_EQ(f->txtTip_RePrintSwitch->text(), prt::LangText("Lang_Pos_00010003_11"));
    EXPECT_FALSE(f->cmbCutters->isEnabled());
    EXPECT_FALSE(f->txtMinStudyPaperLength->isEnabled());
    std::set<int> asked;
    for (const auto& [op, id] : GetKeys())
        asked.insert(id);
    EXPECT_EQ(asked, (std::set<int>{0xcb, 0xca, 0x6c, 0x194, 0x19e, 0xd0, 0x1a0}));
    f.reset();

    printer.clearReceived();
    SetPermission("0125000001", 1);
    SetPermission("0121000001", 1);
    SetPermission("0140000001", 1);
    auto g = Open();
    asked.clear();
    for (const auto& [op, id] : GetKeys())
        asked.insert(id);
    EXPECT_EQ(asked, (std::set<int>{0xcb, 0xca, 0x6c, 0x194, 0x19e, 0xd0, 0xec, 0xce, 0x1a0, 0xee}));
    EXPECT_TRUE(g->cmbRePrintSwitch->isEnabled());
    EXPECT_FALSE(g->txtTip_RePrintSwitch->isVisible());
}

TEST_F(W16p, PrintToStopOutsideTheWideRange)
{
    Select("L46");  // a family member outside W16P and W16P-C
    Profile();
    Key(0xd0, Hex("FA FF"));
    MsgBoxRecorder boxes;
    auto f = Open();
    EXPECT_FALSE(f->WideRange());
    EXPECT_EQ(f->txtPrintToStop->text(), "-5");
    ASSERT_NE(qobject_cast<const TFilterValidator*>(f->txtPrintToStop->validator()), nullptr);
    EXPECT_EQ(qobject_cast<const TFilterValidator*>(f->txtPrintToStop->validator())->MaxTyped(), 2);
    f->btnSet->click();
    EXPECT_EQ(Written()[0xd0].second, "FA FF") << "reads back as -5";
    // "12" goes out unchanged; an unsigned word above 99 shows value - 65535.
    Key(0xd0, Hex("FA 00"));
    auto g = Open();
    EXPECT_EQ(g->txtPrintToStop->text(), QString::number(250 - 65535));
    Type(g->txtPrintToStop, "12");
    SimClearSetKeyLog(printer);
    g->btnSet->click();
    EXPECT_EQ(Written()[0xd0].second, "0C 00");
}

TEST_F(W16p, MinimumLengthOutOfRangeIsRefusedBeforeAnyFrame)
{
    Select("W16P");
    SetPermission("0140000001", 1);
    Profile();
    MsgBoxRecorder boxes;
    auto f = Open();
    for (const char* bad : {"7", "1000", "abc", ""}) {
        boxes.clear();
        printer.clearReceived();
        Type(f->txtMinStudyPaperLength, bad);
        f->btnSet->click();
        EXPECT_TRUE(kftest::SetKeyFrames(Received()).empty()) << bad;
        ASSERT_EQ(boxes.calls().size(), 1u) << bad;
        EXPECT_EQ(boxes.calls()[0].text, "Minimum Paper Length must be between 8 and 999.");
        EXPECT_TRUE(f->isVisible());
    }
    // Print-to-stop outside -99..99 is refused too.
    Type(f->txtMinStudyPaperLength, "500");
    Type(f->txtPrintToStop, "150");
    boxes.clear();
    f->btnSet->click();
    EXPECT_TRUE(kftest::SetKeyFrames(Received()).empty());
    ASSERT_EQ(boxes.calls().size(), 1u);
    // The edit's own clamp when leaving it.
    f->txtPrintToStopExit();
    EXPECT_EQ(f->txtPrintToStop->text(), "99");
    f->txtPrintToStop->setText("-99");
    f->txtPrintToStopExit();
    EXPECT_EQ(f->txtPrintToStop->text(), "-99");
    f->txtPrintToStop->setText("");
    f->txtPrintToStopExit();
    EXPECT_EQ(f->txtPrintToStop->text(), "0");
}

TEST_F(W16p, OptionalItemsFailOnTheirOwn)
{
    Select("W16P", "W16P-C");
    Profile();
    SimSetKeySilent(printer, 0xce);
    MsgBoxRecorder boxes;
    auto f = Open();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Failed to read Detection Mode.");
    EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONINFORMATION_));
    EXPECT_EQ(f->cmbReleasePaper->currentText(), "5") << "the release paper is still read";
    EXPECT_EQ(f->txtMinStudyPaperLength->text(), "100");
    // The paper mode nobody filled is not written.
    boxes.clear();
    f->btnSet->click();
    EXPECT_EQ(Written().count(0xce), 0u);
    EXPECT_EQ(boxes.calls().back().text, prt::LangText("msgSRP"));
}

TEST_F(W16p, ASilentRequiredIdGivesOneReadErrorAndTheFormStaysOpen)
{
    Select("W16P");
    Profile();
    SimSetKeySilent(printer, 0x6c);
    MsgBoxRecorder boxes;
    auto f = Open();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_Err_ReadData"));
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->cmbPrintSpeed->currentText(), "7");
    EXPECT_EQ(f->cmbBuzzerSound->currentIndex(), -1);
}

TEST_F(W16p, AFailedOpenOnSetShowsOnlyTheOpenErrorAndKeepsTheEdits)
{
    Select("W16P");
    Profile();
    MsgBoxRecorder boxes;
    auto f = Open();
    f->cmbDensity->setCurrentIndex(9);
    emit f->cmbDensity->activated(9);
    server->stop();
    CmdClosePort();
    f->btnSet->click();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Failed to open the port:-13 (network connection refused or unreachable)");
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->cmbDensity->currentText(), "9");
    EXPECT_TRUE(Dos().empty());
}

TEST_F(W16p, OpensThroughTheOpenerTable)
{
    Select("W16P");
    Profile();
    MsgBoxRecorder boxes;
    QString density;
    SetFormShowHook([&](QWidget* w) {
        w->show();
        density = static_cast<T_frmParaSet_W16P*>(w)->cmbDensity->currentText();
    });
    EXPECT_TRUE(ShowFormModal("T_frmParaSet_W16P"));
    EXPECT_EQ(density, "3");
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(W16p, AFailedRequiredWriteEndsThePassWithoutReset)
{
    Select("W16P");
    Profile();
    MsgBoxRecorder boxes;
    auto f = Open();
    FailSetKeyWrites(0x6c);
    f->btnSet->click();
    std::vector<int> ids;
    for (const auto& k : SetKeys())
        ids.push_back(k.id);
    EXPECT_EQ(ids, (std::vector<int>{0xcb, 0xca}));
    EXPECT_TRUE(Dos().empty()) << "no reset after a failed write";
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_Err_ParaSet"));
    EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONERROR_));
}

TEST_F(W16p, ALinkCutDuringTheWriteEndsItWithoutReset)
{
    Select("W16P", "W16P-C");
    Profile();
    MsgBoxRecorder boxes;
    size_t frames = 0;
    {
        auto f = Open();
        f->btnSet->click();
        frames = SetKeys().size();
        EXPECT_EQ(Dos(), (std::vector<QByteArray>{"\"reset_printer\""}));
        EXPECT_EQ(boxes.calls().back().text, prt::LangText("msgSRP"));
    }
    ASSERT_GT(frames, 4u);
    // The printer drops the connection, or keeps it and takes nothing more, after two
    // frames or before the last one.
    struct Cut {
        int after;
        bool drops;
    };
    for (const Cut cut : {Cut{2, false}, Cut{int(frames) - 1, false}, Cut{2, true}, Cut{int(frames) - 1, true}}) {
        SCOPED_TRACE(testing::Message() << "cut after " << cut.after << (cut.drops ? " dropped" : " silent"));
        ASSERT_TRUE(WaitListening());
        auto f = Open();
        (void)Received();
        printer.clearReceived();
        boxes.clear();
        prt::sim::SimCutAfterSetKeys(printer, cut.after, cut.drops);
        f->btnSet->click();
        EXPECT_FALSE(Received().contains("reset_printer"));
        ASSERT_FALSE(boxes.calls().empty());
        EXPECT_EQ(boxes.calls().back().text, prt::LangText("_Err_ParaSet"));
        EXPECT_EQ(boxes.calls().back().flags, unsigned(prt::MB_ICONERROR_));
        for (const auto& box : boxes.calls())
            EXPECT_NE(box.text, prt::LangText("msgSRP"));
        EXPECT_FALSE(f->isVisible());
    }
}

TEST_F(W16p, APrintToStopLeftAloneGoesBackAsRead)
{
    struct Case {
        const char* model;
        const char* read;
    };
    const Case cases[] = {
        {"L46", "FF FF"},   // outside the wide range: shows 0
        {"L46", "FA 00"},   // shows 250 - 65535
        {"L46", "FA FF"},   // shows -5
        {"W16P", "FB FF"},  // wide range: -5
        {"W16P", "00 80"},  // -32768
    };
    MsgBoxRecorder boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " " << c.read);
        Select(c.model);
        Profile();
        Key(0xd0, Hex(c.read));
        SimClearSetKeyLog(printer);
        boxes.clear();
        auto f = Open();
        f->btnSet->click();
        EXPECT_EQ(Written()[0xd0].second, c.read);
        ASSERT_FALSE(boxes.calls().empty());
        EXPECT_EQ(boxes.calls().back().text, prt::LangText("msgSRP"));
    }
}
