// The V64, W16, BQM, J27 and W7X parameter forms against the printer simulator: what they
// read, what Set writes back, the model rules and the refusals.
#include "FormParaSet_BQM.h"
#include "FormParaSet_J27.h"
#include "FormParaSet_V64.h"
#include "FormParaSet_W16.h"
#include "FormParaSet_W7X.h"
#include "LayoutsBcdeFixture.h"
#include "mdlParaSetWidgets.h"
#include "mdlCurrentPrinter.h"
#include "mdlLinkSeams.h"
#include "mdlModuleState.h"
#include "mdlPub_Obj_Ult_PrtPara.h"
#include "mdlPrinterLib.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QValidator>
#include <QComboBox>
#include <QLineEdit>

using namespace paraforms2;
using prt::sim::SimLayoutBBlock;
using prt::sim::SimLayoutCBlock;
using prt::sim::SimLayoutDBlock;
using prt::sim::SimLayoutEBlock;
using prt::sim::SimSealBlock;

namespace {

// One edit of a control, by name: "cmbX=text" selects the item with that text, "#cmbX=n"
// selects item n, "@gpbX=n" picks radio item n, "!chkX=0|1" ticks, "txtX=text" types.
void Apply(QWidget* form, const QString& spec)
{
    const QChar kind = spec.at(0);
    const bool prefixed = kind == '#' || kind == '@' || kind == '!';
    const QString body = prefixed ? spec.mid(1) : spec;
    const QString name = body.section('=', 0, 0);
    const QString value = body.section('=', 1);
    if (kind == '@') {
        auto* g = form->findChild<TRadioGroup*>(name);
        ASSERT_NE(g, nullptr) << name.toStdString();
        g->SetItemIndex(value.toInt());
    } else if (kind == '!') {
        auto* c = form->findChild<QCheckBox*>(name);
        ASSERT_NE(c, nullptr) << name.toStdString();
        c->setChecked(value == "1");
    } else if (auto* c = form->findChild<QComboBox*>(name)) {
        const int i = kind == '#' ? value.toInt() : c->findText(value);
        ASSERT_GE(i, 0) << name.toStdString() << " has no " << value.toStdString();
        c->setCurrentIndex(i);
    } else if (auto* e = form->findChild<QLineEdit*>(name)) {
        e->setText(value);
    } else {
        FAIL() << "no control " << name.toStdString();
    }
}

QByteArray With(QByteArray block, const std::vector<std::pair<int, int>>& bytes)
{
    for (const auto& [at, v] : bytes)
        block[at] = static_cast<char>(v);
    return SimSealBlock(block);
}

struct FormCase {
    const char* form;
    const char* model;
    QByteArray block;
};

std::vector<FormCase> EveryForm()
{
    return {
        {"T_frmParaSet_V64", "QT-V64BT", SimLayoutBBlock(true)},
        {"T_frmParaSet_V64", "V64", SimLayoutBBlock(false)},
        {"T_frmParaSet_W16", "W16", SimLayoutBBlock(false)},
        {"T_frmParaSet_W16_Vuzivaz", "W16", SimLayoutBBlock(false)},
        {"T_frmParaSet_BQM", "BQM", SimLayoutCBlock()},
        {"T_frmParaSet_J27", "J27BT", SimLayoutEBlock()},
        {"T_frmParaSet_J27", "J27", SimLayoutEBlock()},
        {"T_frmParaSet_W7X", "W7X", SimLayoutDBlock()},
        {"T_frmParaSet_W7X_Vuzivaz", "W7X", SimLayoutDBlock()},
        {"T_frmParaSet_W7X_ZR905K", "MNT512B-U", SimLayoutDBlock()},
    };
}

} // namespace

TEST_F(FormSim, UntouchedSetWritesBackTheBlockRead)
{
    for (const FormCase& c : EveryForm()) {
        Select(c.model);
        SetBlock(c.block);
        const auto writes = SetWith(c.form);
        ASSERT_FALSE(writes.empty()) << c.form << " " << c.model;
        EXPECT_EQ(prt::test::ToHex(writes.back()), prt::test::ToHex(c.block)) << c.form << " " << c.model;
        EXPECT_TRUE(BoxTexts(*boxes).contains(TParaSetForm::Caption("_ParaSet_OK"))) << c.form;
        boxes->clear();
    }
}

TEST_F(FormSim, EachEditChangesOnlyItsOwnBytes)
{
    struct Case {
        const char* form;
        const char* model;
        QByteArray block;
        QStringList edits;
        std::vector<std::pair<int, int>> bytes;
    };
    const Case cases[] = {
        {"T_frmParaSet_V64", "QT-V64BT", SimLayoutBBlock(true),
         {"cmbDensity=7", "cmbHeatAdj=15", "#cmbDetectMode=2", "cmbPrintSpeed=2", "cmbCodepage=Katakana",
          "txtVOrigin=40", "txtHOrigin=9", "txtStopPrint=200", "@gpbReprintWhenError=0", "@gpbPrintReprint=1",
          "txtPrintToStop=33", "txtBTName=NEWNAME", "txtBTPWD=9876", "!chkSimplePairing=0"},
         {{57, 7}, {84, 15}, {85, 0}, {60, 2}, {78, 2}, {58, 1}, {14, 40}, {12, 9}, {82, 200}, {76, 0}, {80, 1},
          {8, 33}, {215, 'N'}, {216, 'E'}, {217, 'W'}, {218, 'N'}, {219, 'A'}, {220, 'M'}, {221, 'E'},
          {231, '9'}, {232, '8'}, {233, '7'}, {234, '6'}, {236, 0}}},
        {"T_frmParaSet_W16", "W16", SimLayoutBBlock(false),
         {"#cmbBaudRate=4", "cmbDensity=1", "cmbCodepage=Katakana", "cmbBuzzerSound=0", "cmbBackLight=3",
          "#cmbSenserLoaction=0", "@gpbReprintWhenError=0", "@gpbPrintReprint=1", "txtVOrigin=1", "txtHOrigin=2",
          "txtPrintToStop=3", "txtStopPrint=4"},
         {{52, 4}, {57, 0}, {58, 1}, {68, 0}, {69, 3}, {79, 0}, {76, 0}, {80, 1}, {14, 1}, {12, 2}, {8, 3}, {82, 4}}},
        {"T_frmParaSet_W16_Vuzivaz", "W16", SimLayoutBBlock(false),
         {"cmbDensity=15", "cmbPrintSpeed=4", "cmbHeatAdj=-50", "@RadioGroup1=0", "txtStopPrint=255"},
         {{57, 15}, {78, 4}, {84, 0xCE}, {85, 0xFF}, {81, 0}, {82, 255}}},
        {"T_frmParaSet_BQM", "BQM", SimLayoutCBlock(),
         {"#cmbBaudRate=0", "cmbDensity=15", "cmbCodepage=PC850(Multilingual)", "#cmbInternationalCharacter=13",
          "#cmbJudgePaperMode=3", "#cmbProtocolType=0", "txtVoltageBetweenLabelGap=0.1", "txtLabelMinLength=50",
          "txtValleyThresholdRate=75", "txtMarkMaxLength=120", "txtLabelMaxLength=400", "@gpbAutoPosition=0",
          "cmbHeatAdj=-5", "cmbPrintSpeed=2"},
         {{4, 0}, {34, 15}, {55, 2}, {56, 13}, {59, 3}, {58, 2}, {61, 0}, {62, 0x7C}, {63, 0}, {64, 0x90},
          {65, 0x01}, {66, 75}, {68, 0xC0}, {69, 0x03}, {70, 0x80}, {71, 0x0C}, {82, 0}, {90, 0xFB}, {91, 0xFF},
          {92, 2}}},
        {"T_frmParaSet_J27", "J27BT", SimLayoutEBlock(),
         {"txtBTName=AB", "txtBTPWD=5555", "#cmbJudgePaperMode=2", "cmbPrintSpeed=2", "cmbHeatAdj=0", "cmbDensity=1",
          "#cmbProtocolType=0", "#cmbInternationalCharacter=0", "cmbCodepage=Katakana", "#ComboBox1=0",
          "@gpbAutoPosition=1"},
         {{10, 'A'}, {11, 'B'}, {12, 0}, {13, 0}, {14, 0}, {15, 0}, {20, '5'}, {21, '5'}, {22, '5'}, {23, '5'},
          {58, 2}, {92, 2}, {90, 0}, {91, 0}, {34, 1}, {61, 0}, {56, 0}, {55, 1}, {67, 0}, {82, 1}}},
        {"T_frmParaSet_W7X", "W7X", SimLayoutDBlock(),
         {"#cmbDHCP=1", "txtIP4=77", "txtSubnet3=0", "txtGateway1=192", "@gpbAutoPosition=0",
          "@gpbReprintWhenError=0", "@gpbPrintType=0", "@gpbSmallLabel=1", "txtStopPrint=99", "#cmbJudgePaperMode=2",
          "txtLabelMaxLength=100", "cmbDensity=4", "cmbCodepage=Katakana"},
         {{84, 1}, {91, 77}, {94, 0}, {96, 192}, {83, 0}, {100, 0}, {76, 0}, {101, 1}, {104, 99}, {59, 3}, {58, 2},
          {70, 0x20}, {71, 0x03}, {34, 4}, {55, 1}}},
        {"T_frmParaSet_W7X_Vuzivaz", "W7X", SimLayoutDBlock(),
         {"#cmbJudgePaperMode=0", "cmbDensity=12", "cmbHeatAdj=50", "cmbPrintSpeed=2", "txtIP1=11"},
         {{59, 1}, {58, 1}, {34, 12}, {128, 50}, {129, 0}, {126, 2}, {88, 11}}},
        {"T_frmParaSet_W7X_ZR905K", "MNT512B-U", SimLayoutDBlock(),
         {"txtLabelMaxLength=10", "cmbHeatAdj=-50", "cmbPrintSpeed=2", "cmbDensity=9"},
         {{70, 0x50}, {71, 0}, {128, 0xCE}, {129, 0xFF}, {126, 2}, {34, 9}}},
    };
    for (const Case& c : cases) {
        Select(c.model);
        SetBlock(c.block);
        const auto writes = SetWith(c.form, [&](TParaSetForm* form) {
            for (const QString& e : c.edits)
                Apply(form, e);
        });
        ASSERT_FALSE(writes.empty()) << c.form;
        EXPECT_EQ(prt::test::ToHex(writes.back()), prt::test::ToHex(With(c.block, c.bytes))) << c.form;
    }
}

// ---- V64 --------------------------------------------------------------------------------

TEST_F(FormSim, V64StacksItsRowsForTheModel)
{
    struct Case {
        const char* model;
        bool bluetooth, single;
    };
    // QT-V64BT has Bluetooth; V64 has none; the single OEM model lacks six rows.
    for (const Case& c : {Case{"QT-V64BT", true, false}, Case{"V64", false, false}, Case{"Kastor Y7", false, true}}) {
        Select(c.model);
        T_frmParaSet_V64 form;
        EXPECT_EQ(form.gpbBT->isVisibleTo(form.pnlA), c.bluetooth) << c.model;
        EXPECT_EQ(form.gpbBT->isVisibleTo(form.pnlA) ? form.gpbBT->y() : form.cmbDensity->y(), form.gpbBT->y())
            << c.model << ": the first shown row takes the top";
        for (QWidget* w : std::initializer_list<QWidget*>{form.cmbCodepage, form.txtVOrigin, form.txtHOrigin,
                                                          form.txtStopPrint, form.gpbReprintWhenError,
                                                          form.gpbPrintReprint})
            EXPECT_EQ(w->isVisibleTo(form.pnlA), !c.single) << c.model << " " << w->objectName().toStdString();
        // Rows follow each other with 6 pixels between them; the tool panel ends the panel.
        EXPECT_EQ(form.cmbHeatAdj->y(), form.cmbDensity->y() + form.cmbDensity->height() + 6) << c.model;
        EXPECT_EQ(form.pnlA->height(), form.pnlTool->y() + form.pnlTool->height() + 6) << c.model;
        EXPECT_EQ(form.width(), 2 * form.pnlA->x() + form.pnlA->width()) << c.model;
        EXPECT_EQ(form.pagecA->height(), 25 + form.pnlA->y() + form.pnlA->height()) << c.model;
        EXPECT_EQ(form.height(), form.pagecA->y() + form.pagecA->height()) << c.model;
        EXPECT_FALSE(form.pagecA->isTabVisible(1)) << "the print-to-stop tab is hidden";
    }
}

TEST_F(FormSim, V64InDebugModeKeepsEveryRowAtItsDesignPlace)
{
    program.CreateDevMarker();
    mainwin::TempProgram::Write(program.ProgDir() + "x58316204972635.txt", "x");
    ASSERT_TRUE(IsDebugMode());
    Select("Kastor Y7");  // no Bluetooth, the single OEM model
    T_frmParaSet_V64 form;
    for (QWidget* w : std::initializer_list<QWidget*>{form.gpbBT, form.cmbCodepage, form.txtVOrigin,
                                                      form.gpbReprintWhenError, form.gpbPrintReprint})
        EXPECT_TRUE(w->isVisibleTo(form.pnlA)) << w->objectName().toStdString();
    EXPECT_GT(form.cmbDensity->y(), form.gpbBT->y() + form.gpbBT->height()) << "not moved up";
    EXPECT_EQ(form.LayoutManager()->GroupCount(), 12);
}

TEST_F(FormSim, V64ForTheSingleOemModelLeavesBytes76And80Alone)
{
    Select("Kastor Y7");
    SetBlock(SimLayoutBBlock(false));
    const auto writes = SetWith("T_frmParaSet_V64", [](TParaSetForm* form) {
        // The hidden rows still convert, except the two reprint bytes.
        Apply(form, "@gpbReprintWhenError=0");
        Apply(form, "@gpbPrintReprint=1");
        Apply(form, "txtStopPrint=7");
        Apply(form, "txtHOrigin=8");
    });
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(prt::test::ToHex(writes.back()), prt::test::ToHex(With(SimLayoutBBlock(false), {{82, 7}, {12, 8}})));
}

TEST_F(FormSim, V64DetectModeEnablesTheReprintGroups)
{
    struct Case {
        const char* model;
        int detect;
        bool enabled;
    };
    const Case cases[] = {{"V64", 0, false}, {"V64", 1, true}, {"V64", 2, true}, {"V64C", 1, false}};
    for (const Case& c : cases) {
        Select(c.model);
        SetBlock(SimLayoutBBlock(false));
        ASSERT_TRUE(Open("T_frmParaSet_V64", [&](TParaSetForm* f) {
            auto* form = static_cast<T_frmParaSet_V64*>(f);
            form->cmbDetectMode->setCurrentIndex(c.detect);
            EXPECT_EQ(form->gpbReprintWhenError->isEnabled(), c.enabled) << c.model << " " << c.detect;
            EXPECT_EQ(form->gpbPrintReprint->isEnabled(), c.enabled) << c.model << " " << c.detect;
        }));
    }
}

TEST_F(FormSim, V64AfterAFailedReadKeepsSetDisabledAndWritesNothing)
{
    Select("V64");
    prt::sim::SimSetBlockReply(printer, QByteArray(256, '\0'));
    ASSERT_TRUE(Open("T_frmParaSet_V64", [&](TParaSetForm* form) {
        EXPECT_EQ(form->ReadState(), TParaSetForm::TReadState::Failed);
        EXPECT_FALSE(form->btnSet->isEnabled());
        EXPECT_FALSE(form->Timer1->isActive()) << "the form stays open";
        EXPECT_TRUE(form->isVisible());
        form->btnSetClick();
    }));
    ASSERT_EQ(boxes->calls().size(), 1u);
    EXPECT_EQ(boxes->calls()[0].text, TParaSetForm::Caption("_Err_ReadData"));
    EXPECT_TRUE(prt::sim::SimBlockWrites(printer).empty());
}

TEST_F(FormSim, OtherFormsCloseAfterAFailedRead)
{
    for (const char* form : {"T_frmParaSet_W16", "T_frmParaSet_W16_Vuzivaz", "T_frmParaSet_BQM", "T_frmParaSet_J27",
                             "T_frmParaSet_W7X", "T_frmParaSet_W7X_Vuzivaz", "T_frmParaSet_W7X_ZR905K"}) {
        Select("W7X");
        prt::sim::SimSetBlockReply(printer, QByteArray(256, '\0'));
        ASSERT_TRUE(Open(form, [&](TParaSetForm* f) {
            EXPECT_EQ(f->ReadState(), TParaSetForm::TReadState::Failed) << form;
            EXPECT_FALSE(f->btnSet->isEnabled()) << form;
            EXPECT_TRUE(f->Timer1->isActive()) << form << ": closes 100 ms after the box";
        }));
    }
    EXPECT_TRUE(prt::sim::SimBlockWrites(printer).empty());
}

TEST_F(FormSim, V64BluetoothControlsFollowTheModel)
{
    for (const char* model : {"QT-V64BT", "V64"}) {
        Select(model);
        SetBlock(SimLayoutBBlock(true));
        const bool bt = QString(model) == "QT-V64BT";
        ASSERT_TRUE(Open("T_frmParaSet_V64", [&](TParaSetForm* f) {
            auto* form = static_cast<T_frmParaSet_V64*>(f);
            EXPECT_EQ(form->txtBTName->isEnabled(), bt) << model;
            EXPECT_EQ(form->txtBTName->text(), bt ? QString("SIMV64") : QString()) << model;
            EXPECT_EQ(form->txtBTPWD->text(), bt ? QString("1234") : QString()) << model;
            EXPECT_EQ(form->chkSimplePairing->isChecked(), bt) << model;
            // Name and password take the printable characters 33..126 only.
            for (QLineEdit* e : {form->txtBTName, form->txtBTPWD}) {
                int pos = 0;
                QString blank("a b"), printable("a~!");
                EXPECT_EQ(e->validator()->validate(blank, pos), QValidator::Invalid);
                EXPECT_NE(e->validator()->validate(printable, pos), QValidator::Invalid);
            }
        }));
    }
}

// ---- W16 --------------------------------------------------------------------------------

TEST_F(FormSim, W16CaptionDensityItemsAndClamps)
{
    Select("W16");
    SetBlock(With(SimLayoutBBlock(false), {{57, 5}}));
    const auto writes = SetWith("T_frmParaSet_W16", [](TParaSetForm* f) {
        auto* form = static_cast<T_frmParaSet_W16*>(f);
        EXPECT_EQ(form->windowTitle(), TParaSetForm::Caption("KESA_ParaSet"));
        EXPECT_EQ(form->cmbDensity->currentIndex(), 5) << "the empty sixth item";
        EXPECT_EQ(form->cmbDensity->currentText(), QString());
        form->txtVOrigin->setText("95");
        form->CheckValue(form->txtVOrigin);
        EXPECT_EQ(form->txtVOrigin->text(), "89");
        form->txtStopPrint->setText("");
        form->CheckValue(form->txtStopPrint);
        EXPECT_EQ(form->txtStopPrint->text(), "0");
    });
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(prt::test::ToHex(writes.back()),
              prt::test::ToHex(With(SimLayoutBBlock(false), {{57, 5}, {14, 89}, {82, 0}})));
}

// ---- BQM --------------------------------------------------------------------------------

TEST_F(FormSim, BqmAsksTheTwoLanguagePrinterAndPicksTheBlockRequest)
{
    // A model of two languages outside "GDS": the printer is asked with 1B 1B 08.
    SetProbeModelListProvider([](const QString& list) {
        return list == "HaveTwoProtocol" ? QString(",BQM,") : QString(",");
    });
    struct Case {
        int probe;  // -1: the printer stays silent
        QByteArray read, write;
        int kind;
    };
    const Case cases[] = {
        {0, prt::test::Hex("12 62"), prt::test::Hex("12 63"), 0},
        {1, QByteArray("ZZZCR\n"), QByteArray("ZZZCW "), 1},
        {-1, prt::test::Hex("12 62"), prt::test::Hex("12 63"), 0},
    };
    for (const Case& c : cases) {
        Select("BQM");
        SetBlock(SimLayoutCBlock());
        prt::sim::SimSetProtocolByte(printer, c.probe);
        SetPrinterSdkKind(1);
        printer.clearReceived();
        const auto writes = SetWith("T_frmParaSet_BQM");
        ASSERT_FALSE(writes.empty()) << c.probe;
        const QByteArray got = printer.received();
        EXPECT_TRUE(got.startsWith(prt::test::Hex("1B 1B 08") + c.read)) << c.probe << ": " << prt::test::ToHex(got);
        EXPECT_TRUE(got.contains(c.write + SimLayoutCBlock())) << c.probe;
        EXPECT_EQ(GetPrinterSdkKind(), c.kind) << c.probe;
        EXPECT_EQ(GetCurrentProtocolNo(), c.kind) << c.probe;
    }
    SetProbeModelListProvider({});
}

TEST_F(FormSim, BqmClampsLengthsRateAndVoltageOnLeaving)
{
    Select("BQM");
    SetBlock(SimLayoutCBlock());
    ASSERT_TRUE(Open("T_frmParaSet_BQM", [](TParaSetForm* f) {
        auto* form = static_cast<T_frmParaSet_BQM*>(f);
        const struct {
            QLineEdit* edit;
            const char* typed, *left;
        } cases[] = {
            {form->txtLabelMinLength, "30", "38"}, {form->txtLabelMaxLength, "401", "400"},
            {form->txtMarkMaxLength, "", "0"},     {form->txtValleyThresholdRate, "101", "100"},
        };
        for (const auto& c : cases) {
            c.edit->setText(c.typed);
            form->CheckValue(c.edit);
            if (QString(c.typed).isEmpty())  // empty first becomes "0", then the minimum
                EXPECT_EQ(c.edit->text(), "38");
            else
                EXPECT_EQ(c.edit->text(), c.left) << c.typed;
        }
        for (const auto& [typed, left] : {std::pair{"4", "3.3"}, {"0.1", "0.1"}, {".", "0"}, {"", "0"}}) {
            form->txtVoltageBetweenLabelGap->setText(typed);
            form->CheckVoltage();
            EXPECT_EQ(form->txtVoltageBetweenLabelGap->text(), left) << typed;
        }
        // The voltage edit refuses what is not a number, typed or pasted.
        const QValidator* v = form->txtVoltageBetweenLabelGap->validator();
        ASSERT_NE(v, nullptr);
        for (QString bad : {"1,5", "a", "1.2.", "-1"}) {
            int pos = 0;
            EXPECT_EQ(v->validate(bad, pos), QValidator::Invalid) << bad.toStdString();
        }
    }));
}

TEST_F(FormSim, BqmLengthsClampedOnLeavingAreWrittenInDots)
{
    Select("BQM");
    SetBlock(SimLayoutCBlock());
    const auto writes = SetWith("T_frmParaSet_BQM", [](TParaSetForm* f) {
        auto* form = static_cast<T_frmParaSet_BQM*>(f);
        form->txtLabelMinLength->setText("30");
        form->CheckValue(form->txtLabelMinLength);
        form->txtLabelMaxLength->setText("401");
        form->CheckValue(form->txtLabelMaxLength);
    });
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(prt::test::ToHex(writes.back()),
              prt::test::ToHex(With(SimLayoutCBlock(), {{64, 0x30}, {65, 0x01}, {70, 0x80}, {71, 0x0C}})));
}

TEST_F(FormSim, BqmVoltageTypedAndLeftEmptyIsWrittenAsZero)
{
    Select("BQM");
    SetBlock(SimLayoutCBlock());
    // Set straight from the edit (no leaving first): the clamp still applies.
    const auto writes = SetWith("T_frmParaSet_BQM", [](TParaSetForm* form) { Apply(form, "txtVoltageBetweenLabelGap=."); });
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(prt::test::ToHex(writes.back()), prt::test::ToHex(With(SimLayoutCBlock(), {{62, 0}, {63, 0}})));
}

TEST_F(FormSim, BqmSpeedWithoutAnEqualItemAndChineseOnlyLanguage)
{
    // "OnlyChinese" is tested as model + ",": the language group goes, its bytes stay written.
    Select("BQM");
    SetBlock(With(SimLayoutCBlock(), {{92, 9}}));
    SetTypeListKey("OnlyChinese", ",BQM,");
    const auto writes = SetWith("T_frmParaSet_BQM", [](TParaSetForm* f) {
        auto* form = static_cast<T_frmParaSet_BQM*>(f);
        EXPECT_EQ(form->cmbPrintSpeed->currentIndex(), -1) << "no speed item is 9";
        EXPECT_FALSE(form->gpbLanguage->isVisibleTo(form));
        Apply(form, "#cmbInternationalCharacter=5");
    });
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(prt::test::ToHex(writes.back()), prt::test::ToHex(With(SimLayoutCBlock(), {{92, 9}, {56, 5}})));
}

// ---- J27 --------------------------------------------------------------------------------

namespace {
const QByteArray kResetFrame = prt::test::Hex(
    "1B 1C 26 20 56 31 20 64 6F 20 22 72 65 73 65 74 5F 70 72 69 6E 74 65 72 22 0D 0A");
}

TEST_F(FormSim, J27BluetoothModelsShowNameAndPasswordAndTestItsLength)
{
    Select("J27BT");
    SetBlock(SimLayoutEBlock());
    ASSERT_TRUE(Open("T_frmParaSet_J27", [&](TParaSetForm* f) {
        auto* form = static_cast<T_frmParaSet_J27*>(f);
        EXPECT_TRUE(form->HasBluetooth());
        EXPECT_EQ(form->txtBTName->text(), "J27SIM");
        EXPECT_EQ(form->txtBTPWD->text(), "4321");
        EXPECT_FALSE(form->cmbProtocolType->isEnabled()) << "J27BT is not in the protocol list";
        form->txtBTPWD->setText("12");
        form->btnSetClick();
        EXPECT_TRUE(form->isVisible()) << "the form stays open with the edits";
        EXPECT_EQ(form->txtBTPWD->text(), "12");
    }));
    EXPECT_EQ(BoxTexts(*boxes), QStringList{TParaSetForm::Caption("_Err_BTPWD_Len")});
    EXPECT_TRUE(prt::sim::SimBlockWrites(printer).empty());
    EXPECT_FALSE(printer.received().contains(kResetFrame));
}

TEST_F(FormSim, J27WithoutBluetoothNeitherShowsNorTestsThePassword)
{
    Select("J27");
    SetBlock(SimLayoutEBlock());
    const auto writes = SetWith("T_frmParaSet_J27", [](TParaSetForm* f) {
        auto* form = static_cast<T_frmParaSet_J27*>(f);
        EXPECT_FALSE(form->txtBTName->isEnabled());
        EXPECT_FALSE(form->txtBTPWD->isEnabled());
        EXPECT_TRUE(form->txtBTName->text().isEmpty());
        EXPECT_TRUE(form->cmbProtocolType->isEnabled()) << "J27 is in the protocol list";
    });
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes.back(), SimLayoutEBlock()) << "bytes 10-25 as read";
}

TEST_F(FormSim, J27ResetsThePrinterAfterAGoodWriteOnly)
{
    Select("J27");
    SetBlock(SimLayoutEBlock());
    // Each fresh form reads, writes and resets, though the reset's closing destroys the
    // printer object every time.
    for (int round = 1; round <= 2; ++round) {
        const auto writes = SetWith("T_frmParaSet_J27");
        ASSERT_EQ(writes.size(), size_t(round));
        ASSERT_TRUE(ReceivedTimes(kResetFrame, round)) << round;
        EXPECT_TRUE(printer.received().indexOf(kResetFrame) > printer.received().indexOf(SimLayoutEBlock()));
    }
    // A write that fails (the port is gone) sends no reset and says so.
    printer.clearReceived();
    boxes->clear();
    ASSERT_TRUE(Open("T_frmParaSet_J27", [&](TParaSetForm* form) {
        server->stop();
        form->btnSetClick();
    }));
    EXPECT_TRUE(BoxTexts(*boxes).contains(TParaSetForm::Caption("_Err_ParaSet")));
    EXPECT_FALSE(BoxTexts(*boxes).contains(TParaSetForm::Caption("_ParaSet_OK")));
    EXPECT_FALSE(printer.received().contains(kResetFrame));
}

// ---- A write counts only when the printer holds it --------------------------------------

// One form per block layout. The link is cut 100 bytes into the 262 of the write, or the
// printer takes the write and silently keeps its old block: either way the form says the
// parameters were not set, stays open with the edit, sends no reset and leaves the stored
// block alone; a second Set over a sound link is confirmed and closes the form.
TEST_F(FormSim, SetIsReportedDoneOnlyWhenTheBlockReadBackIsTheBlockWritten)
{
    struct Layout {
        const char* layout;
        const char* form;
        const char* model;
        QByteArray block;
        const char* edit;  // Apply() syntax
        int pos;           // the byte the edit writes
        int value;
        bool reset;        // the family resets the printer after a good write
    };
    const Layout layouts[] = {
        {"A", "T_frmParaSet_J83", "J83", prt::sim::SimMakeFilledBlock({{114, 42}}), "txtStopPrint=77", 114, 77, false},
        {"B", "T_frmParaSet_V64", "V64", SimLayoutBBlock(false), "txtStopPrint=77", 82, 77, false},
        {"C", "T_frmParaSet_BQM", "BQM", SimLayoutCBlock(), "txtValleyThresholdRate=75", 66, 75, false},
        {"D", "T_frmParaSet_W7X", "W7X", SimLayoutDBlock(), "txtStopPrint=77", 104, 77, false},
        {"E", "T_frmParaSet_J27", "J27", SimLayoutEBlock(), "#cmbDensity=3", 34, 3, true},
    };
    enum class Fault { CutAfter100Bytes, KeepsOldBlock };
    const QString notSet = TParaSetForm::Caption("_ParaSet_Fail");
    ASSERT_FALSE(notSet.isEmpty());
    for (const Layout& l : layouts) {
        for (const Fault fault : {Fault::CutAfter100Bytes, Fault::KeepsOldBlock}) {
            SCOPED_TRACE(std::string("layout ") + l.layout + (fault == Fault::CutAfter100Bytes ? " cut" : " keeps old"));
            Select(l.model);
            SetBlock(l.block);
            boxes->clear();
            printer.clearReceived();
            ASSERT_TRUE(Open(l.form, [&](TParaSetForm* form) {
                ASSERT_EQ(form->ReadState(), TParaSetForm::TReadState::Good);
                Apply(form, l.edit);
                if (fault == Fault::CutAfter100Bytes) {
                    prt::sim::SimFaults cut;
                    cut.disconnectAfterBytes = 100;
                    printer.setFaults(cut);
                } else {
                    prt::sim::SimSetBlockKeepsOld(printer, true);
                }
                form->btnSetClick();
                ASSERT_EQ(boxes->calls().size(), 1u) << BoxTexts(*boxes).join('|').toStdString();
                EXPECT_EQ(boxes->calls()[0].text, notSet);
                EXPECT_EQ(boxes->calls()[0].flags, 16u);
                EXPECT_TRUE(form->isVisible()) << "the form stays open";
                EXPECT_EQ(prt::test::ToHex(prt::sim::SimBlock(printer)), prt::test::ToHex(l.block));
                EXPECT_FALSE(printer.received().contains(kResetFrame)) << "no reset of the old block";
                // The operator's edit is still there: a Set over a sound link writes it.
                printer.setFaults({});
                prt::sim::SimSetBlockKeepsOld(printer, false);
                boxes->clear();
                form->btnSetClick();
                EXPECT_EQ(BoxTexts(*boxes), QStringList{TParaSetForm::Caption("_ParaSet_OK")});
                EXPECT_FALSE(form->isVisible());
            }));
            const QByteArray stored = prt::sim::SimBlock(printer);
            EXPECT_EQ(uint8_t(stored.at(l.pos)), l.value);
            EXPECT_EQ(ReceivedTimes(kResetFrame, l.reset ? 1 : 0), true);
        }
    }
}

// ---- W7X --------------------------------------------------------------------------------

TEST_F(FormSim, W7XRefusesAnOctetAbove255AndSendsNothing)
{
    Select("W7X");
    SetBlock(SimLayoutDBlock());
    ASSERT_TRUE(Open("T_frmParaSet_W7X", [&](TParaSetForm* f) {
        auto* form = static_cast<T_frmParaSet_W7X*>(f);
        form->txtSubnet.at(2)->setText("300");
        form->CheckValue(form->txtSubnet.at(2));
        EXPECT_EQ(form->txtSubnet.at(2)->text(), "300") << "address edits are not clamped";
        form->txtIP.at(0)->setText("");
        form->CheckValue(form->txtIP.at(0));
        EXPECT_EQ(form->txtIP.at(0)->text(), "0");
        form->btnSetClick();
        EXPECT_TRUE(form->isVisible());
    }));
    ASSERT_EQ(boxes->calls().size(), 1u);
    EXPECT_TRUE(boxes->calls()[0].text.contains("255")) << boxes->calls()[0].text.toStdString();
    EXPECT_TRUE(prt::sim::SimBlockWrites(printer).empty());
}

TEST_F(FormSim, W7XDhcpEnablesTheAddressEdits)
{
    struct Case {
        int dhcp;
        int item;
        bool enabled;
    };
    // 0 static, 1 DHCP, 2 no item: the byte goes back as read and the edits stay locked.
    for (const Case& c : {Case{0, 0, true}, Case{1, 1, false}, Case{2, -1, false}}) {
        Select("W7X");
        const QByteArray block = With(SimLayoutDBlock(), {{84, c.dhcp}});
        SetBlock(block);
        const auto writes = SetWith("T_frmParaSet_W7X", [&](TParaSetForm* f) {
            auto* form = static_cast<T_frmParaSet_W7X*>(f);
            EXPECT_EQ(form->cmbDHCP->currentIndex(), c.item) << c.dhcp;
            for (QLineEdit* e : form->txtIP + form->txtSubnet + form->txtGateway)
                EXPECT_EQ(e->isEnabled(), c.enabled) << c.dhcp << " " << e->objectName().toStdString();
        });
        ASSERT_FALSE(writes.empty());
        EXPECT_EQ(writes.back(), block) << c.dhcp << ": disabled edits are still written from their texts";
    }
}

TEST_F(FormSim, W7XJudgePaperLengthAndDensity)
{
    struct Case {
        int judge59, density;
        int item, densityItem;
        std::vector<std::pair<int, int>> written;
    };
    const Case cases[] = {
        {2, 2, 1, 2, {}},                      // continuous paper as read
        {0, 2, -1, 2, {{59, 0}}},              // no item: 59 := 0, 58 as read
        {5, 5, 0, -1, {{59, 1}, {58, 1}}},     // 4 or more: label paper; density 5 has no item
    };
    for (const Case& c : cases) {
        Select("W7X");
        const QByteArray block = With(SimLayoutDBlock(), {{59, c.judge59}, {34, c.density}});
        SetBlock(block);
        const auto writes = SetWith("T_frmParaSet_W7X", [&](TParaSetForm* f) {
            auto* form = static_cast<T_frmParaSet_W7X*>(f);
            EXPECT_EQ(form->cmbJudgePaperMode->currentIndex(), c.item) << c.judge59;
            EXPECT_EQ(form->cmbDensity->currentIndex(), c.densityItem) << c.density;
        });
        ASSERT_FALSE(writes.empty());
        EXPECT_EQ(prt::test::ToHex(writes.back()), prt::test::ToHex(With(block, c.written))) << c.judge59;
    }
    Select("W7X");
    SetBlock(SimLayoutDBlock());
    const auto writes = SetWith("T_frmParaSet_W7X", [](TParaSetForm* f) {
        auto* form = static_cast<T_frmParaSet_W7X*>(f);
        form->txtLabelMaxLength->setText("501");
        form->CheckValue(form->txtLabelMaxLength);
        EXPECT_EQ(form->txtLabelMaxLength->text(), "500");
    });
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(prt::test::ToHex(writes.back()), prt::test::ToHex(With(SimLayoutDBlock(), {{70, 0xA0}, {71, 0x0F}})));
}

TEST_F(FormSim, W7XChineseOnlyModelsLoseTheLanguageGroupNotTheCodePage)
{
    Select("W7X");
    SetTypeListKey("OnlyChinese", ",W7X,");
    SetBlock(SimLayoutDBlock());
    const auto writes = SetWith("T_frmParaSet_W7X", [](TParaSetForm* f) {
        auto* form = static_cast<T_frmParaSet_W7X*>(f);
        EXPECT_FALSE(form->gpbLanguage->isVisibleTo(form));
        Apply(form, "cmbCodepage=Katakana");
    });
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(prt::test::ToHex(writes.back()), prt::test::ToHex(With(SimLayoutDBlock(), {{55, 1}})));
}
