#pragma once
// Parameter form of the F58D receipt printers: the common layout-A rows and small-label
// support, no language group.
#include "mdlParaSetLayoutA.h"

class T_frmParaSet_F58D : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_F58D(QWidget* parent = nullptr);

protected:
    void InitLanguage() override;
};
