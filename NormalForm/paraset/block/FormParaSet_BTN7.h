#pragma once
// Parameter form of the BTN7 printers (firmware 1.0.0 and later): serial and Ethernet
// settings ("OFF" is the fixed address), the language group, print method, small label
// and lengths (0-500 mm); density 1-7; no heat or speed rows.
#include "mdlParaSetLayoutA.h"

class T_frmParaSet_BTN7 : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_BTN7(QWidget* parent = nullptr);

protected:
    void InitLanguage() override;
    void ApplyModelRules() override;
    int FixedAddressItem() const override { return 1; }
};
