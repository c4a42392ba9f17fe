#pragma once
// Parameter form of the Trev label printers: the common rows, small label and the three
// lengths (0-500 mm).
#include "mdlParaSetLayoutA.h"

class T_frmParaSet_Trev : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_Trev(QWidget* parent = nullptr);

protected:
    void InitLanguage() override;
};
