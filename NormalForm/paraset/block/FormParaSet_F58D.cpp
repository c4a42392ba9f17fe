#include "FormParaSet_F58D.h"

#include "mdlParaSetWidgets.h"

#include <QComboBox>
#include <QGroupBox>

namespace {
TLayoutAParts FormParts()
{
    TLayoutAParts p;
    p.SmallLabel = true;
    p.DensityGroup = true;
    return p;
}
} // namespace

T_frmParaSet_F58D::T_frmParaSet_F58D(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("F58D"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_F58D"));
}

void T_frmParaSet_F58D::InitLanguage()
{
    CaptionControls(QStringLiteral("FormParaSet_260_"), {"gpbReprintWhenError", "gpbPrintReprint", "gpbDensity", "lblDensity", "gpbSmallLabel", "gpbAutoPosition", "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2"});
    CaptionControls(QStringLiteral("FormParaSet_W7X_"), {"lblHeatAdj", "lblPrintSpeed"});
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    SetSupportItems(gpbSmallLabel);
    FillPaperTypes(cmbJudgePaperMode, 3);
}
