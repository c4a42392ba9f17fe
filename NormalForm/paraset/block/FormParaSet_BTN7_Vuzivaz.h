#pragma once
// Parameter form of the BTN7 printers with older firmware: serial and Ethernet settings
// ("OFF" is the fixed address), the language group, print method, small label, a density
// group, heat and speed; no lengths.
#include "mdlParaSetLayoutA.h"

class T_frmParaSet_BTN7_Vuzivaz : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_BTN7_Vuzivaz(QWidget* parent = nullptr);

protected:
    void InitLanguage() override;
    void ApplyModelRules() override;
    int FixedAddressItem() const override { return 1; }
};
