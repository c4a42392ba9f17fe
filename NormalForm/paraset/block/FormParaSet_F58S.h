#pragma once
// Parameter form of the F58S receipt printers: the common rows and the language group, which
// the model of the built-in one-model list sees but cannot change.
#include "mdlParaSetLayoutA.h"

#include <array>

// The printers' "do" vocabulary, each key with its double quotes, in this order:
// calibrate_sensor, paper_learn, factory_default, reset_printer, print_test_page,
// configguration_page, tph_test_page, dump_text, dfu, update_firmware, graph_sensor,
// download, delete, print, font_download_quick, wifi_default, wifi_read_params,
// wifi_update_params, wifi_scan, reset_wifi, bt_para_reset, rfid_print, rfid_calibrate,
// enter_ota, save_param_zone, unlock_para. The Wi-Fi scan of other forms uses "wifi_scan".
const std::array<const char*, 26>& F58SDoKeys();

class T_frmParaSet_F58S : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_F58S(QWidget* parent = nullptr);

protected:
    void InitLanguage() override;
    void ApplyModelRules() override;
};
