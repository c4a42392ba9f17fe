#include "FormParaSet_BQM260.h"

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
    p.MaxLengthRange = paraset::TValueRange{38, 400};
    p.HeatSpeed = true;
    return p;
}
} // namespace

T_frmParaSet_BQM260::T_frmParaSet_BQM260(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("BQM260"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_BQM260"));
}

void T_frmParaSet_BQM260::InitLanguage()
{
    CaptionControls(QStringLiteral("FormParaSet_260_"), {"gpbCOMPortSet", "lblBaudRate", "lblParity", "lblStopBits", "gpbLanguage", "lblInternationalCharacter", "lblCodepage", "gpbReprintWhenError", "gpbPrintReprint", "lblDensity", "gpbEthernetSetting", "lblDHCP", "lblIPAddress", "lblSubnet", "lblDefautGateway", "gpbSmallLabel", "gpbAutoPosition", "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2", "lblLabelMaxLength", "lblMarkMaxLength", "lblLabelMinLength"});
    CaptionControls(QStringLiteral("FormParaSet_W7X_"), {"lblHeatAdj", "lblPrintSpeed"});
    SetComboItems(cmbDHCP, {Caption(QStringLiteral("FormParaSet_W7X_cmbDHCP_Item1")),
                            Caption(QStringLiteral("FormParaSet_W7X_cmbDHCP_Item2"))});
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    SetSupportItems(gpbSmallLabel);
    FillPaperTypes(cmbJudgePaperMode, 3);
}

void T_frmParaSet_BQM260::ApplyModelRules()
{
    HideLanguageForOnlyChinese();
}
