#pragma once
// Parameter form of the BQM260 label printers: serial and Ethernet settings, the language
// group, small label, lengths (maximum 38-400 mm), heat and speed. Its DHCP list's first
// item is the fixed address.
#include "mdlParaSetLayoutA.h"

class T_frmParaSet_BQM260 : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_BQM260(QWidget* parent = nullptr);

protected:
    void InitLanguage() override;
    void ApplyModelRules() override;
    int FixedAddressItem() const override { return 0; }
};
