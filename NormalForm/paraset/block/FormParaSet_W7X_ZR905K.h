#pragma once
// The W7X form for the family's models without a network interface: no Ethernet group;
// label length, print speed and heat fine-tune, density "0" to "15".
#include "FormParaSet_W7X.h"

class T_frmParaSet_W7X_ZR905K : public T_frmParaSet_W7X {
    Q_OBJECT
public:
    explicit T_frmParaSet_W7X_ZR905K(QWidget* parent = nullptr);
};
