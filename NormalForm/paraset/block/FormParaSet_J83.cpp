#include "FormParaSet_J83.h"

#include "mdlParaSetWidgets.h"

#include <QComboBox>
#include <QGroupBox>

namespace {
TLayoutAParts FormParts()
{
    TLayoutAParts p;
    p.SmallLabel = true;
    p.DensityGroup = true;
    p.Language = true;
    p.Lengths = true;
    p.MaxLengthRange = paraset::TValueRange{0, 500};
    p.MinLengthRange = paraset::TValueRange{0, 500};
    return p;
}
} // namespace

T_frmParaSet_J83::T_frmParaSet_J83(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("J83"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_J83"));
}

void T_frmParaSet_J83::InitLanguage()
{
    CaptionControls(QStringLiteral("FormParaSet_260_"), {"gpbLanguage", "lblInternationalCharacter", "lblCodepage", "gpbReprintWhenError", "gpbPrintReprint", "gpbDensity", "lblDensity", "gpbSmallLabel", "gpbAutoPosition", "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2", "lblLabelMaxLength", "lblMarkMaxLength", "lblLabelMinLength"});
    CaptionControls(QStringLiteral("FormParaSet_W7X_"), {"lblHeatAdj", "lblPrintSpeed"});
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    SetSupportItems(gpbSmallLabel);
    FillPaperTypes(cmbJudgePaperMode, 3);
}

void T_frmParaSet_J83::ApplyModelRules()
{
    HideLanguageForOnlyChinese();
}
