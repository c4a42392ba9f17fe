#include "FormParaSet_BTN7_Vuzivaz.h"

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
    p.HeatSpeed = true;
    p.PrintType = true;
    p.DensityGroup = true;
    return p;
}
} // namespace

T_frmParaSet_BTN7_Vuzivaz::T_frmParaSet_BTN7_Vuzivaz(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("BTN7S"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_BTN7_Vuzivaz"));
}

void T_frmParaSet_BTN7_Vuzivaz::InitLanguage()
{
    CaptionControls(QStringLiteral("FormParaSet_260_"), {"gpbCOMPortSet", "lblBaudRate", "lblParity", "lblStopBits", "gpbLanguage", "lblInternationalCharacter", "lblCodepage", "gpbReprintWhenError", "gpbPrintReprint", "lblDensity", "gpbEthernetSetting", "lblDHCP", "lblIPAddress", "lblSubnet", "lblDefautGateway", "gpbSmallLabel", "gpbAutoPosition", "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2", "gpbPrintType", "gpbDensity"});
    CaptionControls(QStringLiteral("FormParaSet_W7X_"), {"lblHeatAdj", "lblPrintSpeed"});
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    SetSupportItems(gpbSmallLabel);
    gpbPrintType->SetItems({Word(QStringLiteral("_PrintType1")), Word(QStringLiteral("_PrintType2"))});
    FillPaperTypes(cmbJudgePaperMode, 3);
}

void T_frmParaSet_BTN7_Vuzivaz::ApplyModelRules()
{
    HideLanguageForOnlyChinese();
}
