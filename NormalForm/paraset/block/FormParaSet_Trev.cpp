#include "FormParaSet_Trev.h"

#include "mdlParaSetWidgets.h"

#include <QComboBox>
#include <QGroupBox>

namespace {
TLayoutAParts FormParts()
{
    TLayoutAParts p;
    p.SmallLabel = true;
    p.DensityGroup = true;
    p.Lengths = true;
    p.MaxLengthRange = paraset::TValueRange{0, 500};
    p.MinLengthRange = paraset::TValueRange{0, 500};
    return p;
}
} // namespace

T_frmParaSet_Trev::T_frmParaSet_Trev(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("Trev"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_Trev"));
}

void T_frmParaSet_Trev::InitLanguage()
{
    CaptionControls(QStringLiteral("FormParaSet_260_"), {"gpbReprintWhenError", "gpbPrintReprint", "gpbDensity", "lblDensity", "gpbSmallLabel", "gpbAutoPosition", "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2", "lblLabelMaxLength", "lblMarkMaxLength", "lblLabelMinLength"});
    CaptionControls(QStringLiteral("FormParaSet_W7X_"), {"lblHeatAdj", "lblPrintSpeed"});
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    SetSupportItems(gpbSmallLabel);
    FillPaperTypes(cmbJudgePaperMode, 3);
}
