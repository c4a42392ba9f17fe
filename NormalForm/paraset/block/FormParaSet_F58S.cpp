#include "FormParaSet_F58S.h"

#include "PrinterCMD.h"
#include "mdlCurrentPrinter.h"
#include "mdlModelCatalog.h"
#include "mdlParaSetWidgets.h"

#include <QComboBox>
#include <QGroupBox>

const std::array<const char*, 26>& F58SDoKeys()
{
    static const std::array<const char*, 26> keys = {
        KEY_calibrate_sensor, KEY_paper_learn,     KEY_factory_default,     KEY_reset_printer,
        KEY_print_test_page,  KEY_configguration_page, KEY_tph_test_page,   KEY_dump_text,
        KEY_dfu,              KEY_update_firmware, KEY_graph_sensor,        KEY_download,
        KEY_delete,           KEY_print,           KEY_font_download_quick, KEY_wifi_default,
        KEY_wifi_read_params, KEY_wifi_update_params, KEY_wifi_scan,        KEY_reset_wifi,
        KEY_bt_para_reset,    KEY_rfid_print,      KEY_rfid_calibrate,      KEY_enter_ota,
        KEY_save_param_zone,  KEY_unlock_para,
    };
    return keys;
}

namespace {
TLayoutAParts FormParts()
{
    TLayoutAParts p;
    p.DensityGroup = true;
    p.Language = true;
    return p;
}
} // namespace

T_frmParaSet_F58S::T_frmParaSet_F58S(QWidget* parent) : TParaSetLayoutAForm(QStringLiteral("F58S"), FormParts())
{
    setParent(parent, windowFlags());
    setObjectName(QStringLiteral("T_frmParaSet_F58S"));
}

void T_frmParaSet_F58S::InitLanguage()
{
    CaptionControls(QStringLiteral("FormParaSet_260_"), {"gpbLanguage", "lblInternationalCharacter", "lblCodepage", "gpbReprintWhenError", "gpbPrintReprint", "gpbDensity", "lblDensity", "gpbAutoPosition", "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2"});
    CaptionControls(QStringLiteral("FormParaSet_W7X_"), {"lblHeatAdj", "lblPrintSpeed"});
    SetEnableItems(gpbReprintWhenError);
    SetEnableItems(gpbPrintReprint);
    SetEnableItems(gpbAutoPosition);
    FillPaperTypes(cmbJudgePaperMode, 3);
}

void T_frmParaSet_F58S::ApplyModelRules()
{
    HideLanguageForOnlyChinese();
    // The model of the one-model list keeps its stored language settings.
    const bool locked = paraset::ModelCommaInList(PrtBasName, F58SOneModels);
    gpbLanguage->setEnabled(!locked);
    cmbInternationalCharacter->setEnabled(gpbLanguage->isEnabled());
    cmbCodepage->setEnabled(gpbLanguage->isEnabled());
}
