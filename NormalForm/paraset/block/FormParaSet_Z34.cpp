#include "FormParaSet_Z34.h"

#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlOptionLists.h"
#include "mdlParaSetWidgets.h"
#include "mdlPrinterTypeList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {
TLayoutAParts FormParts()
{
    TLayoutAParts p;
    p.Bluetooth = true;
    p.BTNameFilter = paraset::TKeyFilter::BTName;
    p.BTPasswordFilter = paraset::TKeyFilter::BTName;
    p.CodePageInOther = true;
    p.Protocol = true;
    p.Lid = true;
    return p;
}
} // namespace

T_frmParaSet_Z34::T_frmParaSet_Z34(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("Z34"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_Z34"));
}

bool T_frmParaSet_Z34::IsLidModel() const
{
    return paraset::ModelInList(PrtBasName, Z34LidModels);
}

void T_frmParaSet_Z34::InitLanguage()
{
    lblBTName->setText(Word(QStringLiteral("_BTName")));
    lblBTPWD->setText(Word(QStringLiteral("_BTPWD")));
    gpbBT->setTitle(Word(QStringLiteral("_BTSet")));
    CaptionControls(QStringLiteral("FormParaSet_Z12_"), {"lblBTNameLen", "chkSimplePairing"});
    CaptionControls(QStringLiteral("FormParaSet_260_"), {"lblBTPWDLen", "gpbAutoPosition", "gpbPrintReprint"});
    CaptionControls(QStringLiteral("FormParaSet_W7X_"),
                    {"lblDensity", "gpbReprintWhenError", "gpbOther", "lblJudgePaperMode", "lblStopPrint1",
                     "lblStopPrint2", "lblHeatAdj", "lblPrintSpeed"});
    CaptionControls(QStringLiteral("FormParaSet_ZR_"), {"lblCodepage"});
    gupBoxLidAction->setTitle(Caption(QStringLiteral("gupBoxLidAction")));
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    SetEnableItems(gupBoxLidAction);
    FillPaperTypes(cmbJudgePaperMode, 3);

    // Like every parameter-form label, without a colon.
    lblProtocolType->setText(Caption(QStringLiteral("Lang_All_00210004_12")));
    FillProtocolTypeList(&FProtocolValues);
    FillComboFromValues(cmbProtocolType, &FProtocolValues);
    if (PermissionValue(QStringLiteral("0142030002")) == 1) {
        FProtocolMode = 1;
        FReadByList = FWriteByList = true;
        txtSupport_ProtocolType->setText(Caption(QStringLiteral("Lang_Pos_00010004_11")));
        cmbProtocolType->setEnabled(true);
    } else if (paraset::ModelInList(PrtDefName, Z34OneModels)) {
        FProtocolMode = 2;
        cmbProtocolType->clear();
        cmbProtocolType->addItems({QStringLiteral("EPL"), QStringLiteral("TSPL")});
        txtSupport_ProtocolType->setText(Caption(QStringLiteral("Lang_Pos_00010004_11")));
        cmbProtocolType->setEnabled(true);
    } else {
        FProtocolMode = 3;
        FReadByList = FWriteByList = false;
        txtSupport_ProtocolType->setText(Caption(QStringLiteral("Lang_Pos_00010003_11")));
        cmbProtocolType->setEnabled(false);
    }
    cmbProtocolType->setCurrentIndex(-1);
    // The note beside the list is shown whole, from its start.
    txtSupport_ProtocolType->setMinimumWidth(
        txtSupport_ProtocolType->fontMetrics().horizontalAdvance(txtSupport_ProtocolType->text()) + 12);
    txtSupport_ProtocolType->setCursorPosition(0);
}

void T_frmParaSet_Z34::ApplyModelRules()
{
    FBluetooth = paraset::ModelInList(PrtBasName, ReadParameterSetNow(QStringLiteral("V64WithBT")));
    gpbBT->setVisible(FBluetooth);
    gupBoxLidAction->setVisible(IsLidModel());
}

void T_frmParaSet_Z34::SplitSetting()
{
    TParaSetLayoutAForm::SplitSetting();
    const uint8_t v = Block()[FProtocolPos];
    if (FProtocolMode == 1 && FReadByList) {
        int found = 0;
        QString value;
        FindValueByName(QString::number(v), &FProtocolValues, found, value);
        if (found != 1 || !SelectComboItem(cmbProtocolType, value))
            cmbProtocolType->setCurrentIndex(-1);
    } else if (FProtocolMode == 2) {
        cmbProtocolType->setCurrentIndex(paraset::DecodeIndexList(v, cmbProtocolType->count()));
    }
}

void T_frmParaSet_Z34::ReplacePrintSetting()
{
    TParaSetLayoutAForm::ReplacePrintSetting();
    uint8_t& v = Block()[FProtocolPos];
    if (FProtocolMode == 2) {
        v = paraset::EncodeIndexList(cmbProtocolType->currentIndex(), v);
    } else if (FProtocolMode == 1 && FWriteByList && cmbProtocolType->currentIndex() >= 0) {
        int found = 0;
        QString name;
        FindNameByValue(cmbProtocolType->currentText(), &FProtocolValues, found, name);
        if (found == 1)
            v = static_cast<uint8_t>(name.toInt() & 0xFF);
    }
}
