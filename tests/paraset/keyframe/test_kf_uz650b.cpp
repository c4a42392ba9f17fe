// The UZ650B form against the simulator: a full read and an unchanged write, the refused
// PIN and name, a failed read, a value outside the list, a failed write and a failed open,
// a name and PIN left alone written back as read, a link cut during the write.
#include "KeyFrameFixture.h"

#include "FormParaSet_UZ650B.h"
#include "FormParaSet_V52.h"
#include "FormParaSet_W16P.h"
#include "mdlFormOpeners.h"
#include "mdlPrinterLib.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using prt::test::Hex;
using prt::test::MsgBoxRecorder;
using prt::test::ToHex;

namespace {

class Uz650b : public kftest::KfSim {
protected:
    void Profile()
    {
        Key(0x68, "UZ-BT");
        Key(0x69, "0000");
        Key(0xd1, Hex("01"));
        Key(0xce, Hex("01"));
        Key(0xcb, Hex("0C"));
        Key(0xca, Hex("03"));
        Key(0x195, Hex("01"));
    }
    std::unique_ptr<T_frmParaSet_UZ650B> Open()
    {
        auto f = std::make_unique<T_frmParaSet_UZ650B>();
        f->show();
        return f;
    }
};

} // namespace

TEST_F(Uz650b, ReadsTheProfileAndAnUnchangedSetWritesItBack)
{
    Select("UZ650B");
    Profile();
    MsgBoxRecorder boxes;
    auto f = Open();
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(f->txtBTName->text(), "UZ-BT");
    EXPECT_EQ(f->txtBTPWD->text(), "0000");
    EXPECT_TRUE(f->rbAutoPosition1->isChecked());
    EXPECT_EQ(f->cmbJudgePaperMode->currentText(), "Black Mark");
    EXPECT_EQ(f->cmbDensity->currentText(), "12");
    EXPECT_EQ(f->cmbPrintSpeed->currentText(), "3");
    EXPECT_EQ(f->cmbProtocolType->currentText(), "TSC Protocol");
    for (const auto& [op, id] : GetKeys())
        EXPECT_EQ(op, 1) << std::hex << id;

    const QString picture = QStringLiteral(PRT_KF_TEST_OUT_DIR) + "/FormParaSet_UZ650B.png";
    ASSERT_TRUE(f->grab().save(picture));
    EXPECT_GT(QFileInfo(picture).size(), 1000);

    printer.clearReceived();
    SimClearSetKeyLog(printer);
    f->btnSet->click();
    const auto frames = kftest::SetKeyFrames(Received());
    ASSERT_EQ(frames.size(), 7u);
    // The name goes out as 12 bytes, zero-padded.
    EXPECT_EQ(ToHex(frames[0]), ToHex(Hex("1B 1C 26 20 56 31 20 73 65 74 6B 65 79 0D 0A 01 68 00 0C "
                                          "55 5A 2D 42 54 00 00 00 00 00 00 00")));
    const auto log = SetKeys();
    const std::vector<std::pair<int, std::string>> expected = {
        {0x68, "55 5A 2D 42 54 00 00 00 00 00 00 00"}, {0x69, "30 30 30 30"}, {0xce, "01"}, {0xcb, "0C"},
        {0xca, "03"}, {0xd1, "01"}, {0x195, "01"}};
    ASSERT_EQ(log.size(), expected.size());
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].id, expected[i].first);
        EXPECT_EQ(ToHex(log[i].value), expected[i].second);
        EXPECT_EQ(log[i].op, 1);
    }
    EXPECT_TRUE(Dos().empty()) << "no reset follows";
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Parameters were set successfully.");
    EXPECT_FALSE(f->isVisible());
}

TEST_F(Uz650b, EditedValuesAreWrittenAndRefusedInputSendsNothing)
{
    Select("UZ650B");
    Profile();
    MsgBoxRecorder boxes;
    auto f = Open();
    // A PIN of three digits and a blank, an empty name: refused before any frame.
    f->txtBTPWD->setText("123 ");
    emit f->txtBTPWD->textEdited(f->txtBTPWD->text());
    printer.clearReceived();
    f->btnSet->click();
    EXPECT_TRUE(kftest::SetKeyFrames(Received()).empty());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].caption, "Error");
    f->txtBTPWD->setText("4321");
    f->txtBTName->setText("");
    emit f->txtBTName->textEdited("");
    f->btnSet->click();
    EXPECT_TRUE(kftest::SetKeyFrames(Received()).empty());
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_TRUE(boxes.calls()[1].text.endsWith(prt::LangText("notEmpty")));
    EXPECT_TRUE(f->isVisible());
    // Speed "4" and protocol "ESC Protocol" chosen by the operator.
    f->txtBTName->setText("NEW");
    f->cmbPrintSpeed->setCurrentIndex(2);
    emit f->cmbPrintSpeed->activated(2);
    f->cmbProtocolType->setCurrentIndex(0);
    emit f->cmbProtocolType->activated(0);
    SimClearSetKeyLog(printer);
    f->btnSet->click();
    std::map<int, std::string> written;
    for (const auto& k : SetKeys())
        written[k.id] = ToHex(k.value);
    EXPECT_EQ(written[0xca], "04");
    EXPECT_EQ(written[0x195], "00");
    EXPECT_EQ(written[0xd1], "01") << "the auto-position byte is unaffected";
    EXPECT_EQ(written[0x69], "34 33 32 31");
    EXPECT_EQ(written[0x68], "4E 45 57 00 00 00 00 00 00 00 00 00");
}

TEST_F(Uz650b, AValueOutsideTheListIsNotWrittenBack)
{
    Select("UZ650B");
    Profile();
    Key(0xca, Hex("01"));  // below the list "2".."4"
    MsgBoxRecorder boxes;
    auto f = Open();
    EXPECT_EQ(f->cmbPrintSpeed->currentIndex(), -1);
    SimClearSetKeyLog(printer);
    f->btnSet->click();
    for (const auto& k : SetKeys())
        EXPECT_NE(k.id, 0xca) << "a speed the printer did not give is not sent";
    EXPECT_EQ(SetKeys().size(), 6u);
}

TEST_F(Uz650b, AFailedReadShowsOneBoxAndClosesByTheTimer)
{
    Select("UZ650B");
    Profile();
    SimSetKeySilent(printer, 0xcb);
    MsgBoxRecorder boxes;
    auto f = Open();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_Err_ReadData"));
    EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONERROR_));
    // The rows read before the silent one keep their values; the later ones were not asked.
    EXPECT_EQ(f->cmbJudgePaperMode->currentIndex(), 1);
    EXPECT_EQ(f->cmbPrintSpeed->currentIndex(), -1);
    for (const auto& [op, id] : GetKeys())
        EXPECT_TRUE(id != 0xca && id != 0x195);
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(f->Timer1->interval(), 100);
    f->Timer1Timer();
    EXPECT_FALSE(f->isVisible());
}

TEST_F(Uz650b, AFailedWriteReportsFailureAndAFailedOpenReadsNothing)
{
    Select("UZ650B");
    Profile();
    MsgBoxRecorder boxes;
    {
        auto f = Open();
        FailSetKeyWrites(0xce);
        f->btnSet->click();
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls().back().text, prt::LangText("_Err_ParaSet"));
        std::vector<int> ids;
        for (const auto& k : SetKeys())
            ids.push_back(k.id);
        EXPECT_EQ(ids, (std::vector<int>{0x68, 0x69})) << "the pass ends at the failed write";
        FailSetKeyWrites(0xffff);
    }
    boxes.clear();
    SetCurrentPortString("NET,127.0.0.1:1");
    printer.clearReceived();
    auto g = Open();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Failed to open the port:-13 (network connection refused or unreachable)");
    EXPECT_TRUE(printer.received().isEmpty());
}

TEST_F(Uz650b, ALinkCutDuringTheWriteIsNoSuccess)
{
    Select("UZ650B");
    // The last frame as it goes out: protocol 1 under id 0x195.
    const QByteArray last = Hex("1B 1C 26 20 56 31 20") + "setkey\r\n" + Hex("01 95 01 01 01");
    struct Cut {
        const char* what;
        int afterFrames;  // > 0: the link is cut after this many whole frames
        int bytesOfLast;  // else: after this many bytes of the last frame
        bool drops;       // the printer drops the connection (else it just goes quiet)
    };
    const Cut cuts[] = {
        {"after 2 of 7 frames, dropped", 2, 0, true},
        {"after the last frame, dropped", 7, 0, true},
        {"after the last frame, silent", 7, 0, false},
        {"inside the last frame, dropped", 0, 17, true},
    };
    MsgBoxRecorder boxes;
    for (const Cut& cut : cuts) {
        SCOPED_TRACE(cut.what);
        ASSERT_TRUE(WaitListening());
        Profile();
        auto f = Open();
        (void)Received();
        printer.clearReceived();
        SimClearSetKeyLog(printer);
        boxes.clear();
        if (cut.afterFrames > 0)
            prt::sim::SimCutAfterSetKeys(printer, cut.afterFrames, cut.drops);
        else
            printer.cutLinkIn(last, cut.bytesOfLast, cut.drops);
        f->btnSet->click();
        EXPECT_EQ(SetKeys().size(), size_t(cut.afterFrames > 0 ? cut.afterFrames : 6));
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_Err_ParaSet"));
        EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONERROR_));
        EXPECT_FALSE(f->isVisible());
    }
}

TEST_F(Uz650b, NoCommandOpensItAndCreatingTheFormsSendsNothing)
{
    // Start-up instances: made without a printer, nothing shown, nothing sent or created.
    TsplDestroyGlobalPrinter();
    {
        T_frmParaSet_UZ650B uz;
        T_frmParaSet_W16P w16p;
        T_frmParaSet_V52 v52;
        EXPECT_FALSE(uz.isVisible() || w16p.isVisible() || v52.isVisible());
    }
    EXPECT_TRUE(Received().isEmpty());
    EXPECT_EQ(TsplGetHandle(), prt::sdk::Handle(0));
    EXPECT_FALSE(IsFormAvailable("T_frmParaSet_UZ650B"));
    EXPECT_TRUE(IsFormAvailable("T_frmParaSet_V52"));
    EXPECT_TRUE(IsFormAvailable("T_frmParaSet_W16P"));
}

namespace {
std::string Padded(const char* hex, int width)
{
    QByteArray b = Hex(hex);
    b.append(QByteArray(width - b.size(), '\0'));
    return ToHex(b);
}
} // namespace

TEST_F(Uz650b, ANameAndPinLeftAloneGoBackAsReadAndEditedOnesAsTyped)
{
    Select("UZ650B");
    struct Run {
        const char* name;  // 12 bytes written
        const char* pin;   // 4 bytes written
    };
    const Run runs[] = {
        {"55 5A 20 36 35 30 20", "31 32 9F 34"},  // blanks inside and after; a byte of 0x80-0x9F
        {"20 55 5A 9F", "FF 31 32 33"},           // a leading blank and high bytes
    };
    MsgBoxRecorder boxes;
    for (const Run& r : runs) {
        SCOPED_TRACE(r.name);
        Profile();
        Key(0x68, Hex(r.name));
        Key(0x69, Hex(r.pin));
        SimClearSetKeyLog(printer);
        boxes.clear();
        auto f = Open();
        f->btnSet->click();
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_ParaSet_OK"));
        std::map<int, std::string> w;
        for (const auto& k : SetKeys())
            w[k.id] = ToHex(k.value);
        EXPECT_EQ(w[0x68], Padded(r.name, 12));
        EXPECT_EQ(w[0x69], Padded(r.pin, 4));
    }
    // Edited: the trimmed text as 8-bit text.
    Profile();
    Key(0x68, Hex("55 5A 20 36 35 30 20"));
    Key(0x69, Hex("31 32 9F 34"));
    SimClearSetKeyLog(printer);
    auto f = Open();
    f->txtBTName->setText(" NEW-NAME");
    emit f->txtBTName->textEdited(f->txtBTName->text());
    f->txtBTPWD->setText("5678 ");
    emit f->txtBTPWD->textEdited(f->txtBTPWD->text());
    f->btnSet->click();
    std::map<int, std::string> w;
    for (const auto& k : SetKeys())
        w[k.id] = ToHex(k.value);
    EXPECT_EQ(w[0x68], Padded("4E 45 57 2D 4E 41 4D 45", 12));
    EXPECT_EQ(w[0x69], "35 36 37 38");
}
