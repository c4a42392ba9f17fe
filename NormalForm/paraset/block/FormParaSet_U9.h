#pragma once
// Parameter form of the U9 printers: the common layout-A rows only.
#include "mdlParaSetLayoutA.h"

class T_frmParaSet_U9 : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_U9(QWidget* parent = nullptr);

protected:
    void InitLanguage() override;
};
