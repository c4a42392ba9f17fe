#pragma once
// Parameter form of the J83 label printers: the common rows, small label, the language group
// and the three lengths (0-500 mm).
#include "mdlParaSetLayoutA.h"

class T_frmParaSet_J83 : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_J83(QWidget* parent = nullptr);

protected:
    void InitLanguage() override;
    void ApplyModelRules() override;
};
