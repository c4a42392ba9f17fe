#include "FormParaSet_Z12.h"

#include "PrinterCMD.h"
#include "mdlCurrentPrinter.h"
#include "mdlParaSetWidgets.h"
#include "mdlPrinterLib.h"
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
    p.BTPasswordFilter = paraset::TKeyFilter::BTPassword;
    p.Language = true;
    p.SpeedItems = {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    p.PaperTypes = 2;
    return p;
}
} // namespace

T_frmParaSet_Z12::T_frmParaSet_Z12(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("Z12"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_Z12"));
}

void T_frmParaSet_Z12::InitLanguage()
{
    gpbBT->setTitle(Word(QStringLiteral("_BTSet")));
    lblBTName->setText(Word(QStringLiteral("_BTName")));
    lblBTPWD->setText(Word(QStringLiteral("_BTPWD")));
    CaptionControls(QStringLiteral("FormParaSet_Z12_"), {"lblBTNameLen", "chkSimplePairing"});
    CaptionControls(QStringLiteral("FormParaSet_260_"),
                    {"lblBTPWDLen", "gpbReprintWhenError", "gpbPrintReprint", "lblDensity", "gpbAutoPosition",
                     "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2"});
    CaptionControls(QStringLiteral("FormParaSet_W7X_"), {"lblHeatAdj", "lblPrintSpeed"});
    CaptionControls(QStringLiteral("FormParaSet_BQM_"), {"gpbLanguage", "lblInternationalCharacter", "lblCodepage"});
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    FillPaperTypes(cmbJudgePaperMode, 2);
}

void T_frmParaSet_Z12::ApplyModelRules()
{
    FBluetooth = paraset::ModelInList(PrtBasName, ReadParameterSetNow(QStringLiteral("V64WithBT")));
    HideLanguageForOnlyChinese();
    txtBTName->setEnabled(FBluetooth);
    txtBTPWD->setEnabled(FBluetooth);
    chkSimplePairing->setEnabled(FBluetooth);
}

bool T_frmParaSet_Z12::CheckBeforeSet()
{
    if (FBluetooth && txtBTPWD->text().trimmed().size() != 4) {
        ShowError(Caption(QStringLiteral("_Err_BTPWD_Len")));
        return false;
    }
    return TParaSetLayoutAForm::CheckBeforeSet();
}

void T_frmParaSet_Z12::AfterGoodWrite()
{
    // The reset's result is not reported: the settings are stored either way.
    EnsurePrinterObject();
    CmdDo(QByteArray(KEY_reset_printer));
}
