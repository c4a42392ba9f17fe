#include "FormParaSet_U9.h"

#include "mdlParaSetWidgets.h"

#include <QComboBox>
#include <QGroupBox>

namespace {
TLayoutAParts FormParts()
{
    TLayoutAParts p;
    p.DensityGroup = true;
    return p;
}
} // namespace

T_frmParaSet_U9::T_frmParaSet_U9(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("U9"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_U9"));
}

void T_frmParaSet_U9::InitLanguage()
{
    CaptionControls(QStringLiteral("FormParaSet_260_"), {"gpbReprintWhenError", "gpbPrintReprint", "gpbDensity", "lblDensity", "gpbAutoPosition", "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2"});
    CaptionControls(QStringLiteral("FormParaSet_W7X_"), {"lblHeatAdj", "lblPrintSpeed"});
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    FillPaperTypes(cmbJudgePaperMode, 3);
}
