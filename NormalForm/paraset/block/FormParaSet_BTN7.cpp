#include "FormParaSet_BTN7.h"

#include "mdlParaSetWidgets.h"

#include <QComboBox>
#include <QGroupBox>

namespace {
TLayoutAParts FormParts()
{
    TLayoutAParts p;
    p.Serial = true;
    p.Ethernet = true;
    p.Language = true;
    p.SmallLabel = true;
    p.Lengths = true;
    p.MaxLengthRange = paraset::TValueRange{0, 500};
    p.MinLengthRange = paraset::TValueRange{0, 500};
    p.HeatSpeed = false;
    p.PrintType = true;
    p.DensityItems = paraset::NumberItems(1, 7);
    return p;
}
} // namespace

T_frmParaSet_BTN7::T_frmParaSet_BTN7(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("BTN7"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_BTN7"));
}

void T_frmParaSet_BTN7::InitLanguage()
{
    CaptionControls(QStringLiteral("FormParaSet_260_"), {"gpbCOMPortSet", "lblBaudRate", "lblParity", "lblStopBits", "gpbLanguage", "lblInternationalCharacter", "lblCodepage", "gpbReprintWhenError", "gpbPrintReprint", "lblDensity", "gpbEthernetSetting", "lblDHCP", "lblIPAddress", "lblSubnet", "lblDefautGateway", "gpbSmallLabel", "gpbAutoPosition", "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2", "lblLabelMaxLength", "lblMarkMaxLength", "lblLabelMinLength", "gpbPrintType"});
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    SetSupportItems(gpbSmallLabel);
    gpbPrintType->SetItems({Word(QStringLiteral("_PrintType1")), Word(QStringLiteral("_PrintType2"))});
    FillPaperTypes(cmbJudgePaperMode, 3);
}

void T_frmParaSet_BTN7::ApplyModelRules()
{
    HideLanguageForOnlyChinese();
}
