#include "FormParaSet_J27.h"

#include "PrinterCMD.h"
#include "mdlCurrentPrinter.h"
#include "mdlParaBlockCodecsBCDE.h"
#include "mdlParaBlockLayoutBCDE.h"
#include "mdlParaSetRows.h"
#include "mdlParaSetWidgets.h"
#include "mdlParamValues.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace pararows;

namespace {
const QString kCode = QStringLiteral("J27");
}

T_frmParaSet_J27::T_frmParaSet_J27(QWidget* parent) : TParaSetForm(parent)
{
    setObjectName(QStringLiteral("frmParaSet_J27"));
    Build();
}

void T_frmParaSet_J27::Build()
{
    auto* top = new QVBoxLayout(this);

    gpbBT = NewGroup(this, "gpbBT");
    auto* bt = new QGridLayout(gpbBT);
    lblBTName = NewLabel(gpbBT, "lblBTName");
    txtBTName = NewEdit(gpbBT, "txtBTName", 140);
    lblBTNameLen = NewLabel(gpbBT, "lblBTNameLen");
    AddRow(bt, 0, lblBTName, txtBTName, lblBTNameLen);
    lblBTPWD = NewLabel(gpbBT, "lblBTPWD");
    txtBTPWD = NewEdit(gpbBT, "txtBTPWD", 140);
    lblBTPWDLen = NewLabel(gpbBT, "lblBTPWDLen");
    AddRow(bt, 1, lblBTPWD, txtBTPWD, lblBTPWDLen);
    RegisterFilteredEdit(txtBTName, paraset::TKeyFilter::BTName, 9);
    RegisterFilteredEdit(txtBTPWD, paraset::TKeyFilter::BTPassword, 4);
    top->addWidget(gpbBT);

    gpbOther = NewGroup(this, "gpbOther");
    auto* other = new QGridLayout(gpbOther);
    int row = 0;
    lblJudgePaperMode = NewLabel(gpbOther, "lblJudgePaperMode");
    cmbJudgePaperMode = NewCombo(gpbOther, "cmbJudgePaperMode", {QString(), QString(), QString()});
    AddRow(other, row++, lblJudgePaperMode, cmbJudgePaperMode);
    lblPrintSpeed = NewLabel(gpbOther, "lblPrintSpeed");
    cmbPrintSpeed = NewCombo(gpbOther, "cmbPrintSpeed", {"2", "3", "4"});
    AddRow(other, row++, lblPrintSpeed, cmbPrintSpeed);
    lblHeatAdj = NewLabel(gpbOther, "lblHeatAdj");
    cmbHeatAdj = NewCombo(gpbOther, "cmbHeatAdj", paraset::HeatItems());
    AddRow(other, row++, lblHeatAdj, cmbHeatAdj);
    lblDensity = NewLabel(gpbOther, "lblDensity");
    cmbDensity = NewCombo(gpbOther, "cmbDensity", paraset::NumberItems(0, 15));
    AddRow(other, row++, lblDensity, cmbDensity);
    lblProtocolType = NewLabel(gpbOther, "lblProtocolType");
    cmbProtocolType = NewCombo(gpbOther, "cmbProtocolType", {QStringLiteral("ESC Protocol"), QStringLiteral("TSC Protocol")});
    AddRow(other, row++, lblProtocolType, cmbProtocolType);
    top->addWidget(gpbOther);

    gpbLanguage = NewGroup(this, "gpbLanguage");
    auto* lang = new QGridLayout(gpbLanguage);
    lblInternationalCharacter = NewLabel(gpbLanguage, "lblInternationalCharacter");
    cmbInternationalCharacter = NewCombo(gpbLanguage, "cmbInternationalCharacter", paraset::IntlCharsetItems());
    AddRow(lang, 0, lblInternationalCharacter, cmbInternationalCharacter);
    lblCodepage = NewLabel(gpbLanguage, "lblCodepage");
    cmbCodepage = NewCombo(gpbLanguage, "cmbCodepage");
    AddRow(lang, 1, lblCodepage, cmbCodepage);
    Label1 = NewLabel(gpbLanguage, "Label1");
    ComboBox1 = NewCombo(gpbLanguage, "ComboBox1", {QString(), QString()});
    AddRow(lang, 2, Label1, ComboBox1);
    top->addWidget(gpbLanguage);

    gpbAutoPosition = new TRadioGroup(QStringLiteral("gpbAutoPosition"), this);
    top->addWidget(gpbAutoPosition);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

void T_frmParaSet_J27::InitLanguage()
{
    const auto cap = SetCaptionKey;
    cap(gpbAutoPosition, "FormParaSet_260_gpbAutoPosition");
    SetEnableItems(gpbAutoPosition);
    cap(gpbLanguage, "FormParaSet_BQM_gpbLanguage");
    cap(lblInternationalCharacter, "FormParaSet_BQM_lblInternationalCharacter");
    cap(lblCodepage, "FormParaSet_BQM_lblCodepage");
    // The Korean-mode row carries the code-page caption key.
    cap(Label1, "FormParaSet_BQM_lblCodepage");
    SetComboItems(ComboBox1, {Caption(QStringLiteral("FormParaSet_BQM_cmbKero1")),
                              Caption(QStringLiteral("FormParaSet_BQM_cmbKero2"))});
    cap(gpbOther, "FormParaSet_260_gpbOther");
    cap(lblDensity, "FormParaSet_260_lblDensity");
    cap(lblJudgePaperMode, "FormParaSet_260_lblJudgePaperMode");
    FillPaperTypes(cmbJudgePaperMode, 3);
    cap(lblProtocolType, "FormParaSet_BQM_lblProtocolType");
    cap(lblHeatAdj, "FormParaSet_W7X_lblHeatAdj");
    cap(lblPrintSpeed, "FormParaSet_W7X_lblPrintSpeed");
    gpbBT->setTitle(Word(QStringLiteral("_BTSet")));
    lblBTName->setText(Word(QStringLiteral("_BTName")));
    lblBTPWD->setText(Word(QStringLiteral("_BTPWD")));
    cap(lblBTNameLen, "FormParaSet_Z12_lblBTNameLen");
    cap(lblBTPWDLen, "FormParaSet_260_lblBTPWDLen");
}

void T_frmParaSet_J27::PrepareLists()
{
    FillCodePageCombo(cmbCodepage, QString());
}

void T_frmParaSet_J27::ApplyModelRules()
{
    FBluetooth = paraset::ModelInList(PrtBasName, ReadParameterSetNow(QStringLiteral("J27_ParameterSetting_WithBT")));
    txtBTName->setEnabled(FBluetooth);
    txtBTPWD->setEnabled(FBluetooth);
    // The protocol byte goes back whether or not the operator may change it.
    cmbProtocolType->setEnabled(
        paraset::ModelInList(PrtBasName, ReadParameterSetNow(QStringLiteral("J27_ParameterSetting_WithProtocol"))));
}

void T_frmParaSet_J27::SplitSetting()
{
    SplitFields(FieldsFor(LayoutE(), kCode), Block(), this);
    if (FBluetooth) {
        txtBTName->setText(ReadNameE(Block()));
        txtBTPWD->setText(ReadPasswordE(Block()));
    }
}

void T_frmParaSet_J27::ReplacePrintSetting()
{
    ReplaceFields(FieldsFor(LayoutE(), kCode), Block(), this);
    if (FBluetooth)
        WriteNamePasswordE(Block(), txtBTName->text(), txtBTPWD->text());
}

bool T_frmParaSet_J27::CheckBeforeSet()
{
    if (FBluetooth && txtBTPWD->text().trimmed().size() != 4) {
        ShowError(Caption(QStringLiteral("_Err_BTPWD_Len")));
        return false;
    }
    return true;
}

void T_frmParaSet_J27::AfterGoodWrite()
{
    // The write's closing left no printer object: make sure one exists for the reset
    // (whose own closing destroys it again; the result is not looked at).
    EnsurePrinterObject();
    EnsureTsplPrinterObject();
    CmdDo(QByteArray(KEY_reset_printer));
}
